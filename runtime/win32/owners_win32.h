// The Win32 handle kinds the adapters hold, each an UniqueResource. The
// system's close functions are wrapped in functions of our own: the address
// of an imported function is not a constant a template argument may name.
// Included only by *_win32.cpp files.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "runtime/system/unique_resource.h"

namespace pelmora::win32 {

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void FreeLocalBlock(void* block) { LocalFree(block); }
inline void UnloadModule(HMODULE module) { FreeLibrary(module); }
template <typename Interface>
void ReleaseInterface(Interface* pointer) {
  pointer->Release();
}

// Process and thread handles (null when there is none).
using UniqueKernelHandle = UniqueResource<HANDLE, &CloseKernelHandle>;
using UniqueFont = UniqueResource<HFONT, &DeleteGdiObject>;
using UniqueBrush = UniqueResource<HBRUSH, &DeleteGdiObject>;
using UniqueIcon = UniqueResource<HICON, &DestroyIconHandle>;
// A block the system allocated with LocalAlloc for us (FormatMessage).
using UniqueLocalText = UniqueResource<wchar_t*, &FreeLocalBlock>;
using UniqueModule = UniqueResource<HMODULE, &UnloadModule>;
// One reference to a COM interface.
template <typename Interface>
using ComPtr = UniqueResource<Interface*, &ReleaseInterface<Interface>>;

// For COM calls that hand an interface back through a void**.
template <typename Interface>
void** PutInterface(ComPtr<Interface>& pointer) {
  return reinterpret_cast<void**>(pointer.put());
}

}  // namespace pelmora::win32
