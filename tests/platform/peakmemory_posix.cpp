#include "tests/platform/peakmemory.h"

#include <sys/resource.h>

long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}
