// The uninstall scan against the least any scan must do: the registry calls
// one entry needs (open, query, close for each value the scan reads), over
// the same key, measured side by side in one run.
//   scan_bench.exe <rounds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/run_context.h"
#include "app/run_log.h"
#include "app/uninstall_entries.h"
#include "bench/bench_clock_win32.h"

namespace {

const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The scan shows nothing; a window that is never closed.
class QuietUi final : public pelmora::WorkflowUi {
 public:
  std::int32_t ShowBox(pelmora::TextView, const pelmora::BoxText&, std::int32_t) override {
    return 1;
  }
  void SetProgress(std::int32_t) override {}
  void PumpEvents() override {}
  bool WindowOpen() override { return true; }
};

// Every open names the 32-bit view, as the program does, so the 64-bit twin
// measures the same keys as the 32-bit program.
bool ReadValue(const std::string& key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &h) != ERROR_SUCCESS) return false;
  char data[512];
  DWORD type = 0, size = sizeof data;
  LONG r = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(h);
  return r == ERROR_SUCCESS;
}

// Per entry that passes the name filters: the uninstall command, the
// display name's existence and the display name itself, as the scan reads
// them.
int FloorScan() {
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_READ | KEY_WOW64_32KEY, &root) != ERROR_SUCCESS) return 0;
  char name[256];
  int entries = 0;
  for (DWORD i = 0;; ++i) {
    LONG r = RegEnumKeyA(root, i, name, 255);
    if (r == ERROR_MORE_DATA) continue;
    if (r != ERROR_SUCCESS) break;
    ++entries;
    std::string subkey = name;
    if (subkey.find("}.KB") != std::string::npos || subkey.find("{9") != std::string::npos) continue;
    std::string key = std::string(kUninstall) + "\\" + subkey;
    if (ReadValue(key, "UninstallString")) {
      ReadValue(key, "DisplayName");
      ReadValue(key, "DisplayName");
    }
  }
  RegCloseKey(root);
  return entries;
}

// The enumeration alone, without reading any entry: tells the registry's
// cost of walking a bigger key apart from the cost of reading its entries.
int EnumerateOnly() {
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_READ | KEY_WOW64_32KEY, &root) != ERROR_SUCCESS) return 0;
  char name[256];
  int entries = 0;
  for (DWORD i = 0;; ++i) {
    LONG r = RegEnumKeyA(root, i, name, 255);
    if (r == ERROR_MORE_DATA) continue;
    if (r != ERROR_SUCCESS) break;
    ++entries;
  }
  RegCloseKey(root);
  return entries;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  int entries = FloorScan();  // warms the server's cache for both
  std::vector<double> scan, floor, enumerate;
  // Round 0 warms Wine's server and the program's own first-use costs.
  for (int round = 0; round <= rounds; ++round) {
    QuietUi ui;
    pelmora::RunLog no_log;
    pelmora::RunContext run(ui, no_log);
    double t0 = pelmora::bench::NowSeconds();
    static_cast<void>(pelmora::ScanUninstallList(run, pelmora::kMachineUninstallList));
    double t1 = pelmora::bench::NowSeconds();
    FloorScan();
    double t2 = pelmora::bench::NowSeconds();
    EnumerateOnly();
    double t3 = pelmora::bench::NowSeconds();
    if (round == 0) continue;
    scan.push_back(t1 - t0);
    floor.push_back(t2 - t1);
    enumerate.push_back(t3 - t2);
  }
  double scan_us = pelmora::bench::Median(scan) * 1e6 / entries;
  double floor_us = pelmora::bench::Median(floor) * 1e6 / entries;
  double enumerate_us = pelmora::bench::Median(enumerate) * 1e6 / entries;
  std::printf("entries=%d scan_us_per_entry=%.1f floor_us_per_entry=%.1f ratio=%.3f "
              "enumerate_us_per_entry=%.1f\n",
              entries, scan_us, floor_us, scan_us / floor_us, enumerate_us);
  return 0;
}
