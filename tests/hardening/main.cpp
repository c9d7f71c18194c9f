// The hardening tests run sessions of the game in fresh copies of this
// program (see child.h); such a copy is started with VARNOKA_CHILD_TASK set
// and runs only that task.
#include "tests/hardening/child.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    int exitCode = 0;
    if (hardening::runChildTaskFromEnvironment(exitCode)) return exitCode;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
