// Small file helpers for the persistence tests: a temporary save folder and
// whole-file reads and writes that do not go through the code under test.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    // The folder with a trailing '/', as gSaveDir holds it.
    std::string dir() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readFileBytes(const std::string& path);
std::string readFileText(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void writeFileText(const std::string& path, const std::string& text);

// Little-endian integer helpers for building and checking binary files.
void appendInt(std::vector<uint8_t>& bytes, int32_t v);
int32_t intAt(const std::vector<uint8_t>& bytes, size_t offset);

// A path whose folder cannot be created or written (its parent is a file).
std::string unwritablePath(const TempFolder& folder, const std::string& name);
