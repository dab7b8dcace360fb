// Whether a program is built for 32-bit or 64-bit Windows, and which of
// the two this program runs on. Add-ins must match the bitness of the
// program that loads them.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

enum class ProgramBitness { kUnknown, k32Bit, k64Bit };

// kUnknown when the file cannot be examined (missing, unreadable, no
// Windows program, or a path of 260 bytes or more).
[[nodiscard]] ProgramBitness BitnessOfProgram(TextView path);

// True on 64-bit Windows. This program is 32-bit, so that is where it runs
// under WOW64; false when that cannot be told. Its 64-bit test build runs
// on 64-bit Windows only, where this is always true.
[[nodiscard]] bool WindowsIs64Bit();

}  // namespace pelmora
