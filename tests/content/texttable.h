// The text table read the way the game reads it, and the keys it looks up.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace contenttest {

// Each line trimmed (codes <= 32 at both ends); '#' lines skipped; split at the
// first '='; a line without '=' goes to the empty key; the last line wins.
std::map<std::string, std::string> readTextTable(const std::string& bytes);

// Every key the game passes to the text table's lookup.
const std::vector<std::string>& gameTextKeys();

// A value split at its "%n" line breaks.
std::vector<std::string> textLines(const std::string& value);

} // namespace contenttest
