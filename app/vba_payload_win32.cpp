#include "app/vba_payload.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "resource_ids.h"

namespace pelmora {

// The payload stays inside the executable's own image: a resource of a
// loaded module is mapped read-only for the life of the process, so the view
// can point straight at it. Resource handles of a loaded module need no
// release, so there is no owner to keep here.
ByteSetView VbaInstallerPayload() {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(self, MAKEINTRESOURCEA(PELMORA_VBA_PAYLOAD), MAKEINTRESOURCEA(10));
  if (info == nullptr) return ByteSetView();
  const DWORD size = SizeofResource(self, info);
  HGLOBAL loaded = LoadResource(self, info);
  const void* block = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (block == nullptr || size < 8) return ByteSetView();

  // A block whose header does not match the resource would make the writer
  // read past the image; treat it as no payload at all.
  std::int32_t header[2];
  std::memcpy(header, block, sizeof header);
  if (header[0] != 1 || header[1] < 0 || static_cast<DWORD>(header[1]) > size - 8) {
    return ByteSetView();
  }
  return ByteSetView(block);
}

}  // namespace pelmora
