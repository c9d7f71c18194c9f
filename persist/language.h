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

    int loadFromDisk(const std::string& path, const std::string& delim);
    int reload();
    std::string getValue(const std::string& key) const;

  private:
    // Keys already written to the debug log as missing, so each is logged once.
    mutable std::set<std::string> reportedMissing_;
};

extern TLanguage gLang;
