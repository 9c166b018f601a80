#include "stats/PlayExport.h"

#include "platform/AtomicFile.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/LocalZone.h"
#include "platform/ProtectedLink.h"
#include "stats/ExportText.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <utility>

using ExportText::AppendCsvField;
using ExportText::AppendIsoTime;
using ExportText::AppendJsonString;

namespace {

bool EndsWithNoCase(const std::string& text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

void AppendStart(std::string& out, const Play& play, LocalZone& zone)
{
    AppendIsoTime(out, play.start, zone.OffsetAt(play.start));
}

// How many names of unreadable logs the message lists before it only counts the rest.
constexpr std::size_t kNamesShown = 10;

std::string Summary(const std::string& path, const LogReadPass& pass)
{
    std::string text = Format("プレイ記録 %zu 件を<%s>に書き出しました.\n壊れていて読み飛ばした記録 : %zu 件",
                              pass.Plays(), path.c_str(), pass.Skipped());
    const std::vector<std::string>& unreadable = pass.Unreadable();
    if (unreadable.empty())
        return text;
    text += Format("\n読めなかったログ (書き出していません) : %zu 個", unreadable.size());
    for (std::size_t i = 0; i < unreadable.size() && i < kNamesShown; ++i)
        text += "\n  " + unreadable[i];
    if (unreadable.size() > kNamesShown)
        text += "\n  ...";
    return text;
}

}  // namespace

namespace PlayExport {

Format FormatFor(const std::string& path, Format fallback)
{
    if (EndsWithNoCase(path, ".csv"))
        return Format::Csv;
    if (EndsWithNoCase(path, ".json"))
        return Format::Json;
    return fallback;
}

std::string Csv(const LibraryShape& library, LogReadPass& pass, LocalZone& zone)
{
    std::string out = "\xEF\xBB\xBF"
                      "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n";
    for (const LibraryGenre& genre : library.genres) {
        for (const LibraryTitle& title : genre.titles) {
            const LogPlays* plays = pass.Read(genre, title);
            if (plays == nullptr)
                continue;
            for (const Play& play : plays->plays) {
                AppendCsvField(out, genre.name);
                out += ',';
                AppendCsvField(out, title.name);
                out += ',';
                AppendStart(out, play, zone);
                out += ',';
                out += std::to_string(play.seconds);
                out += "\r\n";
            }
        }
    }
    return out;
}

std::string Json(const LibraryShape& library, LogReadPass& pass, LocalZone& zone)
{
    std::string out = "{\"genres\":[";
    const char* genreGap = "\n";
    for (const LibraryGenre& genre : library.genres) {
        out += std::exchange(genreGap, ",\n");
        out += " {\"name\":";
        AppendJsonString(out, genre.name);
        out += ",\"titles\":[";
        const char* titleGap = "\n";
        for (const LibraryTitle& title : genre.titles) {
            out += std::exchange(titleGap, ",\n");
            out += "  {\"name\":";
            AppendJsonString(out, title.name);
            out += ",\"path\":";
            AppendJsonString(out, title.program);
            static const std::vector<Play> kNone;
            const LogPlays* plays = pass.Read(genre, title);
            if (plays == nullptr)
                out += ",\"unreadable\":true";
            out += ",\"plays\":[";
            const char* playGap = "\n";
            for (const Play& play : plays ? plays->plays : kNone) {
                out += std::exchange(playGap, ",\n");
                out += "   {\"start\":\"";
                AppendStart(out, play, zone);
                out += "\",\"seconds\":" + std::to_string(play.seconds) + "}";
            }
            out += "]}";
        }
        out += "]}";
    }
    out += "\n]}\n";
    return out;
}

int Run(const std::string& path, Format format, const LibraryShape& library, PlayLogCache& cache)
{
    if (IsProtectedLink(path)) {
        Messenger::Show(::Format("ファイル<%s>は他のユーザーが共有のフォルダーに置いたシンボリック リンクです. "
                                 "その先には書き出しません.\n別の名前を選んで下さい.",
                                 path.c_str()));
        return EACCES;
    }
    cache.Refresh(library);
    LogReadPass pass(cache);
    LocalZone zone;
    std::string bytes = format == Format::Json ? Json(library, pass, zone) : Csv(library, pass, zone);
    if (int error = AtomicFile::Replace(path, bytes)) {
        Messenger::Show(::Format("ERROR[%d] : ファイル<%s>に書き込めませんでした,\n"
                                 "ヘルプを見て作者までエラー番号をご連絡下さい.",
                                 error, path.c_str()));
        return error;
    }
    Messenger::Show(Summary(path, pass));
    return 0;
}

}  // namespace PlayExport
