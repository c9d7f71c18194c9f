// The file-system calls on POSIX systems.
#include "platform/files_internal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OsPathKind OsKindOfPath(const std::string& path, bool followLinks) {
    struct stat st;
    if ((followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0) return OsPathKind::None;
    if (S_ISREG(st.st_mode)) return OsPathKind::File;
    return S_ISDIR(st.st_mode) ? OsPathKind::Folder : OsPathKind::Other;
}

bool OsFolderIsWritable(const std::string& path) { return ::access(path.c_str(), W_OK | X_OK) == 0; }

bool OsMakeOneFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST; }

std::vector<std::string> OsListFolder(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d)) {
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                names.emplace_back(e->d_name);
        }
        ::closedir(d);
    }
    return names;
}

bool OsRemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

FILE* OsCreateTempFile(const std::string& target, std::string& tempPath) {
    std::string tmpl = target + ".tmpXXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return nullptr;
    // mkstemp makes the file private; give it the target's mode, or the usual
    // mode of a new file.
    struct stat st;
    mode_t mode;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return nullptr;
    }
    tempPath = tmpl;
    return f;
}

bool OsFlushToDisk(FILE* file) { return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0; }

bool OsReplaceFile(const std::string& temp, const std::string& target) {
    if (::rename(temp.c_str(), target.c_str()) != 0) return false;
    // Make the rename itself durable.
    std::string folder = target.substr(0, target.find_last_of('/') + 1);
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool OsReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    uint8_t chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return false;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    ::close(fd);
    return true;
}

bool OsChangeWorkingFolder(const std::string& path) { return ::chdir(path.c_str()) == 0; }
