// Millisecond clock and tick timers. The clock is either the monotonic system
// clock or, for headless runs, a virtual clock that only moves when asked to.
#include "platform/platform.h"

#include <chrono>
#include <thread>

struct TickTimer {
    int hz = 1;
    long long startMs = 0; // clock reading at creation
    long long seen = 0;    // tick count returned by the previous wait
};

namespace {

bool gVirtual = false;
long long gVirtualMs = 0;

long long realMillis() {
    using namespace std::chrono;
    static const steady_clock::time_point origin = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - origin).count();
}

long long nowMs() { return gVirtual ? gVirtualMs : realMillis(); }

long long ticksAt(const TickTimer& t, long long ms) {
    long long elapsed = ms - t.startMs;
    return elapsed <= 0 ? 0 : elapsed * t.hz / 1000;
}

// First clock reading at which the timer shows the given tick count.
long long timeOfTick(const TickTimer& t, long long tick) { return t.startMs + (tick * 1000 + t.hz - 1) / t.hz; }

} // namespace

int ClockMillis() { return static_cast<int>(nowMs()); }

// Rates are kept within 1..1000 ticks per second (the clock counts milliseconds).
Timer NewTickTimer(int ticksPerSecond) {
    auto t = std::make_shared<TickTimer>();
    t->hz = ticksPerSecond < 1 ? 1 : (ticksPerSecond > 1000 ? 1000 : ticksPerSecond);
    t->startMs = nowMs();
    return t;
}

int TickCount(const Timer& t) { return t ? static_cast<int>(ticksAt(*t, nowMs())) : 0; }

int WaitNextTick(const Timer& t) {
    if (!t) return 0;
    long long now = nowMs();
    long long count = ticksAt(*t, now);
    if (count <= t->seen) {
        // Not yet at the next tick: wait for it (or, virtually, jump to it).
        long long due = timeOfTick(*t, t->seen + 1);
        if (gVirtual) {
            gVirtualMs = due;
        } else {
            while ((now = realMillis()) < due)
                std::this_thread::sleep_for(std::chrono::milliseconds(due - now));
        }
        count = ticksAt(*t, nowMs());
    }
    // An overlong frame returns at once with every tick it missed counted.
    long long passed = count - t->seen;
    t->seen = count;
    return static_cast<int>(passed);
}

bool TickDue(const Timer& t) { return t && ticksAt(*t, nowMs()) > t->seen; }

void UseVirtualClock(bool on) {
    if (on == gVirtual) return;
    // Continue from the current reading so running timers see no jump.
    if (on) gVirtualMs = realMillis();
    gVirtual = on;
}

void AdvanceVirtualClock(int ms) {
    if (gVirtual && ms > 0) gVirtualMs += ms;
}
