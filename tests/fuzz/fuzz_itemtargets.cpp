// The item-target reader: any file loads and the quota queries stay in range.
#include "persist/profile.h"
#include "tests/fuzz/fuzz_input.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto p = std::make_unique<TSpieler>();
    p->Erase();
    p->loadAllItemsToDestroyFromDisk(writeFuzzFile("lvla000.lvl", data, size));
    if (size >= 8) {
        // Destroyed counts taken from the input too, to reach the extremes.
        for (int k = 1; k <= 5; k++) p->itemsDestroyed[k] = int32_t(uint32_t(data[k % size]) * 0x01010101u - 0x40000000u);
    }
    for (int level = -1; level <= 102; level++) {
        for (int kind = 0; kind <= 12; kind++)
            if (p->getItemsLeftToDestroy(level, kind) < 0) std::abort();
        p->isAllItemsDestroyed(level);
    }
    return 0;
}
