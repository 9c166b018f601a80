#pragma once

#include <cstdint>
#include <string>

// Windows program files (PE32+) for the benchmarks, written byte by byte: a code section of
// the given size (a hole in the file, so a library of large programs takes little disk) and
// a resource section holding one icon group the way programs carry them: 16, 24, 32, 48
// and 64 pixel images of 32 bits and a 256 pixel PNG image.
namespace WindowsProgram {

// Writes the file; aborts the benchmark when it cannot. `argb` colours the icon.
void Write(const std::string& path, std::uint32_t codeBytes, std::uint32_t argb);

}  // namespace WindowsProgram
