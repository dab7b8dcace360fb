// libFuzzer target for the command-line reader. Input: any bytes, as the
// command line after the program's name. Whatever arrives, the reader must
// not crash, and what it returns must hold together: an invalid line names
// an argument that was given, a log file was given, and the usage wins.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/command_line.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// Every byte of a reported argument appears in the line, quotes aside.
bool TakenFrom(const std::string& part, const std::string& line) {
  std::size_t at = 0;
  for (char c : part) {
    at = line.find(c, at);
    if (at == std::string::npos) return false;
    ++at;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find('\0'));
  const pelmora::CommandLine read = pelmora::ReadCommandLine(pelmora::TextView(line.c_str()));
  if (read.invalid) Check(TakenFrom(*read.invalid, line));
  Check(TakenFrom(read.log_file, line));
  // A usage request, /? or /help, always has one of these letters.
  if (read.run == pelmora::RequestedRun::kUsage) {
    Check(line.find_first_of("?hH") != std::string::npos);
  }
  return 0;
}
