// What the platform says about program bitness: of a program file, and of
// the Windows this 32-bit program runs on.
#pragma once

#include <cstdint>

namespace pelmora::port {

// GetBinaryTypeA's kinds that matter here.
constexpr std::uint32_t kScs32BitBinary = 0;
constexpr std::uint32_t kScs64BitBinary = 6;

// GetBinaryTypeA: false when the file cannot be read or is no program.
[[nodiscard]] bool ExecutableType(const char* path, std::uint32_t* type);

// True on 64-bit Windows: always for a 64-bit build, which runs nowhere
// else; for the 32-bit program, IsWow64Process on this process (false also
// when the call fails).
[[nodiscard]] bool RunsOn64BitWindows();

}  // namespace pelmora::port
