// The item-target table: how many pieces of each kind 1..5 each level asks the
// player to destroy. Source form: one line per level, "level t1 t2 t3 t4 t5".
#pragma once
#include <array>
#include <string>

namespace levels {

constexpr int kLevels = 100;
constexpr int kKinds = 5;
constexpr int kMaxTarget = 999;

// targets[level][kind], levels 1..100 and kinds 1..5 (index 0 unused).
using Targets = std::array<std::array<int, kKinds + 1>, kLevels + 1>;

// Parses the table. Blank lines and lines starting with '#' are skipped. Throws
// std::runtime_error (naming `where` and the line) on a malformed line, a level
// outside 1..100 or given twice, a missing level, a target outside 0..999, or a
// target for kind 4 in level 1 (level 1 never deals pieces of kind 4, so the
// level could never be won).
Targets parseTargets(const std::string& text, const std::string& where);

// The 2000-byte item-target file: 500 little-endian 32-bit integers, for level
// 1..100 in turn the targets of kinds 1..5.
std::string encodeTargetFile(const Targets& t);

} // namespace levels
