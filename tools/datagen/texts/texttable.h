// Checks of the text table source: every line must mean what it looks like once
// the game reads it (trimmed line, key and value split at the first "=").
#pragma once
#include <map>
#include <string>
#include <vector>

namespace texts {

// Throws std::runtime_error (naming `where` and the line) on a line that is
// neither a comment nor "key=value" (such a line, a blank one included, would
// silently replace the value of the empty key), a key or value with blanks at the
// "=" (they would become part of the key or value), an empty value (shown as
// missing), or a key given twice (only the last would count). Returns the keys
// and values.
std::map<std::string, std::string> checkTextTable(const std::vector<std::string>& lines, const std::string& where);

} // namespace texts
