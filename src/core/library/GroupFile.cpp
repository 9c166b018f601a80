#include "library/GroupFile.h"

#include "library/CGroup.h"
#include "platform/Format.h"
#include "platform/LeadingInt.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

namespace {

constexpr size_t kLineChars = 998;
constexpr size_t kPathChars = 258;

std::optional<int> ReadNumber(TextFileReader& reader, bool& more)
{
    std::string line;
    more = more && reader.ReadLine(line, kLineChars);
    return more ? LeadingInt(line) : std::nullopt;
}

std::optional<std::string> ReadText(TextFileReader& reader, size_t maxChars, bool& more)
{
    std::string line;
    more = more && reader.ReadLine(line, maxChars);
    if (!more)
        return std::nullopt;
    return std::string(TextFileReader::WithoutNewline(line));
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

const char* Flag(int value) { return value == 1 ? "1" : "0"; }

}  // namespace

namespace GroupFile {

Content Read(TextFileReader& reader)
{
    Content content;
    std::string line;
    while (reader.ReadLine(line, kLineChars)) {
        bool more = true;
        if (line == "[PlayMode]\n") {
            if (std::optional<int> value = ReadNumber(reader, more))
                content.playMode = value;
        } else if (line == "[CurrMember]\n") {
            if (std::optional<int> value = ReadNumber(reader, more))
                content.currMember = value;
        } else if (line.compare(0, 6, "[Title") == 0) {
            content.titles.push_back(ReadTitle(reader));
        }
    }
    return content;
}

void Write(const CGroup& group, TextFileWriter& writer)
{
    writer.Line("[PlayMode]");
    writer.Line(Format("%d", group.m_nPlayMode));
    writer.Line("");
    writer.Line("[CurrMember]");
    writer.Line(Format("%d", group.m_nCurrMember));
    writer.Line("");
    for (int i = 0; i < group.m_nMemberCount && i < CGroup::kMaxMembers; ++i) {
        const CMember& member = group.m_Member[static_cast<size_t>(i)];
        writer.Line(Format("[Title%03d]", i));
        writer.Line(member.m_szName);
        writer.Line(member.m_szExePath);
        writer.Line(member.m_szIconPath);
        writer.Line(Flag(member.m_nAutoTiming));
        writer.Line(Flag(member.m_nUseMedia));
        writer.Line("");
    }
}

}  // namespace GroupFile
