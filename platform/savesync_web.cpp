// In the browser the save folder lives in memory and is copied into the
// browser's storage (IndexedDB) after every save. The page runs one copy at a
// time and starts another when a save comes in meanwhile; each copy is one
// storage transaction, so a tab closed at any moment keeps every file whole,
// in its old or its new version.
#include "platform/files_internal.h"

#include <emscripten.h>
#include <sys/stat.h>

namespace {
// This runtime starts with a file-creation mask that clears every permission
// bit, so each new save would be stored unreadable for the next visit; new
// files get the usual rw-r--r-- instead.
const mode_t gStartMask = ::umask(022);
} // namespace

void OsSaveStored(const std::string&) {
    EM_ASM({ if (Module.varnokaStoreSaves) Module.varnokaStoreSaves(); });
}
