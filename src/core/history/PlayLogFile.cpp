#include "history/PlayLogFile.h"

#include "history/PlayLogParser.h"
#include "platform/RegularFile.h"

namespace PlayLogFile {

int Read(const std::string& path, std::vector<CPlayTime>& sessions, size_t* skipped)
{
    PlayLogParser parser;
    int err = RegularFile::Read(
        path, [&parser](std::uint64_t size) { parser.Reserve(size / PlayLogParser::kMinRecordBytes + 1); },
        [&parser](std::string_view piece) { parser.Feed(piece); });
    if (err != 0)
        return err;
    parser.Finish();
    sessions = std::move(parser.Sessions());
    if (skipped)
        *skipped = parser.Skipped();
    return 0;
}

int Read(const std::string& path, FileStamp& stamp, size_t& skipped, const PlayLogParser::Take& take)
{
    PlayLogParser parser;
    parser.SendTo(take);
    int err = RegularFile::Read(path, stamp, [&parser](std::string_view piece) { parser.Feed(piece); });
    if (err != 0)
        return err;
    parser.Finish();
    skipped = parser.Skipped();
    return 0;
}

}  // namespace PlayLogFile
