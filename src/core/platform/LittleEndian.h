#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian fields of binary file formats. Le16/Le32 expect the caller to have checked
// the range with Fits; Fits does the check without overflow for any 64-bit position.
namespace LittleEndian {

inline bool Fits(std::span<const std::uint8_t> bytes, std::uint64_t pos, std::uint64_t length)
{
    return pos <= bytes.size() && length <= bytes.size() - pos;
}

inline std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t pos)
{
    return static_cast<std::uint16_t>(bytes[pos] | (bytes[pos + 1] << 8));
}

inline std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t pos)
{
    return static_cast<std::uint32_t>(Le16(bytes, pos)) |
           (static_cast<std::uint32_t>(Le16(bytes, pos + 2)) << 16);
}

inline void Put16(std::uint8_t* out, std::uint16_t value)
{
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::uint8_t* out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value));
    Put16(out + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace LittleEndian
