#include "tests/platform/peakmemory.h"

#include <windows.h>

#include <psapi.h>

long PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize >> 20);
}
