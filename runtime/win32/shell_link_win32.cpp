// Reading a shortcut's stored target with the shell's link object.
#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "runtime/win32/owners_win32.h"
#include "runtime/win32/shell_api_win32.h"
#include "runtime/system/shell_link_port.h"

namespace pelmora::port {
namespace {

// The three identifiers, written out: the system's uuid library brings
// every interface identifier it knows into the executable (about 40 KiB).
constexpr CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace

bool ItemIsShellLink(const char* path) {
  // The shell asks the item's handler, which may be a COM object.
  if (!win32::EnsureOleInitialized()) return false;
  SHFILEINFOA info = {};
  if (win32::ShellFileInfo(path, 0, &info, SHGFI_ATTRIBUTES) == 0) return false;
  return (info.dwAttributes & SFGAO_LINK) != 0;
}

bool ReadShellLinkTarget(const char* path, char* target) {
  if (!win32::EnsureOleInitialized()) return false;
  win32::UniqueInterface<IShellLinkA> link;
  if (FAILED(win32::CreateComInstance(kClsidShellLink, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                      win32::PutInterface(link)))) {
    return false;
  }
  win32::UniqueInterface<IPersistFile> file;
  if (FAILED(link.get()->QueryInterface(kIidPersistFile, win32::PutInterface(file)))) return false;
  wchar_t wide_path[kPathBuffer];
  if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide_path, kPathBuffer) == 0) return false;
  if (FAILED(file.get()->Load(wide_path, STGM_READ))) return false;
  // Twice the platform's buffer, so a stored path that the 260-byte buffer
  // would silently cut short is seen and refused. Never Resolve: that can
  // show a window or rewrite the user's shortcut.
  char stored[2 * kPathBuffer] = {};
  if (FAILED(link.get()->GetPath(stored, sizeof stored, nullptr, 0))) return false;
  stored[sizeof stored - 1] = '\0';
  std::size_t length = std::strlen(stored);
  if (length >= kPathBuffer) return false;
  std::memcpy(target, stored, length + 1);
  return true;
}

}  // namespace pelmora::port
