// The file-system calls on Windows: UTF-8 names go to the system as UTF-16.
#include "platform/files_internal.h"
#include "platform/widechar_windows.h"

#include <fcntl.h>
#include <io.h>
#include <random>
#include <windows.h>

namespace {

DWORD attributesOf(const std::string& path) { return GetFileAttributesW(Utf16FromUtf8(path).c_str()); }

// A name with six random letters and digits, as the POSIX build's mkstemp makes.
std::string randomSuffix() {
    static std::mt19937 generator{std::random_device{}() ^ GetCurrentProcessId()};
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix(6, 'x');
    for (char& c : suffix) c = kChars[generator() % (sizeof kChars - 1)];
    return suffix;
}

} // namespace

// Links and junctions are followed by the system either way; a folder is a
// folder, every other existing name a file.
OsPathKind OsKindOfPath(const std::string& path, bool) {
    const DWORD a = attributesOf(path);
    if (a == INVALID_FILE_ATTRIBUTES) return OsPathKind::None;
    return a & FILE_ATTRIBUTE_DIRECTORY ? OsPathKind::Folder : OsPathKind::File;
}

// Permissions on Windows are access lists the attributes do not show: the
// folder is writable when a file can be created in it.
bool OsFolderIsWritable(const std::string& path) {
    const std::string probe = path + (path.back() == '/' || path.back() == '\\' ? "" : "/") + "writable.tmp" +
                              randomSuffix();
    HANDLE h = CreateFileW(Utf16FromUtf8(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

bool OsMakeOneFolder(const std::string& path) {
    return CreateDirectoryW(Utf16FromUtf8(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<std::string> OsListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE h = FindFirstFileW(Utf16FromUtf8(folder + "/*").c_str(), &entry);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(Utf8FromUtf16(name));
    } while (FindNextFileW(h, &entry));
    FindClose(h);
    return names;
}

bool OsRemoveFile(const std::string& path) { return DeleteFileW(Utf16FromUtf8(path).c_str()) != 0; }

FILE* OsCreateTempFile(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = target + ".tmp" + randomSuffix();
        HANDLE h = CreateFileW(Utf16FromUtf8(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return nullptr;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
        if (fd < 0) {
            CloseHandle(h);
            DeleteFileW(Utf16FromUtf8(name).c_str());
            return nullptr;
        }
        FILE* f = _fdopen(fd, "wb");
        if (!f) {
            _close(fd);
            DeleteFileW(Utf16FromUtf8(name).c_str());
            return nullptr;
        }
        tempPath = name;
        return f;
    }
    return nullptr;
}

bool OsFlushToDisk(FILE* file) {
    return std::fflush(file) == 0 &&
           FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

// The replacement is one rename that the system writes through before it returns.
bool OsReplaceFile(const std::string& temp, const std::string& target) {
    return MoveFileExW(Utf16FromUtf8(temp).c_str(), Utf16FromUtf8(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool OsReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    HANDLE h = CreateFileW(Utf16FromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(size.QuadPart));
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h, chunk, sizeof chunk, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    CloseHandle(h);
    return ok;
}

bool OsChangeWorkingFolder(const std::string& path) { return SetCurrentDirectoryW(Utf16FromUtf8(path).c_str()) != 0; }
