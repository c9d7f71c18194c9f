#include "tests/hardening/child.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace hardening {

namespace fs = std::filesystem;

const char* outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Passed:
        return "passed";
    case Outcome::Failed:
        return "failed";
    case Outcome::Crashed:
        return "crashed";
    case Outcome::SanitizerReport:
        return "sanitizer report";
    case Outcome::Hung:
        return "hung";
    }
    return "?";
}

namespace {

std::map<std::string, ChildTask>& taskTable() {
    static std::map<std::string, ChildTask> table;
    return table;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool contains(const std::string& text, const char* what) {
    return text.find(what) != std::string::npos;
}

Outcome classify(bool timedOut, int status, const std::string& errors) {
    if (timedOut) return Outcome::Hung;
    // A fault caught by the address sanitizer's signal handler is a crash too.
    for (const char* fault : {"AddressSanitizer: SEGV", "AddressSanitizer: BUS", "AddressSanitizer: FPE",
                              "AddressSanitizer: ILL", "AddressSanitizer: stack-overflow", "deadly signal"})
        if (contains(errors, fault)) return Outcome::Crashed;
    if (WIFSIGNALED(status)) return Outcome::Crashed;
    if (contains(errors, "Sanitizer") || contains(errors, "runtime error:")) return Outcome::SanitizerReport;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Outcome::Passed : Outcome::Failed;
}

std::string firstLines(const std::string& text, int n) {
    size_t at = 0;
    for (int i = 0; i < n && at != std::string::npos; i++)
        at = text.find('\n', at + 1);
    return at == std::string::npos ? text : text.substr(0, at);
}

struct Running {
    size_t index;
    pid_t pid;
    std::chrono::steady_clock::time_point start;
    fs::path out, err;
};

// Starts the test program again with the task in its environment; the strings
// are built before the fork so that the child only calls what is safe there.
Running start(size_t index, const ChildJob& child, const fs::path& scratch) {
    Running r{index, -1, std::chrono::steady_clock::now(), scratch / (std::to_string(index) + ".out"),
              scratch / (std::to_string(index) + ".err")};
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    for (const std::string& e : child.env)
        env.push_back(e);
    env.push_back("VARNOKA_CHILD_TASK=" + child.task);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    char self[] = "/proc/self/exe";
    char* argv[] = {self, nullptr};
    const std::string out = r.out.string(), err = r.err.string();
    r.pid = fork();
    if (r.pid == 0) {
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0 || chdir(child.folder.c_str()) != 0) _exit(126);
        execve(self, argv, envp.data());
        _exit(127);
    }
    return r;
}

} // namespace

std::vector<ChildResult> runChildren(const std::vector<ChildJob>& children, int parallel,
                                     void (*progress)(size_t, size_t)) {
    std::vector<ChildResult> results(children.size());
    std::string pattern = (fs::temp_directory_path() / "varnoka-children-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return results;
    const fs::path scratch = pattern;
    std::vector<Running> running;
    size_t next = 0, done = 0;
    while (done < children.size()) {
        while (next < children.size() && static_cast<int>(running.size()) < std::max(1, parallel)) {
            running.push_back(start(next, children[next], scratch));
            next++;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        for (size_t i = 0; i < running.size();) {
            Running& r = running[i];
            int status = 0;
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - r.start).count();
            bool timedOut = false;
            pid_t ended = r.pid > 0 ? waitpid(r.pid, &status, WNOHANG) : -1;
            if (ended == 0 && seconds > children[r.index].timeoutSeconds) {
                kill(r.pid, SIGKILL);
                waitpid(r.pid, &status, 0);
                timedOut = true;
                ended = r.pid;
            }
            if (ended == 0) {
                ++i;
                continue;
            }
            ChildResult& result = results[r.index];
            const std::string errors = readFile(r.err);
            result.outcome = ended < 0 ? Outcome::Failed : classify(timedOut, status, errors);
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            result.output = readFile(r.out);
            result.report = firstLines(errors, 40);
            result.seconds = seconds;
            running.erase(running.begin() + static_cast<long>(i));
            ++done;
            if (progress) progress(done, children.size());
        }
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return results;
}

ChildTaskRegistration::ChildTaskRegistration(const char* name, ChildTask task) {
    taskTable()[name] = task;
}

bool runChildTaskFromEnvironment(int& exitCode) {
    const char* name = std::getenv("VARNOKA_CHILD_TASK");
    if (!name) return false;
    // The task's own children (if any) must not run it again.
    const std::string task = name;
    unsetenv("VARNOKA_CHILD_TASK");
    auto it = taskTable().find(task);
    if (it == taskTable().end()) {
        std::fprintf(stderr, "no child task %s\n", task.c_str());
        exitCode = 2;
        return true;
    }
    exitCode = it->second();
    return true;
}

} // namespace hardening
