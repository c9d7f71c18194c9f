#include "tests/persist/files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnoka-persist-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readFileText(const std::string& path) {
    std::vector<uint8_t> bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void writeFileText(const std::string& path, const std::string& text) {
    writeFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void appendInt(std::vector<uint8_t>& bytes, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; i++) bytes.push_back(uint8_t(u >> (8 * i)));
}

int32_t intAt(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t u = 0;
    for (int i = 0; i < 4; i++) u |= uint32_t(bytes.at(offset + i)) << (8 * i);
    return int32_t(u);
}

std::string unwritablePath(const TempFolder& folder, const std::string& name) {
    writeFileText(folder.file("not-a-folder"), "x");
    return folder.file("not-a-folder") + "/" + name;
}
