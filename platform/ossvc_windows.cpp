// Operating-system services of the start-up on Windows: the single-instance
// lock, the per-user application-data folder and the memory figure.
#include "platform/platform.h"
#include "platform/widechar_windows.h"

#include <windows.h>

#include <psapi.h>
#include <shlobj.h>

namespace {
HANDLE gLock = nullptr;
std::string gLockName;
} // namespace

// The lock is a named mutex: creating it finds the one any running process of
// this session holds, and the system frees it when the holder exits or dies,
// so a crash never leaves a stale lock behind.
bool AcquireInstanceLock(const std::string& name) {
    if (gLock && gLockName == name) return true;
    ReleaseInstanceLock();
    HANDLE h = CreateMutexW(nullptr, FALSE, Utf16FromUtf8("varnoka-instance-" + name).c_str());
    if (!h) return GetLastError() != ERROR_ACCESS_DENIED; // no lock at all: do not keep the player out
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(h);
        return false;
    }
    gLock = h;
    gLockName = name;
    return true;
}

void ReleaseInstanceLock() {
    if (gLock) CloseHandle(gLock);
    gLock = nullptr;
    gLockName.clear();
}

// The per-user roaming application-data folder: %APPDATA%, else the system's
// answer for it; with '/' between folders, as every other path of the game.
std::string SharedAppDataFolder() {
    std::wstring wide(32768, L'\0');
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", wide.data(), static_cast<DWORD>(wide.size()));
    wide.resize(n < wide.size() ? n : 0);
    if (wide.empty()) {
        PWSTR path = nullptr;
        if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path) == S_OK) wide = path;
        CoTaskMemFree(path);
    }
    std::string folder = Utf8FromUtf16(wide);
    if (folder.empty()) return "";
    for (char& c : folder)
        if (c == '\\') c = '/';
    if (folder.back() != '/') folder += '/';
    return folder;
}

long long ProcessMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<long long>(counters.WorkingSetSize);
}
