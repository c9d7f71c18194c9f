#include "tests/install/installtree.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace install {

TempFolder::TempFolder(const std::string& what) {
    std::string pattern = (fs::temp_directory_path() / ("varnoka-" + what + "-XXXXXX")).string();
    if (mkdtemp(pattern.data())) path_ = pattern + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
}

std::vector<std::string> listTree(const std::string& root) {
    std::vector<std::string> lines;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(e.path(), root).string();
        const auto mtime = fs::last_write_time(e.path()).time_since_epoch().count();
        lines.push_back(e.is_directory()
                            ? rel + "/ " + std::to_string(mtime)
                            : rel + " " + std::to_string(e.file_size()) + " " + std::to_string(mtime));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> filesBelow(const std::string& root) {
    std::vector<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (!e.is_directory()) files.push_back(fs::relative(e.path(), root).string());
    std::sort(files.begin(), files.end());
    return files;
}

InstalledTree::InstalledTree() : dest_("destdir") {
    if (dest_.path().empty()) return;
    Child cmake({VARNOKA_CMAKE, "--install", VARNOKA_BUILD_DIR, "--prefix", "/usr"},
                {"DESTDIR=" + dest_.path()}, dest_.path());
    const int status = cmake.wait();
    log_ = cmake.output();
    ok_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string list = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        const std::string candidate = list.substr(start, end - start) + "/" + name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             const std::string& cwd, int keepFd) {
    char tmpl[] = "/tmp/varnoka-output-XXXXXX";
    const int out = mkstemp(tmpl);
    if (out < 0) return;
    outputPath_ = tmpl;

    // Everything is prepared before fork: the child only calls async-signal-safe routines.
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced = std::any_of(
            env.begin(), env.end(), [&](const std::string& v) { return v.substr(0, v.find('=')) == name; });
        if (!replaced) envStrings.push_back(entry);
    }
    envStrings.insert(envStrings.end(), env.begin(), env.end());
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : envStrings)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    pid_ = fork();
    if (pid_ == 0) {
        if (::chdir(cwd.c_str()) != 0) _exit(126);
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, 0);
        ::dup2(out, 1);
        ::dup2(out, 2);
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != keepFd) ::close(fd);
        ::execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    ::close(out);
}

Child::~Child() {
    if (running()) stop(SIGKILL);
    if (!outputPath_.empty()) ::unlink(outputPath_.c_str());
}

bool Child::running() {
    if (pid_ <= 0) return false;
    if (::waitpid(pid_, &status_, WNOHANG) == 0) return true;
    pid_ = -1;
    return false;
}

int Child::wait() {
    if (pid_ > 0 && ::waitpid(pid_, &status_, 0) == pid_) pid_ = -1;
    return status_;
}

int Child::stop(int signal) {
    if (running()) ::kill(pid_, signal);
    return wait();
}

std::string Child::output() const {
    std::ifstream in(outputPath_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int runProgram(const std::vector<std::string>& argv, std::string& output) {
    Child child(argv, {}, fs::current_path().string());
    const int status = child.wait();
    output = child.output();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace install
