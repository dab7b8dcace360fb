// Every owner of a Win32 handle the adapters hold, each a UniqueResource
// named Unique<Thing>: kernel handles, GDI objects, icons, the screen's
// device context, system-allocated blocks, libraries and COM interfaces.
// The portable owners (registry keys, files, searches, snapshots, declared
// libraries) stand beside the close functions of their ports. The system's
// close functions are wrapped in functions of our own: the address of an
// imported function is not a constant a template argument may name.
// Included only by *_win32.cpp files.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "runtime/system/unique_resource.h"

namespace pelmora::win32 {

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void ReleaseScreenDC(HDC dc) { ReleaseDC(nullptr, dc); }
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
// The whole screen's device context, as GetDC(nullptr) lends it.
using UniqueScreenDC = UniqueResource<HDC, &ReleaseScreenDC>;
// A block the system allocated with LocalAlloc for us (FormatMessage, a
// security descriptor made from its text form).
using UniqueLocalText = UniqueResource<wchar_t*, &FreeLocalBlock>;
using UniqueLocalBlock = UniqueResource<void*, &FreeLocalBlock>;
using UniqueModule = UniqueResource<HMODULE, &UnloadModule>;
// One reference to a COM interface.
template <typename Interface>
using UniqueInterface = UniqueResource<Interface*, &ReleaseInterface<Interface>>;

// For COM calls that hand an interface back through a void**.
template <typename Interface>
void** PutInterface(UniqueInterface<Interface>& pointer) {
  return reinterpret_cast<void**>(pointer.put());
}

}  // namespace pelmora::win32
