// Every file the game reads exists in the generated installation folder, with the
// signature of its format, and generation makes the same bytes every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "tests/content/contentfiles.h"
#include "tests/content/splash.h"

using namespace contenttest;

namespace {

std::string extensionOf(const std::string& path) {
    auto dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// Empty when the bytes look like the format the name promises, else what is wrong.
std::string formatProblem(const std::string& path, const std::string& bytes) {
    const std::string ext = extensionOf(path);
    auto starts = [&](const std::string& sig) { return bytes.compare(0, sig.size(), sig) == 0; };
    if (bytes.empty()) return "empty";
    if (ext == "png" && !starts("\x89PNG\r\n\x1a\n")) return "not a PNG";
    if (ext == "jpg" && !starts("\xFF\xD8\xFF")) return "not a JPEG";
    if (ext == "ogg" && !starts("OggS")) return "not an Ogg stream";
    if (ext == "ico" && !starts(std::string("\0\0\1\0", 4))) return "not an icon file";
    if (ext == "lvl") {
        size_t want = path.find("lvla000") != std::string::npos ? 2000 : 1040;
        if (bytes.size() != want) return "size " + std::to_string(bytes.size()) + ", expected " + std::to_string(want);
    }
    return "";
}

std::map<std::string, std::string> allFiles(const fs::path& root) {
    std::map<std::string, std::string> files;
    if (!fs::exists(root)) return files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        std::string rel = fs::relative(e.path(), root).generic_string();
        if (rel == "data/.generated") continue; // the build's time stamp
        if (rel.rfind("data/", 0) != 0 && rel != "icon32.ico") continue; // the executable and test output
        files[rel] = readBytes(e.path()).value_or("");
    }
    return files;
}

} // namespace

TEST(Manifest, ListsEveryBrandingPictureTheConfigurationNames) {
    auto entries = manifestEntries();
    ASSERT_GT(entries.size(), 300u) << "content/manifest.txt missing or short";
    auto config = readBytes(gameDir() / "data/branding/splashconfig.txt");
    ASSERT_TRUE(config.has_value());
    SplashPages s = readSplash(*config);
    for (int p = 1; p <= s.count; ++p)
        EXPECT_NE(std::find(entries.begin(), entries.end(), "data/branding/" + s.file[p]), entries.end())
            << s.file[p];
}

TEST(Manifest, EveryFileExistsInTheGeneratedFolderInItsFormat) {
    auto entries = manifestEntries();
    ASSERT_GT(entries.size(), 300u) << "content/manifest.txt missing or short";
    std::vector<std::string> missing, broken;
    for (const auto& rel : entries) {
        auto path = resolveNoCase(gameDir(), rel);
        if (!path) {
            missing.push_back(rel);
            continue;
        }
        std::string problem = formatProblem(rel, readBytes(*path).value_or(""));
        if (!problem.empty()) broken.push_back(rel + ": " + problem);
    }
    auto join = [](const std::vector<std::string>& v) {
        std::string s;
        for (const auto& x : v) s += "\n  " + x;
        return s;
    };
    EXPECT_TRUE(missing.empty()) << missing.size() << " files missing in " << gameDir() << join(missing);
    EXPECT_TRUE(broken.empty()) << join(broken);
}

TEST(Generation, IsDeterministic) {
    TempDir dir;
    RunResult r = runDatagen(contentDir(), dir.path);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    auto first = allFiles(gameDir());
    auto second = allFiles(dir.path);
    ASSERT_FALSE(first.empty());
    std::set<std::string> names;
    for (const auto& [name, bytes] : first) names.insert(name);
    for (const auto& [name, bytes] : second) names.insert(name);
    std::vector<std::string> differ;
    for (const auto& name : names) {
        auto a = first.find(name), b = second.find(name);
        if (a == first.end() || b == second.end()) differ.push_back(name + " (only in one run)");
        else if (a->second != b->second) differ.push_back(name);
    }
    std::string list;
    for (const auto& d : differ) list += "\n  " + d;
    EXPECT_TRUE(differ.empty()) << differ.size() << " files differ between two runs:" << list;
}
