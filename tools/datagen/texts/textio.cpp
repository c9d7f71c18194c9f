#include "texts/textio.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace textio {

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::string utf8ToLatin1(const std::string& utf8, const std::string& where) {
    std::string out;
    out.reserve(utf8.size());
    int line = 1;
    for (size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b == '\n') ++line;
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        // Only two-byte sequences can encode U+0080..U+00FF (lead bytes C2 and C3).
        auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if ((b == 0xC2 || b == 0xC3) && (next & 0xC0) == 0x80) {
            out.push_back(static_cast<char>(((b & 0x1F) << 6) | (next & 0x3F)));
            i += 2;
            continue;
        }
        throw std::runtime_error(where + ":" + std::to_string(line) +
                                 ": not UTF-8, or a character outside ISO 8859-1");
    }
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (char ch : text) {
        if (ch == '\r') continue;
        if (ch == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(ch);
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

} // namespace textio
