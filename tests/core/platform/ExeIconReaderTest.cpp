#include "platform/ExeIconReader.h"

#include "support/IcoFile.h"
#include "support/MingwProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using IcoFile::Get16;
using IcoFile::Get32;

const IcoFile::Image kSmall{16, 0xFF2060A0};
const IcoFile::Image kLarge{32, 0xFFC04010};
const IcoFile::Image kOther{16, 0xFF10C040};

std::string Read(const std::string& bytes, std::vector<int> sizes = {})
{
    const std::vector<std::uint8_t> image(bytes.begin(), bytes.end());
    const auto ico = ExeIconReader::IcoFromImage(image, sizes);
    return std::string(ico.begin(), ico.end());
}

std::string ReadFile(const std::string& path)
{
    const auto ico = ExeIconReader::IcoFromFile(path);
    return std::string(ico.begin(), ico.end());
}

void Put16(std::string& bytes, std::size_t pos, unsigned value)
{
    bytes[pos] = static_cast<char>(value & 0xFF);
    bytes[pos + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& bytes, std::size_t pos, std::uint32_t value)
{
    Put16(bytes, pos, value & 0xFFFF);
    Put16(bytes, pos + 2, value >> 16);
}

// Where things are in a program built by the fixture: enough of the headers and the
// resource tree to damage them on purpose.
struct Layout {
    explicit Layout(const std::string& exe)
    {
        pe = Get32(exe, 0x3C);
        optionalHeader = pe + 24;
        const std::size_t optionalSize = Get16(exe, pe + 20);
        dataDirectories = optionalHeader + (Get16(exe, optionalHeader) == 0x20B ? 112 : 96);
        const std::size_t sections = optionalHeader + optionalSize;
        for (std::size_t i = 0; i < Get16(exe, pe + 6); ++i) {
            const std::size_t header = sections + 40 * i;
            if (exe.compare(header, 5, ".rsrc") == 0) {
                rsrcHeader = header;
                rsrcRva = Get32(exe, header + 12);
                rsrcFile = Get32(exe, header + 20);
            }
        }
        const std::size_t groupType = Entry(exe, rsrcFile, 1);  // types are 3, then 14
        groupName = Entry(exe, Child(exe, groupType), 0);
        groupData = rsrcFile + (Get32(exe, Entry(exe, Child(exe, groupName), 0) + 4));
        group = rsrcFile + (Get32(exe, groupData) - rsrcRva);
    }
    // The file position of entry i of the directory at dir.
    static std::size_t Entry(const std::string&, std::size_t dir, std::size_t i) { return dir + 16 + 8 * i; }
    // The file position of the directory an entry leads to.
    std::size_t Child(const std::string& exe, std::size_t entry) const
    {
        return rsrcFile + (Get32(exe, entry + 4) & 0x7FFFFFFF);
    }

    std::size_t pe = 0;
    std::size_t optionalHeader = 0;
    std::size_t dataDirectories = 0;
    std::size_t rsrcHeader = 0;
    std::uint32_t rsrcRva = 0;
    std::size_t rsrcFile = 0;
    std::size_t groupName = 0;  // the group's first name entry
    std::size_t groupData = 0;  // its data entry
    std::size_t group = 0;      // the group's own bytes
};

class ExeIconReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (MingwProgram::ToolsPresent())
            return;
        if (MingwProgram::RequiredHere())
            FAIL() << MingwProgram::kMissingTools;
        GTEST_SKIP() << MingwProgram::kMissingTools;
    }

    std::string Build(const std::string& rc, const std::vector<std::pair<std::string, std::string>>& files,
                      bool pe32 = false)
    {
        return MingwProgram::Build(m_dir, rc, files, pe32);
    }

    std::string BuildTwoSizes(bool pe32 = false)
    {
        return Build("1 ICON \"app.ico\"\n", {{"app.ico", IcoFile::Make({kSmall, kLarge})}}, pe32);
    }

    TempDir m_dir;
};

void ExpectSameImages(const std::string& ico, const std::string& sourceIco)
{
    const auto read = IcoFile::Parse(ico);
    const auto source = IcoFile::Parse(sourceIco);
    ASSERT_TRUE(read.has_value()) << "no well-formed icon read back";
    ASSERT_TRUE(source.has_value());
    ASSERT_EQ(read->size(), source->size());
    for (std::size_t i = 0; i < read->size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ((*read)[i].format, (*source)[i].format);
        EXPECT_EQ((*read)[i].data, (*source)[i].data);
    }
}

