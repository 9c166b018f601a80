#include "stats/ExportText.h"

#include "stats/CivilTime.h"

#include <cstdio>
#include <cstdlib>

namespace ExportText {

void AppendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendIsoTime(std::string& out, std::int64_t localSeconds, int offsetSeconds)
{
    std::int64_t day = CivilTime::DayOf(localSeconds);
    int second = CivilTime::SecondOfDay(localSeconds);
    CivilTime::Date date = CivilTime::DateOf(day);
    int offsetMinutes = std::abs(offsetSeconds) / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                  static_cast<long long>(date.year), date.month, date.day, second / 3600, second / 60 % 60,
                  second % 60, offsetSeconds < 0 ? '-' : '+', offsetMinutes / 60, offsetMinutes % 60);
    out += text;
}

}  // namespace ExportText
