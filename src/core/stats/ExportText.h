#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The pieces of the export files' text.
namespace ExportText {

// One CSV field (RFC 4180): in double quotes, its quotes doubled, when it holds a comma, a
// double quote, CR or LF; as it is otherwise.
void AppendCsvField(std::string& out, std::string_view field);
// A JSON string with its quotes; `"`, `\` and control characters escaped.
void AppendJsonString(std::string& out, std::string_view text);
// A local time (see CivilTime) in ISO 8601 with the UTC offset the zone had then,
// "2009-03-07T21:05:09+09:00".
void AppendIsoTime(std::string& out, std::int64_t localSeconds, int offsetSeconds);

}  // namespace ExportText
