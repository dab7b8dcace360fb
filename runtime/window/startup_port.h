// The process-level steps of start-up.
#pragma once

#include <cstddef>
#include <string>

namespace pelmora::port {

// Libraries load from the system folder only, before anything else loads.
void HardenLibrarySearch();
// Where the system offers it, the process follows no junction or link that
// a non-administrator made (the redirection trust policy); elsewhere it
// goes on without.
void EnforceRedirectionTrust();
void RecordProcessHeap();
// The executable's full path (GBK).
[[nodiscard]] std::string ExecutablePath();
void SetCurrentFolder(const char* folder);
void RecordMainThread();
// The program image: its read-only constants and resources lie inside.
void ProgramImage(const void** start, std::size_t* size);
// The stored form description; false when the resource is missing.
[[nodiscard]] bool FormDescriptionResource(const unsigned char** data, std::size_t* size);

}  // namespace pelmora::port
