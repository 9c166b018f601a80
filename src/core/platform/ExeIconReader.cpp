#include "platform/ExeIconReader.h"

#include "platform/LittleEndian.h"
#include "platform/PeImage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

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

// The images a group names, in its order; those that are missing or empty are left out,
// and so is everything that would make the .ico larger than its limit.
std::vector<IconImage> GroupImages(const PeImage& pe, Bytes group,
                                   const std::map<std::uint32_t, std::uint32_t>& imagesById)
{
    std::vector<IconImage> images;
    if (group.size() < kIconDirSize || Le16(group, 2) != 1)
        return images;
    const std::size_t count = std::min<std::size_t>(Le16(group, 4), (group.size() - kIconDirSize) / kGroupEntrySize);
    std::size_t total = kIconDirSize;
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes entry = group.subspan(kIconDirSize + i * kGroupEntrySize, kGroupEntrySize);
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

std::vector<std::uint8_t> ExeIconReader::IcoFromImage(std::span<const std::uint8_t> image)
{
    const PeImage pe(image.first(std::min(image.size(), kMaxFileBytes)));
    if (!pe.HasResources())
        return {};
    const auto types = pe.ResourceEntries(0);
    const auto group = FirstGroup(pe, types);
    if (!group)
        return {};
    const auto images = GroupImages(pe, *group, IconImagesById(pe, types));
    if (images.empty())
        return {};
    return BuildIco(images);
}

std::vector<std::uint8_t> ExeIconReader::IcoFromFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return {};
    std::vector<std::uint8_t> bytes(std::min<std::uintmax_t>(size, kMaxFileBytes));
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return IcoFromImage(bytes);
}
