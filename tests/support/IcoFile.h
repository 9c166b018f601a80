#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// .ico files for tests, written byte by byte: square one-colour images of 32 bits per pixel
// (a bitmap header, the pixels bottom-up and an all-visible mask), and a strict reader of the
// directory that rejects any entry reaching outside the file.
namespace IcoFile {

struct Image {
    int size = 16;
    std::uint32_t argb = 0xFF2060A0;
};

// The fields of a directory entry before its size and offset, and the image data.
struct Entry {
    std::string format;
    std::string data;
};

inline void Append16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline void Append32(std::string& out, std::uint32_t value)
{
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

inline unsigned Get16(const std::string& in, std::size_t pos)
{
    return static_cast<unsigned char>(in[pos]) | (static_cast<unsigned char>(in[pos + 1]) << 8);
}

inline std::uint32_t Get32(const std::string& in, std::size_t pos)
{
    return Get16(in, pos) | (static_cast<std::uint32_t>(Get16(in, pos + 2)) << 16);
}

inline std::string Bitmap(const Image& image)
{
    const auto size = static_cast<std::uint32_t>(image.size);
    const std::uint32_t maskRow = (size + 31) / 32 * 4;
    std::string out;
    Append32(out, 40);
    Append32(out, size);
    Append32(out, size * 2);  // pixels and mask
    Append16(out, 1);
    Append16(out, 32);
    Append32(out, 0);
    Append32(out, size * size * 4 + maskRow * size);
    for (int i = 0; i < 4; ++i)
        Append32(out, 0);
    for (std::uint32_t i = 0; i < size * size; ++i)
        Append32(out, image.argb);  // stored as blue, green, red, alpha
    out.append(maskRow * size, '\0');
    return out;
}

inline std::string Make(const std::vector<Image>& images)
{
    std::string out;
    Append16(out, 0);
    Append16(out, 1);
    Append16(out, static_cast<unsigned>(images.size()));
    std::string data;
    const std::uint32_t start = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const Image& image : images) {
        const std::string bitmap = Bitmap(image);
        out += static_cast<char>(image.size >= 256 ? 0 : image.size);
        out += static_cast<char>(image.size >= 256 ? 0 : image.size);
        out += std::string("\0\0", 2);
        Append16(out, 1);
        Append16(out, 32);
        Append32(out, static_cast<std::uint32_t>(bitmap.size()));
        Append32(out, start + static_cast<std::uint32_t>(data.size()));
        data += bitmap;
    }
    return out + data;
}

inline std::optional<std::vector<Entry>> Parse(const std::string& ico)
{
    if (ico.size() < 6 || Get16(ico, 0) != 0 || Get16(ico, 2) != 1 || Get16(ico, 4) == 0)
        return std::nullopt;
    const std::size_t count = Get16(ico, 4);
    if (ico.size() < 6 + 16 * count)
        return std::nullopt;
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t pos = 6 + 16 * i;
        const std::uint64_t size = Get32(ico, pos + 8);
        const std::uint64_t offset = Get32(ico, pos + 12);
        if (size == 0 || offset < 6 + 16 * count || offset + size > ico.size())
            return std::nullopt;
        entries.push_back({ico.substr(pos, 8), ico.substr(offset, size)});
    }
    return entries;
}

}  // namespace IcoFile
