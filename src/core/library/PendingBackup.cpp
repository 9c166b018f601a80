#include "library/PendingBackup.h"

#include "library/LoadNotes.h"
#include "platform/BackupCopy.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

namespace {

std::string FileName(const std::string& path)
{
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void PendingBackup::AfterLoad(const std::string& path, LoadNotes& notes)
{
    m_path = notes.LeftOut() ? path : std::string();
    if (!m_path.empty())
        notes.KeepOriginalAs(FileName(BackupCopy::NextName(m_path)));
}

bool PendingBackup::MakeDue()
{
    if (m_path.empty())
        return true;
    std::string kept;
    if (int err = BackupCopy::Keep(m_path, kept)) {
        Messenger::Show(Format("ERROR[%d] : %s の控えを作成出来ませんでした.\n"
                               "読み込まなかった分を失わないよう, このファイルは書き換えません.",
                               err, m_path.c_str()));
        return false;
    }
    m_path.clear();
    return true;
}
