// The profile reader: any file loads or leaves an erased slot, and whatever it
// loads survives a save and a second load unchanged.
#include "persist/profile.h"
#include "tests/fuzz/fuzz_input.h"

#include <memory>

static bool sameStoredFields(const TSpieler& a, const TSpieler& b) {
    if (a.name != b.name) return false;
    const int* pa[] = {&a.StoryPage, &a.StoryLevel, &a.StoryPoints, &a.isStoryFinished, &a.Level, &a.isResume,
                       &a.resumePoints, &a.resumeLevel, &a.resumeTime, &a.resumeGTGameType, &a.isIntroDone,
                       &a.gtGameType, &a.time, &a.isHelp, &a.anzItems, &a.anzMoss, &a.anzKaefer, &a.skipfill};
    const int* pb[] = {&b.StoryPage, &b.StoryLevel, &b.StoryPoints, &b.isStoryFinished, &b.Level, &b.isResume,
                       &b.resumePoints, &b.resumeLevel, &b.resumeTime, &b.resumeGTGameType, &b.isIntroDone,
                       &b.gtGameType, &b.time, &b.isHelp, &b.anzItems, &b.anzMoss, &b.anzKaefer, &b.skipfill};
    for (size_t i = 0; i < sizeof pa / sizeof pa[0]; i++)
        if (*pa[i] != *pb[i]) return false;
    for (int i = 1; i <= kBoardSlots; i++)
        if (a.resumeItemX[i] != b.resumeItemX[i] || a.resumeItemKaefCol[i] != b.resumeItemKaefCol[i]) return false;
    for (int k = 1; k <= 7; k++)
        if (a.pusoll[k] != b.pusoll[k]) return false;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto first = std::make_unique<TSpieler>();
    static auto second = std::make_unique<TSpieler>();
    first->setUrl(writeFuzzFile("players1.ppp", data, size));
    first->LoadFromDisk();
    const TSpieler& p = *first;
    if (p.StoryPage < 1 || p.StoryPage > 12 || p.StoryLevel < 1 || p.StoryLevel > 100 || p.Level < 1 ||
        p.Level > 101 || (p.isResume == 1 && (p.resumeLevel < 1 || p.resumeLevel > 100)))
        std::abort();
    first->setUrl(fuzzFolder() + "players2.ppp");
    first->SaveToDisk();
    second->setUrl(fuzzFolder() + "players2.ppp");
    second->LoadFromDisk();
    if (!sameStoredFields(*first, *second)) std::abort();
    // The story steps must stay inside their tables for any stored values.
    first->checkStoryPage();
    for (int kind = 0; kind <= 12; kind++) first->getItemsLeftToDestroy(first->Level, kind);
    first->isAllItemsDestroyed(first->getCurrentLevel());
    return 0;
}
