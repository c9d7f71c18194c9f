#include "tests/hardening/damage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace hardening {

namespace fs = std::filesystem;

const char* damageName(Damage damage) {
    switch (damage) {
    case Damage::Deleted:
        return "deleted";
    case Damage::Halved:
        return "halved";
    case Damage::Garbage:
        return "garbage";
    }
    return "?";
}

bool damageFromName(const std::string& name, Damage& damage) {
    for (Damage d : kDamages) {
        if (name == damageName(d)) {
            damage = d;
            return true;
        }
    }
    return false;
}

std::vector<std::string> manifestFiles() {
    const char* env = std::getenv("VARNOKA_CONTENT");
    const fs::path content = env && *env
                                 ? fs::path(env)
                                 : fs::path(__FILE__).parent_path().parent_path().parent_path() / "content";
    std::ifstream in(content / "manifest.txt");
    std::vector<std::string> files;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && line[0] != '#') files.push_back(line);
    }
    return files;
}

void linkGameData() {
    const fs::path original = VARNOKA_GAME_DIR;
    std::error_code ec;
    for (const fs::path& top : {original / "data", original / "icon32.ico"}) {
        if (fs::is_regular_file(top)) {
            fs::create_symlink(top, top.filename(), ec);
            continue;
        }
        for (auto it = fs::recursive_directory_iterator(top, ec); it != fs::recursive_directory_iterator();
             ++it) {
            const fs::path target = it->path().lexically_relative(original);
            if (it->is_directory())
                fs::create_directories(target, ec);
            else
                fs::create_symlink(it->path(), target, ec);
        }
    }
}

bool damageFile(const std::string& file, Damage damage) {
    const fs::path original = fs::path(VARNOKA_GAME_DIR) / file;
    std::ifstream in(original, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    std::string bytes = s.str();
    std::error_code ec;
    fs::remove(file, ec);
    if (damage == Damage::Deleted) return true;
    if (damage == Damage::Halved) bytes.resize(bytes.size() / 2);
    if (damage == Damage::Garbage) {
        std::mt19937 random(static_cast<unsigned>(std::hash<std::string>{}(file)));
        for (char& c : bytes)
            c = static_cast<char>(random());
    }
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool namesDamagedFile(const std::string& line, const std::string& file) {
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const std::string l = lower(line);
    if (l.find(lower(file)) == std::string::npos) return false;
    return l.find("missing") != std::string::npos || l.find("damaged") != std::string::npos ||
           l.find("short") != std::string::npos;
}

} // namespace hardening
