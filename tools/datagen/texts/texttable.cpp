#include "texts/texttable.h"

#include <stdexcept>

namespace texts {

namespace {

std::string trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= 32) ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= 32) --b;
    return s.substr(a, b - a);
}

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

std::map<std::string, std::string> checkTextTable(const std::vector<std::string>& lines, const std::string& where) {
    std::map<std::string, std::string> table;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string here = where + ":" + std::to_string(i + 1) + ": ";
        const std::string line = trimmed(lines[i]);
        if (!line.empty() && line[0] == '#') continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error(here + (line.empty() ? "a blank line" : "a line without \"=\"") +
                                     " would replace the value of the empty key; use a comment instead");
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (!key.empty() && isBlank(key.back()))
            throw std::runtime_error(here + "blank before \"=\" would become part of the key");
        if (!value.empty() && isBlank(value.front()))
            throw std::runtime_error(here + "blank after \"=\" would become part of the value");
        if (value.empty()) throw std::runtime_error(here + "empty value for key \"" + key + "\"");
        if (!table.emplace(key, value).second) throw std::runtime_error(here + "key \"" + key + "\" given twice");
    }
    return table;
}

} // namespace texts
