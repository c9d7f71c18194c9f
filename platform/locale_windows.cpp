// The user's language on Windows: the language of the user's interface
// ("de-DE", "pt-BR", ...).
#include "platform/platform.h"
#include "platform/widechar_windows.h"

#include <windows.h>

std::string UserLocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID ui = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(ui, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0) return "";
    return Utf8FromUtf16(name);
}
