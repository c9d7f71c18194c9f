// The on-screen letter grid of the new-player popup (for a controller).
#pragma once
#include <string>

// Draws the grid below the popup; while it answers, each key is a focus place
// and a click on it types its character into name (as the keyboard would).
void letterGrid(std::string& name, bool answers);
// The grid's keys, the centre of key index and the character code it types
// (8 deletes the last character).
int letterGridKeys();
void letterGridPlace(int index, int& x, int& y);
int letterGridCode(int index);
