#pragma once

#include <cstddef>
#include <string>
#include <vector>

class LocalZone;
class LogReadPass;
class PlayLogCache;
struct LibraryShape;

// Every logged play of every title of every genre, in library order, as a CSV or a JSON
// file (UTF-8). Starts are written in ISO 8601 with the UTC offset of their moment.
//
// CSV: a byte order mark, the header "ジャンル,タイトル,開始日時,プレイ時間(秒)", one row a
// play, CR LF line ends, fields quoted after RFC 4180.
// JSON: {"genres":[{"name":…,"titles":[{"name":…,"path":…,"plays":[{"start":…,"seconds":…}]}]}]}
// where "path" is the title's program; a title whose log could not be read has
// "unreadable":true and no plays.
namespace PlayExport {

enum class Format { Csv, Json };

// The format a file name asks for by its extension (".csv", ".json", any case), else
// `fallback`.
Format FormatFor(const std::string& path, Format fallback);

std::string Csv(const LibraryShape& library, LogReadPass& pass, LocalZone& zone);
std::string Json(const LibraryShape& library, LogReadPass& pass, LocalZone& zone);

// Refreshes the cache over the library (see PlayLogCache::Refresh), writes the file in one
// atomic replacement (a failure leaves no part of it) and tells the user how it went in one
// message: how many plays were written, how many damaged records
// were skipped, which logs could not be read. A path that is another user's link in a
// shared folder (IsProtectedLink) is refused with a message. Returns 0, or the errno of the
// refusal or the failed write.
int Run(const std::string& path, Format format, const LibraryShape& library, PlayLogCache& cache);

}  // namespace PlayExport
