// Process-level start-up and ending on Win32.
#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "runtime/win32/library_win32.h"
#include "runtime/window/startup_port.h"
#include "runtime/window/window_port.h"

namespace pelmora::port {
namespace {

DWORD g_main_thread = 0;

}  // namespace

void HardenLibrarySearch() {
  // Resolved at run time: systems without the update that added it simply
  // keep their default search order.
  const auto set_directories = win32::LookupProcedure<BOOL WINAPI(DWORD)>(
      GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (set_directories != nullptr) set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

namespace {

// The headers know the policy's number but not its structure, which only
// recent Windows has; written here as the SDK defines it.
constexpr int kProcessRedirectionTrustPolicy = 16;
static_assert(kProcessRedirectionTrustPolicy == ProcessRedirectionTrustPolicy);
struct RedirectionTrustPolicy {
  DWORD flags;
};
constexpr DWORD kEnforceRedirectionTrust = 0x1;

}  // namespace

void EnforceRedirectionTrust() {
  // A system without the policy refuses it, and Wine takes it and does
  // nothing: either way every folder we write in is still checked itself.
  const auto set_policy =
      win32::LookupProcedure<BOOL WINAPI(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T)>(
          GetModuleHandleW(L"kernel32.dll"), "SetProcessMitigationPolicy");
  if (set_policy == nullptr) return;
  RedirectionTrustPolicy policy = {kEnforceRedirectionTrust};
  (void)set_policy(static_cast<PROCESS_MITIGATION_POLICY>(kProcessRedirectionTrustPolicy), &policy,
                   sizeof policy);
}

// Every allocation already goes to GetProcessHeap(); asking once here makes
// sure the heap is set up before the first value is made.
void RecordProcessHeap() { GetProcessHeap(); }

std::string ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void SetCurrentFolder(const char* folder) {
  if (folder != nullptr && folder[0] != '\0') SetCurrentDirectoryA(folder);
}

void RecordMainThread() { g_main_thread = GetCurrentThreadId(); }

bool OnMainThread() { return g_main_thread == 0 || GetCurrentThreadId() == g_main_thread; }

void ProgramImage(const void** start, std::size_t* size) {
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  *start = base;
  *size = nt->OptionalHeader.SizeOfImage;
}

bool FormDescriptionResource(const unsigned char** data, std::size_t* size) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(PELMORA_FORM_DESCRIPTION),
                              MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) return false;
  *data = static_cast<const unsigned char*>(LockResource(loaded));
  *size = SizeofResource(nullptr, found);
  return *data != nullptr;
}

void EndProcess(int exit_code) { ExitProcess(static_cast<UINT>(exit_code)); }

}  // namespace pelmora::port
