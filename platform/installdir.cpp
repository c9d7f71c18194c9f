// Finding the installation folder: the folder that holds the game's data/
// folder and icon32.ico. Where it may be differs per system
// (installdir_posix.cpp, installdir_windows.cpp).
#include "platform/files_internal.h"
#include "platform/stream_internal.h"

namespace {

// The file that makes a folder the installation folder: the text table that
// every start-up reads. A stray data/ folder beside a copied program is not
// taken for the game's.
const char* const kInstallMarker = "data/texts/codetexts.txt";

} // namespace

std::string FindInstallationFolder(const std::string& programFolder) {
    for (const std::string& folder : InstallationFolderCandidates(programFolder)) {
        if (FileExists(folder + kInstallMarker)) return folder;
    }
    return "";
}

InstallPlace ChangeToInstallationFolder() {
    const std::string program = ProgramFolder();
    const std::string folder = FindInstallationFolder(program);
    if (folder.empty() || !OsChangeWorkingFolder(folder)) return INSTALL_NOT_FOUND;
    InvalidatePathCache(); // relative listings named folders of the old working folder
    return folder == program ? INSTALL_BESIDE_PROGRAM : INSTALL_SHARED;
}
