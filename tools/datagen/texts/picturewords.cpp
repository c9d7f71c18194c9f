#include "texts/picturewords.h"

#include "texts/textio.h"
#include "texts/texttable.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace texts {

namespace fs = std::filesystem;

std::string PictureWords::file(const std::string& dataPath) const {
    if (code.empty()) return dataPath;
    return "data/lang/" + code + "/" + dataPath.substr(std::string("data/").size());
}

namespace {

PictureWords readWords(const datagen::Context& ctx, const std::string& code) {
    const std::string source = code.empty() ? "pictures.txt" : code + "/pictures.txt";
    const std::string where = "texts/" + source;
    const std::string utf8 = textio::readFile(ctx.content / "texts" / source);
    textio::utf8ToLatin1(utf8, where); // the same letters as the text table
    return {code, checkTextTable(textio::splitLines(utf8), where)};
}

} // namespace

std::vector<PictureWords> pictureWords(const datagen::Context& ctx) {
    std::vector<PictureWords> all{readWords(ctx, "")};
    std::vector<std::string> codes;
    for (const auto& entry : fs::directory_iterator(ctx.content / "texts"))
        if (fs::exists(entry.path() / "pictures.txt")) codes.push_back(entry.path().filename().string());
    std::sort(codes.begin(), codes.end());
    for (const auto& code : codes) all.push_back(readWords(ctx, code));
    return all;
}

void forEachLanguage(const datagen::Context& ctx, const std::vector<std::string>& keys,
                     const std::function<void(const PictureWords&, const std::vector<std::string>&)>& paint) {
    for (const PictureWords& language : pictureWords(ctx)) {
        std::vector<std::string> words;
        for (const auto& key : keys) {
            auto it = language.words.find(key);
            if (it != language.words.end()) words.push_back(it->second);
            else if (language.code.empty()) throw std::runtime_error("texts/pictures.txt: key \"" + key + "\" missing");
        }
        if (words.size() == keys.size()) paint(language, words);
    }
}

} // namespace texts
