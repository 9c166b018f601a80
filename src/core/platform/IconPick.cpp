#include "platform/IconPick.h"

#include "platform/LittleEndian.h"

#include <algorithm>
#include <cstdlib>

using LittleEndian::Fits;
using LittleEndian::Le16;
using LittleEndian::Le32;
using LittleEndian::Put16;
using LittleEndian::Put32;

namespace {

constexpr std::size_t kDirSize = 6;
constexpr std::size_t kEntrySize = 16;

}  // namespace

namespace IconPick {

bool Better(const Entry& candidate, const Entry& best, int px)
{
    const int distance = std::abs(candidate.width - px);
    const int bestDistance = std::abs(best.width - px);
    if (distance != bestDistance)
        return distance < bestDistance;
    if (candidate.width != best.width)
        return candidate.width > best.width;
    return candidate.bitCount > best.bitCount;
}

std::vector<std::size_t> Best(const std::vector<Entry>& entries, std::span<const int> pixelSizes)
{
    std::vector<std::size_t> chosen;
    if (pixelSizes.empty()) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            chosen.push_back(i);
        return chosen;
    }
    for (int px : pixelSizes) {
        std::size_t best = entries.size();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (best == entries.size() || Better(entries[i], entries[best], px))
                best = i;
        if (best < entries.size() && std::find(chosen.begin(), chosen.end(), best) == chosen.end())
            chosen.push_back(best);
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

std::vector<std::uint8_t> FromIco(std::span<const std::uint8_t> ico, std::span<const int> pixelSizes)
{
    const auto whole = [ico] { return std::vector<std::uint8_t>(ico.begin(), ico.end()); };
    if (pixelSizes.empty() || !Fits(ico, 0, kDirSize) || Le16(ico, 0) != 0 || Le16(ico, 2) != 1)
        return whole();
    const std::size_t count = Le16(ico, 4);
    if (!Fits(ico, kDirSize, count * kEntrySize))
        return whole();
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirSize + i * kEntrySize;
        if (!Fits(ico, Le32(ico, entry + 12), Le32(ico, entry + 8)))
            return whole();
        entries.push_back({Width(ico[entry]), Le16(ico, entry + 6)});
    }
    const std::vector<std::size_t> chosen = Best(entries, pixelSizes);
    std::size_t offset = kDirSize + chosen.size() * kEntrySize;
    std::vector<std::uint8_t> out(offset);
    Put16(&out[2], 1);
    Put16(&out[4], static_cast<std::uint16_t>(chosen.size()));
    for (std::size_t n = 0; n < chosen.size(); ++n) {
        const std::size_t entry = kDirSize + chosen[n] * kEntrySize;
        const std::uint32_t size = Le32(ico, entry + 8);
        std::copy_n(ico.begin() + static_cast<std::ptrdiff_t>(entry), 8, out.begin() + static_cast<std::ptrdiff_t>(kDirSize + n * kEntrySize));
        Put32(&out[kDirSize + n * kEntrySize + 8], size);
        Put32(&out[kDirSize + n * kEntrySize + 12], static_cast<std::uint32_t>(offset));
        const auto data = ico.subspan(Le32(ico, entry + 12), size);
        out.insert(out.end(), data.begin(), data.end());
        offset += size;
    }
    return out;
}

}  // namespace IconPick
