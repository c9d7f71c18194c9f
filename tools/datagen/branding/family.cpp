// Family "branding": content/branding/splashconfig.txt becomes
// data/branding/splashconfig.txt (CR LF line ends), checked the way the game
// reads it. The pictures it names come from the screen-art family.
#include "branding/splashconfig.h"
#include "family.h"
#include "texts/textio.h"

namespace {

void runBranding(const datagen::Context& ctx) {
    const std::string where = "branding/splashconfig.txt";
    std::vector<std::string> lines = textio::splitLines(textio::readFile(ctx.content / "branding" / "splashconfig.txt"));
    branding::readSplashConfig(lines, where);
    textio::writeFile(ctx.file("data/branding/splashconfig.txt"), textio::joinCrLf(lines));
}

} // namespace

DATAGEN_FAMILY("branding", runBranding);