// Empty, or an .ico whose every entry lies inside it.
void ExpectNoIconOrWellFormed(const std::string& ico)
{
    if (!ico.empty()) {
        EXPECT_TRUE(IcoFile::Parse(ico).has_value());
    }
}

TEST_F(ExeIconReaderTest, ReadsEveryImageOfTheIconInBothFormats)
{
    for (bool pe32 : {false, true}) {
        SCOPED_TRACE(pe32 ? "PE32" : "PE32+");
        const std::string exe = BuildTwoSizes(pe32);
        ASSERT_FALSE(exe.empty());
        ExpectSameImages(Read(exe), IcoFile::Make({kSmall, kLarge}));
    }
}

// Only the images the wanted sizes need are taken: the nearest, the larger of two as near.
TEST_F(ExeIconReaderTest, TakesTheImagesTheSizesNeed)
{
    const std::string exe = BuildTwoSizes();
    ASSERT_FALSE(exe.empty());
    const struct {
        std::vector<int> sizes;
        std::vector<IcoFile::Image> expected;
    } cases[] = {
        {{16}, {kSmall}}, {{64}, {kLarge}}, {{24}, {kLarge}}, {{16, 32}, {kSmall, kLarge}}, {{32, 64}, {kLarge}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.sizes));
        ExpectSameImages(Read(exe, c.sizes), IcoFile::Make(c.expected));
    }
}

TEST_F(ExeIconReaderTest, TakesTheFirstIconGroup)
{
    const std::string first = IcoFile::Make({kSmall, kLarge});
    const std::string other = IcoFile::Make({kOther});
    struct Case {
        const char* rc;
        const std::string& expected;
    } cases[] = {
        {"7 ICON \"other.ico\"\n3 ICON \"first.ico\"\n", first},  // lowest number first
        {"1 ICON \"other.ico\"\nZAPP ICON \"first.ico\"\n", first},  // names before numbers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rc);
        const std::string exe = Build(c.rc, {{"first.ico", first}, {"other.ico", other}});
        ASSERT_FALSE(exe.empty());
        ExpectSameImages(Read(exe), c.expected);
    }
}

TEST_F(ExeIconReaderTest, ReadsFromFileAndRefusesWhatIsNoProgram)
{
    const std::string exe = BuildTwoSizes();
    ASSERT_FALSE(exe.empty());
    auto fromFile = ExeIconReader::IcoFromFile(m_dir / "prog.exe");
    ExpectSameImages(std::string(fromFile.begin(), fromFile.end()), IcoFile::Make({kSmall, kLarge}));

    EXPECT_TRUE(ExeIconReader::IcoFromFile(m_dir / "missing.exe").empty());
    EXPECT_TRUE(ExeIconReader::IcoFromFile(m_dir.Path()).empty());
    EXPECT_TRUE(ExeIconReader::IcoFromFile("/proc/self/exe").empty());  // not a Windows program
    EXPECT_TRUE(Read("").empty());
    EXPECT_TRUE(Read(IcoFile::Make({kSmall})).empty());
}

TEST_F(ExeIconReaderTest, ProgramWithoutIconHasNone)
{
    const std::string exe = Build("1 RCDATA { \"zarn\" }\n", {});
    ASSERT_FALSE(exe.empty());
    EXPECT_TRUE(Read(exe).empty());
}

// Each length is copied into a buffer of exactly that size, so that a read beyond it is
// caught by the address sanitizer.
TEST_F(ExeIconReaderTest, EveryTruncationGivesNoIconOrAWellFormedOne)
{
    for (bool pe32 : {false, true}) {
        const std::string exe = BuildTwoSizes(pe32);
        ASSERT_FALSE(exe.empty());
        const Layout layout(exe);
        for (std::size_t length = 0; length < exe.size(); ++length) {
            SCOPED_TRACE(std::string(pe32 ? "PE32" : "PE32+") + " cut to " + std::to_string(length));
            const std::string ico = Read(exe.substr(0, length));
            ExpectNoIconOrWellFormed(ico);
            if (length <= layout.group) {
                EXPECT_TRUE(ico.empty());
            }
        }
    }
}

