// Host heap: the C library, so the sanitizers see every block.
#include <cstdlib>

#include "fakes/heap_fake.h"
#include "runtime/heap_port.h"

namespace pelmora::fake {
std::size_t g_heap_limit = 0;
long g_live_blocks = 0;
}  // namespace pelmora::fake

namespace pelmora::port {

void* HeapAllocate(std::size_t size) {
  if (fake::g_heap_limit != 0 && size > fake::g_heap_limit) return nullptr;
  void* p = std::malloc(size);
  if (p) ++fake::g_live_blocks;
  return p;
}

void* HeapResize(void* block, std::size_t size) {
  if (fake::g_heap_limit != 0 && size > fake::g_heap_limit) return nullptr;
  return std::realloc(block, size);
}

void HeapRelease(void* block) {
  --fake::g_live_blocks;
  std::free(block);
}

}  // namespace pelmora::port
