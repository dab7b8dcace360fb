// Helpers shared by the user-interface adapters (windows, dialogs, fatal
// box). Included only by *_win32.cpp files.
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/win32/owners_win32.h"

namespace pelmora::win32 {

// Every text value is GBK; what reaches the screen is converted from code
// page 936 explicitly so it reads the same whatever the ANSI page is.
// (A vector rather than std::wstring: the library's wide-string code is
// compiled with exceptions and would bring the unwinder into the program.)
class WideText {
 public:
  WideText() : chars_(1, L'\0') {}
  explicit WideText(std::size_t length) : chars_(length + 1, L'\0') {}
  const wchar_t* c_str() const { return chars_.data(); }
  wchar_t* data() { return chars_.data(); }

 private:
  std::vector<wchar_t> chars_;
};

constexpr UINT kGbk = 936;

inline WideText WideFromGbk(const char* gbk) {
  if (gbk == nullptr || gbk[0] == '\0') return WideText();
  const int n = MultiByteToWideChar(kGbk, 0, gbk, -1, nullptr, 0);
  if (n <= 0) return WideText();
  WideText wide(static_cast<std::size_t>(n - 1));
  MultiByteToWideChar(kGbk, 0, gbk, -1, wide.data(), n);
  return wide;
}

// Appends `size` bytes in `code_page`, converted, to `wide` (no NUL).
inline void AppendWide(UINT code_page, const char* bytes, std::size_t size,
                       std::vector<wchar_t>* wide) {
  if (size == 0) return;
  const int length = static_cast<int>(size);
  const int n = MultiByteToWideChar(code_page, 0, bytes, length, nullptr, 0);
  if (n <= 0) return;
  const std::size_t old_size = wide->size();
  wide->resize(old_size + static_cast<std::size_t>(n));
  MultiByteToWideChar(code_page, 0, bytes, length, wide->data() + old_size, n);
}

}  // namespace pelmora::win32
