#include "levels/targets.h"

#include "levels/levelgrid.h"

#include <sstream>
#include <stdexcept>

namespace levels {

Targets parseTargets(const std::string& text, const std::string& where) {
    Targets t{};
    std::array<bool, kLevels + 1> seen{};
    std::istringstream in(text);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        std::string here = where + ":" + std::to_string(lineNo);
        std::istringstream fields(line);
        std::string first;
        if (!(fields >> first) || first[0] == '#') continue;
        int level = 0;
        std::array<long, kKinds + 1> v{};
        std::istringstream lv(first);
        bool ok = static_cast<bool>(lv >> level) && lv.eof();
        for (int k = 1; k <= kKinds && ok; ++k) ok = static_cast<bool>(fields >> v[k]);
        std::string extra;
        if (!ok || (fields >> extra)) throw std::runtime_error(here + ": expected \"level t1 t2 t3 t4 t5\"");
        if (level < 1 || level > kLevels) throw std::runtime_error(here + ": level " + first + " outside 1..100");
        if (seen[level]) throw std::runtime_error(here + ": level " + first + " given twice");
        seen[level] = true;
        for (int k = 1; k <= kKinds; ++k) {
            if (v[k] < 0 || v[k] > kMaxTarget)
                throw std::runtime_error(here + ": target " + std::to_string(v[k]) + " outside 0.." +
                                         std::to_string(kMaxTarget));
            t[level][k] = static_cast<int>(v[k]);
        }
        if (level == 1 && t[1][4] != 0)
            throw std::runtime_error(here + ": level 1 never deals pieces of kind 4, its target must be 0");
    }
    for (int l = 1; l <= kLevels; ++l)
        if (!seen[l]) throw std::runtime_error(where + ": no targets for level " + std::to_string(l));
    return t;
}

std::string encodeTargetFile(const Targets& t) {
    std::string out;
    out.reserve(kLevels * kKinds * 4);
    for (int l = 1; l <= kLevels; ++l)
        for (int k = 1; k <= kKinds; ++k) appendLE32(out, t[l][k]);
    return out;
}

} // namespace levels
