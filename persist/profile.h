// Player profiles (players<N>.ppp in the save folder) and the item-target table.
#pragma once
#include <string>

constexpr int kBoardSlots = 260;

class TSpieler {
  public:
    int StoryPage = 0;
    int isStoryPageShow = 0;
    int StoryLevel = 0;
    int StoryPoints = 0;
    int isStoryFinished = 0;
    int isStoryIntroShow = 0, isStoryOutroShow = 0;
    int Level = 0;
    int LevelPoints = 0;
    int levelSelected = 0;
    int gtGameType = 0; // 1 chain, 2 group, 3 swap
    int maxItemsToDestroy = 5;
    int itemsDestroyed[6] = {};
    int itemsToDestroyData[101][6] = {};
    int isResume = 0;
    int resumeLevel = 0;
    int resumePoints = 0;
    int resumeGTGameType = 0;
    int resumeTime = 0;
    int resumeCellMoss[kBoardSlots + 1] = {};
    int resumeCellStone[kBoardSlots + 1] = {};
    int resumeCellDoor[kBoardSlots + 1] = {};
    int resumeItemX[kBoardSlots + 1] = {};
    int resumeItemY[kBoardSlots + 1] = {};
    int resumeItemA[kBoardSlots + 1] = {};
    int resumeItemKaefCol[kBoardSlots + 1] = {};
    int resumeItemsDestroyed[6] = {};
    int isAlreadySaved = 0;
    int isIntroDone = 0;
    std::string name;
    std::string url;
    int time = 0;
    int isHelp = 0;
    int anzItems = 0, anzMoss = 0, anzKaefer = 0;
    int skipfill = 0;
    int mover1 = 0, mover2 = 0, altmover1 = 0, altmover2 = 0;
    int gsolved[6] = {};
    int pu[8] = {};     // shown charge of power-up slots 1..4
    int pusoll[8] = {}; // target charge of power-up slots 1..4 (1..7 stored)

    int setUrl(const std::string& path);
    int SaveToDisk();
    int LoadFromDisk();
    int Erase();
    int Reset();
    int NewVarnoka();
    int checkStoryPage();
    int StoryLevelUp();
    int LevelUp();
    int LevelDone();
    int incLevelPoints(int n);
    int SuspendLevel();
    int ContinueLevel();
    int ResetResume();
    int getCurrentLevel();
    int isItemsDestroyed(int level, int kind);
    int isAllItemsDestroyed(int level);
    int getItemsLeftToDestroy(int level, int kind);
    int loadAllItemsToDestroyFromDisk(const std::string& path);
};

extern TSpieler gPlayers[10]; // slots 1..9 hold profiles
extern int gCurPl;            // current slot, -1 = none

// The current profile (slot gCurPl, or slot 0 when there is none, so callers
// never index outside the table).
TSpieler& curPlayer();
