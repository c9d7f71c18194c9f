// Memory settings on Windows.
#include "platform/sdl_internal.h"

// The system heap already gives every block of more than about half a
// megabyte its own pages and returns them when the block is freed; there is
// nothing to set.
bool ReturnLargeBlocksToSystem() { return true; }
