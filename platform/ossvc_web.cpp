// Operating-system services in the browser. The page takes the saves' lock
// (one tab at a time) before it starts the program, and mounts the browser's
// own storage at /saves; the program only asks whether the page holds it.
#include "platform/platform.h"

#include <emscripten.h>
#include <emscripten/heap.h>

bool AcquireInstanceLock(const std::string&) {
    return EM_ASM_INT({ return Module.varnokaOwnsSaves ? 1 : 0; }) == 1;
}

void ReleaseInstanceLock() {
    EM_ASM({ if (Module.varnokaReleaseSaves) Module.varnokaReleaseSaves(); });
}

std::string SharedAppDataFolder() { return "/saves/"; }

long long ProcessMemoryBytes() { return static_cast<long long>(emscripten_get_heap_size()); }
