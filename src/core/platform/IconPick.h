#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Which images of an icon a picture needs: of the images an icon holds (an .ico file, or
// an icon group of a Windows program), the one that fits each wanted pixel size best, so
// that only those are read and decoded.
namespace IconPick {

// An image as an icon's directory describes it.
struct Entry {
    int width = 0;     // in pixels (a directory's 0 stands for 256)
    int bitCount = 0;  // bits a pixel; 0 when the directory does not say
};

// Nearer to `px` is better; of two equally near the larger, since shrinking looks better
// than enlarging; of two of one size the one with more colours.
bool Better(const Entry& candidate, const Entry& best, int px);

// The indexes of the best entry for each of `pixelSizes`, each index once, in the
// entries' order. Every index when no sizes are given.
std::vector<std::size_t> Best(const std::vector<Entry>& entries, std::span<const int> pixelSizes);

// The width a directory's byte stands for.
inline int Width(std::uint8_t directoryByte) { return directoryByte == 0 ? 256 : directoryByte; }

// The bytes of an .ico file holding only the images `pixelSizes` need. The bytes as they
// are when no sizes are given or they are not an .ico directory whose entries lie within
// them (an image reader then says what it makes of them).
std::vector<std::uint8_t> FromIco(std::span<const std::uint8_t> ico, std::span<const int> pixelSizes);

}  // namespace IconPick
