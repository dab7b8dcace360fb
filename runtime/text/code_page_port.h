// The process's ANSI code page, in which the system's ANSI calls hand out
// and take paths: 936 on a Chinese Windows, 1252 on an English or European
// one, where bytes of 0x80 and above are letters of their own.
#pragma once

#include <string>

namespace pelmora::port {

// True when `byte` starts a double-byte character in that code page.
bool IsSystemLeadByte(unsigned char byte);

// Bytes of GBK (the program's own wording) or of the system's code page (a
// path from the system) as UTF-8, for a log that reads alike on every
// Windows.
std::string GbkToUtf8Bytes(const std::string& gbk);
std::string SystemToUtf8Bytes(const std::string& system_bytes);

}  // namespace pelmora::port
