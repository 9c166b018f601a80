// The log reader takes its bytes in pieces of any size: whole lines inside a piece are read
// where they lie, lines split between pieces are gathered first. Both ways must give the
// same sessions and the same count of damaged records, whatever the cut.
#include "history/PlayLogParser.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Sessions(const std::string& text, size_t piece)
{
    PlayLogParser parser;
    std::string_view rest = text;
    while (!rest.empty()) {
        size_t n = std::min(piece, rest.size());
        parser.Feed(rest.substr(0, n));
        rest.remove_prefix(n);
    }
    parser.Finish();
    std::string out;
    for (const CPlayTime& s : parser.Sessions())
        out += std::to_string(s.m_nYear) + "-" + std::to_string(s.m_nMonth) + "-" + std::to_string(s.m_nDay) +
               " " + std::to_string(s.m_nHour) + ":" + std::to_string(s.m_nMinute) + ":" +
               std::to_string(s.m_nSecond) + "=" + std::to_string(s.m_nElapsed) + ";";
    return out + "|" + std::to_string(parser.Skipped());
}

TEST(PlayLogPieces, EveryCutGivesTheSessionsOfTheWholeText)
{
    const std::string good = "2009/03/07,21:05:09\r\n3723\r\n";
    const std::string limit(PlayLogParser::kMaxLine, ' ');
    struct Case {
        const char* what;
        std::string text;
        std::string sessions;
    } cases[] = {
        {"written form, CR LF and LF", good + "2009/03/08,10:00:00\n60\n",
         "2009-3-7 21:5:9=3723;2009-3-8 10:0:0=60;|0"},
        {"hand-edited form", "2009/3/7,21:5:9 \n3723\t\n" + good,
         "2009-3-7 21:5:9=3723;2009-3-7 21:5:9=3723;|0"},
        {"written form with a field out of range", "2009/13/07,21:05:09\r\n5\r\n" + good,
         "2009-3-7 21:5:9=3723;|1"},
        {"a line of the longest length before a record", limit + "\r\n" + good, "2009-3-7 21:5:9=3723;|1"},
        {"a start line with blanks up to the longest length",
         "2009/03/07,21:05:09" + std::string(PlayLogParser::kMaxLine - 19, ' ') + "\n1\n",
         "2009-3-7 21:5:9=1;|0"},
        {"a start line with blanks beyond the longest length",
         "2009/03/07,21:05:09" + std::string(PlayLogParser::kMaxLine - 18, ' ') + "\n1\n", "|1"},
        {"an overlong line hiding a start line", limit + "2009/03/07,21:05:09\r\n5\r\n" + good,
         "2009-3-7 21:5:9=3723;|1"},
        {"a torn last record and no last line end", good + "2009/03/08,10:00:00\r\n60",
         "2009-3-7 21:5:9=3723;2009-3-8 10:0:0=60;|0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Sessions(c.text, c.text.size() + 1), c.sessions);
        for (size_t piece : {size_t{1}, size_t{2}, size_t{3}, size_t{7}, size_t{19}, size_t{20}, size_t{21},
                             size_t{64}, size_t{997}, size_t{998}, size_t{999}, size_t{1000}}) {
            SCOPED_TRACE(piece);
            EXPECT_EQ(Sessions(c.text, piece), c.sessions);
        }
    }
}

}  // namespace
