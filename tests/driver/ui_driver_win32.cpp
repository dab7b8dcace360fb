// Drives pelmora.exe inside Wine for the end-to-end scenarios: starts the
// program, follows a line-based script, and writes what it sees as a UTF-8
// transcript, one line per event. Everything is read with the wide
// calls so the transcript is the same whatever the ANSI code page.
//
//   ui_driver.exe PROGRAM SCRIPT TRANSCRIPT [SHOTS_FOLDER [ARGUMENTS]]
//
// ARGUMENTS, when given, follow the program's quoted path on its command
// line.
//
// Script commands (one per line, '#' starts a comment):
//   expect-box [SECONDS]      a message box of the program; records it
//   answer OK|CANCEL|CLOSE|YES|NO|ABORT|RETRY|IGNORE
//   expect-no-box MILLISECONDS  records a box if one shows up meanwhile
//   expect-window [geometry] [SECONDS]  the visible main window; records
//                             its facts, and only with `geometry` the rects
//   progress                  records the progress bar's position
//   click TEXT | click-button TEXT | click-label TEXT
//   right-click TEXT          a real mouse press on the unit with that text
//   press-key ESC|TAB|ENTER|F4 [ctrl] [shift] [alt]
//   close-window              the close command of the system menu
//   system-menu remove-panel|check-panel
//                             the program's own system menu items, sent as
//                             their commands (another process cannot open
//                             the menu itself under Wine)
//   icon                      records the last box's icon: information,
//                             warning, question, error, none or unknown
//   screenshot NAME           asks the host script for a screenshot
//   sleep MILLISECONDS
//   wait-exit [SECONDS]       records "exit CODE"
//   dismiss-other TEXT        OK on the box of another program (the started
//                             installer) whose title contains TEXT
//   memory                    records the program's private memory: now and
//                             the most it has held since it started
//   delete-file PATH          deletes a file (ends a stand-in program that
//                             runs while its file exists)
//   wait-gone NAME [SECONDS]  until no process of that executable name runs
//   expect-scaled PERCENT REFERENCE client=W,H
//                             the visible main window against its 96-DPI
//                             geometry: REFERENCE is a transcript (relative
//                             to the script's folder) whose unit lines give
//                             the 96-DPI rectangles, W,H the 96-DPI client
//                             size. Records the display's DPI, the client
//                             size, whether the window is centred, and each
//                             unit's rectangle with "ok" when every number
//                             is the reference times PERCENT/100 within 1 px
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/system_menu_commands.h"

