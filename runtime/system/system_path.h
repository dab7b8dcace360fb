// Paths as the system's ANSI calls give and take them: bytes in the
// process's code page, not GBK. Splitting one with the GBK rule would let
// an accented last letter (é is 0xE9 in code page 1252) swallow the
// backslash after it.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

// The last backslash that is a character of its own in the system's code
// page (the 0x5C trail byte of a double-byte character is not one), or
// null.
const char* FindLastPathBackslash(TextView path);

// The folder that holds `path`: everything before its last backslash;
// empty when there is none.
[[nodiscard]] Text ParentFolder(TextView path);

// What follows the last backslash, all of `path` when there is none: a
// file's or a folder's own name.
[[nodiscard]] Text FinalPathPart(TextView path);

// The folder without its final backslashes, judged as FindLastPathBackslash
// judges them: a path may end in a character whose second byte is 0x5C.
[[nodiscard]] Text WithoutTrailingBackslash(TextView folder);

// True when `byte` starts a double-byte character in the system's code
// page.
bool IsPathLeadByte(char byte);

}  // namespace pelmora
