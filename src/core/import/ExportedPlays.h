#pragma once

#include "history/CPlayTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The plays of a file the export wrote (PlayExport): its CSV (a byte order mark, the header
// "ジャンル,タイトル,開始日時,プレイ時間(秒)", one row a play) or its JSON
// ({"genres":[{"name","titles":[{"name","path","plays":[{"start","seconds"}]}]}]}). A start
// is the local time it was written with ("2009-03-07T21:05:09+09:00": the offset only says
// where that clock stood), so a log comes back as it was.
struct ExportedTitle {
    std::string genre;
    std::string title;
    std::string program;            // the JSON's "path"; "" from a CSV
    std::vector<CPlayTime> plays;  // start fields and elapsed, in file order
};

namespace ExportedPlays {

// Export files of a large library stay far below this.
inline constexpr std::uint64_t kMaxBytes = 256u << 20;

// The titles of the file in file order, one per genre and title; nullopt with `problem`
// saying why the bytes are no file of the export (another program's, or damaged).
std::optional<std::vector<ExportedTitle>> Parse(std::string_view bytes, std::string& problem);
// The same of the file at `path` (`problem` also tells a file that cannot be read).
std::optional<std::vector<ExportedTitle>> Read(const std::string& path, std::string& problem);

// A start as the export writes it into the date and time fields of `play`.
bool ParseStart(std::string_view text, CPlayTime& play);

}  // namespace ExportedPlays
