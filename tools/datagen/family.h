// The content pipeline is a set of families (pictures, fonts, sounds, music,
// levels, texts, ...). Each family registers itself with DATAGEN_FAMILY in its
// own source file; the driver runs them all, two at a time.
#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace datagen {

struct Context {
    std::filesystem::path content; // content/ of the source tree
    std::filesystem::path out;     // installation folder: out/data/..., out/icon32.ico
    // Files for the desktop around the game (the menu icons, icons/hicolor/...);
    // out/desktop when not given.
    std::filesystem::path desktop;
    // Path of a file below the installation folder; creates its folder.
    std::filesystem::path file(const std::string& relative) const;
    // Path of a file below the desktop folder; creates its folder.
    std::filesystem::path desktopFile(const std::string& relative) const;
};

using FamilyFn = std::function<void(const Context&)>;

struct Family {
    std::string name;
    FamilyFn run;
};

std::vector<Family>& families();

struct Registrar {
    Registrar(const char* name, FamilyFn fn) { families().push_back({name, std::move(fn)}); }
};

} // namespace datagen

#define DATAGEN_CONCAT2(a, b) a##b
#define DATAGEN_CONCAT(a, b) DATAGEN_CONCAT2(a, b)
#define DATAGEN_FAMILY(name, fn) static ::datagen::Registrar DATAGEN_CONCAT(datagen_registrar_, __LINE__)(name, fn)
