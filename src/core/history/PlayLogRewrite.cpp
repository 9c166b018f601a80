#include "history/PlayLogRewrite.h"

#include "history/PlayLogEdit.h"
#include "platform/DiskVersion.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"
#include "platform/TextFormatCheck.h"

namespace {

const char kNotEdited[] = "プレイ記録は編集しません.";
const char kLeftAsItWas[] = "ログファイルは元のままです.";
// Reads and writes of a log that changes under each of them before giving up.
constexpr int kWriteAttempts = 3;

// The records of the log; false after a message that ends with `outcome`.
bool Read(const std::string& path, std::vector<RawPlayLog::Record>& records, const char* outcome)
{
    std::string bytes;
    if (int err = RegularFile::ReadAtMost(path, PlayLogRewrite::kMaxBytes, bytes)) {
        Messenger::Show(Format("ERROR[%d] : ログファイル<%s>を読めませんでした.\n%s", err, path.c_str(), outcome));
        return false;
    }
    std::vector<RawPlayLog::Record> read = RawPlayLog::Split(bytes);
    if (std::string problem = RawPlayLog::Problem(bytes, read); !problem.empty()) {
        Messenger::Show(NotOfFormatMessage(Format("ログファイル<%s>", path.c_str()), problem, outcome));
        return false;
    }
    records = std::move(read);
    return true;
}

}  // namespace

namespace PlayLogRewrite {

bool Load(const std::string& path, std::vector<RawPlayLog::Record>& records)
{
    return Read(path, records, kNotEdited);
}

bool Save(const std::string& path, const PlayLogEdit& edit)
{
    // The editor stays open with its edits after a failure here: nothing was given up. A
    // version that lands between this read and the rename (a play synced from another PC)
    // is read and edited in turn; one that keeps landing is left as it is.
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        DiskVersion version;
        version.Look(path);
        std::vector<RawPlayLog::Record> fresh;
        if (!Read(path, fresh, kLeftAsItWas))
            return false;
        std::string bytes = edit.Apply(fresh);
        if (bytes == RawPlayLog::Join(fresh))
            return true;
        int err = version.Replace(path, bytes);
        if (err == 0)
            return true;
        if (err != DiskVersion::kChangedElsewhere) {
            Messenger::Show(Format("ERROR[%d] : ログファイル<%s>に書き込めませんでした.\n%s", err, path.c_str(),
                                   kLeftAsItWas));
            return false;
        }
    }
    Messenger::Show(Format("ログファイル<%s>は書き込む間に何度も他の PC かプログラムで書き換えられました.\n%s",
                           path.c_str(), kLeftAsItWas));
    return false;
}

}  // namespace PlayLogRewrite
