// The branding configuration as the game reads it: blocks of 4-character keys
// ("page", "file", "time", "skip") ended by ";---", at most 29 lines.
#pragma once
#include <string>
#include <vector>

namespace branding {

struct SplashPage {
    std::string file;
    int time = 0;
    bool skip = false;
};

// The pages the game will show, in order (pages whose file is "none" excluded).
// Throws std::runtime_error (naming `where` and the line) when the file would not
// work as meant: more than 29 lines, a line that is not "key=value" or ";---", an
// unknown key, a time that is not a positive number, more than 6 blocks, a shown
// page without a picture (for example the empty block after a final ";---"), or a
// "none" block before a shown one (the game shows the first N blocks).
std::vector<SplashPage> readSplashConfig(const std::vector<std::string>& lines, const std::string& where);

} // namespace branding
