// The branding configuration read the way the game reads it.
#pragma once
#include <string>
#include <vector>

namespace contenttest {

struct SplashPages {
    std::vector<std::string> file; // index 1..pages; [0] unused
    std::vector<int> time;
    std::vector<int> skip;
    int count = 0; // pages whose file is not "none"
};

// At most 29 lines; key = the first 4 characters, value = from the 6th on;
// ";---" starts the next page.
SplashPages readSplash(const std::string& bytes);

} // namespace contenttest
