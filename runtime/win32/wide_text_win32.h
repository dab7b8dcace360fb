// Texts on their way to and from the wide-character calls: the screen's,
// and the file calls that only exist in wide form. Included only by
// *_win32.cpp files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pelmora::win32 {

// A NUL-ended wide text. (A vector rather than std::wstring: the library's
// wide-string code is compiled with exceptions and would bring the unwinder
// into the program.)
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

inline WideText WideFrom(UINT code_page, const char* text) {
  if (text == nullptr || text[0] == '\0') return WideText();
  const int n = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
  if (n <= 0) return WideText();
  WideText wide(static_cast<std::size_t>(n - 1));
  MultiByteToWideChar(code_page, 0, text, -1, wide.data(), n);
  return wide;
}

// Every text value is GBK; what reaches the screen is converted from code
// page 936 explicitly so it reads the same whatever the ANSI page is.
inline WideText WideFromGbk(const char* gbk) { return WideFrom(kGbk, gbk); }

// Paths are in the process's own code page, as the ANSI calls read them.
inline WideText WideFromSystem(const char* path) { return WideFrom(CP_ACP, path); }

// `length` wide characters back in the process's code page. A character
// the code page lacks becomes '?', never a look-alike ("ā" is not "a"), so
// a name that differs never reads the same; '?' is in no file name.
inline std::string SystemFromWide(const wchar_t* wide, int length) {
  if (length <= 0) return std::string();
  // A system whose code page is UTF-8 refuses the flag, and needs none.
  const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide, length, &bytes[0], n, nullptr, nullptr);
  return bytes;
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
