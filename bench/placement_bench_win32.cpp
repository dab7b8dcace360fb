// Placing the panel's three files together (staged, put in place, read
// back) against three plain CopyFileA calls of the same files, alternating
// in one run so both see the same disk and cache state.
//   placement_bench.exe <folder> <rounds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/panel_transaction.h"
#include "bench/bench_clock_win32.h"
#include "runtime/system/files.h"
#include "runtime/text/text.h"

namespace {

// Sizes of the order of MathType 7's own template and add-in.
constexpr std::size_t kTemplateBytes = 96 * 1024;
constexpr std::size_t kAddInBytes = 320 * 1024;

bool WriteFileOfSize(const std::string& path, std::size_t size) {
  std::vector<unsigned char> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 2654435761u >> 13);
  pelmora::ByteSet set = pelmora::ByteSet::FromBytes(bytes.data(), bytes.size());
  return pelmora::WriteBytesToFile(path.c_str(), {set.view()});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
  const std::string math_type = folder + "\\MathType\\";
  const std::string version = folder + "\\WPS\\12.1.0.1";
  const std::string plain = folder + "\\plain";
  for (const std::string& f :
       {math_type, math_type + "Office Support", math_type + "Office Support\\32", math_type + "MathPage",
        math_type + "MathPage\\32", folder + "\\WPS", version, version + "\\office6",
        version + "\\office6\\startup", plain}) {
    CreateDirectoryA(f.c_str(), nullptr);
  }
  const pelmora::MathTypePair pair =
      pelmora::MathTypePairFor(math_type.c_str(), pelmora::ProgramBitness::k32Bit);
  if (!WriteFileOfSize(pair.template_file.c_str(), kTemplateBytes) ||
      !WriteFileOfSize(pair.add_in.c_str(), kAddInBytes)) {
    return 3;
  }
  const pelmora::WpsFolders wps = pelmora::WpsFoldersOf(version.c_str());
  const std::string plain_targets[] = {plain + "\\t.dotm", plain + "\\a.wll", plain + "\\b.wll"};
  const char* plain_sources[] = {pair.template_file.c_str(), pair.add_in.c_str(),
                                 pair.add_in.c_str()};

  std::vector<double> placement, copies;
  // Round 0 warms Wine's server and the file system's first-write costs;
  // from round 1 on, both replace the copies of the round before.
  for (int round = 0; round <= rounds; ++round) {
    double t0 = pelmora::bench::NowSeconds();
    const bool placed = pelmora::PlacePanelTogether(pair, wps).placed();
    double t1 = pelmora::bench::NowSeconds();
    bool copied = true;
    for (int i = 0; i < 3; ++i) {
      copied = copied && CopyFileA(plain_sources[i], plain_targets[i].c_str(), FALSE) != 0;
    }
    double t2 = pelmora::bench::NowSeconds();
    if (!placed || !copied) return 4;
    if (round == 0) continue;
    placement.push_back(t1 - t0);
    copies.push_back(t2 - t1);
  }
  const double p = pelmora::bench::Median(placement), c = pelmora::bench::Median(copies);
  std::printf("bytes=%u placement_ms=%.2f copyfile_ms=%.2f ratio=%.3f\n",
              static_cast<unsigned>(kTemplateBytes + 2 * kAddInBytes), p * 1e3, c * 1e3, p / c);
  return 0;
}
