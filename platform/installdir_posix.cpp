// Where the installation folder may be on POSIX systems. A copy run from its
// own folder (the build folder, an unpacked archive) has it beside the
// executable; an installed game has it in the shared data folder,
// ../share/varnoka/ from the executable or varnoka/ in one of the XDG data
// folders.
#include "platform/stream_internal.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

} // namespace

std::string ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.is_absolute()) return "";
    return withSlash(exe.parent_path().string());
}

std::vector<std::string> InstallationFolderCandidates(const std::string& programFolder) {
    std::vector<std::string> folders;
    if (!programFolder.empty()) {
        folders.push_back(withSlash(programFolder));
        folders.push_back(withSlash(programFolder) + withSlash(VARNOKA_DATA_FROM_PROGRAM));
    }
    const std::string dataHome = SharedAppDataFolder();
    if (!dataHome.empty()) folders.push_back(dataHome + "varnoka/");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    const std::string list = dirs && dirs[0] ? dirs : "/usr/local/share/:/usr/share/";
    for (const std::string& dir : SplitOn(list, ":")) {
        if (!dir.empty() && dir[0] == '/')
            folders.push_back(withSlash(dir) + "varnoka/"); // relative ones are invalid
    }
    return folders;
}

