#include "platform/PeImage.h"

#include "platform/LittleEndian.h"

#include <algorithm>

using LittleEndian::Fits;
using LittleEndian::Le16;
using LittleEndian::Le32;

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t kPeMagic = 0x00004550;     // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::uint16_t kPe32PlusMagic = 0x020B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kDirectoryHeaderSize = 16;
constexpr std::uint64_t kDirectoryEntrySize = 8;
constexpr std::uint32_t kHighBit = 0x80000000u;

PeImage::ResourceEntry DecodeEntry(PeImage::Bytes bytes)
{
    const std::uint32_t name = Le32(bytes, 0);
    const std::uint32_t data = Le32(bytes, 4);
    return {(name & kHighBit) != 0, name & ~kHighBit, (data & kHighBit) != 0, data & ~kHighBit};
}

}  // namespace

PeImage::PeImage(Bytes file) : m_file(file)
{
    if (!ParseHeaders()) {
        m_sections.clear();
        m_resourceRva = 0;
    }
}

PeImage::PeImage(Bytes headers, Bytes section, std::uint64_t sectionPos) : PeImage(headers)
{
    m_section = section;
    m_sectionPos = sectionPos;
}

std::optional<std::uint64_t> PeImage::HeadersSize(Bytes start)
{
    if (!Fits(start, 0, 64) || Le16(start, 0) != kDosMagic)
        return std::nullopt;
    const std::uint64_t pe = Le32(start, 0x3C);
    if (!Fits(start, pe, 24) || Le32(start, pe) != kPeMagic)
        return std::nullopt;
    return pe + 24 + Le16(start, pe + 20) + Le16(start, pe + 6) * kSectionHeaderSize;
}

std::optional<bool> PeImage::Is32Bit(Bytes start)
{
    if (!HeadersSize(start))
        return std::nullopt;
    const std::uint64_t optionalHeader = Le32(start, 0x3C) + 24;
    if (!Fits(start, optionalHeader, 2))
        return std::nullopt;
    const std::uint16_t magic = Le16(start, optionalHeader);
    if (magic != kPe32Magic && magic != kPe32PlusMagic)
        return std::nullopt;
    return magic == kPe32Magic;
}

std::optional<PeImage::FileRange> PeImage::ResourceSection() const
{
    for (const Section& section : m_sections) {
        if (m_resourceRva >= section.rva && m_resourceRva - section.rva < section.size)
            return FileRange{section.filePos, section.size};
    }
    return std::nullopt;
}

bool PeImage::ParseHeaders()
{
    if (!Fits(m_file, 0, 64) || Le16(m_file, 0) != kDosMagic)
        return false;
    const std::uint64_t pe = Le32(m_file, 0x3C);
    if (!Fits(m_file, pe, 24) || Le32(m_file, pe) != kPeMagic)
        return false;
    const std::uint16_t sectionCount = Le16(m_file, pe + 6);
    const std::uint16_t optionalSize = Le16(m_file, pe + 20);
    const std::uint64_t optionalHeader = pe + 24;
    if (!Fits(m_file, optionalHeader, optionalSize))
        return false;
    return ParseResourceDirectory(optionalHeader, optionalSize) &&
           ParseSections(optionalHeader + optionalSize, sectionCount);
}

// The optional header differs between PE32 and PE32+ only in where its table of data
// directories starts; the resource directory is the third of them.
bool PeImage::ParseResourceDirectory(std::uint64_t optionalHeader, std::uint16_t optionalSize)
{
    if (optionalSize < 2)
        return false;
    const std::uint16_t magic = Le16(m_file, optionalHeader);
    std::uint64_t directories = 0;
    if (magic == kPe32Magic)
        directories = 96;
    else if (magic == kPe32PlusMagic)
        directories = 112;
    else
        return false;
    const std::uint64_t entryPos = directories + kResourceDirectoryIndex * 8;
    if (entryPos + 8 > optionalSize)
        return false;
    if (Le32(m_file, optionalHeader + directories - 4) <= kResourceDirectoryIndex)
        return false;
    m_resourceRva = Le32(m_file, optionalHeader + entryPos);
    return m_resourceRva != 0;
}

bool PeImage::ParseSections(std::uint64_t table, std::uint16_t count)
{
    if (!Fits(m_file, table, count * kSectionHeaderSize))
        return false;
    m_sections.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t pos = table + i * kSectionHeaderSize;
        const std::uint32_t virtualSize = Le32(m_file, pos + 8);
        const std::uint32_t rawSize = Le32(m_file, pos + 16);
        // Only bytes that are both loaded and present in the file can be read; a virtual
        // size of 0 means the raw size.
        const std::uint32_t size = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
        m_sections.push_back({Le32(m_file, pos + 12), size, Le32(m_file, pos + 20)});
    }
    return true;
}

std::optional<PeImage::Bytes> PeImage::At(std::uint64_t rva, std::uint64_t length) const
{
    for (const Section& section : m_sections) {
        if (rva < section.rva)
            continue;
        const std::uint64_t inSection = rva - section.rva;
        if (inSection > section.size || length > section.size - inSection)
            continue;
        const std::uint64_t pos = section.filePos + inSection;
        if (pos >= m_sectionPos && Fits(m_section, pos - m_sectionPos, length))
            return m_section.subspan(pos - m_sectionPos, length);
        if (!Fits(m_file, pos, length))
            return std::nullopt;
        return m_file.subspan(pos, length);
    }
    return std::nullopt;
}

std::optional<PeImage::Bytes> PeImage::ResourceBytes(std::uint64_t offset, std::uint64_t length) const
{
    if (m_resourceRva == 0)
        return std::nullopt;
    return At(m_resourceRva + offset, length);
}

std::optional<std::uint32_t> PeImage::ResourceEntryCount(std::uint32_t offset) const
{
    const auto header = ResourceBytes(offset, kDirectoryHeaderSize);
    if (!header)
        return std::nullopt;
    return std::uint32_t{Le16(*header, 12)} + Le16(*header, 14);
}

std::vector<PeImage::ResourceEntry> PeImage::ResourceEntries(std::uint32_t offset) const
{
    std::vector<ResourceEntry> entries;
    const auto count = ResourceEntryCount(offset);
    if (!count)
        return entries;
    const auto table = ResourceBytes(std::uint64_t{offset} + kDirectoryHeaderSize, *count * kDirectoryEntrySize);
    if (!table)
        return entries;
    entries.reserve(*count);
    for (std::size_t i = 0; i < *count; ++i)
        entries.push_back(DecodeEntry(table->subspan(i * kDirectoryEntrySize, kDirectoryEntrySize)));
    return entries;
}

std::optional<PeImage::ResourceEntry> PeImage::FirstResourceEntry(std::uint32_t offset) const
{
    const auto count = ResourceEntryCount(offset);
    if (!count || *count == 0)
        return std::nullopt;
    const auto entry = ResourceBytes(std::uint64_t{offset} + kDirectoryHeaderSize, kDirectoryEntrySize);
    if (!entry)
        return std::nullopt;
    return DecodeEntry(*entry);
}

std::optional<PeImage::Bytes> PeImage::ResourceData(std::uint32_t offset) const
{
    const auto entry = ResourceBytes(offset, 16);
    if (!entry)
        return std::nullopt;
    return At(Le32(*entry, 0), Le32(*entry, 4));
}