TEST_F(ExeIconReaderTest, EveryDamagedByteGivesNoIconOrAWellFormedOne)
{
    const std::string exe = BuildTwoSizes();
    ASSERT_FALSE(exe.empty());
    for (std::size_t pos = 0; pos < exe.size(); ++pos) {
        SCOPED_TRACE("byte " + std::to_string(pos) + " inverted");
        std::string damaged = exe;
        damaged[pos] = static_cast<char>(~damaged[pos]);
        ExpectNoIconOrWellFormed(Read(damaged));
    }
}

TEST_F(ExeIconReaderTest, DamagedFieldsAreCaught)
{
    const std::string exe = BuildTwoSizes();
    ASSERT_FALSE(exe.empty());
    const Layout l(exe);
    const std::size_t root = l.rsrcFile;
    const std::size_t iconType = Layout::Entry(exe, root, 0);
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        int images;  // expected in the result; 0 = no icon
    } cases[] = {
        {"no MZ", [](std::string& b) { b[0] = 'X'; }, 0},
        {"PE header beyond the end", [](std::string& b) { Put32(b, 0x3C, 0xFFFFFFF0); }, 0},
        {"PE header at the last bytes", [](std::string& b) { Put32(b, 0x3C, static_cast<std::uint32_t>(b.size() - 4)); }, 0},
        {"65535 sections", [&](std::string& b) { Put16(b, l.pe + 6, 0xFFFF); }, 0},
        {"optional header too long", [&](std::string& b) { Put16(b, l.pe + 20, 0xFFFF); }, 0},
        {"optional header too short", [&](std::string& b) { Put16(b, l.pe + 20, 100); }, 0},
        {"unknown optional header", [&](std::string& b) { Put16(b, l.optionalHeader, 0x107); }, 0},
        {"two data directories only", [&](std::string& b) { Put32(b, l.dataDirectories - 4, 2); }, 0},
        {"resource address wraps", [&](std::string& b) { Put32(b, l.dataDirectories + 16, 0xFFFFFFF8); }, 0},
        {"section data beyond the end", [&](std::string& b) { Put32(b, l.rsrcHeader + 20, 0xFFFFFF00); }, 0},
        {"section sizes huge", [&](std::string& b) {
             Put32(b, l.rsrcHeader + 8, 0xFFFFFFFF);
             Put32(b, l.rsrcHeader + 16, 0xFFFFFFFF);
         }, 2},
        {"section shorter than its resources", [&](std::string& b) { Put32(b, l.rsrcHeader + 8, 0x20); }, 0},
        {"65535 resource types", [&](std::string& b) { Put16(b, root + 14, 0xFFFF); }, 0},
        {"icon images lead to the root", [&](std::string& b) { Put32(b, iconType + 4, 0x80000000); }, 0},
        {"group name without directory", [&](std::string& b) { Put32(b, l.groupName + 4, Get32(b, l.groupName + 4) & 0x7FFFFFFF); }, 0},
        {"group data address wraps", [&](std::string& b) { Put32(b, l.groupData, 0xFFFFFFFF); }, 0},
        {"group data size huge", [&](std::string& b) { Put32(b, l.groupData + 4, 0xFFFFFFFF); }, 0},
        {"group of cursors", [&](std::string& b) { Put16(b, l.group + 2, 2); }, 0},
        {"group counts more than it holds", [&](std::string& b) { Put16(b, l.group + 4, 0xFFFF); }, 2},
        {"group names a missing image", [&](std::string& b) { Put16(b, l.group + 6 + 12, 999); }, 1},
        {"group names one image twice", [&](std::string& b) { Put16(b, l.group + 6 + 14 + 12, Get16(b, l.group + 6 + 12)); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string damaged = exe;
        c.damage(damaged);
        const std::string ico = Read(damaged);
        // The file reader, which reads only the headers and the resources' section, agrees.
        TempDir::WriteBytes(m_dir / "damaged.exe", damaged);
        EXPECT_EQ(ReadFile(m_dir / "damaged.exe"), ico);
        if (c.images == 0) {
            EXPECT_TRUE(ico.empty());
            continue;
        }
        const auto entries = IcoFile::Parse(ico);
        ASSERT_TRUE(entries.has_value());
        EXPECT_EQ(entries->size(), static_cast<std::size_t>(c.images));
    }
}

}  // namespace
