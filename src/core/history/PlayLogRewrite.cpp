#include "history/PlayLogRewrite.h"

#include "history/PlayLogEdit.h"
#include "platform/AtomicFile.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"
#include "platform/TextFormatCheck.h"

namespace {

const char kNotEdited[] = "プレイ記録は編集しません.";

}  // namespace

namespace PlayLogRewrite {

bool Load(const std::string& path, std::vector<RawPlayLog::Record>& records)
{
    std::string bytes;
    if (int err = RegularFile::ReadAtMost(path, kMaxBytes, bytes)) {
        Messenger::Show(Format("ERROR[%d] : ログファイル<%s>を読めませんでした.\n%s", err, path.c_str(), kNotEdited));
        return false;
    }
    std::vector<RawPlayLog::Record> read = RawPlayLog::Split(bytes);
    if (std::string problem = RawPlayLog::Problem(bytes, read); !problem.empty()) {
        Messenger::Show(NotOfFormatMessage(Format("ログファイル<%s>", path.c_str()), problem, kNotEdited));
        return false;
    }
    records = std::move(read);
    return true;
}

bool Save(const std::string& path, const PlayLogEdit& edit)
{
    std::vector<RawPlayLog::Record> fresh;
    if (!Load(path, fresh))
        return false;
    std::string bytes = edit.Apply(fresh);
    if (bytes == RawPlayLog::Join(fresh))
        return true;
    if (int err = AtomicFile::Replace(path, bytes)) {
        Messenger::Show(Format("ERROR[%d] : ログファイル<%s>に書き込めませんでした.\nログファイルは元のままです.", err,
                               path.c_str()));
        return false;
    }
    return true;
}

}  // namespace PlayLogRewrite
