// Family "texts": content/texts/codetexts.txt (UTF-8, English) becomes the game's
// text table data/texts/codetexts.txt, ISO 8859-1 with CR LF line ends; each
// language's content/texts/<code>/codetexts.txt becomes
// data/lang/<code>/texts/codetexts.txt, which the game reads over the English one.
#include "family.h"
#include "fonts/fonts.h"
#include "texts/textio.h"
#include "texts/texttable.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

// Every text may be drawn in any of the fonts, so each letter needs a glyph of
// its own in every one of them.
void checkGlyphs(const std::map<std::string, std::string>& table, const std::string& where) {
    for (const fonts::FontStyle& style : fonts::fontStyles()) {
        const std::set<int> shown = fonts::ownGlyphCodes(style);
        for (const auto& [key, value] : table)
            for (unsigned char c : value)
                if (!shown.count(c))
                    throw std::runtime_error(where + ": key \"" + key + "\": character " + std::to_string(c) +
                                             " has no glyph in " + style.file);
    }
}

std::map<std::string, std::string> compileTable(const datagen::Context& ctx, const std::string& source,
                                                 const std::string& target) {
    const std::string where = "texts/" + source;
    std::string latin1 = textio::utf8ToLatin1(textio::readFile(ctx.content / "texts" / source), where);
    std::vector<std::string> lines = textio::splitLines(latin1);
    auto table = texts::checkTextTable(lines, where);
    checkGlyphs(table, where);
    textio::writeFile(ctx.file(target), textio::joinCrLf(lines));
    return table;
}

void runTexts(const datagen::Context& ctx) {
    const auto english = compileTable(ctx, "codetexts.txt", "data/texts/codetexts.txt");
    std::vector<std::string> codes;
    for (const auto& entry : fs::directory_iterator(ctx.content / "texts"))
        if (fs::exists(entry.path() / "codetexts.txt")) codes.push_back(entry.path().filename().string());
    std::sort(codes.begin(), codes.end());
    for (const std::string& code : codes) {
        const auto table = compileTable(ctx, code + "/codetexts.txt", "data/lang/" + code + "/texts/codetexts.txt");
        // A key the English table lacks is a misspelt one: the game never asks for it.
        for (const auto& entry : table)
            if (!english.count(entry.first))
                throw std::runtime_error("texts/" + code + "/codetexts.txt: key \"" + entry.first +
                                         "\" is not in texts/codetexts.txt");
    }
}

} // namespace

DATAGEN_FAMILY("texts", runTexts);
