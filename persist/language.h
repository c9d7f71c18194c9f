// The text table: every text the game shows, looked up by key.
#pragma once
#include <map>
#include <set>
#include <string>

class TLanguage {
  public:
    std::map<std::string, std::string> lang;
    std::string delimiter;
    std::string url;
    std::string undefined = "_UNDEF_";
    // Read before url on every reload, so url's lines override it; empty for none.
    std::string fallbackUrl;

    int loadFromDisk(const std::string& path, const std::string& delim);
    int reload();
    std::string getValue(const std::string& key) const;

  private:
    void readFile(const std::string& path);
    // Keys already written to the debug log as missing, so each is logged once.
    mutable std::set<std::string> reportedMissing_;
};

extern TLanguage gLang;
