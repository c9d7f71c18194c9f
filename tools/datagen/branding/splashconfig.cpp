#include "branding/splashconfig.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace branding {

namespace {

constexpr int kMaxLines = 29;
constexpr int kMaxPages = 6;

bool isNumber(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::vector<SplashPage> readSplashConfig(const std::vector<std::string>& lines, const std::string& where) {
    if (lines.size() > kMaxLines)
        throw std::runtime_error(where + ": " + std::to_string(lines.size()) + " lines, the game reads only " +
                                 std::to_string(kMaxLines));
    std::vector<SplashPage> blocks(1);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string here = where + ":" + std::to_string(i + 1) + ": ";
        const std::string& line = lines[i];
        if (line.empty()) continue;
        const std::string key = line.substr(0, 4);
        if (key == ";---") {
            blocks.emplace_back();
            continue;
        }
        if (line.size() < 6 || line[4] != '=')
            throw std::runtime_error(here + "expected a 4-character key, \"=\" and a value");
        const std::string value = line.substr(5);
        SplashPage& page = blocks.back();
        if (key == "page") {
            if (!isNumber(value) || std::stoi(value) != static_cast<int>(blocks.size()))
                throw std::runtime_error(here + "page number " + value + " does not match the block's position " +
                                         std::to_string(blocks.size()));
        } else if (key == "file") {
            page.file = value;
        } else if (key == "time") {
            if (!isNumber(value) || std::stol(value) <= 0 || value.size() > 6)
                throw std::runtime_error(here + "time must be a positive number of frames");
            page.time = std::stoi(value);
        } else if (key == "skip") {
            page.skip = lower(value) == "true";
        } else {
            throw std::runtime_error(here + "unknown key \"" + key + "\"");
        }
    }
    if (blocks.size() > kMaxPages)
        throw std::runtime_error(where + ": " + std::to_string(blocks.size()) + " blocks, at most " +
                                 std::to_string(kMaxPages));
    std::vector<SplashPage> shown;
    bool noneSeen = false;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const std::string block = where + ": block " + std::to_string(b + 1) + ": ";
        if (blocks[b].file == "none") {
            noneSeen = true;
            continue;
        }
        if (noneSeen) throw std::runtime_error(block + "a shown page after a \"none\" block is never reached");
        if (blocks[b].file.empty())
            throw std::runtime_error(block + "no picture (a final \";---\" opens an empty page the game would show)");
        if (blocks[b].time <= 0) throw std::runtime_error(block + "no time: the page would stay forever");
        shown.push_back(blocks[b]);
    }
    if (shown.empty()) throw std::runtime_error(where + ": no page to show");
    return shown;
}

} // namespace branding
