// The process's ANSI code page on the host: 936 unless a test picks 1252
// for the duration of a scope.
#pragma once

#include <string>

namespace pelmora::fake {

enum class SystemCodePage { kChinese936, kWestern1252 };

SystemCodePage CurrentSystemCodePage();

// Bytes in the current system code page, as UTF-8 for assertions.
std::string SystemToUtf8(const std::string& bytes);

class ScopedSystemCodePage {
 public:
  explicit ScopedSystemCodePage(SystemCodePage code_page);
  ~ScopedSystemCodePage();
  ScopedSystemCodePage(const ScopedSystemCodePage&) = delete;
  ScopedSystemCodePage& operator=(const ScopedSystemCodePage&) = delete;

 private:
  SystemCodePage previous_;
};

}  // namespace pelmora::fake
