// The process heap, for every runtime value.
#include <windows.h>

#include "runtime/text/heap_port.h"

namespace pelmora::port {

void* HeapAllocate(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
void* HeapResize(void* block, std::size_t size) {
  return HeapReAlloc(GetProcessHeap(), 0, block, size);
}
void HeapRelease(void* block) { HeapFree(GetProcessHeap(), 0, block); }

}  // namespace pelmora::port
