// The system's message table, read as UTF-16 and handed back as GBK so the
// text is right whatever the process's ANSI code page.
#include <windows.h>

#include <memory>
#include <new>

#include "runtime/win32/owners_win32.h"
#include "runtime/system/system_error_port.h"

namespace pelmora::port {
namespace {

constexpr UINT kGbk = 936;

}  // namespace

Text SystemErrorMessage(std::uint32_t code) {
  win32::UniqueLocalText message;
  // With ALLOCATE_BUFFER the buffer argument receives the block's address.
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(message.put()), 0, nullptr);
  if (length == 0 || !message) return Text();
  int size = WideCharToMultiByte(kGbk, 0, message.get(), static_cast<int>(length), nullptr, 0,
                                 nullptr, nullptr);
  if (size <= 0) return Text();
  std::unique_ptr<char[]> gbk(new (std::nothrow) char[size]);
  if (!gbk) return Text();
  size = WideCharToMultiByte(kGbk, 0, message.get(), static_cast<int>(length), gbk.get(), size,
                             nullptr, nullptr);
  if (size <= 0) return Text();
  return Text::FromBytes(gbk.get(), static_cast<std::size_t>(size));
}

}  // namespace pelmora::port
