// Running part of a test in a fresh copy of the test program, so that a crash,
// a sanitizer report or a hang is seen and counted by the test that started
// it instead of ending the run.
#pragma once

#include <string>
#include <vector>

namespace hardening {

enum class Outcome { Passed, Failed, Crashed, SanitizerReport, Hung };
const char* outcomeName(Outcome outcome);

struct ChildJob {
    std::string task;             // the registered child task to run
    std::string folder;           // its working folder
    std::vector<std::string> env; // extra "NAME=value" entries
    int timeoutSeconds = 300;     // a child running longer is killed as hung
};

struct ChildResult {
    Outcome outcome = Outcome::Failed;
    int exitCode = -1;
    std::string output; // what the child wrote to its standard output
    std::string report; // the start of what it wrote to its error output
    double seconds = 0;
};

// Runs the children, at most `parallel` at once; results in the order of children.
// progress, when given, is called after each child ends.
std::vector<ChildResult> runChildren(const std::vector<ChildJob>& children, int parallel,
                                     void (*progress)(size_t done, size_t total) = nullptr);

// The child side. A task is a routine of the test program registered under a
// name; its return value is the child's exit code.
using ChildTask = int (*)();
struct ChildTaskRegistration {
    ChildTaskRegistration(const char* name, ChildTask task);
};
// Runs the task named by VARNOKA_CHILD_TASK; false when the variable is not set.
bool runChildTaskFromEnvironment(int& exitCode);

} // namespace hardening
