#include "runtime/text/memory.h"

#include <cstring>

#include "runtime/system/fatal_report.h"
#include "runtime/text/heap_port.h"

namespace pelmora {
namespace {

const unsigned char* g_constant_start = nullptr;
std::size_t g_constant_size = 0;

[[noreturn]] void ReportExhaustion(std::int32_t size) {
  ReportOutOfMemory(size);
}

std::size_t BytesToConstantEnd(const void* address) {
  const auto* p = static_cast<const unsigned char*>(address);
  return g_constant_size - static_cast<std::size_t>(p - g_constant_start);
}

}  // namespace

void SetConstantBlock(const void* start, std::size_t size) {
  g_constant_start = static_cast<const unsigned char*>(start);
  g_constant_size = size;
}

bool IsInConstantBlock(const void* address) {
  if (g_constant_start == nullptr || address == nullptr) return false;
  const auto* p = static_cast<const unsigned char*>(address);
  // Compare as integers: pointers into different objects are not ordered.
  const auto value = reinterpret_cast<std::uintptr_t>(p);
  const auto start = reinterpret_cast<std::uintptr_t>(g_constant_start);
  return value >= start && value - start < g_constant_size;
}

void* AllocateMemory(std::int32_t size) {
  // A negative count can only come from a corrupt length; asking the heap
  // for ~4 GiB would fail anyway, so report it the same way.
  if (size < 0) ReportExhaustion(size);
  void* block = port::HeapAllocate(size == 0 ? 1 : static_cast<std::size_t>(size));
  if (block == nullptr) ReportExhaustion(size);
  return block;
}

void* ResizeMemory(void* block, std::int32_t size) {
  if (block == nullptr) return AllocateMemory(size);
  if (size < 0) ReportExhaustion(size);
  if (IsInConstantBlock(block)) {
    void* copy = AllocateMemory(size);
    std::size_t available = BytesToConstantEnd(block);
    std::size_t count = static_cast<std::size_t>(size) < available
                            ? static_cast<std::size_t>(size)
                            : available;
    std::memcpy(copy, block, count);
    return copy;
  }
  void* moved = port::HeapResize(block, size == 0 ? 1 : static_cast<std::size_t>(size));
  if (moved == nullptr) ReportExhaustion(size);
  return moved;
}

void ReleaseMemory(void* block) {
  if (block == nullptr || IsInConstantBlock(block)) return;
  port::HeapRelease(block);
}

void MakeArrayPrivate(std::int32_t element_size, void** array_variable) {
  void* array = *array_variable;
  if (array == nullptr || !IsInConstantBlock(array)) return;
  std::int32_t dimensions;
  std::memcpy(&dimensions, array, 4);
  const auto* sizes = static_cast<const unsigned char*>(array) + 4;
  std::int64_t count = dimensions > 0 ? 1 : 0;
  for (std::int32_t d = 0; d < dimensions; ++d) {
    std::int32_t n;
    std::memcpy(&n, sizes + 4 * d, 4);
    count *= n;
  }
  std::int64_t total = 4 + 4 * static_cast<std::int64_t>(dimensions) + count * element_size;
  if (total > INT32_MAX) ReportExhaustion(INT32_MAX);
  void* copy = AllocateMemory(static_cast<std::int32_t>(total));
  std::memcpy(copy, array, static_cast<std::size_t>(total));
  *array_variable = copy;
}

}  // namespace pelmora
