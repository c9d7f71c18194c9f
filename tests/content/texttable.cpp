#include "tests/content/texttable.h"

#include "tests/content/contentfiles.h"

namespace contenttest {

std::map<std::string, std::string> readTextTable(const std::string& bytes) {
    std::map<std::string, std::string> table;
    for (std::string line : gameLines(bytes)) {
        size_t a = 0, b = line.size();
        while (a < b && static_cast<unsigned char>(line[a]) <= 32) ++a;
        while (b > a && static_cast<unsigned char>(line[b - 1]) <= 32) --b;
        line = line.substr(a, b - a);
        if (!line.empty() && line[0] == '#') continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) table[""] = line;
        else table[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return table;
}

const std::vector<std::string>& gameTextKeys() {
    static const std::vector<std::string> keys = {
        // main menu and shell
        "welcome", "player", "defaultplayer", "startgame", "options", "champions", "credits", "end", "loading",
        "pause", "clicktocontinue", "game", "week",
        // player manager and new player
        "playermenu", "newplayer", "enterplayername", "delete", "delplayersure", "delplayersure2", "points",
        "noname",
        // options
        "music", "sound", "quiet", "loud", "fullscreen",
        // champions
        "rank", "name", "level",
        // credits and exit
        "creditstitle", "creditstext", "exitquestion", "exitsure", "exitsave",
        // in-game menu, new game, resume
        "menu", "roadmap", "help", "continue", "newgame", "newgame2", "newgame3", "newgame4", "yes", "no",
        "resumegame", "wantresume", "wantresume2",
        // help pages
        "helpdirttitle", "helpdirttext", "helpgametypestitle", "helpgametypestext", "helpswapmode",
        "helpchainmode", "helpgroupmode", "helpbombstitle", "helpbombstext", "helppustitle", "helppustext",
        "helpstonetitle", "helpstonetext", "helproadmaptitle", "helproadmaptext", "next", "helpkeystitle",
        "helpkeys",
        // roadmap
        "play", "besttime", "by", "nobesttime", "alllevelsdone",
        // win screen
        "pointsinthisgame", "smasheddirt", "clearedobjects", "timebonus", "minutes", "notimebonus",
        "newbesttime", "dayover",
        // shared buttons
        "ok", "back",
        // the moss power-up's message when no moss is left
        ""};
    return keys;
}

std::vector<std::string> textLines(const std::string& value) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = value.find("%n", start)) != std::string::npos; start = at + 2)
        lines.push_back(value.substr(start, at - start));
    lines.push_back(value.substr(start));
    return lines;
}

} // namespace contenttest
