// The process heap behind AllocateMemory. The Windows build uses the
// process heap; the host build uses the C library.
#pragma once

#include <cstddef>

namespace pelmora::port {

[[nodiscard]] void* HeapAllocate(std::size_t size);
[[nodiscard]] void* HeapResize(void* block, std::size_t size);
void HeapRelease(void* block);

}  // namespace pelmora::port