namespace {

FILE* g_transcript = nullptr;
PROCESS_INFORMATION g_process = {};
std::wstring g_shots;
std::wstring g_script_folder;  // references named in the script are relative to it
HWND g_box = nullptr;

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr,
                      nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

// Line breaks inside texts are written as \r and \n so one event stays on
// one line.
std::string Quoted(const std::wstring& text) {
  std::string out = "\"";
  for (char c : Utf8(text)) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void Record(const std::string& line) {
  std::fputs(line.c_str(), g_transcript);
  std::fputc('\n', g_transcript);
  std::fflush(g_transcript);
}

std::wstring TextOf(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, &text[0], n + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = L"";
  GetClassNameW(hwnd, name, 256);
  return name;
}

struct TopLevelSearch {
  DWORD pid;
  const wchar_t* class_name;
  HWND found;
  bool visible_only;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM parameter) {
  auto* search = reinterpret_cast<TopLevelSearch*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  // The process may keep hidden dialogs of its own (the shell's, say): a
  // box is only the visible one.
  if (pid == search->pid && ClassOf(hwnd) == search->class_name &&
      (!search->visible_only || IsWindowVisible(hwnd))) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND ProgramWindow(const wchar_t* class_name, bool visible_only = false) {
  TopLevelSearch search = {g_process.dwProcessId, class_name, nullptr, visible_only};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND MainWindow() { return ProgramWindow(L"KvWindow"); }

HWND VisibleBox() { return ProgramWindow(L"#32770", true); }

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM parameter) {
  reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::string Progress() {
  HWND main = MainWindow();
  if (main == nullptr) return "none";
  for (HWND child : Descendants(main)) {
    if (ClassOf(child) == L"msctls_progress32") {
      DWORD_PTR position = 0;
      if (!SendMessageTimeoutW(child, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &position)) {
        return "unanswered";
      }
      return std::to_string(static_cast<int>(position));
    }
  }
  return "none";
}

std::string MainState() {
  HWND main = MainWindow();
  if (main == nullptr) return "none";
  return IsWindowVisible(main) ? "visible" : "hidden";
}

[[noreturn]] void Fail(const std::string& what) {
  Record("error " + what);
  if (WaitForSingleObject(g_process.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(g_process.hProcess, 99);
  }
  std::fclose(g_transcript);
  std::exit(2);
}

template <typename Condition>
bool WaitFor(DWORD milliseconds, Condition condition) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(50);
  }
}

void RecordBox(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  Record("box title=" + Quoted(TextOf(box)) +
         " text=" + Quoted(text != nullptr ? TextOf(text) : std::wstring()) +
         " progress=" + Progress() + " main=" + MainState());
}

void ExpectBox(DWORD seconds) {
  HWND box = nullptr;
  if (!WaitFor(seconds * 1000, [&] { return (box = VisibleBox()) != nullptr; })) {
    Fail("no message box appeared");
  }
  Sleep(200);  // let the box finish laying out its text
  g_box = box;
  RecordBox(box);
}

void Answer(const std::string& which) {
  if (g_box == nullptr || !IsWindow(g_box)) Fail("answer without a box");
  struct Button {
    const char* name;
    int id;
  };
  static const Button kButtons[] = {{"OK", IDOK},         {"CANCEL", IDCANCEL},
                                    {"ABORT", IDABORT},   {"RETRY", IDRETRY},
                                    {"IGNORE", IDIGNORE}, {"YES", IDYES},
                                    {"NO", IDNO}};
  if (which == "CLOSE") {
    PostMessageW(g_box, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    int id = 0;
    for (const Button& button : kButtons) {
      if (which == button.name) id = button.id;
    }
    if (id == 0) Fail("unknown answer " + which);
    PostMessageW(g_box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(g_box, id)));
  }
  HWND box = g_box;
  if (!WaitFor(5000, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) {
    Fail("box did not close after " + which);
  }
  g_box = nullptr;
  Record("answer " + which);
}

struct ForeignSearch {
  DWORD own_pid;
  std::wstring text;
  HWND found;
};

BOOL CALLBACK FindForeignBox(HWND hwnd, LPARAM parameter) {
  auto* search = reinterpret_cast<ForeignSearch*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->own_pid && pid != GetCurrentProcessId() && IsWindowVisible(hwnd) &&
      ClassOf(hwnd) == L"#32770" && TextOf(hwnd).find(search->text) != std::wstring::npos) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The installer the program started runs on its own; a user finishes it
// before answering the program's question.
void DismissOther(const std::wstring& text) {
  ForeignSearch search = {g_process.dwProcessId, text, nullptr};
  if (!WaitFor(20000, [&] {
        search.found = nullptr;
        EnumWindows(FindForeignBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      })) {
    Fail("no box of another program");
  }
  HWND box = search.found;
  DWORD pid = 0;
  GetWindowThreadProcessId(box, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  if (process != nullptr) {
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  Record("dismiss-other " + Quoted(text));
}

void ExpectNoBox(DWORD milliseconds) {
  HWND box = nullptr;
  if (WaitFor(milliseconds, [&] { return (box = VisibleBox()) != nullptr; })) {
    Sleep(200);
    g_box = box;
    RecordBox(box);
  } else {
    Record("no-box");
  }
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

// Left, top, width, height.
struct Geometry {
  int numbers[4] = {0, 0, 0, 0};
};

std::string Text(const Geometry& g) {
  return std::to_string(g.numbers[0]) + "," + std::to_string(g.numbers[1]) + "," +
         std::to_string(g.numbers[2]) + "," + std::to_string(g.numbers[3]);
}

Geometry GeometryRelativeTo(HWND hwnd, HWND parent) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  if (parent != nullptr) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return {{static_cast<int>(rect.left), static_cast<int>(rect.top),
           static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top)}};
}

std::string RectRelativeTo(HWND hwnd, HWND parent) {
  return Text(GeometryRelativeTo(hwnd, parent));
}

HWND VisibleMainWindow(DWORD seconds) {
  HWND main = nullptr;
  if (!WaitFor(seconds * 1000, [&] {
        main = MainWindow();
        return main != nullptr && IsWindowVisible(main);
      })) {
    Fail("the main window did not become visible");
  }
  Sleep(200);
  return main;
}

void ExpectWindow(DWORD seconds, bool geometry) {
  HWND main = VisibleMainWindow(seconds);
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  const LONG ex_style = GetWindowLongW(main, GWL_EXSTYLE);
  Record("window class=" + Quoted(ClassOf(main)) + " title=" + Quoted(TextOf(main)) +
         (geometry ? " rect=" + RectRelativeTo(main, nullptr) : "") + " screen=" +
         std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," +
         std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
         " caption=" + YesNo((style & WS_CAPTION) == WS_CAPTION) +
         " sizing-frame=" + YesNo(style & WS_THICKFRAME) +
         " system-menu=" + YesNo(style & WS_SYSMENU) +
         " minimize-box=" + YesNo(style & WS_MINIMIZEBOX) +
         " maximize-box=" + YesNo(style & WS_MAXIMIZEBOX) +
         " tool-window=" + YesNo(ex_style & WS_EX_TOOLWINDOW) +
         " owned=" + YesNo(GetWindow(main, GW_OWNER) != nullptr));
  for (HWND child : Descendants(main)) {
    HWND parent = GetParent(child);
    const LONG child_style = GetWindowLongW(child, GWL_STYLE);
    const int parent_id = parent == main ? 0 : GetDlgCtrlID(parent);
    Record("unit id=" + std::to_string(GetDlgCtrlID(child)) + " class=" + Quoted(ClassOf(child)) +
           " text=" + Quoted(TextOf(child)) +
           (geometry ? " rect=" + RectRelativeTo(child, parent) : "") +
           " parent=" + std::to_string(parent_id) +
           " visible=" + YesNo(child_style & WS_VISIBLE) +
           " tabstop=" + YesNo(child_style & WS_TABSTOP) +
           " disabled=" + YesNo(child_style & WS_DISABLED));
  }
}

// "rect=L,T,W,H" (or "client=W,H") read from a transcript line.
bool ReadNumbers(const std::string& line, const std::string& key, int count, int* numbers) {
  const std::size_t at = line.find(" " + key + "=");
  if (at == std::string::npos) return false;
  const char* p = line.c_str() + at + key.size() + 2;
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    numbers[i] = static_cast<int>(std::strtol(p, &end, 10));
    if (end == p || (i + 1 < count && *end != ',')) return false;
    p = end + 1;
  }
  return true;
}

// True when each measured number is the reference's times the factor,
// off by at most one pixel.
bool WithinAPixel(const int* measured, const int* reference, int count, int percent) {
  for (int i = 0; i < count; ++i) {
    const double ideal = reference[i] * percent / 100.0;
    if (measured[i] < ideal - 1.0 || measured[i] > ideal + 1.0) return false;
  }
  return true;
}

void ExpectScaled(const std::vector<std::string>& words) {
  int percent = 0, reference_client[2] = {0, 0};
  if (words.size() < 4 || (percent = std::atoi(words[1].c_str())) <= 0 ||
      !ReadNumbers(" " + words[3], "client", 2, reference_client)) {
    Fail("expect-scaled needs PERCENT REFERENCE client=W,H");
  }
  std::wstring reference_path = g_script_folder + L"\\" + Wide(words[2]);
  for (wchar_t& c : reference_path) {
    if (c == L'/') c = L'\\';
  }
  FILE* reference = _wfopen(reference_path.c_str(), L"rb");
  if (reference == nullptr) Fail("cannot read " + words[2]);
  std::vector<std::pair<int, Geometry>> units;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, reference) != nullptr) {
    const std::string line = buffer;
    Geometry g;
    int id = 0;
    if (line.compare(0, 5, "unit ") == 0 && ReadNumbers(line, "id", 1, &id) &&
        ReadNumbers(line, "rect", 4, g.numbers)) {
      units.emplace_back(id, g);
    }
  }
  std::fclose(reference);
  if (units.empty()) Fail("no unit lines in " + words[2]);

  HWND main = VisibleMainWindow(20);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client;
  GetClientRect(main, &client);
  const int client_size[2] = {static_cast<int>(client.right), static_cast<int>(client.bottom)};
  Record("scaled dpi=" + std::to_string(dpi) + " client=" + std::to_string(client_size[0]) + "," +
         std::to_string(client_size[1]) + " from=" + std::to_string(reference_client[0]) + "," +
         std::to_string(reference_client[1]) +
         (WithinAPixel(client_size, reference_client, 2, percent) ? " ok" : " off"));

  const Geometry outer = GeometryRelativeTo(main, nullptr);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - outer.numbers[2]) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - outer.numbers[3]) / 2;
  const bool centred = outer.numbers[0] >= left - 1 && outer.numbers[0] <= left + 1 &&
                       outer.numbers[1] >= top - 1 && outer.numbers[1] <= top + 1;
  Record("scaled window rect=" + Text(outer) + " centred=" + (centred ? "yes" : "no"));

  for (const auto& [id, expected] : units) {
    HWND unit = nullptr;
    for (HWND child : Descendants(main)) {
      if (GetDlgCtrlID(child) == id) unit = child;
    }
    if (unit == nullptr) {
      Record("scaled unit id=" + std::to_string(id) + " missing");
      continue;
    }
    const Geometry measured = GeometryRelativeTo(unit, GetParent(unit));
    Record("scaled unit id=" + std::to_string(id) + " rect=" + Text(measured) +
           " from=" + Text(expected) +
           (WithinAPixel(measured.numbers, expected.numbers, 4, percent) ? " ok" : " off"));
  }
}

HWND UnitWithText(const std::wstring& text) {
  HWND main = MainWindow();
  if (main == nullptr) return nullptr;
  for (HWND child : Descendants(main)) {
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

// Every event carries the absolute position: under Wine a bare press may
// land where the X pointer was before SetCursorPos reached the server.
void SendMouse(int x, int y, DWORD down, DWORD up) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (width > 0 ? width : 1);
    input.mi.dy = y * 65535 / (height > 0 ? height : 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  SendInput(1, &inputs[0], sizeof(INPUT));
  Sleep(150);
  inputs[1].mi.dwFlags |= down;
  inputs[2].mi.dwFlags |= up;
  SendInput(2, &inputs[1], sizeof(INPUT));
}

void Click(const std::string& text, bool right) {
  HWND unit = UnitWithText(Wide(text));
  if (unit == nullptr) Fail("no unit with text " + text);
  SetForegroundWindow(MainWindow());
  RECT rect;
  GetWindowRect(unit, &rect);
  const int x = (rect.left + rect.right) / 2;
  const int y = (rect.top + rect.bottom) / 2;
  SetCursorPos(x, y);
  Sleep(100);
  if (right) {
    SendMouse(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  } else {
    SendMouse(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  }
  Sleep(300);
  Record(std::string(right ? "right-click " : "click ") + Quoted(Wide(text)));
}

void PressKey(const std::vector<std::string>& words) {
  static const struct {
    const char* name;
    WORD key;
  } kKeys[] = {{"ESC", VK_ESCAPE}, {"TAB", VK_TAB}, {"ENTER", VK_RETURN}, {"F4", VK_F4}};
  WORD key = 0;
  for (const auto& k : kKeys) {
    if (words.size() > 1 && words[1] == k.name) key = k.key;
  }
  if (key == 0) Fail("unknown key");
  std::vector<WORD> held;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "ctrl") held.push_back(VK_CONTROL);
    if (words[i] == "shift") held.push_back(VK_SHIFT);
    if (words[i] == "alt") held.push_back(VK_MENU);
  }
  HWND main = MainWindow();
  if (main != nullptr) SetForegroundWindow(main);
  Sleep(100);
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (WORD vk : held) add(vk, false);
  add(key, false);
  add(key, true);
  for (auto it = held.rbegin(); it != held.rend(); ++it) add(*it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(300);
  std::string line = "press-key";
  for (std::size_t i = 1; i < words.size(); ++i) line += " " + words[i];
  Record(line);
}

void Screenshot(const std::string& name) {
  if (g_shots.empty()) return;
  const std::wstring base = g_shots + L"\\" + Wide(name);
  const std::wstring request = base + L".request";
  const std::wstring done = base + L".done";
  HANDLE file = CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!WaitFor(20000, [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; })) {
    Fail("screenshot " + name + " was not taken");
  }
}

void WaitExit(DWORD seconds) {
  if (WaitForSingleObject(g_process.hProcess, seconds * 1000) != WAIT_OBJECT_0) {
    Fail("the program did not end");
  }
  DWORD code = 0;
  GetExitCodeProcess(g_process.hProcess, &code);
  Record("exit " + std::to_string(static_cast<int>(code)));
}

// Private memory (committed, not shared) of the program, in bytes; 0 when
// it cannot be read.
SIZE_T PrivateBytes(SIZE_T* peak) {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(g_process.hProcess,
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    return 0;
  }
  if (peak != nullptr) *peak = counters.PeakPagefileUsage;
  // Windows gives the same figure in both fields; Wine fills in only the
  // page-file one (the process's anonymous resident memory).
  return counters.PrivateUsage > counters.PagefileUsage ? counters.PrivateUsage
                                                        : counters.PagefileUsage;
}

// Wine reports the peak as the current figure, so the driver keeps its own
// peak by sampling while the program runs. Only scripts that ask for the
// memory start the sampler, so other runs are timed as before.
volatile LONG g_sampled_peak = 0;
volatile LONG g_sampling = 0;

DWORD WINAPI SampleMemory(LPVOID) {
  while (g_sampling != 0) {
    const LONG now = static_cast<LONG>(PrivateBytes(nullptr) / 1024);
    LONG seen = g_sampled_peak;
    while (now > seen) {
      const LONG before = InterlockedCompareExchange(&g_sampled_peak, now, seen);
      if (before == seen) break;
      seen = before;
    }
    Sleep(5);
  }
  return 0;
}

void RecordMemory() {
  SIZE_T reported_peak = 0;
  const SIZE_T now = PrivateBytes(&reported_peak);
  if (now == 0) Fail("cannot read the program's memory");
  SIZE_T peak_kib = reported_peak / 1024;
  if (static_cast<SIZE_T>(g_sampled_peak) > peak_kib) peak_kib = static_cast<SIZE_T>(g_sampled_peak);
  if (now / 1024 > peak_kib) peak_kib = now / 1024;
  Record("memory peak_private_kib=" + std::to_string(peak_kib) +
         " private_kib=" + std::to_string(now / 1024));
}

void DeleteFileCommand(const std::string& path) {
  if (!DeleteFileW(Wide(path).c_str())) {
    Fail("cannot delete " + path + " (" + std::to_string(GetLastError()) + ")");
  }
  Record("delete-file " + Quoted(Wide(path)));
}

bool ProcessRuns(const std::wstring& name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) Fail("cannot list the processes");
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, name.c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

void WaitGone(const std::string& name, DWORD seconds) {
  if (!WaitFor(seconds * 1000, [&] { return !ProcessRuns(Wide(name)); })) {
    Fail(name + " still runs");
  }
  Record("gone " + name);
}

void SystemMenu(const std::string& item) {
  static const struct {
    const char* name;
    std::uint32_t command;
  } kItems[] = {{"remove-panel", pelmora::kRemovePanelCommand},
                {"check-panel", pelmora::kCheckPanelCommand}};
  HWND main = MainWindow();
  if (main == nullptr) Fail("no main window for its system menu");
  for (const auto& known : kItems) {
    if (item == known.name) {
      PostMessageW(main, WM_SYSCOMMAND, known.command, 0);
      Sleep(300);
      Record("system-menu " + item);
      return;
    }
  }
  Fail("unknown system menu item " + item);
}

// The icon static of a box, or null when it shows none.
HWND BoxIcon(HWND box) {
  for (HWND child : Descendants(box)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (ClassOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
      return child;
    }
  }
  return nullptr;
}

// The pixels of a width x height bitmap that `paint` draws into.
template <typename Paint>
std::vector<DWORD> Pixels(int width, int height, Paint paint) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<DWORD> pixels;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    paint(dc);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    // Colour only: what the alpha byte holds differs between the ways of
    // drawing.
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
         ++i) {
      pixels.push_back(p[i] & 0x00FFFFFFu);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  return pixels;
}

// Which of the system's icons the box shows. Another process's icon handle
// cannot be read here, so the icon is taken from the screen and compared
// with each system icon drawn the same size on the same background (its
// corner, which every system icon leaves transparent).
std::string IconName(HWND box) {
  HWND icon = BoxIcon(box);
  if (icon == nullptr) return "none";
  RECT rect;
  GetWindowRect(icon, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return "none";
  const std::vector<DWORD> shown = Pixels(width, height, [&](HDC dc) {
    HDC screen = GetDC(nullptr);
    BitBlt(dc, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
  if (shown.empty()) return "unknown";
  const DWORD background = shown[0];
  static const struct {
    const char* name;
    LPCWSTR id;
  } kIcons[] = {{"information", IDI_INFORMATION},
                {"warning", IDI_WARNING},
                {"question", IDI_QUESTION},
                {"error", IDI_ERROR}};
  for (const auto& candidate : kIcons) {
    const std::vector<DWORD> drawn = Pixels(width, height, [&](HDC dc) {
      HBRUSH brush = CreateSolidBrush(
          RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
      RECT all = {0, 0, width, height};
      FillRect(dc, &all, brush);
      DeleteObject(brush);
      DrawIconEx(dc, 0, 0, LoadIconW(nullptr, candidate.id), width, height, 0, nullptr,
                 DI_NORMAL);
    });
    if (drawn == shown) return candidate.name;
  }
  return "unknown";
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    std::size_t end = line.find(' ', i);
    if (end == std::string::npos) end = line.size();
    words.push_back(line.substr(i, end - i));
    i = end;
  }
  return words;
}

// The rest of the line after the command word, for texts with blanks.
std::string Rest(const std::string& line) {
  const std::size_t space = line.find(' ');
  return space == std::string::npos ? std::string() : line.substr(space + 1);
}

DWORD NumberOr(const std::vector<std::string>& words, DWORD fallback) {
  return words.size() > 1 ? static_cast<DWORD>(std::strtoul(words[1].c_str(), nullptr, 10))
                          : fallback;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fputs("usage: ui_driver PROGRAM SCRIPT TRANSCRIPT [SHOTS_FOLDER [ARGUMENTS]]\n", stderr);
    return 2;
  }
  g_transcript = _wfopen(argv[3], L"wb");
  if (g_transcript == nullptr) return 2;
  if (argc > 4) g_shots = argv[4];

  // Geometry is read in the display's own pixels, whatever its DPI.
  SetProcessDPIAware();
  g_script_folder = argv[2];
  const std::size_t last_separator = g_script_folder.find_last_of(L"\\/");
  g_script_folder.resize(last_separator == std::wstring::npos ? 0 : last_separator);
  FILE* script = _wfopen(argv[2], L"rb");
  if (script == nullptr) Fail("cannot read the script");
  std::vector<std::string> lines;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, script) != nullptr) {
    std::string line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    lines.push_back(line);
  }
  std::fclose(script);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  if (argc > 5) command += L" " + std::wstring(argv[5]);
  if (!CreateProcessW(argv[1], &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &g_process)) {
    Fail("cannot start the program (" + std::to_string(GetLastError()) + ")");
  }
  HANDLE sampler = nullptr;
  for (const std::string& line : lines) {
    if (line.compare(0, 6, "memory") == 0) {
      g_sampling = 1;
      sampler = CreateThread(nullptr, 0, SampleMemory, nullptr, 0, nullptr);
      break;
    }
  }

  for (const std::string& line : lines) {
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    const std::string& command_word = words[0];
    if (command_word == "expect-box") {
      ExpectBox(NumberOr(words, 20));
    } else if (command_word == "answer" && words.size() > 1) {
      Answer(words[1]);
    } else if (command_word == "expect-no-box") {
      ExpectNoBox(NumberOr(words, 1000));
    } else if (command_word == "expect-scaled") {
      ExpectScaled(words);
    } else if (command_word == "expect-window") {
      const bool geometry = words.size() > 1 && words[1] == "geometry";
      ExpectWindow(NumberOr({words.begin() + geometry, words.end()}, 20), geometry);
    } else if (command_word == "progress") {
      Record("progress " + Progress());
    } else if (command_word == "click" || command_word == "click-button" ||
               command_word == "click-label") {
      Click(Rest(line), false);
    } else if (command_word == "right-click") {
      Click(Rest(line), true);
    } else if (command_word == "press-key") {
      PressKey(words);
    } else if (command_word == "close-window") {
      HWND main = MainWindow();
      if (main == nullptr) Fail("no main window to close");
      PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
      Record("close-window");
    } else if (command_word == "icon") {
      if (g_box == nullptr || !IsWindow(g_box)) Fail("icon without a box");
      Record("icon " + IconName(g_box));
    } else if (command_word == "system-menu" && words.size() > 1) {
      SystemMenu(words[1]);
    } else if (command_word == "screenshot" && words.size() > 1) {
      Screenshot(words[1]);
    } else if (command_word == "sleep") {
      Sleep(NumberOr(words, 0));
    } else if (command_word == "dismiss-other") {
      DismissOther(Wide(Rest(line)));
    } else if (command_word == "wait-exit") {
      WaitExit(NumberOr(words, 20));
    } else if (command_word == "memory") {
      RecordMemory();
    } else if (command_word == "delete-file" && words.size() > 1) {
      DeleteFileCommand(Rest(line));
    } else if (command_word == "wait-gone" && words.size() > 1) {
      WaitGone(words[1], words.size() > 2 ? std::strtoul(words[2].c_str(), nullptr, 10) : 20);
    } else {
      Fail("unknown script line: " + line);
    }
  }

  if (sampler != nullptr) {
    g_sampling = 0;
    WaitForSingleObject(sampler, 1000);
    CloseHandle(sampler);
  }
  DWORD code = 0;
  if (WaitForSingleObject(g_process.hProcess, 0) == WAIT_TIMEOUT) {
    Record("still-running");
    TerminateProcess(g_process.hProcess, 99);
    WaitForSingleObject(g_process.hProcess, 5000);
  }
  GetExitCodeProcess(g_process.hProcess, &code);
  CloseHandle(g_process.hThread);
  CloseHandle(g_process.hProcess);
  std::fclose(g_transcript);
  return static_cast<int>(code);
}
