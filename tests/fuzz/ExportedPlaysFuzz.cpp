// The reader of the export's files on arbitrary bytes (a file of another program, or a
// damaged one, chosen for the play import): it must not crash, it either refuses the bytes
// with a reason or reads titles, and the plays it reads, written again as the export's CSV,
// read back the same.
#include "import/ExportedPlays.h"
#include "platform/Format.h"
#include "stats/ExportText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

bool Same(const CPlayTime& a, const CPlayTime& b)
{
    return a.m_nYear == b.m_nYear && a.m_nMonth == b.m_nMonth && a.m_nDay == b.m_nDay && a.m_nHour == b.m_nHour &&
           a.m_nMinute == b.m_nMinute && a.m_nSecond == b.m_nSecond && a.m_nElapsed == b.m_nElapsed;
}

// The titles with plays, as the export's CSV writes them (a start in UTC).
std::string Csv(const std::vector<ExportedTitle>& titles)
{
    std::string out = "\xEF\xBB\xBF"
                      "ジャンル,タイトル,開始日時,プレイ時間(秒)\r\n";
    for (const ExportedTitle& title : titles) {
        for (const CPlayTime& play : title.plays) {
            ExportText::AppendCsvField(out, title.genre);
            out += ',';
            ExportText::AppendCsvField(out, title.title);
            out += Format(",%04d-%02d-%02dT%02d:%02d:%02dZ,%d\r\n", play.m_nYear, play.m_nMonth, play.m_nDay,
                          play.m_nHour, play.m_nMinute, play.m_nSecond, play.m_nElapsed);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string problem;
    const std::optional<std::vector<ExportedTitle>> titles =
        ExportedPlays::Parse(std::string_view(reinterpret_cast<const char*>(data), size), problem);
    Check(titles.has_value() == problem.empty());
    if (!titles)
        return 0;
    std::vector<ExportedTitle> played;
    for (const ExportedTitle& title : *titles) {
        if (!title.plays.empty())
            played.push_back(title);
    }
    std::string again;
    const std::optional<std::vector<ExportedTitle>> back = ExportedPlays::Parse(Csv(played), again);
    Check(back.has_value() && back->size() == played.size());
    for (size_t t = 0; t < played.size(); ++t) {
        const ExportedTitle& a = played[t];
        const ExportedTitle& b = (*back)[t];
        Check(a.genre == b.genre && a.title == b.title && a.plays.size() == b.plays.size());
        for (size_t p = 0; p < a.plays.size(); ++p)
            Check(Same(a.plays[p], b.plays[p]));
    }
    return 0;
}
