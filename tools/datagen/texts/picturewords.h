// The words drawn into pictures (story banners, the title page's line, the
// "Game on!" banner, the menu button), per language: content/texts/pictures.txt
// in English and content/texts/<code>/pictures.txt, both "key=value" in UTF-8.
// A language's picture is written to data/lang/<code>/..., where the game takes
// it instead of the English one of the same name.
#pragma once
#include "family.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace texts {

struct PictureWords {
    std::string code; // "" for English
    std::map<std::string, std::string> words;
    // "data/..." for English, "data/lang/<code>/..." for the others.
    std::string file(const std::string& dataPath) const;
};

// English first, then the languages in the order of their codes.
std::vector<PictureWords> pictureWords(const datagen::Context& ctx);

// Calls paint for every language that has words for all the keys, with those
// words in the keys' order; the other languages keep the English picture.
void forEachLanguage(const datagen::Context& ctx, const std::vector<std::string>& keys,
                     const std::function<void(const PictureWords&, const std::vector<std::string>&)>& paint);

} // namespace texts
