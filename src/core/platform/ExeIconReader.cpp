#include "platform/ExeIconReader.h"

#include "platform/IconPick.h"
#include "platform/LittleEndian.h"
#include "platform/PeImage.h"
#include "platform/ScopedFd.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using LittleEndian::Le16;
using LittleEndian::Put16;
using LittleEndian::Put32;

namespace {

using Bytes = PeImage::Bytes;

constexpr std::uint32_t kTypeIcon = 3;        // one image of an icon
constexpr std::uint32_t kTypeGroupIcon = 14;  // the directory of an icon's images
constexpr std::size_t kIconDirSize = 6;       // reserved, type (1 = icon), count
constexpr std::size_t kGroupEntrySize = 14;   // as in a file's entry, but an id instead of an offset
constexpr std::size_t kFileEntrySize = 16;
constexpr std::size_t kEntryFormatSize = 8;   // width, height, colours, reserved, planes, bit count

// One image of the icon: its format fields as the group lists them, and its data.
struct IconImage {
    Bytes format;
    Bytes data;
};

std::optional<PeImage::ResourceEntry> FindId(const std::vector<PeImage::ResourceEntry>& entries, std::uint32_t id)
{
    for (const auto& entry : entries) {
        if (!entry.named && entry.id == id && entry.directory)
            return entry;
    }
    return std::nullopt;
}

// The data of the first language of a named resource whose languages are at `offset`.
std::optional<Bytes> FirstLanguageData(const PeImage& pe, std::uint32_t offset)
{
    const auto language = pe.FirstResourceEntry(offset);
    if (!language || language->directory)
        return std::nullopt;
    return pe.ResourceData(language->offset);
}

std::optional<Bytes> FirstGroup(const PeImage& pe, const std::vector<PeImage::ResourceEntry>& types)
{
    const auto type = FindId(types, kTypeGroupIcon);
    if (!type)
        return std::nullopt;
    const auto name = pe.FirstResourceEntry(type->offset);
    if (!name || !name->directory)
        return std::nullopt;
    return FirstLanguageData(pe, name->offset);
}

// The language directories of every icon image, by id (the first of duplicate ids wins).
std::map<std::uint32_t, std::uint32_t> IconImagesById(const PeImage& pe,
                                                      const std::vector<PeImage::ResourceEntry>& types)
{
    std::map<std::uint32_t, std::uint32_t> byId;
    if (const auto type = FindId(types, kTypeIcon)) {
        for (const auto& entry : pe.ResourceEntries(type->offset)) {
            if (!entry.named && entry.directory)
                byId.emplace(entry.id, entry.offset);
        }
    }
    return byId;
}

// The entries of a group that name an image the program holds.
std::vector<Bytes> PresentEntries(Bytes group, const std::map<std::uint32_t, std::uint32_t>& imagesById)
{
    std::vector<Bytes> entries;
    if (group.size() < kIconDirSize || Le16(group, 2) != 1)
        return entries;
    const std::size_t count = std::min<std::size_t>(Le16(group, 4), (group.size() - kIconDirSize) / kGroupEntrySize);
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes entry = group.subspan(kIconDirSize + i * kGroupEntrySize, kGroupEntrySize);
        if (imagesById.contains(Le16(entry, 12)))
            entries.push_back(entry);
    }
    return entries;
}

