#include "runtime/win32/desktop_shell_win32.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlobj.h>

#include "runtime/system/library_port.h"
#include "runtime/win32/library_win32.h"
#include "runtime/win32/owners_win32.h"
#include "runtime/win32/shell_api_win32.h"
#include "runtime/win32/wide_text_win32.h"

// shellapi.h's name for ShellExecuteA would rename the method.
#undef ShellExecute

namespace pelmora::win32 {
namespace {

// The headers declare these two without defining them; their definitions
// come in a library of many more.
constexpr CLSID kShellWindows = {
    0x9ba05972, 0xf6a8, 0x11cf, {0xa4, 0x42, 0x00, 0xa0, 0xc9, 0x0a, 0x8f, 0x39}};
constexpr GUID kTopLevelBrowser = {
    0x4c96be40, 0x915c, 0x11cf, {0x99, 0xd3, 0x00, 0xaa, 0x00, 0x4a, 0xe8, 0x37}};

// Not imported, like ole32 and shell32, and kept loaded once loaded.
HMODULE OleAutomation() {
  static const HMODULE library = static_cast<HMODULE>(port::LoadSystemLibrary("oleaut32.dll"));
  return library;
}

void FreeString(BSTR text) {
  static const auto call = LookupProcedure<void WINAPI(BSTR)>(OleAutomation(), "SysFreeString");
  if (call != nullptr) call(text);
}
using UniqueString = UniqueResource<BSTR, &FreeString>;

UniqueString AllocateString(const wchar_t* text) {
  static const auto call =
      LookupProcedure<BSTR WINAPI(const OLECHAR*)>(OleAutomation(), "SysAllocString");
  return UniqueString(call != nullptr ? call(text) : nullptr);
}

// The desktop's window among the shell's windows, its browser, the view it
// shows, that view's background, and the shell application behind it.
UniqueInterface<IShellDispatch2> DesktopShell() {
  UniqueInterface<IShellWindows> windows;
  if (FAILED(CreateComInstance(kShellWindows, CLSCTX_LOCAL_SERVER, __uuidof(IShellWindows),
                               PutInterface(windows)))) {
    return {};
  }
  VARIANT desktop = {};
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT no_root = {};
  long window = 0;
  UniqueInterface<IDispatch> found;
  if (windows.get()->FindWindowSW(&desktop, &no_root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                  found.put()) != S_OK ||
      !found) {
    return {};
  }
  UniqueInterface<IServiceProvider> services;
  UniqueInterface<IShellBrowser> browser;
  UniqueInterface<IShellView> view;
  UniqueInterface<IDispatch> background;
  UniqueInterface<IShellFolderViewDual> folder_view;
  UniqueInterface<IDispatch> application;
  UniqueInterface<IShellDispatch2> shell;
  if (FAILED(found.get()->QueryInterface(__uuidof(IServiceProvider), PutInterface(services))) ||
      FAILED(services.get()->QueryService(kTopLevelBrowser, __uuidof(IShellBrowser),
                                          PutInterface(browser))) ||
      FAILED(browser.get()->QueryActiveShellView(view.put())) || !view ||
      FAILED(view.get()->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch),
                                       PutInterface(background))) ||
      FAILED(background.get()->QueryInterface(__uuidof(IShellFolderViewDual),
                                              PutInterface(folder_view))) ||
      FAILED(folder_view.get()->get_Application(application.put())) || !application ||
      FAILED(application.get()->QueryInterface(__uuidof(IShellDispatch2), PutInterface(shell)))) {
    return {};
  }
  return shell;
}

}  // namespace

bool OpenThroughDesktopShell(const char* address) {
  const UniqueInterface<IShellDispatch2> shell = DesktopShell();
  if (!shell) return false;
  const UniqueString file = AllocateString(WideFromSystem(address).c_str());
  if (!file) return false;
  VARIANT none = {};  // no arguments, no folder, the default verb
  VARIANT show = {};
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell.get()->ShellExecute(file.get(), none, none, none, show));
}

}  // namespace pelmora::win32
