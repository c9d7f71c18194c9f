// In the browser each language's pictures are a download of their own, which
// the page starts the first time the language is asked for (its texts come
// with the game's common data).
#include "platform/platform.h"

#include <emscripten.h>

bool LanguageDataReady(const std::string& code) {
    return EM_ASM_INT({ return Module.varnokaLanguageReady ? Module.varnokaLanguageReady(UTF8ToString($0)) : 1; },
                      code.c_str()) != 0;
}
