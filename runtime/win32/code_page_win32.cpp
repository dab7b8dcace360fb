// The system's ANSI code page, for the path rules that step through
// double-byte characters.
#include <windows.h>

#include <string>

#include "runtime/text/code_page_port.h"

namespace pelmora::port {

bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

namespace {

std::string ToUtf8(UINT code_page, const std::string& bytes) {
  if (bytes.empty()) return std::string();
  const int size = static_cast<int>(bytes.size());
  const int wide_count = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (wide_count <= 0) return std::string();
  std::wstring wide(static_cast<std::size_t>(wide_count), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), wide_count);
  const int utf8_count =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_count, nullptr, 0, nullptr, nullptr);
  if (utf8_count <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(utf8_count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_count, utf8.data(), utf8_count, nullptr,
                      nullptr);
  return utf8;
}

}  // namespace

std::string GbkToUtf8Bytes(const std::string& gbk) { return ToUtf8(936, gbk); }
std::string SystemToUtf8Bytes(const std::string& system_bytes) {
  return ToUtf8(CP_ACP, system_bytes);
}

}  // namespace pelmora::port
