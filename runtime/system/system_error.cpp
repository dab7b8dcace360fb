#include "runtime/system/system_error.h"

#include <cstdio>
#include <cstring>

#include "runtime/system/system_error_port.h"

namespace pelmora {

namespace {

// Code 0 means success to the system, whose text for it ("操作成功完成")
// would make a failure read as success.
constexpr const char kNoReasonGiven[] = "未知错误（系统没有给出原因）";

}  // namespace

Text DescribeSystemError(std::uint32_t code) {
  if (code == 0) return Text::From(kNoReasonGiven);
  Text message = port::SystemErrorMessage(code);
  // The table's texts end in a line break, often after a full stop; the
  // boxes put the text inside sentences of their own. None of these bytes
  // can be the trail byte of a double-byte character, so trimming from the
  // end is safe.
  const char* bytes = message.c_str();
  std::size_t length = message.size();
  while (length > 0 && std::strchr("\r\n .", bytes[length - 1]) != nullptr) --length;
  if (length > 0) return Text::FromBytes(bytes, length);
  char fallback[32];
  int n = std::snprintf(fallback, sizeof fallback, "错误代码 %lu", static_cast<unsigned long>(code));
  return Text::FromBytes(fallback, static_cast<std::size_t>(n));
}

}  // namespace pelmora
