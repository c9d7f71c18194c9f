// The debug log. Every line gets a running number; the released program keeps
// nothing, tests switch capturing on and read the numbered lines back.
#include "platform/debuglog.h"

namespace {
long long gLineNumber = 0;
bool gCapture = false;
std::vector<std::string> gLines;
constexpr size_t kMaxCaptured = 100000; // a runaway loop must not eat the memory
} // namespace

void DebugLog(const std::string& text) {
    ++gLineNumber;
    if (!gCapture) return;
    if (gLines.size() >= kMaxCaptured) gLines.erase(gLines.begin(), gLines.begin() + kMaxCaptured / 2);
    gLines.push_back(std::to_string(gLineNumber) + ": " + text);
}

void DebugLogCapture(bool on) { gCapture = on; }

const std::vector<std::string>& DebugLogLines() { return gLines; }

void DebugLogClear() { gLines.clear(); }
