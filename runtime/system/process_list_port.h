// The running processes, as the platform lists them: a snapshot walked
// entry by entry, and each process's full image path on request.
#pragma once

#include <cstdint>

#include "runtime/system/files_port.h"
#include "runtime/system/unique_resource.h"

namespace pelmora::port {

// A snapshot of the process list; 0 = none.
using ProcessSnapshot = std::uintptr_t;

struct ProcessEntry {
  std::uint32_t id = 0;
  char file_name[kPathBuffer] = {};  // the executable's name, without folder
};

// CreateToolhelp32Snapshot of the processes; 0 when it fails.
[[nodiscard]] ProcessSnapshot TakeProcessSnapshot();
// Process32First / Process32Next; false when no entry is left.
[[nodiscard]] bool FirstProcess(ProcessSnapshot snapshot, ProcessEntry* entry);
[[nodiscard]] bool NextProcess(ProcessSnapshot snapshot, ProcessEntry* entry);
void CloseProcessSnapshot(ProcessSnapshot snapshot);
using UniqueProcessSnapshot = UniqueResource<ProcessSnapshot, &CloseProcessSnapshot>;

// QueryFullProcessImageNameA into a kPathBuffer buffer. False when the
// process cannot be opened for the query or the path does not fit.
[[nodiscard]] bool ProcessImagePath(std::uint32_t process_id, char* path);

}  // namespace pelmora::port
