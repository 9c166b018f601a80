#include "app/SettingsFile.h"

#include "app/Version.h"
#include "platform/Format.h"
#include "platform/LeadingInt.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "platform/TextFormatCheck.h"

#include <algorithm>
#include <functional>

namespace {

// "%d" in scanf terms: optional blanks, optional sign, digits; the rest is ignored.
void ScanInt(const std::string& line, int& value)
{
    if (std::optional<int> parsed = LeadingInt(line))
        value = *parsed;
}

// "%d : %d" in scanf terms: the second number follows a colon, blanks allowed around it.
void ScanPosition(const std::string& line, CSettings::Point& point)
{
    std::optional<LeadingNumber> x = ParseLeadingInt(line);
    if (!x)
        return;
    point.x = x->value;
    std::string_view rest = std::string_view(line).substr(x->end);
    rest.remove_prefix(std::min(rest.find_first_not_of(" \t\n\v\f\r"), rest.size()));
    if (!rest.empty() && rest.front() == ':') {
        if (std::optional<int> y = LeadingInt(rest.substr(1)))
            point.y = *y;
    }
}

struct Section {
    const char* header;
    std::function<void(const std::string&, CSettings&)> take;
};

const Section kSections[] = {
    {"[Position]\n", [](const std::string& v, CSettings& s) { ScanPosition(v, s.Position); }},
    {"[IconSize]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.IconSize); }},
    {"[CD/DVD-ROM]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.CdDvdRom); }},
    {"[LimitMinite]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.LimitMinite); }},
    {"[HistoryMode]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.HistoryMode); }},
    {"[Minimize]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.Minimize); }},
    {"[AutoExit]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.AutoExit); }},
    {"[Filer]\n", [](const std::string& v, CSettings& s) { s.Filer = TextFileReader::WithoutNewline(v); }},
    {"[SUBST]\n", [](const std::string& v, CSettings& s) { s.SUBST = TextFileReader::WithoutNewline(v); }},
    {"[IdleMinite]\n", [](const std::string& v, CSettings& s) { ScanInt(v, s.IdleMinite); }},
};

}  // namespace

namespace SettingsFile {

std::string Read(TextFileReader& reader, CSettings& settings)
{
    TextFormatCheck check;  // lines outside a section are ignored
    std::string line;
    bool more = reader.ReadLine(line);
    while (more) {
        // One pass: every header test in order against the current line; a match moves
        // the current line on to its value line.
        bool matched = false;
        for (const Section& section : kSections) {
            if (!more || line != section.header)
                continue;
            check.Header();
            matched = true;
            more = reader.ReadLine(line);
            if (more)
                section.take(line, settings);
        }
        if (!matched)
            check.Skipped(line);
        more = more && reader.ReadLine(line);
    }
    return check.Problem(reader);
}

void Write(const CSettings& s, TextFileWriter& writer)
{
    writer.Line(Format(";;;;;;;;;;;;; Zarn2.Ini For %s ;;;;;;;;;;;;;", g_szVersion));
    writer.Line("");
    writer.Line("[Position]");
    writer.Line(Format("%d : %d", s.Position.x, s.Position.y));
    const std::pair<const char*, int> numbers[] = {
        {"[IconSize]", s.IconSize},       {"[CD/DVD-ROM]", s.CdDvdRom}, {"[LimitMinite]", s.LimitMinite},
        {"[HistoryMode]", s.HistoryMode}, {"[Minimize]", s.Minimize},   {"[AutoExit]", s.AutoExit},
    };
    for (const auto& [header, value] : numbers) {
        writer.Line("");
        writer.Line(header);
        writer.Line(Format("%d", value));
    }
    writer.Line("");
    writer.Line("[Filer]");
    writer.Line(s.Filer);
    writer.Line("");
    writer.Line("[SUBST]");
    writer.Line(s.SUBST);
    // Our own section, last and only when changed: a file that keeps the default stays
    // the Windows version's byte for byte.
    if (s.IdleMinite != CSettings::kDefaultIdleMinite) {
        writer.Line("");
        writer.Line("[IdleMinite]");
        writer.Line(Format("%d", s.IdleMinite));
    }
}

}  // namespace SettingsFile
