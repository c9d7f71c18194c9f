// Memory settings of the GNU C library.
#include <malloc.h>

#include "platform/sdl_internal.h"

// Left to itself the allocator raises its threshold for mapping blocks of
// their own after the first such block is freed, and then keeps freed
// pictures in a heap it rarely gives back. A fixed threshold returns them.
bool ReturnLargeBlocksToSystem() { return mallopt(M_MMAP_THRESHOLD, 256 * 1024) == 1; }
