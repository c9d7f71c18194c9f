// The text table: key=value lines of data/texts/codetexts.txt.
#include "persist/language.h"

#include "persist/binio.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

TLanguage gLang;

int TLanguage::loadFromDisk(const std::string& path, const std::string& delim) {
    delimiter = delim;
    readFile(path);
    url = path;
    return 0;
}

void TLanguage::readFile(const std::string& path) {
    reportedMissing_.clear();
    StreamPtr s = OpenRead(path);
    if (!s) {
        DebugLog("Text table " + path + ": missing");
    } else {
        try {
            while (!Eof(s.get())) {
                const std::string line = Trim(WithoutCR(ReadLine(s.get())));
                if (!line.empty() && line[0] == '#') continue;
                const size_t at = delimiter.empty() ? std::string::npos : line.find(delimiter);
                if (at == std::string::npos) lang[""] = line;
                else lang[line.substr(0, at)] = line.substr(at + delimiter.size());
            }
        } catch (const StreamError&) {
            // Keep the lines read before the fault.
        }
        Close(s);
    }
}

int TLanguage::reload() {
    lang.clear();
    if (!fallbackUrl.empty()) readFile(fallbackUrl);
    return loadFromDisk(url, delimiter);
}

std::string TLanguage::getValue(const std::string& key) const {
    auto it = lang.find(key);
    if (it == lang.end() || it->second.empty()) {
        // A damaged or shortened table shows up here, key by key.
        if (reportedMissing_.insert(key).second)
            DebugLog("Text table " + url + ": text for key '" + key + "' missing");
        return undefined + key;
    }
    return it->second;
}
