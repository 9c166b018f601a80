#include "library/GroupListFile.h"

#include "app/Version.h"
#include "platform/Format.h"
#include "platform/LeadingInt.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "platform/TextFormatCheck.h"

namespace {

constexpr size_t kLineChars = 998;

void ReadNames(TextFileReader& reader, GroupListFile::Content& content)
{
    content.hasList = true;
    content.names.clear();
    std::string line;
    while (reader.ReadLine(line, kLineChars) && line[0] != '\n')
        content.names.emplace_back(TextFileReader::WithoutNewline(line));
}

}  // namespace

namespace GroupListFile {

Content Read(TextFileReader& reader)
{
    Content content;
    TextFormatCheck check;  // lines outside a section are ignored
    std::string line;
    while (reader.ReadLine(line, kLineChars)) {
        if (line == "[CurrGroup]\n") {
            check.Header();
            std::optional<int> value = reader.ReadLine(line, kLineChars) ? LeadingInt(line) : std::nullopt;
            if (value)
                content.currGroup = value;
        } else if (line == "[GroupList]\n") {
            check.Header();
            ReadNames(reader, content);
        } else {
            check.Skipped(line);
        }
    }
    content.problem = check.Problem(reader);
    return content;
}

void Write(const std::vector<std::string>& names, int currGroup, TextFileWriter& writer)
{
    writer.Line(Format(";;;;;;;;;;;;; Zarn2.Grp For %s ;;;;;;;;;;;;;", g_szVersion));
    writer.Line("");
    writer.Line("[GroupList]");
    for (const std::string& name : names)
        writer.Line(name);
    writer.Line("");
    writer.Line("[CurrGroup]");
    writer.Line(Format("%d", currGroup));
    writer.Line("");
}

}  // namespace GroupListFile
