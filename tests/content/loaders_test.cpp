// Every picture, sound and the window icon of the manifest decode with the game's
// own loaders.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "tests/content/contentfiles.h"
#include "tests/harness/harness.h"

using namespace contenttest;

namespace {

std::vector<std::string> entriesWithExtension(std::initializer_list<const char*> exts) {
    std::vector<std::string> out;
    for (const auto& rel : manifestEntries())
        for (const std::string ext : exts)
            if (rel.size() > ext.size() && rel.compare(rel.size() - ext.size(), std::string::npos, ext) == 0)
                out.push_back(rel);
    return out;
}

std::string listed(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += "\n  " + x;
    return s;
}

std::string resolved(const std::string& rel) {
    auto p = resolveNoCase(gameDir(), rel);
    return p ? p->string() : (gameDir() / rel).string();
}

} // namespace

class ContentLoaders : public harness::HeadlessTest {};

TEST_F(ContentLoaders, EveryPictureDecodes) {
    auto pictures = entriesWithExtension({".png", ".jpg"});
    ASSERT_GT(pictures.size(), 200u);
    std::vector<std::string> failed;
    for (const auto& rel : pictures) {
        PicturePtr pic = LoadPicture(resolved(rel), 0);
        if (!pic || PictureWidth(pic.get()) <= 0 || PictureHeight(pic.get()) <= 0) failed.push_back(rel);
    }
    EXPECT_TRUE(failed.empty()) << failed.size() << " pictures do not load:" << listed(failed);
}

TEST_F(ContentLoaders, EverySoundDecodes) {
    auto sounds = entriesWithExtension({".ogg"});
    ASSERT_EQ(sounds.size(), 39u) << "33 effects and 6 music tracks";
    std::vector<std::string> failed;
    for (const auto& rel : sounds)
        if (!LoadSound(resolved(rel), 0)) failed.push_back(rel);
    EXPECT_TRUE(failed.empty()) << failed.size() << " sounds do not load:" << listed(failed);
}

TEST_F(ContentLoaders, TheWindowIconDecodes) {
    auto bytes = readBytes(resolved("icon32.ico"));
    ASSERT_TRUE(bytes.has_value());
    DecodedImage icon;
    ASSERT_TRUE(DecodeIco(std::vector<uint8_t>(bytes->begin(), bytes->end()), icon));
    EXPECT_GT(icon.width, 0);
    EXPECT_GT(icon.height, 0);
}
