// Start-up time of pelmora.exe against a program that only shows one
// message box: from CreateProcess to the first visible message box of the
// started process, timed here inside Wine. The two programs alternate
// round by round after a warm-up round, so both see the same machine.
// For each program the private memory at the moment its box is on screen
// is recorded too: the minimal program's is what Wine itself costs.
//   startup_bench.exe PROGRAM MINIMAL_PROGRAM [ROUNDS]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_clock_win32.h"

namespace {

struct BoxSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t name[16] = L"";
  GetClassNameW(hwnd, name, 16);
  if (lstrcmpW(name, L"#32770") != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

struct Sample {
  double ms;
  double private_kib;
};

// Starts the program in its own folder, waits for its box and ends it.
// A negative time means the box never came.
Sample TimeToBox(const std::wstring& program) {
  std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const double t0 = pelmora::bench::NowSeconds();
  if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return {-1, 0};
  }
  BoxSearch search = {process.dwProcessId, nullptr};
  double t1 = t0;
  while (search.found == nullptr) {
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    t1 = pelmora::bench::NowSeconds();
    if (t1 - t0 > 30 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    if (search.found == nullptr) Sleep(1);
  }
  Sample sample = {search.found != nullptr ? (t1 - t0) * 1e3 : -1, 0};
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters)) {
    // Windows gives the same figure in both fields; Wine fills in only the
    // page-file one.
    const SIZE_T bytes = counters.PrivateUsage > counters.PagefileUsage ? counters.PrivateUsage
                                                                        : counters.PagefileUsage;
    sample.private_kib = static_cast<double>(bytes) / 1024;
  }
  if (search.found != nullptr) {
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.found, IDOK)));
  }
  // Past the box pelmora.exe opens its window and waits for the user:
  // only the way to the box is measured, so the process is ended here.
  if (WaitForSingleObject(process.hProcess, 200) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return sample;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: startup_bench PROGRAM MINIMAL_PROGRAM [ROUNDS]\n", stderr);
    return 2;
  }
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 7;
  std::vector<double> program_ms, minimal_ms, program_kib, minimal_kib;
  // Round 0 warms Wine's server, its DLLs in the page cache and the fonts.
  for (int round = 0; round <= rounds; ++round) {
    const Sample program = TimeToBox(argv[1]);
    const Sample minimal = TimeToBox(argv[2]);
    if (program.ms < 0 || minimal.ms < 0) {
      std::fprintf(stderr, "round %d: no box (program %.0f, minimal %.0f)\n", round, program.ms,
                   minimal.ms);
      return 3;
    }
    if (round == 0) continue;
    program_ms.push_back(program.ms);
    minimal_ms.push_back(minimal.ms);
    program_kib.push_back(program.private_kib);
    minimal_kib.push_back(minimal.private_kib);
  }
  const double p = pelmora::bench::Median(program_ms), m = pelmora::bench::Median(minimal_ms);
  std::printf("rounds=%d program_ms=%.1f minimal_ms=%.1f ratio=%.3f program_private_kib=%.0f "
              "minimal_private_kib=%.0f\n",
              rounds, p, m, p / m, pelmora::bench::Median(program_kib),
              pelmora::bench::Median(minimal_kib));
  return 0;
}
