#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The headers, sections and resource directory of a Windows program image (PE32 or PE32+)
// held in memory. Nothing is trusted: every address and size read from the image is checked
// against the bytes given, and an unusable image simply has no resources.
class PeImage {
public:
    using Bytes = std::span<const std::uint8_t>;

    // One entry of a resource directory.
    struct ResourceEntry {
        bool named = false;        // the name is a string; id then holds its offset
        std::uint32_t id = 0;
        bool directory = false;    // leads to a further directory, else to a data entry
        std::uint32_t offset = 0;  // of that directory or data entry, from the resource root
    };

    explicit PeImage(Bytes file);
    // An image of which only the headers (the file's first bytes) and the bytes of one
    // section, found at `sectionPos` in the file, were read: everything else counts as
    // outside the file.
    PeImage(Bytes headers, Bytes section, std::uint64_t sectionPos);

    // How many of the file's first bytes hold its headers and section table, as far as
    // `start` (its first bytes) tells; nothing when they are not those of a program.
    static std::optional<std::uint64_t> HeadersSize(Bytes start);
    // Whether the program is a 32-bit one (PE32) rather than a 64-bit one (PE32+), as far
    // as `start` (its first bytes) tells; nothing when they are not those of a program.
    static std::optional<bool> Is32Bit(Bytes start);
    // Where in the file the section that holds the resource directory lies, and how much
    // of it is there to read.
    struct FileRange {
        std::uint64_t pos = 0;
        std::uint64_t size = 0;
    };
    std::optional<FileRange> ResourceSection() const;

    bool HasResources() const { return m_resourceRva != 0; }
    // The bytes of the file that hold [rva, rva + length) of the loaded image; none when
    // any of them lies outside a section's data in the file.
    std::optional<Bytes> At(std::uint64_t rva, std::uint64_t length) const;
    // The entries of the resource directory at the given offset (0 is the root); empty when
    // it is damaged.
    std::vector<ResourceEntry> ResourceEntries(std::uint32_t offset) const;
    // Only the first entry of that directory.
    std::optional<ResourceEntry> FirstResourceEntry(std::uint32_t offset) const;
    // The data a resource data entry at the given offset describes.
    std::optional<Bytes> ResourceData(std::uint32_t offset) const;

private:
    struct Section {
        std::uint32_t rva = 0;
        std::uint32_t size = 0;  // bytes both in the file and in the loaded image
        std::uint32_t filePos = 0;
    };

    bool ParseHeaders();
    bool ParseResourceDirectory(std::uint64_t optionalHeader, std::uint16_t optionalSize);
    bool ParseSections(std::uint64_t table, std::uint16_t count);
    std::optional<Bytes> ResourceBytes(std::uint64_t offset, std::uint64_t length) const;
    std::optional<std::uint32_t> ResourceEntryCount(std::uint32_t offset) const;

    Bytes m_file;
    Bytes m_section;  // one section read on its own, at m_sectionPos in the file
    std::uint64_t m_sectionPos = 0;
    std::vector<Section> m_sections;
    std::uint32_t m_resourceRva = 0;
};
