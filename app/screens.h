// Screen dispatch: each screen number has a prepare routine, run once when the
// screen is entered (on the black frame of a switch), and a frame routine, run
// every frame while it is current.
#pragma once

// Runs the prepare routine of a screen with its argument (the branding page
// number; 0 otherwise). Every prepare ends with fadeIn.
void runScreenPrepare(int screen, int arg);
// Runs the frame routine of the screen; a number without a screen draws nothing.
void runScreenFrame(int screen);
