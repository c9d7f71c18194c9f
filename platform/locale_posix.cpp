// The user's language from the locale variables, in the order that decides
// which language messages are shown in.
#include "platform/platform.h"

#include <cstdlib>

std::string UserLocaleName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return "";
}
