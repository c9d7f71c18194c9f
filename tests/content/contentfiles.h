// Shared helpers of the content checks: where the generated data folder, the
// content sources and the datagen program are, and small file utilities.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace contenttest {

namespace fs = std::filesystem;

// The installation folder the build generated (executable, icon32.ico, data/).
fs::path gameDir();
// content/ of the source tree (VARNOKA_CONTENT, else found beside this file).
fs::path contentDir();
// The datagen program (VARNOKA_DATAGEN, else the build tree's tools/datagen/datagen).
fs::path datagenPath();

// A fresh empty temporary folder, removed when the object dies.
struct TempDir {
    fs::path path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

std::optional<std::string> readBytes(const fs::path& p);
void writeBytes(const fs::path& p, const std::string& bytes);

// Resolves a relative path below `base` the way the game does: each component is
// matched without regard to letter case. Empty when nothing matches.
std::optional<fs::path> resolveNoCase(const fs::path& base, const std::string& relative);

// Lines as the game reads text files: a line feed ends a line, carriage returns
// are dropped.
std::vector<std::string> gameLines(const std::string& bytes);

// The relative paths of content/manifest.txt (comments and blank lines skipped).
std::vector<std::string> manifestEntries();

// 32-bit signed little-endian integers of a binary file.
std::vector<int32_t> le32(const std::string& bytes);

struct RunResult {
    int exitCode = -1;
    std::string output; // stdout and stderr
};
// Runs datagen --content <content> --out <out> [--only <only>].
RunResult runDatagen(const fs::path& content, const fs::path& out, const std::string& only = "");

// Runs one family on a single source file written into a fresh content folder;
// `produced` holds the file the family wrote at `outputRel`, if any.
struct FamilyRun {
    RunResult run;
    std::optional<std::string> produced;
};
FamilyRun runFamilyOn(const std::string& family, const std::string& sourceRel, const std::string& source,
                      const std::string& outputRel);

// Expects generation to have failed with `message` somewhere in its output.
void expectRejection(const RunResult& r, const std::string& message);

} // namespace contenttest
