// Where the installation folder is on Windows: beside the executable, both in
// an unpacked archive and installed (the installer puts data/ beside it).
#include "platform/stream_internal.h"
#include "platform/widechar_windows.h"

#include <windows.h>

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return "";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2); // cut short: try a longer buffer
    }
    std::string folder = Utf8FromUtf16(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    for (char& c : folder)
        if (c == '\\') c = '/';
    return folder;
}

std::vector<std::string> InstallationFolderCandidates(const std::string& programFolder) {
    if (programFolder.empty()) return {};
    return {programFolder.back() == '/' ? programFolder : programFolder + '/'};
}
