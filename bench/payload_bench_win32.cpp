// Writing the carried installer against CopyFileA of the same bytes, in one
// run, alternating so both see the same disk and cache state.
//   payload_bench.exe <folder> <rounds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_clock_win32.h"
#include "runtime/system/files.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string folder = argv[1];
  int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  const std::size_t size = 8767888;  // the real installer's size
  std::vector<unsigned char> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 2654435761u >> 13);
  pelmora::ByteSet payload = pelmora::ByteSet::FromBytes(bytes.data(), bytes.size());

  std::string source = folder + "\\source.bin";
  std::string written = folder + "\\written.exe";
  std::string copied = folder + "\\copied.exe";
  if (!pelmora::WriteBytesToFile(source.c_str(), {payload.view()})) return 3;

  std::vector<double> write_times, copy_times;
  // Round 0 warms Wine's server and the file system's first-write costs.
  for (int round = 0; round <= rounds; ++round) {
    double t0 = pelmora::bench::NowSeconds();
    bool ok1 = pelmora::WriteBytesToFile(written.c_str(), {payload.view()});
    double t1 = pelmora::bench::NowSeconds();
    bool ok2 = CopyFileA(source.c_str(), copied.c_str(), FALSE) != 0;
    double t2 = pelmora::bench::NowSeconds();
    if (!ok1 || !ok2) return 4;
    if (round == 0) continue;
    write_times.push_back(t1 - t0);
    copy_times.push_back(t2 - t1);
  }
  double w = pelmora::bench::Median(write_times), c = pelmora::bench::Median(copy_times);
  std::printf("bytes=%u write_ms=%.2f copyfile_ms=%.2f ratio=%.3f\n", static_cast<unsigned>(size),
              w * 1e3, c * 1e3, w / c);
  DeleteFileA(source.c_str());
  DeleteFileA(written.c_str());
  DeleteFileA(copied.c_str());
  return 0;
}
