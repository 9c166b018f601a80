#include "WindowsProgram.h"

#include "IcoFile.h"

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

using IcoFile::Append16;
using IcoFile::Append32;

constexpr std::uint32_t kHeaderBytes = 0x400;
constexpr std::uint32_t kFileAlign = 0x200;
constexpr std::uint32_t kSectionAlign = 0x1000;
constexpr std::uint32_t kCodeRva = 0x1000;
constexpr std::uint32_t kLanguage = 0x411;

std::uint32_t Align(std::uint32_t value, std::uint32_t to) { return (value + to - 1) / to * to; }

struct IconImage {
    int size;
    std::string data;  // a bitmap of 32 bits, or PNG bytes
};

std::string Png(int size, std::uint32_t argb)
{
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, (x + y) % 7 == 0 ? 0xFF000000u : argb);  // a pattern, so it compresses as icons do
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::vector<IconImage> Images(std::uint32_t argb)
{
    std::vector<IconImage> images;
    for (int size : {16, 24, 32, 48, 64})
        images.push_back({size, IcoFile::Bitmap({size, argb})});
    images.push_back({256, Png(256, argb)});
    return images;
}

// A resource directory with entries by id, each leading to a directory or data entry.
void Directory(std::string& out, const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries, bool toDirs)
{
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, 0);
    Append16(out, 0);
    Append16(out, static_cast<unsigned>(entries.size()));
    for (const auto& [id, offset] : entries) {
        Append32(out, id);
        Append32(out, offset | (toDirs ? 0x80000000u : 0));
    }
}

// The resource section at `rva`: ICON (3) with one name per image, GROUP_ICON (14) with one
// group; every name with one language. Directories first, then the data entries, then the data.
std::string Resources(const std::vector<IconImage>& images, std::uint32_t rva)
{
    const auto n = static_cast<std::uint32_t>(images.size());
    const std::uint32_t iconNames = 32, groupNames = iconNames + 16 + 8 * n;
    const std::uint32_t languages = groupNames + 24;  // n + 1 language directories of 24 bytes
    const std::uint32_t dataEntries = languages + 24 * (n + 1);
    const std::uint32_t data = dataEntries + 16 * (n + 1);

    std::string group;  // the group: a header and one 14-byte entry an image, by id
    Append16(group, 0);
    Append16(group, 1);
    Append16(group, n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const int size = images[i].size;
        group += static_cast<char>(size >= 256 ? 0 : size);
        group += static_cast<char>(size >= 256 ? 0 : size);
        group += std::string("\0\0", 2);
        Append16(group, 1);
        Append16(group, 32);
        Append32(group, static_cast<std::uint32_t>(images[i].data.size()));
        Append16(group, i + 1);
    }
    std::vector<std::string> blobs;
    for (const IconImage& image : images)
        blobs.push_back(image.data);
    blobs.push_back(group);

    std::string out;
    Directory(out, {{3, iconNames}, {14, groupNames}}, true);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> names;
    for (std::uint32_t i = 0; i < n; ++i)
        names.push_back({i + 1, languages + 24 * i});
    Directory(out, names, true);
    Directory(out, {{1, languages + 24 * n}}, true);
    for (std::uint32_t i = 0; i <= n; ++i)
        Directory(out, {{kLanguage, dataEntries + 16 * i}}, false);
    std::uint32_t at = data;
    for (const std::string& blob : blobs) {
        Append32(out, rva + at);
        Append32(out, static_cast<std::uint32_t>(blob.size()));
        Append32(out, 0);
        Append32(out, 0);
        at = Align(at + static_cast<std::uint32_t>(blob.size()), 8);
    }
    for (const std::string& blob : blobs) {
        out += blob;
        out.resize(Align(static_cast<std::uint32_t>(out.size()), 8), '\0');
    }
    return out;
}

void Section(std::string& out, const char* name, std::uint32_t rva, std::uint32_t size, std::uint32_t filePos,
             std::uint32_t flags)
{
    std::string field(name);
    field.resize(8, '\0');
    out += field;
    Append32(out, size);
    Append32(out, rva);
    Append32(out, Align(size, kFileAlign));
    Append32(out, filePos);
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, flags);
}

std::string Headers(std::uint32_t codeBytes, std::uint32_t resourceRva, std::uint32_t resourceBytes)
{
    std::string out("MZ");
    out.resize(0x3C, '\0');
    Append32(out, 0x40);
    out += std::string("PE\0\0", 4);
    Append16(out, 0x8664);  // machine
    Append16(out, 2);       // sections
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, 0);
    Append16(out, 240);     // optional header
    Append16(out, 0x22);    // executable, large addresses
    const std::size_t optional = out.size();
    Append16(out, 0x20B);   // PE32+
    out.resize(optional + 16, '\0');
    Append32(out, kCodeRva);                                    // entry point
    out.resize(optional + 24, '\0');
    Append32(out, 0x40000000);                                  // image base (low half)
    Append32(out, 0x1);
    Append32(out, kSectionAlign);
    Append32(out, kFileAlign);
    out.resize(optional + 56, '\0');
    Append32(out, Align(resourceRva + resourceBytes, kSectionAlign));  // image size
    Append32(out, kHeaderBytes);
    out.resize(optional + 68, '\0');
    Append16(out, 2);                                           // a window program
    out.resize(optional + 108, '\0');
    Append32(out, 16);                                          // data directories
    out.resize(optional + 112 + 2 * 8, '\0');
    Append32(out, resourceRva);
    Append32(out, resourceBytes);
    out.resize(optional + 240, '\0');
    Section(out, ".text", kCodeRva, codeBytes, kHeaderBytes, 0x60000020);
    Section(out, ".rsrc", resourceRva, resourceBytes, kHeaderBytes + Align(codeBytes, kFileAlign), 0x40000040);
    out.resize(kHeaderBytes, '\0');
    return out;
}

}  // namespace

namespace WindowsProgram {

void Write(const std::string& path, std::uint32_t codeBytes, std::uint32_t argb)
{
    const std::uint32_t resourceRva = Align(kCodeRva + codeBytes, kSectionAlign);
    std::string resources = Resources(Images(argb), resourceRva);
    resources.resize(Align(static_cast<std::uint32_t>(resources.size()), kFileAlign), '\0');
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << Headers(codeBytes, resourceRva, static_cast<std::uint32_t>(resources.size()));
    out.seekp(kHeaderBytes + Align(codeBytes, kFileAlign));  // the code: a hole
    out << resources;
    out.close();
    if (!out) {
        std::fprintf(stderr, "bench fixture: cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

}  // namespace WindowsProgram
