// datagen --content <content dir> --out <installation dir> [--desktop <dir>] [--only family,...]
// Runs every registered family; a family that throws fails the whole run.
#include "family.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

int main(int argc, char** argv) {
    datagen::Context ctx;
    std::set<std::string> only;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        if (key == "--content") ctx.content = argv[i + 1];
        else if (key == "--out") ctx.out = argv[i + 1];
        else if (key == "--desktop") ctx.desktop = argv[i + 1];
        else if (key == "--only") {
            std::stringstream list(argv[i + 1]);
            for (std::string name; std::getline(list, name, ',');) only.insert(name);
        }
    }
    if (ctx.content.empty() || ctx.out.empty()) {
        std::fprintf(stderr, "usage: datagen --content DIR --out DIR [--desktop DIR] [--only a,b]\n");
        return 2;
    }
    std::filesystem::create_directories(ctx.out / "data");
    std::vector<datagen::Family*> todo;
    for (auto& f : datagen::families())
        if (only.empty() || only.count(f.name)) todo.push_back(&f);

    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex print;
    auto worker = [&] {
        for (size_t i; (i = next++) < todo.size();) {
            auto start = std::chrono::steady_clock::now();
            try {
                todo[i]->run(ctx);
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> lock(print);
                std::fprintf(stderr, "datagen: %s failed: %s\n", todo[i]->name.c_str(), e.what());
                failed = true;
                continue;
            }
            double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::lock_guard<std::mutex> lock(print);
            std::printf("datagen: %-10s %6.2f s\n", todo[i]->name.c_str(), s);
        }
    };
    unsigned n = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < n; ++t) threads.emplace_back(worker);
    for (auto& t : threads) t.join();
    return failed ? 1 : 0;
}
