// Start-up time of pelmora.exe against a program that only shows one
// message box: from CreateProcess to the first visible message box of the
// started process, timed here inside Wine. The programs alternate round
// by round after a warm-up round, so all see the same machine. For each
// the private memory at the moment its box is on screen is recorded too:
// the minimal program's is what Wine itself costs.
// A third program, the same one-box program carrying pelmora.exe's
// manifest, tells what the manifest alone costs: common controls 6 and
// their theme, which every box of a themed program pays for.
//   startup_bench.exe PROGRAM MINIMAL_PROGRAM ROUNDS [MINIMAL_WITH_MANIFEST]
// With --quiet first, PROGRAM's unattended runs instead, each as a whole
// process from CreateProcess to its end: an embedding (the panel removed
// untimed before it) and a run that finds the panel already in place,
// beside the one-box program's start-up.
//   startup_bench.exe --quiet PROGRAM MINIMAL_PROGRAM ROUNDS
// With --allusers first, PROGRAM's unattended embedding into every
// account's WPS (the panel removed from all, untimed, before each), beside
// the one-box program's start-up.
//   startup_bench.exe --allusers PROGRAM MINIMAL_PROGRAM ROUNDS
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_clock_win32.h"

namespace {

// Only dialog-class windows are looked at: under Wine each window the
// poll inspects costs round trips to the server, which the starting
// program waits on too.
HWND FindBox(DWORD pid) {
  HWND box = nullptr;
  while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
    DWORD owner_pid = 0;
    GetWindowThreadProcessId(box, &owner_pid);
    if (owner_pid == pid && IsWindowVisible(box)) return box;
  }
  return nullptr;
}

struct Sample {
  double ms;
  double private_kib;
};

// Starts the program in its own folder with `arguments`.
bool Start(const std::wstring& program, const std::wstring& arguments,
           PROCESS_INFORMATION* process) {
  std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
  std::wstring command = L"\"" + program + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  return CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, process) != FALSE;
}

