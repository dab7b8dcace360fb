// Message boxes, process launch and the shell's "open" verb.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "runtime/window/dialog_port.h"
#include "runtime/window/dialogs.h"
#include "runtime/win32/desktop_shell_win32.h"
#include "runtime/win32/owners_win32.h"
#include "runtime/win32/shell_api_win32.h"
#include "runtime/win32/wide_text_win32.h"

namespace pelmora::port {

static_assert(kBoxSystemModal == MB_SYSTEMMODAL && kBoxTaskModal == MB_TASKMODAL);
static_assert(kBoxOk == MB_OK && kBoxOkCancel == MB_OKCANCEL);
static_assert(kBoxYesNo == MB_YESNO && kBoxRetryCancel == MB_RETRYCANCEL);
static_assert(kBoxIconQuestion == MB_ICONQUESTION && kBoxIconWarning == MB_ICONWARNING);
static_assert(kBoxIconInformation == MB_ICONINFORMATION);
static_assert(kResultOk == IDOK && kResultNo == IDNO);
static_assert(IDCANCEL == kResultOk + kButtonCancel && IDABORT == kResultOk + kButtonAbort);
static_assert(IDRETRY == kResultOk + kButtonRetry && IDIGNORE == kResultOk + kButtonIgnore);
static_assert(IDYES == kResultOk + kButtonYes && IDNO == kResultOk + kButtonNo);
static_assert(kShowHidden == SW_HIDE && kShowNormal == SW_SHOWNORMAL);
static_assert(kShowMinimized == SW_SHOWMINIMIZED && kShowMaximized == SW_SHOWMAXIMIZED);
static_assert(kShowNormalNotActivated == SW_SHOWNOACTIVATE);
static_assert(kShowMinimizedNotActivated == SW_MINIMIZE);

int ShowBox(std::uintptr_t owner, const BoxText& text, const char* gbk_title,
            std::uint32_t style) {
  std::vector<wchar_t> wide;
  for (const BoxText::Part& part : text.parts()) {
    // Paths come from the ANSI calls, in the process's own code page.
    const UINT code_page = part.code_page == BoxText::CodePage::kGbk ? win32::kGbk : CP_ACP;
    win32::AppendWide(code_page, part.bytes.data(), part.bytes.size(), &wide);
  }
  wide.push_back(L'\0');
  const win32::WideText title = win32::WideFromGbk(gbk_title);
  return MessageBoxW(reinterpret_cast<HWND>(owner), wide.data(), title.c_str(), style);
}

bool StartProcess(const char* application, const char* command_line, int show_window,
                  bool wait_for_end, std::uint32_t* error) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_window);
  PROCESS_INFORMATION process = {};
  // CreateProcessA may write into the command line: give it a copy.
  std::string line = command_line;
  if (!CreateProcessA(application, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    if (error != nullptr) *error = GetLastError();
    return false;
  }
  win32::UniqueKernelHandle process_handle(process.hProcess);
  win32::UniqueKernelHandle thread_handle(process.hThread);
  if (wait_for_end) {
    WaitForSingleObject(process_handle.get(), INFINITE);
  } else {
    WaitForInputIdle(process_handle.get(), 1000);
  }
  return true;
}

void OpenWithShell(const char* address) {
  // The verb may be carried out by a shell extension, which is a COM object.
  (void)win32::EnsureOleInitialized();
  if (win32::OpenThroughDesktopShell(address)) return;
  // Without a desktop shell to ask, the browser starts from here.
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  win32::ShellExecuteVerb(owner, "open", address, SW_SHOWNORMAL);
}

}  // namespace pelmora::port
