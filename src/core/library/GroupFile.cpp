#include "library/GroupFile.h"

#include "library/CGroup.h"
#include "platform/Cp932.h"
#include "platform/Format.h"
#include "platform/LeadingInt.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "platform/TextFormatCheck.h"

namespace {

constexpr size_t kLineChars = 998;
constexpr size_t kPathChars = 258;

// The number a line starts with. It is read from the line's code page 932 bytes: a number
// is ASCII, and a byte that is not ends it as the character it decodes to would.
std::optional<int> ReadNumber(TextFileReader& reader, bool& more)
{
    std::string_view bytes;
    bool lineEnd = false;
    more = more && reader.ReadPiece(bytes, lineEnd, kLineChars);
    return more ? LeadingInt(bytes) : std::nullopt;
}

std::optional<std::string> ReadText(TextFileReader& reader, size_t maxChars, bool& more)
{
    std::string_view bytes;
    bool lineEnd = false;
    more = more && reader.ReadPiece(bytes, lineEnd, maxChars);
    return more ? std::optional<std::string>(Cp932::ToUtf8(bytes)) : std::nullopt;
}

GroupFile::Title ReadTitle(TextFileReader& reader)
{
    GroupFile::Title title;
    bool more = true;
    title.name = ReadText(reader, kLineChars, more);
    title.exePath = ReadText(reader, kPathChars, more);
    title.iconPath = ReadText(reader, kPathChars, more);
    title.autoTiming = ReadNumber(reader, more);
    title.useMedia = ReadNumber(reader, more);
    return title;
}

bool HoldsCr(std::string_view bytes) { return bytes.find('\r') != std::string_view::npos; }

bool IsLine(std::string_view bytes, bool lineEnd, std::string_view header)
{
    return lineEnd && bytes == header;
}

const char* Flag(int value) { return value == 1 ? "1" : "0"; }

void WriteHead(int playMode, int currMember, TextFileWriter& writer)
{
    writer.Line("[PlayMode]");
    writer.Line(Format("%d", playMode));
    writer.Line("");
    writer.Line("[CurrMember]");
    writer.Line(Format("%d", currMember));
    writer.Line("");
}

void WriteTitle(int index, const std::string& name, const std::string& exePath, const std::string& iconPath,
                int autoTiming, int useMedia, TextFileWriter& writer)
{
    writer.Line(Format("[Title%03d]", index));
    writer.Line(name);
    writer.Line(exePath);
    writer.Line(iconPath);
    writer.Line(Flag(autoTiming));
    writer.Line(Flag(useMedia));
    writer.Line("");
}

}  // namespace

namespace GroupFile {

Content Read(TextFileReader& reader)
{
    Content content;
    content.titles.reserve(CGroup::kMaxMembers);
    TextFormatCheck check("[PlayMode]");
    // The headers are ASCII: a line is one exactly when its code page 932 bytes are.
    std::string_view bytes;
    bool lineEnd = false;
    std::string skipped;
    while (reader.ReadPiece(bytes, lineEnd, kLineChars)) {
        bool more = true;
        if (IsLine(bytes, lineEnd, "[PlayMode]")) {
            check.Header();
            if (std::optional<int> value = ReadNumber(reader, more))
                content.playMode = value;
        } else if (IsLine(bytes, lineEnd, "[CurrMember]")) {
            check.Header();
            if (std::optional<int> value = ReadNumber(reader, more))
                content.currMember = value;
        } else if (bytes.starts_with("[Title") && !HoldsCr(bytes)) {
            check.Header();
            content.titles.push_back(ReadTitle(reader));
        } else if (!Cp932::IsAscii(bytes) || HoldsCr(bytes)) {
            // Only bytes beyond ASCII can be undecodable; a CR tells of lines run together.
            skipped.clear();
            Cp932::AppendUtf8(bytes, skipped);
            check.Skipped(skipped);
        }
    }
    content.problem = check.Problem(reader);
    return content;
}

void Write(const CGroup& group, TextFileWriter& writer)
{
    WriteHead(group.m_nPlayMode, group.m_nCurrMember, writer);
    for (int i = 0; i < group.m_nMemberCount && i < CGroup::kMaxMembers; ++i) {
        const CMember& member = group.m_Member[static_cast<size_t>(i)];
        WriteTitle(i, member.m_szName, member.m_szExePath, member.m_szIconPath, member.m_nAutoTiming,
                   member.m_nUseMedia, writer);
    }
}

void Write(const Content& content, TextFileWriter& writer)
{
    WriteHead(content.playMode.value_or(0), content.currMember.value_or(-1), writer);
    int i = 0;
    for (const Title& title : content.titles)
        WriteTitle(i++, title.name.value_or(""), title.exePath.value_or(""), title.iconPath.value_or(""),
                   title.autoTiming.value_or(1), title.useMedia.value_or(0), writer);
}

}  // namespace GroupFile
