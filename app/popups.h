// The popups run by the popup machine (popupDriver), one routine per popup id.
// Each runs once per frame while its id is in gStatePopup: it draws the popup
// (popupFrame and its contents) and handles its buttons, which respond only
// while gRunPopup is 16. A popup closes itself by setting gPopupDir = 2, and may
// hand over to another popup by writing the new id into gStatePopup.
#pragma once

int inGameMenu();         // 298 in-game menu (game screen)
int exitPopup();          // 99  exit question
int resumePopup();        // 107 resume the saved level or start anew
int levelInfoPopup();     // 551 level information (roadmap)
int newPlayerPopup();     // 105 new player
int deletePlayerPopup();  // 106 delete player
int playerManagerPopup(); // 103 player manager
int championsPopup();     // 111 champions
int creditsPopup();       // 101 credits
int optionsPopup();       // 100 options
int newGamePopup();       // 432 new-game confirmation
int helpPopup();          // 447 help pages of the game screen
int roadmapHelpPopup();   // 112 roadmap help
