// Whether what was opened by a path is what that path names, reached
// without a link. The program runs elevated, often as SYSTEM, and writes
// in folders a standard user may change: a link planted there would turn
// its writes and deletions onto files the user could never touch.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/system/files_port.h"
#include "runtime/text/values.h"

namespace pelmora {

enum class OpenedKind { kFile, kFolder };

// 0 when `opened` is what `asked` names. port::kErrorLeadsElsewhere when it
// is a link or a junction itself, a file that has a second name (a hard
// link), or when the system names it by another path than the one asked
// for, its short names made long and ignoring case (so that a folder on the
// way that leads elsewhere is caught too, even where the system follows it
// without a word); port::kErrorDirectory when a folder was asked for and it
// is a file; the system's code when it cannot tell. Where the system cannot
// name an open file (before Vista), the link attribute alone decides.
[[nodiscard]] std::uint32_t CheckOpenedAsAsked(port::FileHandle opened, TextView asked,
                                               OpenedKind kind);

// A final path as a path is written: "\\?\C:\x" is "C:\x" and
// "\\?\UNC\server\share" is "\\server\share".
[[nodiscard]] std::string WithoutFinalPathPrefix(const std::string& final_path);

}  // namespace pelmora
