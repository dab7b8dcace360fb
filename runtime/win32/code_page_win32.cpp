// The system's ANSI code page, for the path rules that step through
// double-byte characters.
#include <windows.h>

#include "runtime/text/code_page_port.h"

namespace pelmora::port {

bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace pelmora::port
