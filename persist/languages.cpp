// The language table, the text table per language and the per-language data files.
#include "persist/languages.h"

#include "persist/config.h"
#include "persist/language.h"
#include "platform/platform.h"

namespace {

struct Language {
    const char* code;
    const char* name; // Latin-1
};

const Language kLanguages[kLanguageCount] = {
    {"en", "English"},  {"de", "Deutsch"},    {"fr", "Fran\xE7" "ais"}, {"es", "Espa\xF1" "ol"},
    {"it", "Italiano"}, {"nl", "Nederlands"}, {"pt", "Portugu\xEAs"},  {"sv", "Svenska"},
};

const std::string kEnglishTable = "data/texts/codetexts.txt";

} // namespace

int validLanguage(int sprache) { return sprache >= 0 && sprache < kLanguageCount ? sprache : 0; }

std::string languageCode(int sprache) { return kLanguages[validLanguage(sprache)].code; }

std::string languageName(int sprache) { return kLanguages[validLanguage(sprache)].name; }

int languageOfLocale(const std::string& locale) {
    // The language part ends at the territory, codeset or modifier.
    std::string lang = locale.substr(0, locale.find_first_of("_-.@"));
    for (char& c : lang) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (int i = 0; i < kLanguageCount; ++i)
        if (lang == kLanguages[i].code) return i;
    return 0;
}

std::string localisedPath(const std::string& path) {
    const int sprache = validLanguage(gConfig.sprache);
    const std::string prefix = "data/";
    if (sprache == 0 || path.compare(0, prefix.size(), prefix) != 0) return path;
    const std::string own = "data/lang/" + languageCode(sprache) + "/" + path.substr(prefix.size());
    return FileExists(own) ? own : path;
}

void loadLanguage(int sprache) {
    gConfig.sprache = validLanguage(sprache);
    // A key the language's table lacks (a text added later) shows in English.
    gLang.fallbackUrl = gConfig.sprache == 0 ? "" : kEnglishTable;
    gLang.url = gConfig.sprache == 0 ? kEnglishTable : "data/lang/" + languageCode(gConfig.sprache) + "/texts/codetexts.txt";
    gLang.delimiter = "=";
    gLang.reload();
}
