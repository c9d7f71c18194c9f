// Small file helpers of the text-based families (levels, texts, branding).
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace textio {

// Whole file as bytes; throws std::runtime_error when it cannot be read.
std::string readFile(const std::filesystem::path& p);
// Writes the bytes whole; throws std::runtime_error on failure.
void writeFile(const std::filesystem::path& p, const std::string& bytes);

// UTF-8 to ISO 8859-1. Throws std::runtime_error (naming `where` and the line)
// on malformed UTF-8 or a character above U+00FF, which the fonts cannot show.
std::string utf8ToLatin1(const std::string& utf8, const std::string& where);

// Splits at line feeds, drops carriage returns; a final line feed ends the last
// line rather than starting an empty one.
std::vector<std::string> splitLines(const std::string& text);
// Joins the lines, each ended by CR LF (the game's text files).
std::string joinCrLf(const std::vector<std::string>& lines);

} // namespace textio
