// The game's eight languages, numbered as the settings store them (sprache):
// the text table of the language in use over the English one, and the data
// files a language's folder replaces.
#pragma once
#include <string>

constexpr int kLanguageCount = 8;

// 0..7 stay, anything else is English (0).
int validLanguage(int sprache);
// Two-letter code of a language, its folder below data/lang/ ("de", "fr", ...).
std::string languageCode(int sprache);
// The language's name in itself, Latin-1 ("Deutsch", "Fran\xE7""ais", ...).
std::string languageName(int sprache);
// The language of a locale name such as "de_AT.UTF-8" or "pt-BR"; English when
// it is none of the eight.
int languageOfLocale(const std::string& locale);
// The file a data path stands for in the language in use: the language's own
// "data/lang/<code>/..." copy when there is one, else the path itself.
std::string localisedPath(const std::string& path);
// Loads the text table of a language over the English one and makes it the
// language in use (gConfig.sprache).
void loadLanguage(int sprache);
