#include "fakes/vba_payload_fake.h"

#include <cstdint>

#include "app/vba_payload.h"

namespace pelmora {
namespace {

std::string Block(const std::string& bytes) {
  std::string block(8, '\0');
  const std::uint32_t one = 1;
  const auto count = static_cast<std::uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) {
    block[i] = static_cast<char>((one >> (8 * i)) & 0xFF);
    block[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  }
  return block + bytes;
}

std::string MakeDefault() {
  // Looks like the start of an executable, then a line that names itself,
  // then every byte value once so that text-mode or truncating writes show.
  std::string bytes = "MZ";
  bytes += "PELMORA FAKE VBA INSTALLER PAYLOAD\r\n";
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  bytes += "END OF FAKE PAYLOAD";
  return bytes;
}

std::string& Storage() {
  static std::string block = Block(DefaultFakeVbaPayload());
  return block;
}

}  // namespace

const std::string& DefaultFakeVbaPayload() {
  static const std::string bytes = MakeDefault();
  return bytes;
}

void SetFakeVbaPayload(const std::string& bytes) { Storage() = Block(bytes); }

ByteSetView VbaInstallerPayload() { return ByteSetView(Storage().data()); }

}  // namespace pelmora
