// The story screen (14): one full-screen page picture and "continue".
#pragma once
#include "app/tbild.h"

extern TBild imgStory; // "data/story/story<StoryPage>.jpg", top-left at (0, 0)

int screenStoryPrepare();
int screenStory();
int storyLoadPicture();
int storyUnloadPicture();
// Where "continue" leads for the current profile: 13 roadmap, 12 game, 0 menu
// (page 12 also sets Level back to 1).
int storyNextScreen();
