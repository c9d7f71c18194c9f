#include "tests/content/contentfiles.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace contenttest {

fs::path gameDir() { return VARNOKA_GAME_DIR; }

fs::path contentDir() {
    if (const char* env = std::getenv("VARNOKA_CONTENT"); env && *env) return env;
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "content";
}

fs::path datagenPath() {
    if (const char* env = std::getenv("VARNOKA_DATAGEN"); env && *env) return env;
    return gameDir().parent_path() / "tools" / "datagen" / "datagen";
}

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "varnoka-content-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::optional<std::string> readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

namespace {
std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

std::optional<fs::path> resolveNoCase(const fs::path& base, const std::string& relative) {
    fs::path cur = base;
    for (const auto& part : fs::path(relative)) {
        if (fs::exists(cur / part)) {
            cur /= part;
            continue;
        }
        std::error_code ec;
        bool found = false;
        for (const auto& entry : fs::directory_iterator(cur, ec)) {
            if (lower(entry.path().filename().string()) == lower(part.string())) {
                cur = entry.path();
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return cur;
}

std::vector<std::string> gameLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : bytes) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

std::vector<std::string> manifestEntries() {
    std::vector<std::string> out;
    auto bytes = readBytes(contentDir() / "manifest.txt");
    if (!bytes) return out;
    for (auto& line : gameLines(*bytes)) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        out.push_back(line);
    }
    return out;
}

std::vector<int32_t> le32(const std::string& bytes) {
    std::vector<int32_t> v;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        uint32_t u = 0;
        for (int b = 0; b < 4; ++b) u |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + b])) << (8 * b);
        v.push_back(static_cast<int32_t>(u));
    }
    return v;
}

RunResult runDatagen(const fs::path& content, const fs::path& out, const std::string& only) {
    std::string cmd = "'" + datagenPath().string() + "' --content '" + content.string() + "' --out '" +
                      out.string() + "'";
    if (!only.empty()) cmd += " --only " + only;
    cmd += " 2>&1";
    RunResult r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf{};
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) r.output.append(buf.data(), n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

FamilyRun runFamilyOn(const std::string& family, const std::string& sourceRel, const std::string& source,
                      const std::string& outputRel) {
    TempDir dir;
    writeBytes(dir.path / "content" / sourceRel, source);
    FamilyRun f;
    f.run = runDatagen(dir.path / "content", dir.path / "out", family);
    f.produced = readBytes(dir.path / "out" / outputRel);
    return f;
}

void expectRejection(const RunResult& r, const std::string& message) {
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.output.find(message), std::string::npos) << r.output;
}

} // namespace contenttest
