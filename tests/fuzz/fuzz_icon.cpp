// The window-icon reader (icon directory with PNG or bitmap entries): any
// icon32.ico is taken or ignored without harm.
#include "platform/platform.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetWindowIcon(writeFuzzFile("icon32.ico", data, size));
    return 0;
}