// The images of a group that `pixelSizes` need (all without sizes), in its order; those
// that are missing or empty are left out, and so is everything that would make the .ico
// larger than its limit.
std::vector<IconImage> GroupImages(const PeImage& pe, Bytes group,
                                   const std::map<std::uint32_t, std::uint32_t>& imagesById,
                                   std::span<const int> pixelSizes)
{
    std::vector<IconImage> images;
    const std::vector<Bytes> entries = PresentEntries(group, imagesById);
    std::vector<IconPick::Entry> described;
    for (const Bytes& entry : entries)
        described.push_back({IconPick::Width(entry[0]), Le16(entry, 6)});
    std::size_t total = kIconDirSize;
    for (std::size_t i : IconPick::Best(described, pixelSizes)) {
        const Bytes entry = entries[i];
        const auto found = imagesById.find(Le16(entry, 12));
        if (found == imagesById.end())
            continue;
        const auto data = FirstLanguageData(pe, found->second);
        if (!data || data->empty())
            continue;
        if (data->size() + kFileEntrySize > ExeIconReader::kMaxIcoBytes - total)
            break;
        total += data->size() + kFileEntrySize;
        images.push_back({entry.first(kEntryFormatSize), *data});
    }
    return images;
}

std::vector<std::uint8_t> BuildIco(const std::vector<IconImage>& images)
{
    std::size_t offset = kIconDirSize + images.size() * kFileEntrySize;
    std::size_t total = offset;
    for (const auto& image : images)
        total += image.data.size();
    std::vector<std::uint8_t> ico(total);
    Put16(&ico[2], 1);
    Put16(&ico[4], static_cast<std::uint16_t>(images.size()));
    std::uint8_t* entry = &ico[kIconDirSize];
    for (const auto& image : images) {
        std::copy(image.format.begin(), image.format.end(), entry);
        Put32(entry + 8, static_cast<std::uint32_t>(image.data.size()));
        Put32(entry + 12, static_cast<std::uint32_t>(offset));
        std::copy(image.data.begin(), image.data.end(), ico.begin() + static_cast<std::ptrdiff_t>(offset));
        offset += image.data.size();
        entry += kFileEntrySize;
    }
    return ico;
}

}  // namespace

namespace {

std::vector<std::uint8_t> IcoOf(const PeImage& pe, std::span<const int> pixelSizes)
{
    if (!pe.HasResources())
        return {};
    const auto types = pe.ResourceEntries(0);
    const auto group = FirstGroup(pe, types);
    if (!group)
        return {};
    const auto images = GroupImages(pe, *group, IconImagesById(pe, types), pixelSizes);
    if (images.empty())
        return {};
    return BuildIco(images);
}

// Up to `length` bytes from `pos` (fewer at the file's end); empty on a failure.
std::vector<std::uint8_t> ReadAt(int fd, std::uint64_t pos, std::uint64_t length)
{
    std::vector<std::uint8_t> bytes(length);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(pos + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {};
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

// The headers in front of a program's sections are usually within the first page.
constexpr std::uint64_t kFirstRead = 4096;

}  // namespace

std::vector<std::uint8_t> ExeIconReader::IcoFromImage(std::span<const std::uint8_t> image,
                                                      std::span<const int> pixelSizes)
{
    return IcoOf(PeImage(image.first(std::min(image.size(), kMaxFileBytes))), pixelSizes);
}

std::vector<std::uint8_t> ExeIconReader::IcoFromFile(const std::string& path, std::span<const int> pixelSizes)
{
    // Never blocks on a pipe or a device that has the name; regular files only.
    const ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat status {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    const std::uint64_t fileSize = std::min<std::uint64_t>(static_cast<std::uint64_t>(status.st_size), kMaxFileBytes);
    std::vector<std::uint8_t> headers = ReadAt(fd.Get(), 0, std::min(fileSize, kFirstRead));
    const auto headersSize = PeImage::HeadersSize(headers);
    if (!headersSize || *headersSize > fileSize)
        return {};
    if (*headersSize > headers.size())
        headers = ReadAt(fd.Get(), 0, *headersSize);
    const auto range = PeImage(headers).ResourceSection();
    if (!range || range->pos >= fileSize)
        return {};
    const std::vector<std::uint8_t> section =
        ReadAt(fd.Get(), range->pos, std::min(range->size, fileSize - range->pos));
    return IcoOf(PeImage(headers, section, range->pos), pixelSizes);
}
