// The roadmap (screen 13): the landscape with one waypoint per level, the
// tooltips with the best times, and the level information popup.
#pragma once
#include "app/tbild.h"

extern int gWaypointX[101], gWaypointY[101]; // entries 1..100
extern int roadmapFrames; // roadmap frames drawn since start, never reset

extern TBild imgRoadmap, imgStageWpActive, imgStageWpInactive, imgWpActive, imgWpInactive;

// Fills the waypoint table (start-up).
int initRoadmapCoords();
int screenRoadmapPrepare();
int screenRoadmapFrame();
// Releases the map and the four waypoint pictures.
int screenRoadmapResetGfx();
// The waypoint of a level is under the mouse (pixel test with the pointer probe).
bool waypointHovered(int level);
// Top-left corner of a tooltip opened at the mouse, kept on screen.
void tooltipCorner(int mx, int my, float w, float h, float& px, float& py);
// Starts level `level` the way the roadmap does: level 1 goes through story page 2.
int startLevelFromRoadmap();
// The "besttime ... by ..." line of a level, or the "nobesttime" text.
std::string bestTimeLine(int level);
