#include "runtime/win32/shell_api_win32.h"

#include <objbase.h>
#include <ole2.h>

#include "runtime/system/library_port.h"
#include "runtime/win32/library_win32.h"

namespace pelmora::win32 {
namespace {

// Loaded once and kept until the process ends, as an imported library is.
HMODULE Shell32() {
  static const HMODULE library = static_cast<HMODULE>(port::LoadSystemLibrary("shell32.dll"));
  return library;
}

HMODULE Ole32() {
  static const HMODULE library = static_cast<HMODULE>(port::LoadSystemLibrary("ole32.dll"));
  return library;
}

using OleInitializeCall = HRESULT WINAPI(LPVOID);
using SpecialFolderPathCall = BOOL WINAPI(HWND, LPSTR, int, BOOL);
using FileInfoCall = DWORD_PTR WINAPI(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
using ShellExecuteCall = HINSTANCE WINAPI(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using CoCreateInstanceCall = HRESULT WINAPI(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

}  // namespace

bool EnsureOleInitialized() {
  static const bool initialized = [] {
    const auto initialize = LookupProcedure<OleInitializeCall>(Ole32(), "OleInitialize");
    return initialize != nullptr && SUCCEEDED(initialize(nullptr));
  }();
  return initialized;
}

BOOL ShellSpecialFolderPath(LPSTR path, int csidl) {
  static const auto call =
      LookupProcedure<SpecialFolderPathCall>(Shell32(), "SHGetSpecialFolderPathA");
  return call != nullptr ? call(nullptr, path, csidl, FALSE) : FALSE;
}

DWORD_PTR ShellFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT flags) {
  static const auto call = LookupProcedure<FileInfoCall>(Shell32(), "SHGetFileInfoA");
  return call != nullptr ? call(path, attributes, info, sizeof *info, flags) : 0;
}

HINSTANCE ShellExecuteVerb(HWND owner, LPCSTR verb, LPCSTR file, INT show) {
  static const auto call = LookupProcedure<ShellExecuteCall>(Shell32(), "ShellExecuteA");
  // SE_ERR_DLLNOTFOUND: what the shell itself answers when a library is missing.
  if (call == nullptr) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  return call(owner, verb, file, nullptr, nullptr, show);
}

HRESULT CreateComInstance(REFCLSID class_id, DWORD context, REFIID interface_id, void** object) {
  static const auto call = LookupProcedure<CoCreateInstanceCall>(Ole32(), "CoCreateInstance");
  *object = nullptr;
  if (call == nullptr) return E_FAIL;
  return call(class_id, nullptr, context, interface_id, object);
}

}  // namespace pelmora::win32
