// The process's ANSI code page, in which the system's ANSI calls hand out
// and take paths: 936 on a Chinese Windows, 1252 on an English or European
// one, where bytes of 0x80 and above are letters of their own.
#pragma once

namespace pelmora::port {

// True when `byte` starts a double-byte character in that code page.
bool IsSystemLeadByte(unsigned char byte);

}  // namespace pelmora::port
