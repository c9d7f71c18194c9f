// Memory settings in the browser.
#include "platform/sdl_internal.h"

// A WebAssembly program's memory only grows; freed pictures go back to its
// own heap, where the next ones are placed. There is nothing to set.
bool ReturnLargeBlocksToSystem() { return true; }
