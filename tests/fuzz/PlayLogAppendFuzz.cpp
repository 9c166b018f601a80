// A play appended by the launcher to a log holding any bytes at all: read back, it is the
// last session, whole, and every session before it is the one read before the append.
#include "history/CPlayHistory.h"
#include "history/PlayLogFile.h"
#include "platform/IFileSyscalls.h"
#include "support/TempDir.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Same(const CPlayTime& a, const CPlayTime& b)
{
    return a.m_nYear == b.m_nYear && a.m_nMonth == b.m_nMonth && a.m_nDay == b.m_nDay &&
           a.m_nHour == b.m_nHour && a.m_nMinute == b.m_nMinute && a.m_nSecond == b.m_nSecond &&
           a.m_nElapsed == b.m_nElapsed;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// The disk is not what is under test: syncing is skipped, everything else is the system's.
class NoSync final : public IFileSyscalls {
public:
    int DataSync(int) override { return 0; }
    int Rename(const char* from, const char* to) override { return m_next.Rename(from, to); }
    int RenameNoReplace(const char* from, const char* to) override
    {
        return m_next.RenameNoReplace(from, to);
    }
    int Unlink(const char* path) override { return m_next.Unlink(path); }
    int RemoveFolder(const char* path) override { return m_next.RemoveFolder(path); }
    int Truncate(int fd, long long size) override { return m_next.Truncate(fd, size); }
    int SyncFolder(const char*) override { return 0; }
    int LockNow(int fd) override { return m_next.LockNow(fd); }

private:
    IFileSyscalls& m_next = FileSyscalls::Get();
    FileSyscalls::Override m_install{*this};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TempDir dir;
    static NoSync noSync;
    static const std::string path = dir / "Title.Log";

    TempDir::WriteBytes(path, std::string(reinterpret_cast<const char*>(data), size));
    std::vector<CPlayTime> before;
    Check(PlayLogFile::Read(path, before) == 0);

    CPlayHistory history;
    CPlayTime play;
    play.m_nYear = 2026;
    play.m_nMonth = 12;
    play.m_nDay = 7;
    play.m_nHour = 23;
    play.m_nMinute = 13;
    play.m_nSecond = 50;
    play.m_nElapsed = size ? data[size - 1] * 37 : 101;
    play.SplitElapsed();
    Check(history.AppendLog(path, play) == 1);

    std::vector<CPlayTime> after;
    Check(PlayLogFile::Read(path, after) == 0);
    Check(after.size() == before.size() + 1);
    for (size_t i = 0; i < before.size(); ++i)
        Check(Same(before[i], after[i]));
    Check(Same(after.back(), play));
    return 0;
}
