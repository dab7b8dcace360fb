// Helpers shared by the user-interface adapters (windows, dialogs, fatal
// box). Included only by *_win32.cpp files.
#pragma once

#include <windows.h>

#include <string>

namespace pelmora::win32 {

// Every text value is GBK; what reaches the screen is converted from code
// page 936 explicitly so it reads the same whatever the ANSI page is.
inline std::wstring WideFromGbk(const char* gbk) {
  if (gbk == nullptr || gbk[0] == '\0') return std::wstring();
  const int n = MultiByteToWideChar(936, 0, gbk, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk, -1, &wide[0], n);
  wide.resize(static_cast<std::size_t>(n - 1));
  return wide;
}

// One owner per kernel handle kind; copies would close twice.
template <HANDLE Invalid>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : handle_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  explicit operator bool() const { return handle_ != Invalid && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  HANDLE release() {
    HANDLE h = handle_;
    handle_ = Invalid;
    return h;
  }
  void reset(HANDLE h = Invalid) {
    if (*this) CloseHandle(handle_);
    handle_ = h;
  }

 private:
  HANDLE handle_ = Invalid;
};

using UniqueKernelHandle = UniqueHandle<nullptr>;

}  // namespace pelmora::win32
