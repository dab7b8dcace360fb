// The C++ runtime pieces pelmora.exe needs, kept out of MinGW's static
// libstdc++, whose internals (inside namespace std and __gnu_cxx) these
// definitions replace: the file is built with MinGW only. The program is
// built without exceptions, yet libstdc++'s own allocation and error
// helpers throw, and linking them drags in the whole unwinder, type
// information and the demangler: most of the executable. Here allocation
// uses the process heap like every runtime value, running out of memory is
// the program's usual fatal report, and a broken library invariant ends the
// process.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "runtime/system/fatal_report.h"

namespace {

void* HeapBlock(std::size_t size) {
  return HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size);
}

[[noreturn]] void OutOfMemory(std::size_t size) {
  pelmora::ReportOutOfMemory(static_cast<std::int32_t>(size > 0x7FFFFFFF ? 0x7FFFFFFF : size));
}

}  // namespace

void* operator new(std::size_t size) {
  void* block = HeapBlock(size);
  if (block == nullptr) OutOfMemory(size);
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return HeapBlock(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return HeapBlock(size); }
void operator delete(void* block) noexcept {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }

// The default terminate handler prints the exception's demangled type,
// which links the demangler (about 45 KiB); nothing is ever thrown here.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// What the standard library's containers call on misuse or exhaustion.
namespace std {
void __throw_bad_alloc() { OutOfMemory(0); }
void __throw_bad_array_new_length() { OutOfMemory(0); }
void __throw_length_error(const char*) { OutOfMemory(0); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
// An empty std::function called: a fault of the program, never an answer.
void __throw_bad_function_call() { std::abort(); }
// A failed bounds check inside the library (assertions are on, see
// cmake/warnings.cmake); the library's own version prints through the
// demangler.
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept { std::abort(); }
}  // namespace std
