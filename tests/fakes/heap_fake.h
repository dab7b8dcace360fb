#pragma once
#include <cstddef>

namespace pelmora::fake {
// Requests above this many bytes fail (0 = no limit).
extern std::size_t g_heap_limit;
// Blocks handed out and not yet released.
extern long g_live_blocks;
// The size the live block at `block` was last given; 0 when it is not one.
std::size_t HeapBlockSize(const void* block);
}  // namespace pelmora::fake
