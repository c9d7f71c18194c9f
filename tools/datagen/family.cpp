// The family registry and the context's file helper, shared by the datagen driver
// and the checks of the generated content.
#include "family.h"

namespace datagen {

std::vector<Family>& families() {
    static std::vector<Family> list;
    return list;
}

namespace {
std::filesystem::path madeParent(const std::filesystem::path& p) {
    std::filesystem::create_directories(p.parent_path());
    return p;
}
} // namespace

std::filesystem::path Context::file(const std::string& relative) const {
    return madeParent(out / relative);
}

std::filesystem::path Context::desktopFile(const std::string& relative) const {
    return madeParent((desktop.empty() ? out / "desktop" : desktop) / relative);
}

} // namespace datagen
