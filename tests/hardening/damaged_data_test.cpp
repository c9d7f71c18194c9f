// A damaged data folder: each data file in turn deleted, cut to half its size
// or replaced by garbage of the same size, and the scripted session played on
// it in a fresh copy of this program. No crash, no sanitizer report, no hang;
// the game goes on with what it has and its debug log names the file.
//
// `make test` runs a sample of each kind of file; with VARNOKA_SOAK=1 (the
// soak script) every file of content/manifest.txt is damaged in all three
// ways. VARNOKA_SOAK_JOBS sets how many sessions run at once.
#include "persist/languages.h"
#include "platform/debuglog.h"
#include "tests/hardening/child.h"
#include "tests/hardening/damage.h"
#include "tests/hardening/session.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

namespace hardening {
namespace {

namespace fs = std::filesystem;

// The session that reads the file: later levels' backgrounds and story pages
// are reached from saves at that level; the win music and the other in-game
// tracks by winning levels until the file has been read.
SessionPlan planFor(const std::string& file) {
    SessionPlan plan;
    int n = 0;
    if (std::sscanf(file.c_str(), "data/bg/bg%d.jpg", &n) == 1 && n >= 2) plan.level = (n - 1) * 10 + 1;
    if (std::sscanf(file.c_str(), "data/story/story%d.jpg", &n) == 1 && n >= 3 && n <= 11)
        plan.level = (n - 2) * 10 + 1;
    if (file == "data/story/story12.jpg") {
        plan.level = 100;
        plan.maxWins = 1;
    }
    if (file == "data/music/win.ogg" || file == "data/music/ingame2.ogg" || file == "data/music/ingame3.ogg")
        plan.maxWins = 12;
    return plan;
}

// A language's own copy of a file ("data/lang/<code>/...") is read where the
// English one is, in a game in that language: the English path and the language.
std::string englishPath(const std::string& file, int& language) {
    language = 0;
    const std::string prefix = "data/lang/";
    if (file.rfind(prefix, 0) != 0) return file;
    const size_t slash = file.find('/', prefix.size());
    if (slash == std::string::npos) return file;
    language = languageOfLocale(file.substr(prefix.size(), slash - prefix.size()));
    return "data/" + file.substr(slash + 1);
}

// Child task: VARNOKA_DAMAGED_FILE damaged as VARNOKA_DAMAGE (no file: the
// whole folder), then the session. Prints the steps made and the first log
// line that names the file.
int damagedSession() {
    const char* fileEnv = std::getenv("VARNOKA_DAMAGED_FILE");
    const std::string file = fileEnv ? fileEnv : "";
    harness::HeadlessEnv env;
    game::InstallFolder install;
    if (install.path().empty()) return 3;
    linkGameData();
    Damage damage = Damage::Deleted;
    if (!file.empty() &&
        (!damageFromName(std::getenv("VARNOKA_DAMAGE") ? std::getenv("VARNOKA_DAMAGE") : "", damage) ||
         !damageFile(file, damage)))
        return 4;
    int language = 0;
    SessionPlan plan = planFor(englishPath(file, language));
    setenv("LC_ALL", languageCode(language).c_str(), 1); // the language of a first start
    if (plan.level > 1) writeSaves({{kSessionPlayer, plan.level}}, language);
    std::string named;
    plan.watch = [&] {
        for (const std::string& line : DebugLogLines())
            if (named.empty() && !file.empty() && namesDamagedFile(line, file)) named = line;
        DebugLogClear();
    };
    plan.wonEnough = [&] { return !named.empty(); };
    DebugLogCapture(true);
    DebugLogClear();
    const int made = runScriptedSession(plan);
    plan.watch();
    std::printf("steps %d\nlog %s\n", made, named.c_str());
    game::stop();
    DebugLogCapture(false);
    return 0;
}
const ChildTaskRegistration registerDamagedSession("damaged-session", damagedSession);

struct Case {
    std::string file; // empty: the undamaged folder
    Damage damage = Damage::Deleted;
};

struct Finding {
    Case c;
    ChildResult run;
    int steps = 0;
    std::string logLine;
};

// A sample of every kind of file the game reads, each damage once or more.
std::vector<Case> sampleCases() {
    return {
        {"data/UI/buttonsmall.png", Damage::Deleted},        {"data/bg/loadbg1.jpg", Damage::Halved},
        {"data/sound/button1.ogg", Damage::Garbage},         {"data/music/titel.ogg", Damage::Halved},
        {"data/fonts/me_text.fmf", Damage::Halved},          {"data/levels/lvla001.lvl", Damage::Garbage},
        {"data/levels/lvla000.lvl", Damage::Halved},         {"data/texts/codetexts.txt", Damage::Deleted},
        {"data/branding/splashconfig.txt", Damage::Garbage}, {"icon32.ico", Damage::Halved}};
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const std::string& file : manifestFiles())
        for (Damage d : kDamages)
            cases.push_back({file, d});
    return cases;
}

int jobs() {
    const char* env = std::getenv("VARNOKA_SOAK_JOBS");
    const int n = env ? std::atoi(env) : static_cast<int>(std::thread::hardware_concurrency());
    return n > 0 ? n : 2;
}

std::string kindOf(const std::string& file) {
    if (file.find("lvla000") != std::string::npos) return "targets";
    return file.substr(file.rfind('.') + 1);
}

std::vector<Finding> runCases(const std::vector<Case>& cases) {
    std::string scratch = (fs::temp_directory_path() / "varnoka-damage-XXXXXX").string();
    if (!mkdtemp(scratch.data())) return {};
    std::vector<ChildJob> children;
    for (const Case& c : cases) {
        ChildJob child;
        child.task = "damaged-session";
        child.folder = scratch;
        child.env = {"TMPDIR=" + scratch, "VARNOKA_DAMAGED_FILE=" + c.file,
                    std::string("VARNOKA_DAMAGE=") + damageName(c.damage)};
        children.push_back(child);
    }
    const auto results = runChildren(children, jobs(), [](size_t done, size_t total) {
        if (done % 50 == 0) std::printf("  %zu of %zu sessions\n", done, total);
    });
    std::error_code ec;
    fs::remove_all(scratch, ec);
    std::vector<Finding> findings;
    for (size_t i = 0; i < cases.size(); i++) {
        Finding f{cases[i], results[i], 0, ""};
        std::istringstream out(results[i].output);
        for (std::string line; std::getline(out, line);) {
            if (line.rfind("steps ", 0) == 0) f.steps = std::atoi(line.c_str() + 6);
            if (line.rfind("log ", 0) == 0) f.logLine = line.substr(4);
        }
        findings.push_back(f);
    }
    return findings;
}

// One row per kind of file and damage: sessions, outcomes, log lines, and
// the sessions that went all the way.
void printTable(const std::vector<Finding>& findings) {
    struct Row {
        int sessions = 0, crashed = 0, hung = 0, sanitizer = 0, failed = 0, logged = 0, complete = 0;
        double seconds = 0;
    };
    std::map<std::string, Row> rows;
    Row total;
    for (const Finding& f : findings) {
        for (Row* r : {&rows[kindOf(f.c.file) + " " + damageName(f.c.damage)], &total}) {
            r->sessions++;
            r->crashed += f.run.outcome == Outcome::Crashed;
            r->hung += f.run.outcome == Outcome::Hung;
            r->sanitizer += f.run.outcome == Outcome::SanitizerReport;
            r->failed += f.run.outcome == Outcome::Failed;
            r->logged += !f.logLine.empty();
            r->complete += f.steps == kSessionSteps;
            r->seconds += f.run.seconds;
        }
    }
    std::printf("%-18s %8s %7s %4s %9s %6s %9s %8s\n", "file kind, damage", "sessions", "crashed", "hung",
                "sanitizer", "failed", "log lines", "complete");
    for (const auto& [name, r] : rows)
        std::printf("%-18s %8d %7d %4d %9d %6d %9d %8d\n", name.c_str(), r.sessions, r.crashed, r.hung,
                    r.sanitizer, r.failed, r.logged, r.complete);
    std::printf("%-18s %8d %7d %4d %9d %6d %9d %8d   (%.0f s of sessions)\n", "all", total.sessions,
                total.crashed, total.hung, total.sanitizer, total.failed, total.logged, total.complete,
                total.seconds);
    for (const Finding& f : findings) {
        if (f.steps < kSessionSteps && f.run.outcome == Outcome::Passed)
            std::printf("  %s %s: the session stopped at \"%s\"\n", f.c.file.c_str(), damageName(f.c.damage),
                        kSessionStepNames[f.steps]);
    }
}

void expectSurvived(const std::vector<Finding>& findings) {
    for (const Finding& f : findings) {
        SCOPED_TRACE(f.c.file + " " + damageName(f.c.damage));
        EXPECT_EQ(f.run.outcome, Outcome::Passed)
            << outcomeName(f.run.outcome) << " after " << f.run.seconds << " s\n"
            << f.run.report;
        // A language's picture that is gone is replaced by the English one, by design
        // without a word in the log.
        const bool silentFallback = f.c.damage == Damage::Deleted && f.c.file.rfind("data/lang/", 0) == 0 &&
                                    f.c.file.find("/texts/codetexts.txt") == std::string::npos;
        if (!silentFallback) EXPECT_FALSE(f.logLine.empty()) << "no debug log line names the file";
        EXPECT_GE(f.steps, 1);
    }
}

TEST(DamagedData, UndamagedFolderGoesThroughTheWholeSession) {
    const auto findings = runCases({Case{}});
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].run.outcome, Outcome::Passed) << findings[0].run.report;
    EXPECT_EQ(findings[0].steps, kSessionSteps)
        << "stopped at " << kSessionStepNames[std::min(findings[0].steps, kSessionSteps - 1)];
}

TEST(DamagedData, EachKindOfFileDamagedLeavesTheGameGoingAndNamesTheFile) {
    const bool soak = std::getenv("VARNOKA_SOAK") != nullptr;
    const auto findings = runCases(soak ? allCases() : sampleCases());
    ASSERT_FALSE(findings.empty());
    printTable(findings);
    expectSurvived(findings);
}

} // namespace
} // namespace hardening
