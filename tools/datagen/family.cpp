// The family registry and the context's file helper, shared by the datagen driver
// and the checks of the generated content.
#include "family.h"

namespace datagen {

std::vector<Family>& families() {
    static std::vector<Family> list;
    return list;
}

std::filesystem::path Context::file(const std::string& relative) const {
    std::filesystem::path p = out / relative;
    std::filesystem::create_directories(p.parent_path());
    return p;
}

} // namespace datagen
