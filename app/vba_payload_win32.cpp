#include "app/vba_payload_win32.h"

#include <cstdint>
#include <cstring>

#include "app/vba_payload.h"
#include "resource_ids.h"

namespace pelmora {

// A resource of a loaded module stays mapped read-only for as long as the
// module is loaded, so the view can point straight at it. Resource handles
// need no release, so there is no owner to keep here.
ByteSetView VbaInstallerPayloadIn(HMODULE module) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(PELMORA_VBA_PAYLOAD), MAKEINTRESOURCEA(10));
  if (info == nullptr) return ByteSetView();
  const DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const void* block = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (block == nullptr || size < 8) return ByteSetView();

  // A count beyond the resource would make the file writer read past the
  // image; treat such a block as no payload at all.
  std::int32_t header[2];
  std::memcpy(header, block, sizeof header);
  if (header[0] != 1 || header[1] < 0 || static_cast<DWORD>(header[1]) > size - 8) {
    return ByteSetView();
  }
  return ByteSetView(block);
}

ByteSetView VbaInstallerPayload() { return VbaInstallerPayloadIn(GetModuleHandleA(nullptr)); }

}  // namespace pelmora
