// The debug log: every line gets a running number and ": " in front. The released
// program writes it nowhere; tests switch capturing on and read the lines.
#pragma once
#include <string>
#include <vector>

void DebugLog(const std::string& text);
void DebugLogCapture(bool on);
const std::vector<std::string>& DebugLogLines();
void DebugLogClear();
