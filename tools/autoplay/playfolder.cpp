#include "tools/autoplay/playfolder.h"

#include "game/playdriver.h"

#include <cstdlib>
#include <unistd.h>

namespace autoplay {

namespace fs = std::filesystem;

PlayFolder::PlayFolder(const std::string& gameDir, bool ownLevels) : oldCwd_(fs::current_path()) {
    std::string tmpl = (fs::temp_directory_path() / "varnoka-play-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return;
    dir_ = tmpl;
    std::error_code ec;
    const fs::path data = fs::absolute(gameDir) / "data";
    fs::create_directories(dir_ / "data", ec);
    for (const auto& entry : fs::directory_iterator(data, ec)) {
        const fs::path name = entry.path().filename();
        if (name == "music" || (ownLevels && name == "levels")) continue;
        fs::create_directory_symlink(entry.path(), dir_ / "data" / name, ec);
        if (ec) fs::copy(entry.path(), dir_ / "data" / name, fs::copy_options::recursive, ec); // no links here
    }
    if (ownLevels) {
        fs::create_directories(dir_ / "data" / "levels", ec);
        fs::copy_file(data / "levels" / "lvla000.lvl", dir_ / "data" / "levels" / "lvla000.lvl", ec);
    }
    fs::current_path(dir_, ec);
    ready_ = !ec && playLoadData();
}

PlayFolder::~PlayFolder() {
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
    if (!dir_.empty()) fs::remove_all(dir_, ec);
}

} // namespace autoplay
