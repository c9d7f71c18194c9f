// autoplay: the levels report. Plays every level with every strategy and a
// number of seeds, spread over worker processes (the game state is global, so
// each worker is a process of its own), and writes to the output folder:
//   runs.tsv           one line per run
//   levels.tsv         per level and strategy: wins, median and 90th percentile
//                      of moves and game-seconds
//   weeks.tsv          median moves and seconds per week and strategy
//   levels-report.png  the same on one page, with the goals the levels are
//                      tuned to
// Prints the week table, the goals and the CPU time taken; exits 1 when a
// goal is missed (with --check) or the data folder is unusable.
//
//   autoplay --game DIR --out DIR [--seeds 10] [--first-seed 1] [--jobs 2] [--levels 1-100]
//            [--strategies chain,group,swap,best] [--cap-best 300] [--cap 600] [--check]
//            [--input mouse|keys]
#include "tools/autoplay/autoplayer.h"
#include "tools/autoplay/playfolder.h"
#include "tools/autoplay/report.h"
#include "tools/autoplay/reportpicture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace autoplay;

namespace {

struct Options {
    std::string game = "build/game", out = "build/levels-report";
    int seeds = 10, firstSeed = 1, jobs = 2, first = 1, last = kLevels;
    std::vector<Strategy> strategies{std::begin(kStrategies), std::end(kStrategies)};
    Caps caps;
    bool check = false;
    bool keyboard = false; // --input keys: key presses on the board cursor only
};

[[noreturn]] void usage(const std::string& why) {
    std::fprintf(stderr,
                 "autoplay: %s\nusage: autoplay --game DIR --out DIR [--seeds N] [--first-seed N] [--jobs N] [--levels A-B]\n"
                 "                [--strategies chain,group,swap,best] [--cap-best N] [--cap N] [--check]\n"
                 "                [--input mouse|keys]\n",
                 why.c_str());
    std::exit(2);
}

int number(const std::string& s, int lo, int hi, const std::string& what) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || v < lo || v > hi) usage(what + " must be a number from " + std::to_string(lo) + " to " + std::to_string(hi));
    return static_cast<int>(v);
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; i++) {
        const std::string key = argv[i];
        if (key == "--check") {
            o.check = true;
            continue;
        }
        if (i + 1 >= argc) usage("missing value after " + key);
        const std::string v = argv[++i];
        if (key == "--game") o.game = v;
        else if (key == "--out") o.out = v;
        else if (key == "--seeds") o.seeds = number(v, 1, 1000, "--seeds");
        else if (key == "--first-seed") o.firstSeed = number(v, 1, 1000000, "--first-seed");
        else if (key == "--jobs") o.jobs = number(v, 1, 64, "--jobs");
        else if (key == "--cap-best") o.caps.best = number(v, 1, 100000, "--cap-best");
        else if (key == "--cap") o.caps.single = number(v, 1, 100000, "--cap");
        else if (key == "--input") {
            if (v != "mouse" && v != "keys") usage("--input must be mouse or keys");
            o.keyboard = v == "keys";
        }
        else if (key == "--levels") {
            const size_t dash = v.find('-');
            o.first = number(v.substr(0, dash), 1, kLevels, "the first level");
            o.last = dash == std::string::npos ? o.first : number(v.substr(dash + 1), o.first, kLevels, "the last level");
        } else if (key == "--strategies") {
            o.strategies.clear();
            std::istringstream in(v);
            for (std::string name; std::getline(in, name, ',');) {
                Strategy s;
                if (!strategyByName(name, s)) usage("no strategy " + name);
                o.strategies.push_back(s);
            }
        } else {
            usage("unknown option " + key);
        }
    }
    // Workers play from a folder of their own: keep the paths given from here.
    o.game = fs::absolute(o.game).string();
    o.out = fs::absolute(o.out).string();
    return o;
}

