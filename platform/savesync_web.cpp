// In the browser the save folder lives in memory and is copied into the
// browser's storage (IndexedDB) after every save. The page runs one copy at a
// time and starts another when a save comes in meanwhile; each copy is one
// storage transaction, so a tab closed at any moment keeps every file whole,
// in its old or its new version.
#include "platform/stream_internal.h"

#include <emscripten.h>

void OsSaveStored(const std::string&) {
    EM_ASM({ if (Module.varnokaStoreSaves) Module.varnokaStoreSaves(); });
}
