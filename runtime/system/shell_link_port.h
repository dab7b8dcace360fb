// The shell calls that read a shortcut file. The component object system
// must be initialised on the calling thread.
#pragma once

#include "runtime/system/files_port.h"

namespace pelmora::port {

// SHGetFileInfoA with the attributes request: the item carries SFGAO_LINK.
[[nodiscard]] bool ItemIsShellLink(const char* path);

// Loads the shortcut through IShellLinkA + IPersistFile and copies the
// stored target, never resolving it. False on any failure, and when the
// stored path would not fit the kPathBuffer buffer.
[[nodiscard]] bool ReadShellLinkTarget(const char* path, char* target);

}  // namespace pelmora::port
