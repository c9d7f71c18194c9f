// Finding the installation folder: the folder that holds the game's data/
// folder and icon32.ico. A copy run from its own folder (the build folder, an
// unpacked archive) has it beside the executable; an installed game has it in
// the shared data folder, ../share/varnoka/ from the executable or varnoka/ in
// one of the XDG data folders.
#include "platform/stream_internal.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

// The file that makes a folder the installation folder: the text table that
// every start-up reads. A stray data/ folder beside a copied program is not
// taken for the game's.
const char* const kInstallMarker = "data/texts/codetexts.txt";

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

std::string FindInstallationFolder(const std::string& programFolder) {
    for (const std::string& folder : InstallationFolderCandidates(programFolder)) {
        if (FileExists(folder + kInstallMarker)) return folder;
    }
    return "";
}

InstallPlace ChangeToInstallationFolder() {
    const std::string program = ProgramFolder();
    const std::string folder = FindInstallationFolder(program);
    if (folder.empty() || ::chdir(folder.c_str()) != 0) return INSTALL_NOT_FOUND;
    InvalidatePathCache(); // relative listings named folders of the old working folder
    return folder == program ? INSTALL_BESIDE_PROGRAM : INSTALL_SHARED;
}
