// What a shortcut file's own bytes say before the shell is asked to read
// it: whether its list of shell items is whole. Wine's shell reads a
// damaged list past its end and can crash the program; Windows refuses such
// a file, so refusing it first changes nothing there.
#pragma once

#include <cstddef>

namespace pelmora {

// The bytes needed to judge a shortcut: its header and the largest item
// list it can declare.
constexpr std::size_t kShortcutCheckBytes = 0x4E + 0xFFFF;

// False only for a shell link header whose item list runs past the end of
// the file or whose items do not end in the list's terminator within it.
// Anything else (another format, no item list) is left to the shell.
[[nodiscard]] bool ShortcutItemListIsWhole(const unsigned char* bytes, std::size_t size);

}  // namespace pelmora
