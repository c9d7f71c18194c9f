// The text table: every text the game shows, looked up by key.
#pragma once
#include <map>
#include <string>

class TLanguage {
  public:
    std::map<std::string, std::string> lang;
    std::string delimiter;
    std::string url;
    std::string undefined = "_UNDEF_";

    int loadFromDisk(const std::string& path, const std::string& delim);
    int reload();
    std::string getValue(const std::string& key) const;
};

extern TLanguage gLang;
