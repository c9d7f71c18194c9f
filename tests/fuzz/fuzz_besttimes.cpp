// The best-times reader: any file loads, and the table it gives is saved as the
// fixed 1600 bytes and reads back the same.
#include "app/globals.h"
#include "persist/besttimes.h"
#include "tests/fuzz/fuzz_input.h"

#include <sys/stat.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gSaveDir = fuzzFolder();
    writeFuzzFile("besttimes.ppp", data, size);
    loadBestTimes();
    int times[101];
    for (int l = 1; l <= 100; l++) times[l] = gBestTime[l];
    saveBestTimes();
    struct stat st;
    if (stat(bestTimesPath().c_str(), &st) != 0 || st.st_size != 1600) std::abort();
    loadBestTimes();
    for (int l = 1; l <= 100; l++)
        if (gBestTime[l] != times[l] || gBestName[l].size() > 12) std::abort();
    return 0;
}
