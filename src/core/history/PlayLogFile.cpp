#include "history/PlayLogFile.h"

#include "history/PlayLogParser.h"
#include "platform/DiskVersion.h"
#include "platform/RegularFile.h"

#include <functional>

namespace {

// The sessions of the bytes `read` hands over (it learns to tell the size first).
using Reader = std::function<int(const std::function<void(std::uint64_t)>& sized,
                                 const std::function<void(std::string_view)>& piece)>;

int ReadSessions(const Reader& read, std::vector<CPlayTime>& sessions, size_t* skipped)
{
    PlayLogParser parser;
    int err = read([&parser](std::uint64_t size) { parser.Reserve(size / PlayLogParser::kMinRecordBytes + 1); },
                   [&parser](std::string_view piece) { parser.Feed(piece); });
    if (err != 0)
        return err;
    parser.Finish();
    sessions = std::move(parser.Sessions());
    if (skipped)
        *skipped = parser.Skipped();
    return 0;
}

}  // namespace

namespace PlayLogFile {

int Read(const std::string& path, std::vector<CPlayTime>& sessions, size_t* skipped)
{
    return ReadSessions([&path](const auto& sized, const auto& piece) { return RegularFile::Read(path, sized, piece); },
                        sessions, skipped);
}

int Read(const std::string& path, std::vector<CPlayTime>& sessions, DiskVersion& version)
{
    return ReadSessions([&](const auto& sized, const auto& piece) { return version.Read(path, sized, piece); },
                        sessions, nullptr);
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
