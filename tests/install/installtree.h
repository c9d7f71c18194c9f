// The game installed by the build's own install rules into a temporary DESTDIR
// (cmake --install, prefix /usr), and running other programs from a test.
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace install {

// The desktop id of the game: the names of its menu entry, AppStream data and icon.
constexpr const char* kAppId = "org.tellgrave.varnoka";

// A fresh temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    explicit TempFolder(const std::string& what);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; } // with a trailing '/'

  private:
    std::string path_;
};

// Every file and folder below root as "relative/path size mtime" lines, sorted
// (folders end in '/'). Two equal listings mean nothing was written there.
std::vector<std::string> listTree(const std::string& root);
// The files below root, relative to it, sorted.
std::vector<std::string> filesBelow(const std::string& root);

class InstalledTree {
  public:
    InstalledTree();
    bool ok() const { return ok_; }
    const std::string& log() const { return log_; } // the output of cmake --install
    const std::string& root() const { return dest_.path(); }
    std::string usr() const { return root() + "usr/"; }

  private:
    TempFolder dest_;
    bool ok_ = false;
    std::string log_;
};

// The path of a program found on PATH; "" when there is none.
std::string findProgram(const std::string& name);

// A program started in the background with extra environment variables
// ("NAME=value", replacing inherited ones) in a working folder of its own.
// Its output goes to a file; a program still running at the end is killed.
class Child {
  public:
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& cwd,
          int keepFd = -1);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool running();
    // Waits for the end; returns the wait status.
    int wait();
    // Sends the signal and waits for the end; returns the wait status.
    int stop(int signal);
    std::string output() const;

  private:
    pid_t pid_ = -1;
    int status_ = -1;
    std::string outputPath_;
};

// Runs a program to its end; returns its exit code (-1 when it could not run or
// died from a signal) and its output.
int runProgram(const std::vector<std::string>& argv, std::string& output);

} // namespace install
