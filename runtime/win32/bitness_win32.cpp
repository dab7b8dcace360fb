// Whether a program is 32- or 64-bit, and whether Windows is: the bitness
// port over GetBinaryTypeA and IsWow64Process.
#include <windows.h>

#include "runtime/system/bitness_port.h"

namespace pelmora::port {

bool ExecutableType(const char* path, std::uint32_t* type) {
  DWORD kind = 0;
  if (!GetBinaryTypeA(path, &kind)) return false;
  *type = kind;
  return true;
}

bool RunsOn64BitWindows() {
  if constexpr (sizeof(void*) == 8) return true;
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace pelmora::port
