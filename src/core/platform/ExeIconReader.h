#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Reads the icon of a Windows program (.exe, PE32 or PE32+): the first icon group of its
// resources and the icon images that group names, rebuilt as the bytes of an .ico file
// (directory, entries with file offsets, image data) that an image reader can decode.
//
// Every offset and size taken from the file is checked against the file's length before
// use; a damaged, truncated or foreign file gives an empty result, never a read outside
// the bytes given.
class ExeIconReader {
public:
    // At most this much of a file is read; icons of larger programs must lie within it.
    static constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;
    // The rebuilt .ico never grows beyond this; further images of the group are left out.
    static constexpr std::size_t kMaxIcoBytes = std::size_t{16} << 20;

    // The .ico bytes of a program image held in memory; empty when it has no usable icon.
    // With `pixelSizes`, only the images that fit those sizes best (IconPick) are taken.
    static std::vector<std::uint8_t> IcoFromImage(std::span<const std::uint8_t> image,
                                                  std::span<const int> pixelSizes = {});
    // The same for a file (within its first kMaxFileBytes bytes); empty when unreadable.
    // Only the headers and the section of the resources are read, however large the
    // program is.
    static std::vector<std::uint8_t> IcoFromFile(const std::string& path, std::span<const int> pixelSizes = {});
};
