// The player's language in the browser: the first of the browser's preferred
// languages ("de-DE", "pt-BR", ...).
#include "platform/platform.h"

#include <emscripten.h>

std::string UserLocaleName() {
    char name[64] = {};
    EM_ASM({
        var name = (navigator.languages && navigator.languages[0]) || navigator.language || "";
        stringToUTF8(name, $0, $1);
    }, name, sizeof name);
    return name;
}
