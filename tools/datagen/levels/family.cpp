// Family "levels": content/levels/level001.txt ... level100.txt and targets.txt
// become data/levels/lvla001.lvl ... lvla100.lvl and the item-target file
// data/levels/lvla000.lvl. Any broken rule fails the generation.
#include "family.h"
#include "levels/levelgrid.h"
#include "levels/targets.h"
#include "texts/textio.h"

#include <cstdio>
#include <stdexcept>

namespace {

std::string threeDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", n);
    return buf;
}

void runLevels(const datagen::Context& ctx) {
    const auto src = ctx.content / "levels";
    const std::string targetsName = "levels/targets.txt";
    levels::Targets targets =
        levels::parseTargets(textio::readFile(src / "targets.txt"), targetsName);
    for (int l = 1; l <= levels::kLevels; ++l) {
        const std::string name = "level" + threeDigits(l) + ".txt";
        const std::string where = "levels/" + name;
        levels::Grid g = levels::parseGrid(textio::readFile(src / name), where);
        levels::checkGrid(g, where);
        bool anyTarget = false;
        for (int k = 1; k <= levels::kKinds; ++k) anyTarget |= targets[l][k] > 0;
        // Without moss and without targets a level would be won on its first frame.
        if (levels::statsOf(g).moss == 0 && !anyTarget)
            throw std::runtime_error(where + ": no moss and no item targets, the level would be won at once");
        textio::writeFile(ctx.file("data/levels/lvla" + threeDigits(l) + ".lvl"), levels::encodeLevelFile(g));
    }
    textio::writeFile(ctx.file("data/levels/lvla000.lvl"), levels::encodeTargetFile(targets));
}

} // namespace

DATAGEN_FAMILY("levels", runLevels);
