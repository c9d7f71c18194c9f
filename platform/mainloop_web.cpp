// The main loop in the browser. A page may not block, so every frame returns
// to the browser; the page's animation frames come at the display's refresh
// rate (60, 120, 144 Hz ...), and a game frame runs on those of them at which
// the pace timer has a tick due, which keeps the game at the timer's rate.
#include "platform/platform.h"

#include <emscripten.h>

namespace {
Timer gPace;
bool (*gFrame)() = nullptr;
void (*gFinish)() = nullptr;

void onAnimationFrame() {
    if (!TickDue(gPace)) return;
    const double start = emscripten_get_now();
    const bool more = gFrame();
    // The work time of each frame, for the page's benchmark.
    EM_ASM({
        var w = Module.varnokaFrameWork || (Module.varnokaFrameWork = {frames: 0, ms: 0, worst: 0});
        w.frames++;
        w.ms += $0;
        w.worst = Math.max(w.worst, $0);
    }, emscripten_get_now() - start);
    if (more) return;
    emscripten_cancel_main_loop();
    gFinish();
    // The page shows that the game has ended once the last saves are stored.
    EM_ASM({ if (Module.varnokaEnded) Module.varnokaEnded(); });
}

// A hidden tab gets no animation frames, but the browser still runs its
// timers (slowly): the game goes on there on a timer, so that it sees the
// focus loss, pauses and saves as it does on the desktop.
EM_JS(void, followPageVisibility, (), {
    document.addEventListener('visibilitychange', function() {
        if (document.hidden) _emscripten_set_main_loop_timing(0, 25);
        else _emscripten_set_main_loop_timing(1, 1);
    });
});
} // namespace

void RunMainLoop(const Timer& pace, bool (*frame)(), void (*finish)()) {
    gPace = pace;
    gFrame = frame;
    gFinish = finish;
    emscripten_set_main_loop(onAnimationFrame, 0, 0);
    emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
    followPageVisibility();
}
