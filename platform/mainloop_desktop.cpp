// The main loop on the desktop: the frames pace themselves (each ends by
// waiting for the next tick of the frame timer).
#include "platform/platform.h"

void RunMainLoop(const Timer&, bool (*frame)(), void (*finish)()) {
    while (frame()) {
    }
    finish();
}
