#include <cstdint>
#include <string>

#include "runtime/window/window_engine_internal.h"

namespace pelmora::engine {
namespace {

std::uint32_t Read(const std::string& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

bool ChooseIconEntry(const std::string& icon_file, int pixels, std::size_t* offset,
                     std::size_t* length) {
  constexpr std::size_t kHeader = 6, kEntry = 16;
  if (icon_file.size() < kHeader || Read(icon_file, 0, 2) != 0 || Read(icon_file, 2, 2) != 1) {
    return false;
  }
  const std::size_t count = Read(icon_file, 4, 2);
  if (count == 0 || icon_file.size() < kHeader + count * kEntry) return false;
  std::size_t chosen = count - 1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeader + i * kEntry;
    const int width = static_cast<int>(Read(icon_file, at, 1));
    const std::uint32_t colors = Read(icon_file, at + 2, 1);
    const std::uint32_t bits = Read(icon_file, at + 6, 2);
    // A colour count of 0 means 256 or more; 4 bits per pixel is 16.
    const bool enough_colors = colors == 0 || colors >= 16 || bits >= 4;
    if (width == pixels && enough_colors) {
      chosen = i;
      break;
    }
  }
  const std::size_t at = kHeader + chosen * kEntry;
  const std::size_t size = Read(icon_file, at + 8, 4);
  const std::size_t start = Read(icon_file, at + 12, 4);
  if (start > icon_file.size() || size > icon_file.size() - start || size == 0) return false;
  *offset = start;
  *length = size;
  return true;
}

}  // namespace pelmora::engine
