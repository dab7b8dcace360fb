// The fatal report's box and ending on Win32.
#include <windows.h>

#include <string>

#include "runtime/system/fatal_port.h"
#include "runtime/window/window_engine.h"
#include "runtime/window/window_engine_internal.h"
#include "runtime/win32/wide_text_win32.h"

namespace pelmora::port {

void SuppressEventsForReport() { engine::RaiseEventSuppression(); }

void ShowFatalErrorBox(const char* gbk_text) {
  const win32::WideText text = win32::WideFromGbk(gbk_text);
  const win32::WideText title = win32::WideFromGbk("错误");
  MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_ICONERROR | MB_OK);
}

void ExitAfterFatalReport(int exit_code) { ExitProgram(exit_code); }

}  // namespace pelmora::port
