// The rules of one frame, without any drawing.
#pragma once

// Gravity, the input of the current game type, its hint routine, in swap mode
// the swap animation, the shuffle wave and the resolution of the selection.
int runRulesFrame();
