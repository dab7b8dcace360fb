// Host heap: the C library, so the sanitizers see every block, with each
// live block's size recorded so tests can see exactly what was asked for.
#include <cstdlib>
#include <map>

#include "fakes/heap_fake.h"
#include "runtime/text/heap_port.h"

namespace pelmora::fake {
namespace {

std::map<const void*, std::size_t>& Sizes() {
  static std::map<const void*, std::size_t> sizes;
  return sizes;
}

}  // namespace

std::size_t g_heap_limit = 0;
long g_live_blocks = 0;

std::size_t HeapBlockSize(const void* block) {
  const auto it = Sizes().find(block);
  return it == Sizes().end() ? 0 : it->second;
}

}  // namespace pelmora::fake

namespace pelmora::port {

void* HeapAllocate(std::size_t size) {
  if (fake::g_heap_limit != 0 && size > fake::g_heap_limit) return nullptr;
  void* p = std::malloc(size);
  if (p) {
    ++fake::g_live_blocks;
    fake::Sizes()[p] = size;
  }
  return p;
}

void* HeapResize(void* block, std::size_t size) {
  if (fake::g_heap_limit != 0 && size > fake::g_heap_limit) return nullptr;
  void* p = std::realloc(block, size);
  if (p) {
    fake::Sizes().erase(block);
    fake::Sizes()[p] = size;
  }
  return p;
}

void HeapRelease(void* block) {
  --fake::g_live_blocks;
  fake::Sizes().erase(block);
  std::free(block);
}

}  // namespace pelmora::port
