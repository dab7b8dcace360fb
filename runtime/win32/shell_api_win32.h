// The shell32 and ole32 calls of the adapters, loaded from the system
// folder the first time one is made. Only the desktop route (the special
// folder, the shortcut) and the link labels need them; imported, the two
// libraries and what they import themselves would be mapped on every
// start, before the notice can appear. Each call fails the way the system
// call reports failure when its library or export cannot be had.
// Included only by *_win32.cpp files.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace pelmora::win32 {

// OleInitialize for this (the main) thread, once; the shell link object
// and the shell's "open" verb need it. False when it could not be done.
[[nodiscard]] bool EnsureOleInitialized();

// SHGetSpecialFolderPathA without owner and without creating the folder.
[[nodiscard]] BOOL ShellSpecialFolderPath(LPSTR path, int csidl);
// SHGetFileInfoA.
[[nodiscard]] DWORD_PTR ShellFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info,
                                      UINT flags);
// ShellExecuteA; a result of 32 or less is a failure, as there.
HINSTANCE ShellExecuteVerb(HWND owner, LPCSTR verb, LPCSTR file, INT show);
// CoCreateInstance; E_FAIL when ole32 is not there.
[[nodiscard]] HRESULT CreateComInstance(REFCLSID class_id, DWORD context, REFIID interface_id,
                                        void** object);

}  // namespace pelmora::win32
