// Heap blocks for every runtime value, and the program constant block whose
// addresses must never be given back to the heap.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pelmora {

// A block of `size` bytes from the process heap. Never returns null:
// exhaustion is a fatal runtime error.
[[nodiscard]] void* AllocateMemory(std::int32_t size);

// Null behaves like AllocateMemory. A block inside the constant block is
// copied into a new heap block and left untouched.
[[nodiscard]] void* ResizeMemory(void* block, std::int32_t size);

// Null and constant addresses are ignored.
void ReleaseMemory(void* block);

// Records where the read-only program constants lie (set once at start-up).
void SetConstantBlock(const void* start, std::size_t size);
[[nodiscard]] bool IsInConstantBlock(const void* address);

// If the array in `*array_variable` is a constant, replaces it with a heap
// copy (header, dimension sizes and elements) so it can be modified.
void MakeArrayPrivate(std::int32_t element_size, void** array_variable);

}  // namespace pelmora
