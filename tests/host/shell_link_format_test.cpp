// The check of a shortcut's item list that runs before the shell reads it.
#include <gtest/gtest.h>

#include <string>

#include "runtime/system/shell_link_format.h"

namespace pelmora {
namespace {

// A shell link header with the item-list flag, then `list` as the item list
// (its size field included).
std::string Link(const std::string& list) {
  std::string bytes(0x4C, '\0');
  bytes[0] = 0x4C;
  bytes[0x14] = 0x01;
  return bytes + list + std::string(8, 'x');  // a location block follows
}

std::string U16(unsigned value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

bool Whole(const std::string& bytes) {
  return ShortcutItemListIsWhole(reinterpret_cast<const unsigned char*>(bytes.data()),
                                 bytes.size());
}

TEST(ShortcutItemList, AWellFormedListPassesAndDamageIsCaught) {
  const std::string item = U16(5) + "abc";
  EXPECT_TRUE(Whole(Link(U16(2 + 5 + 5) + item + item + U16(0))));
  EXPECT_TRUE(Whole(Link(U16(2) + U16(0)))) << "an empty list";

  // The list's size runs past the end of the file (0xFF 0xFF at 0x4C).
  EXPECT_FALSE(Whole(Link(U16(0xFFFF) + item + U16(0))));
  // An item runs past the list, or is too small to hold its own size.
  EXPECT_FALSE(Whole(Link(U16(2 + 5) + U16(40) + "abc" + U16(0))));
  EXPECT_FALSE(Whole(Link(U16(4) + U16(1) + U16(0))));
  // No terminator inside the list.
  EXPECT_FALSE(Whole(Link(U16(5) + item)));
  // Cut short right after the header.
  EXPECT_FALSE(Whole(Link("").substr(0, 0x4D)));
}

TEST(ShortcutItemList, WhatIsNoItemListIsLeftToTheShell) {
  EXPECT_TRUE(Whole(""));
  EXPECT_TRUE(Whole(std::string(0x40, 'z'))) << "shorter than a header";
  std::string other = Link(U16(0xFFFF));
  other[0] = 0x4D;
  EXPECT_TRUE(Whole(other)) << "not a shell link header";
  std::string no_list = Link(U16(0xFFFF));
  no_list[0x14] = 0x02;
  EXPECT_TRUE(Whole(no_list)) << "the flag says there is no item list";
}

}  // namespace
}  // namespace pelmora
