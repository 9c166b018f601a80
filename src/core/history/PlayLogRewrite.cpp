#include "history/PlayLogRewrite.h"

#include "history/PlayLogEdit.h"
#include "platform/AtomicFile.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"
#include "platform/TextFormatCheck.h"

namespace {

const char kNotEdited[] = "プレイ記録は編集しません.";
const char kLeftAsItWas[] = "ログファイルは元のままです.";

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
    // The editor stays open with its edits after a failure here: nothing was given up.
    std::vector<RawPlayLog::Record> fresh;
    if (!Read(path, fresh, kLeftAsItWas))
        return false;
    std::string bytes = edit.Apply(fresh);
    if (bytes == RawPlayLog::Join(fresh))
        return true;
    if (int err = AtomicFile::Replace(path, bytes)) {
        Messenger::Show(Format("ERROR[%d] : ログファイル<%s>に書き込めませんでした.\n%s", err, path.c_str(),
                               kLeftAsItWas));
        return false;
    }
    return true;
}

}  // namespace PlayLogRewrite