// Starts the program, waits for its box and ends it. A negative time means
// the box never came.
Sample TimeToBox(const std::wstring& program) {
  PROCESS_INFORMATION process = {};
  const double t0 = pelmora::bench::NowSeconds();
  if (!Start(program, L"", &process)) {
    std::fprintf(stderr, "%ls: CreateProcess failed, error %lu\n", program.c_str(),
                 GetLastError());
    return {-1, 0};
  }
  HWND found = nullptr;
  double t1 = t0;
  while (found == nullptr) {
    found = FindBox(process.dwProcessId);
    t1 = pelmora::bench::NowSeconds();
    if (t1 - t0 > 30 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    if (found == nullptr) Sleep(1);
  }
  Sample sample = {found != nullptr ? (t1 - t0) * 1e3 : -1, 0};
  DWORD exit_code = 0;
  if (found == nullptr && GetExitCodeProcess(process.hProcess, &exit_code)) {
    std::fprintf(stderr, "%ls: no box; %s\n", program.c_str(),
                 exit_code == STILL_ACTIVE ? "still running after 30 s" : "the process ended");
    if (exit_code != STILL_ACTIVE) std::fprintf(stderr, "  exit code 0x%08lx\n", exit_code);
  }
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
  if (found != nullptr) {
    PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
  }
  // Past the box pelmora.exe opens its window and waits for the user:
  // only the way to the box is measured, so the process is ended here.
  if (WaitForSingleObject(process.hProcess, 200) == WAIT_TIMEOUT) {
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Wine's desktop process and the X server may still be tidying up after
  // the ended process; the next start should not pay for that.
  Sleep(250);
  return sample;
}

// Runs the program with `arguments` to its end; the time, negative when it
// did not end with 0 within 30 s.
double TimeToExit(const std::wstring& program, const std::wstring& arguments) {
  PROCESS_INFORMATION process = {};
  const double t0 = pelmora::bench::NowSeconds();
  if (!Start(program, arguments, &process)) return -1;
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  const double t1 = pelmora::bench::NowSeconds();
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  if (!ended) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!ended || exit_code != 0) {
    std::fprintf(stderr, "%ls %ls: %s, exit code %lu\n", program.c_str(), arguments.c_str(),
                 ended ? "ended" : "still running after 30 s", exit_code);
    return -1;
  }
  Sleep(250);
  return (t1 - t0) * 1e3;
}

int QuietRuns(const std::wstring& program, const std::wstring& minimal, int rounds) {
  std::vector<double> embed, in_place, box;
  for (int round = 0; round <= rounds; ++round) {
    if (TimeToExit(program, L"/quiet /remove") < 0) return 3;
    const double e = TimeToExit(program, L"/quiet");
    const double p = TimeToExit(program, L"/quiet");
    const Sample m = TimeToBox(minimal);
    if (e < 0 || p < 0 || m.ms < 0) return 3;
    std::fprintf(stderr, "round %d: embed %.1f ms, in place %.1f ms, one box %.1f ms\n", round, e,
                 p, m.ms);
    if (round == 0) continue;
    embed.push_back(e);
    in_place.push_back(p);
    box.push_back(m.ms);
  }
  using pelmora::bench::Median;
  std::printf("rounds=%d embed_ms=%.1f in_place_ms=%.1f minimal_ms=%.1f ratio=%.3f\n", rounds,
              Median(embed), Median(in_place), Median(box), Median(in_place) / Median(box));
  return 0;
}

int AllUsersRuns(const std::wstring& program, const std::wstring& minimal, int rounds) {
  std::vector<double> embed, box;
  for (int round = 0; round <= rounds; ++round) {
    if (TimeToExit(program, L"/quiet /remove /allusers") < 0) return 3;
    const double e = TimeToExit(program, L"/quiet /allusers");
    const Sample m = TimeToBox(minimal);
    if (e < 0 || m.ms < 0) return 3;
    std::fprintf(stderr, "round %d: every account %.1f ms, one box %.1f ms\n", round, e, m.ms);
    if (round == 0) continue;
    embed.push_back(e);
    box.push_back(m.ms);
  }
  using pelmora::bench::Median;
  std::printf("rounds=%d allusers_ms=%.1f minimal_ms=%.1f\n", rounds, Median(embed), Median(box));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wstring(argv[1]) == L"--quiet") {
    return QuietRuns(argv[2], argv[3], _wtoi(argv[4]));
  }
  if (argc == 5 && std::wstring(argv[1]) == L"--allusers") {
    return AllUsersRuns(argv[2], argv[3], _wtoi(argv[4]));
  }
  if (argc < 4) {
    std::fputs("usage: startup_bench PROGRAM MINIMAL_PROGRAM ROUNDS [MINIMAL_WITH_MANIFEST]\n",
               stderr);
    return 2;
  }
  const int rounds = _wtoi(argv[3]);
  const int programs = argc > 4 ? 3 : 2;
  const wchar_t* const paths[3] = {argv[1], argv[2], argc > 4 ? argv[4] : nullptr};
  std::vector<double> ms[3], kib[3];
  // Round 0 warms Wine's server, its DLLs in the page cache and the fonts.
  for (int round = 0; round <= rounds; ++round) {
    for (int k = 0; k < programs; ++k) {
      const Sample sample = TimeToBox(paths[k]);
      if (sample.ms < 0) {
        std::fprintf(stderr, "round %d: no box from %ls\n", round, paths[k]);
        return 3;
      }
      // Every sample goes to the log, to tell a noisy machine from a slow
      // program.
      std::fprintf(stderr, "round %d: %ls %.1f ms\n", round, paths[k], sample.ms);
      if (round == 0) continue;
      ms[k].push_back(sample.ms);
      kib[k].push_back(sample.private_kib);
    }
  }
  using pelmora::bench::Median;
  // The best round of each is its start-up with nothing else in the way:
  // under Wine the themed programs' rounds spread widely.
  auto best = [](const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
  };
  const double p = Median(ms[0]), m = Median(ms[1]);
  std::printf("rounds=%d program_ms=%.1f minimal_ms=%.1f ratio=%.3f program_private_kib=%.0f "
              "minimal_private_kib=%.0f program_best_ms=%.1f minimal_best_ms=%.1f",
              rounds, p, m, p / m, Median(kib[0]), Median(kib[1]), best(ms[0]), best(ms[1]));
  if (programs == 3) {
    const double f = Median(ms[2]);
    std::printf(" manifest_ms=%.1f manifest_ratio=%.3f manifest_best_ms=%.1f", f, p / f,
                best(ms[2]));
  }
  std::printf("\n");
  return 0;
}
