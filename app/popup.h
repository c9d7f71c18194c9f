// Opening a popup: the popup machine's entry point.
#pragma once

// Opens popup id (99 exit question, 103 player manager, ...): the player
// manager gets a fresh ranking, the exit question first saves the current
// profile (outside the branding, loading and menu screens) and the settings.
int openPopup(int id);