// A worker: plays every jobs-th level from its own, writes one line per run.
int work(const Options& o, int job, const fs::path& file) {
    PlayFolder folder(o.game, false);
    if (!folder.ready()) return 1;
    std::ofstream out(file);
    for (int l = o.first + job; l <= o.last; l += o.jobs)
        for (const Strategy s : o.strategies)
            for (int seed = o.firstSeed; seed < o.firstSeed + o.seeds; seed++) {
                Limits limits;
                limits.moveCap = o.caps.of(s);
                limits.keyboard = o.keyboard;
                Run r{l, s, static_cast<unsigned>(seed), playRun(l, s, static_cast<unsigned>(seed), limits)};
                out << runLine(r) << '\n';
            }
    return out ? 0 : 1;
}

void writeFile(const fs::path& p, const std::string& text) {
    std::ofstream(p) << text;
}

} // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::error_code ec;
    fs::create_directories(o.out, ec);
    const auto start = std::chrono::steady_clock::now();
    const int jobs = std::min(o.jobs, o.last - o.first + 1);
    std::vector<pid_t> workers;
    for (int j = 0; j < jobs; j++) {
        const pid_t pid = fork();
        if (pid == 0) _exit(work(o, j, fs::path(o.out) / ("runs.part" + std::to_string(j))));
        if (pid < 0) {
            std::perror("autoplay: fork");
            return 1;
        }
        workers.push_back(pid);
    }
    bool ok = true;
    for (const pid_t pid : workers) {
        int status = 0;
        waitpid(pid, &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                       usage.ru_stime.tv_usec / 1e6;
    std::vector<Run> runs;
    for (int j = 0; j < jobs; j++) {
        const fs::path part = fs::path(o.out) / ("runs.part" + std::to_string(j));
        std::ifstream in(part);
        for (std::string line; std::getline(in, line);) {
            Run r;
            if (parseRunLine(line, r)) runs.push_back(r);
        }
        fs::remove(part, ec);
    }
    if (!ok) {
        std::fprintf(stderr, "autoplay: no usable data folder in %s\n", o.game.c_str());
        return 1;
    }
    const auto order = [&o](Strategy s) { return std::find(o.strategies.begin(), o.strategies.end(), s) - o.strategies.begin(); };
    std::sort(runs.begin(), runs.end(), [&order](const Run& a, const Run& b) {
        if (a.level != b.level) return a.level < b.level;
        if (a.strategy != b.strategy) return order(a.strategy) < order(b.strategy);
        return a.seed < b.seed;
    });
    std::string runText = "level\tweek\tstrategy\tseed\twon\tmoves\tframes\tseconds\tswitches\tpowerups\tidle_frames\tmoss_done\tquota_done\tlast_moss_col\tlast_moss_row\n";
    for (const Run& r : runs) runText += runLine(r) + "\n";
    writeFile(fs::path(o.out) / "runs.tsv", runText);
    writeFile(fs::path(o.out) / "levels.tsv", levelTable(runs, o.strategies));
    const std::string weeks = weekTable(runs, o.strategies);
    writeFile(fs::path(o.out) / "weeks.tsv", weeks);
    const GoalCheck goals = checkGoals(runs, o.strategies, o.caps);
    char timing[200];
    std::snprintf(timing, sizeof timing, "%zu runs (%d seeds, %s), CPU time %.1f s, wall time %.1f s on %d processes",
                  runs.size(), o.seeds, o.keyboard ? "keyboard" : "mouse", cpu, wall, jobs);
    const fs::path picture = fs::path(o.out) / "levels-report.png";
    if (!drawReport(picture.string(), runs, o.strategies, o.caps, goals, timing))
        std::fprintf(stderr, "autoplay: could not write %s\n", picture.c_str());
    std::printf("%s\n", weeks.c_str());
    for (const std::string& line : goals.lines) std::printf("%s\n", line.c_str());
    std::printf("%s\nreport: %s\n", timing, picture.c_str());
    return o.check && !goals.met ? 1 : 0;
}
