// bytesetpack: stores a file as a byte set, the {int32 1, int32 count, bytes}
// block in which the program carries its installer.
//
//   bytesetpack <input> <output>
//
// Runs on the build machine.
#include <cstdint>
#include <cstdio>
#include <string>

#include "tools/read_whole_file.h"

namespace {

using pelmora::tools::ReadWholeFile;

void AppendLittleEndian(std::string* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bytesetpack <input> <output>\n");
    return 2;
  }
  std::string bytes;
  if (!ReadWholeFile(argv[1], &bytes)) {
    std::fprintf(stderr, "bytesetpack: cannot read %s\n", argv[1]);
    return 1;
  }
  // The count is a signed 32-bit word in the program.
  if (bytes.size() > 0x7FFFFFF7u) {
    std::fprintf(stderr, "bytesetpack: %s is too large for a byte set\n", argv[1]);
    return 1;
  }
  std::string block;
  block.reserve(bytes.size() + 8);
  AppendLittleEndian(&block, 1);
  AppendLittleEndian(&block, static_cast<std::uint32_t>(bytes.size()));
  block += bytes;

  const std::string temp = std::string(argv[2]) + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  bool ok = f != nullptr && std::fwrite(block.data(), 1, block.size(), f) == block.size();
  if (f != nullptr && std::fclose(f) != 0) ok = false;
  if (!ok || std::rename(temp.c_str(), argv[2]) != 0) {
    std::remove(temp.c_str());
    std::fprintf(stderr, "bytesetpack: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
