// Operating-system services of the start-up: the single-instance lock, the
// shared application-data folder and the memory figure.
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <stddef.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
int gLockFd = -1;
pid_t gLockPid = 0; // a forked child inherits the socket but not the lock
std::string gLockName;
} // namespace

// The lock is an abstract Unix socket: binding its name fails while any
// process holds it, and the kernel frees it when the holder exits or dies, so
// a crash never leaves a stale lock behind. Such names are shared by every
// user of the machine, while each user has their own saves: the user's id is
// part of the name, so one user's game never keeps another's out.
bool AcquireInstanceLock(const std::string& name) {
    if (gLockFd >= 0 && gLockPid == ::getpid() && gLockName == name) return true;
    ReleaseInstanceLock();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string id = "varnoka-instance-" + std::to_string(::getuid()) + "-" + name;
    // sun_path[0] stays 0: an abstract name, no file.
    const size_t len = id.size() < sizeof addr.sun_path - 1 ? id.size() : sizeof addr.sun_path - 1;
    std::memcpy(addr.sun_path + 1, id.data(), len);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true; // no sockets at all: do not keep the player out
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), offsetof(sockaddr_un, sun_path) + 1 + len) != 0) {
        ::close(fd);
        return false;
    }
    gLockFd = fd;
    gLockPid = ::getpid();
    gLockName = name;
    return true;
}

void ReleaseInstanceLock() {
    if (gLockFd >= 0) ::close(gLockFd);
    gLockFd = -1;
    gLockName.clear();
}

std::string SharedAppDataFolder() {
    std::string folder;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') {
        folder = xdg; // relative values are invalid and ignored
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !home[0]) {
            if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir;
        }
        if (!home || !home[0]) return "";
        folder = std::string(home) + "/.local/share";
    }
    if (folder.back() != '/') folder += '/';
    return folder;
}

long long ProcessMemoryBytes() {
    int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    char buf[256];
    ssize_t n = ::read(fd, buf, sizeof buf - 1);
    ::close(fd);
    if (n <= 0) return 0;
    buf[n] = 0;
    long long size = 0, resident = 0;
    if (std::sscanf(buf, "%lld %lld", &size, &resident) != 2) return 0;
    return resident * ::sysconf(_SC_PAGESIZE);
}
