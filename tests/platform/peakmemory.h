// Peak resident memory of the process so far, in megabytes; one per system
// (peakmemory_posix.cpp, peakmemory_windows.cpp).
#pragma once

long PeakMegabytes();
