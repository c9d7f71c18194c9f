// The text-table reader: any file loads; a lookup never comes back empty.
#include "persist/language.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TLanguage table;
    table.loadFromDisk(writeFuzzFile("codetexts.txt", data, size), "=");
    for (const auto& [key, value] : table.lang) {
        if (key.find('\r') != std::string::npos || value.find('\r') != std::string::npos) std::abort();
        if (table.getValue(key).empty()) std::abort();
    }
    if (table.getValue("ok").empty()) std::abort();
    return 0;
}
