// What the platform says about program bitness: of a program file, and of
// the Windows this 32-bit program runs on.
#pragma once

#include <cstdint>

namespace pelmora::port {

// GetBinaryTypeA's kinds that matter here.
constexpr std::uint32_t kScs32BitBinary = 0;
constexpr std::uint32_t kScs64BitBinary = 6;

// GetBinaryTypeA: false when the file cannot be read or is no program.
bool ExecutableType(const char* path, std::uint32_t* type);

// IsWow64Process on this process: true when a 32-bit program runs on
// 64-bit Windows. False also when the call fails.
bool ProcessRunsUnderWow64();

}  // namespace pelmora::port
