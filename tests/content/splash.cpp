#include "tests/content/splash.h"

#include <cctype>
#include <cstdlib>

#include "tests/content/contentfiles.h"

namespace contenttest {

SplashPages readSplash(const std::string& bytes) {
    SplashPages s;
    int p = 1;
    auto grow = [&] {
        while (static_cast<int>(s.file.size()) <= p) {
            s.file.emplace_back();
            s.time.push_back(0);
            s.skip.push_back(0);
        }
    };
    grow();
    auto lines = gameLines(bytes);
    for (size_t i = 0; i < lines.size() && i < 29; ++i) {
        std::string key = lines[i].substr(0, 4);
        std::string value = lines[i].size() > 5 ? lines[i].substr(5) : "";
        if (key == "file") s.file[p] = value;
        else if (key == "time") s.time[p] = std::atoi(value.c_str());
        else if (key == "skip") {
            for (auto& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            s.skip[p] = value == "true";
        } else if (key == ";---") {
            ++p;
            grow();
        }
    }
    for (int k = 1; k <= p; ++k) s.count += s.file[k] != "none";
    return s;
}

} // namespace contenttest
