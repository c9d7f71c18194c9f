// The demonstration boards of the five help pages.
#pragma once
#include "game/helpboard.h"

namespace helpboards {
extern const HelpBoard b1a, b1b, b2a, b2b, b2c, b3a, b3b, b3c, b3d, b4a, b5a, b5b;
}
