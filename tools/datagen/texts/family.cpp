// Family "texts": content/texts/codetexts.txt (UTF-8) becomes the game's text
// table data/texts/codetexts.txt, ISO 8859-1 with CR LF line ends.
#include "family.h"
#include "texts/textio.h"
#include "texts/texttable.h"

namespace {

void runTexts(const datagen::Context& ctx) {
    const std::string where = "texts/codetexts.txt";
    std::string latin1 = textio::utf8ToLatin1(textio::readFile(ctx.content / "texts" / "codetexts.txt"), where);
    std::vector<std::string> lines = textio::splitLines(latin1);
    texts::checkTextTable(lines, where);
    textio::writeFile(ctx.file("data/texts/codetexts.txt"), textio::joinCrLf(lines));
}

} // namespace

DATAGEN_FAMILY("texts", runTexts);
