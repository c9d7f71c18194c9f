// Damaging one file of an installation folder made of links to the generated
// one: deleted, cut to half its size, or replaced by garbage of the same size.
#pragma once

#include <string>
#include <vector>

namespace hardening {

enum class Damage { Deleted, Halved, Garbage };
constexpr Damage kDamages[] = {Damage::Deleted, Damage::Halved, Damage::Garbage};
const char* damageName(Damage damage);
bool damageFromName(const std::string& name, Damage& damage);

// Every file the game reads (content/manifest.txt), relative to the
// installation folder.
std::vector<std::string> manifestFiles();

// Fills the working folder (a game::InstallFolder) with a link to every file
// of the generated installation folder.
void linkGameData();

// Replaces the link of `file` (relative) in the working folder by its damaged
// copy; false when the original cannot be read.
bool damageFile(const std::string& file, Damage damage);

// True when the debug log line names the file (in any letter case) and says it
// is missing, damaged or short.
bool namesDamagedFile(const std::string& line, const std::string& file);

} // namespace hardening
