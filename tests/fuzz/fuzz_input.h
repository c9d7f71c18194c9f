// Fuzz inputs for the readers that take a path: each input is written to a
// temporary file of this process first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// The folder of this process, removed when the run ends.
inline std::string fuzzFolder() {
    static const std::string* folder = [] {
        // In memory when the machine has a tmpfs: every save syncs to disk.
        std::string pattern =
            access("/dev/shm", W_OK) == 0 ? "/dev/shm/varnoka-fuzz-XXXXXX" : "/tmp/varnoka-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        auto* path = new std::string(pattern + "/"); // kept alive for the exit handler
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(fuzzFolder(), ec);
        });
        return path;
    }();
    return *folder;
}

inline std::string writeFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = fuzzFolder() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

// Makes the fuzz folder the working folder while it lives, for readers that
// take the game's relative "data/..." paths. libFuzzer's own corpus and
// artifact paths may be relative, so the old folder comes back afterwards.
class InFuzzFolder {
  public:
    InFuzzFolder() {
        if (!getcwd(old_, sizeof old_) || chdir(fuzzFolder().c_str()) != 0) std::abort();
    }
    ~InFuzzFolder() {
        if (chdir(old_) != 0) std::abort();
    }
    InFuzzFolder(const InFuzzFolder&) = delete;
    InFuzzFolder& operator=(const InFuzzFolder&) = delete;

  private:
    char old_[4096];
};
