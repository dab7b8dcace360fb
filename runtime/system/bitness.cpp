#include "runtime/system/bitness.h"

#include "runtime/system/bitness_port.h"
#include "runtime/system/files_port.h"

namespace pelmora {

ProgramBitness BitnessOfProgram(TextView path) {
  if (path.size() >= port::kPathBuffer) return ProgramBitness::kUnknown;
  std::uint32_t type = 0;
  if (!port::ExecutableType(path.c_str(), &type)) return ProgramBitness::kUnknown;
  if (type == port::kScs64BitBinary) return ProgramBitness::k64Bit;
  if (type == port::kScs32BitBinary) return ProgramBitness::k32Bit;
  return ProgramBitness::kUnknown;  // DOS, 16-bit, POSIX: nothing an add-in could match
}

bool WindowsIs64Bit() { return port::RunsOn64BitWindows(); }

}  // namespace pelmora
