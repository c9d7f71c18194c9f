// The single-instance lock tried by another process (a child of this test
// program): 1 when it took the lock, 0 when it was refused, -1 when the child
// did not run. One per system (ossvc_posix_test.cpp, ossvc_windows_test.cpp).
#pragma once
#include <string>

int acquireInChild(const std::string& name);
