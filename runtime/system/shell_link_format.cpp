#include "runtime/system/shell_link_format.h"

#include <cstdint>

namespace pelmora {
namespace {

constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::size_t kFlagsAt = 0x14;
constexpr std::uint32_t kHasItemList = 0x1;

std::uint32_t Little16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Little32(const unsigned char* p) {
  return Little16(p) | (static_cast<std::uint32_t>(Little16(p + 2)) << 16);
}

}  // namespace

bool ShortcutItemListIsWhole(const unsigned char* bytes, std::size_t size) {
  if (size < kHeaderSize || Little32(bytes) != kHeaderSize) return true;
  if ((Little32(bytes + kFlagsAt) & kHasItemList) == 0) return true;
  if (size < kHeaderSize + 2) return false;
  const std::size_t list_size = Little16(bytes + kHeaderSize);
  const unsigned char* list = bytes + kHeaderSize + 2;
  if (kHeaderSize + 2 + list_size > size) return false;
  // Each item starts with its own size, the two size bytes included; a
  // size of 0 ends the list.
  for (std::size_t at = 0; at + 2 <= list_size;) {
    const std::size_t item = Little16(list + at);
    if (item == 0) return true;
    if (item < 2 || at + item > list_size) return false;
    at += item;
  }
  return false;
}

}  // namespace pelmora
