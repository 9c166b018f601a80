#include "library/PendingChange.h"

#include "app/CZarn2App.h"
#include "library/PendingChangeText.h"
#include "library/WritePlaces.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <cerrno>

namespace {

std::string PathFor(const CZarn2App* app)
{
    if (!app || app->m_szTempDir.empty())
        return {};
    return app->m_szTempDir + "/" + PendingChange::kFileName;
}

int Write(const std::string& path, const PendingChange::Record& record)
{
    TextFileWriter writer;
    PendingChangeText::Write(record, writer);
    // The record is the program's own file: a link at its name is not followed.
    TextFileWriter::Result result = writer.Save(path, SymbolicLinks::Refuse);
    return result.unmappable.empty() ? result.error : EILSEQ;
}

// Moves the record at `path` aside, never replacing a file, and says where it went (or why
// it could not be moved), for the message.
std::string PutAside(const std::string& path)
{
    std::string aside;
    if (int err = MoveAside(path, PendingChange::kAsideTag, aside))
        return Format("ERROR[%d] : 作業ファイルを移せませんでした. 次に起動する前にこのファイルを削除して下さい.", err);
    FileSystem::SyncFolder(path.substr(0, path.rfind('/')));
    return Format("作業ファイルは<%s>に移しました.", aside.c_str());
}

}  // namespace

PendingChange::PendingChange(const CZarn2App* app, Record record)
    : m_path(PathFor(app)), m_record(std::move(record))
{
    if (app && !WritePlaces::Allow(WritePlaces::Of(*app, m_record))) {
        m_started = false;
        m_path.clear();
        return;
    }
    if (m_path.empty())
        return;
    if (int err = Write(m_path, m_record)) {
        Messenger::Show(Format("ERROR[%d] : 作業ファイル<%s>を書き込めなかったため, 操作を中止しました,\n"
                               "ヘルプを見て作者までエラー番号をご連絡下さい.",
                               err, m_path.c_str()));
        m_started = false;
        m_path.clear();
    }
}

PendingChange::PendingChange(std::string path, Record record)
    : m_path(std::move(path)), m_record(std::move(record)), m_resumed(true)
{
}

PendingChange::~PendingChange()
{
    if (m_path.empty() || m_keep)
        return;
    int err = FileSystem::RemoveFile(m_path);
    if (err != 0 && err != ENOENT) {
        Messenger::Show(Format("ERROR[%d] : 作業ファイル<%s>を削除出来ませんでした,\n"
                               "次に起動する前にこのファイルを削除して下さい.",
                               err, m_path.c_str()));
        return;
    }
    // A record found again after a power cut would repeat a change already made.
    FileSystem::SyncFolder(m_path.substr(0, m_path.rfind('/')));
}

std::optional<PendingChange::Record> PendingChange::Find(const CZarn2App& app)
{
    std::string path = PathFor(&app);
    if (path.empty())
        return std::nullopt;
    TextFileReader reader;
    int err = reader.Open(path, kMaxBytes, SymbolicLinks::Refuse);
    if (err == ENOENT)
        return std::nullopt;
    std::string problem;
    std::optional<Record> record;
    if (err == 0)
        record = PendingChangeText::Read(reader, problem);
    if (record)
        return record;
    // Put aside, so that the next start does not report it again.
    std::string aside = PutAside(path);
    if (err != 0)
        Messenger::Show(Format("ERROR[%d] : 前回中断した操作の作業ファイル<%s>を読めませんでした. "
                               "その操作は完了していない可能性があります.\n%s",
                               err, path.c_str(), aside.c_str()));
    else
        Messenger::Show(Format("ERROR : 前回中断した操作の作業ファイル<%s>は Zarn2 の作業ファイルとして読めない内容です. "
                               "その操作は行いません.\n%s\n%s",
                               path.c_str(), problem.c_str(), aside.c_str()));
    return std::nullopt;
}

PendingChange PendingChange::Resume(const CZarn2App& app, Record record)
{
    return PendingChange(PathFor(&app), std::move(record));
}

void PendingChange::NotMade()
{
    Messenger::Show(Format("前回中断した操作 (%s) は, ファイルを見るとまだ行われていませんでした. "
                           "その操作は行わずに作業ファイルを削除します. 必要ならもう一度操作して下さい.",
                           PendingChangeText::Describe(m_record).c_str()));
    m_keep = false;  // the destructor removes the record
}

void PendingChange::Refuse(const std::string& found)
{
    std::string aside = m_path.empty() ? std::string() : PutAside(m_path);
    Messenger::Show(Format("前回中断した操作 (%s) は, ファイルの今の状態と合わないため続けませんでした.\n%s\n%s",
                           PendingChangeText::Describe(m_record).c_str(), found.c_str(), aside.c_str()));
    m_path.clear();
}

int PendingChange::Move(const std::string& from, const std::string& to) const
{
    if (m_resumed && from != to && !FileSystem::EntryExists(from) && FileSystem::EntryExists(to))
        return 0;
    return MoveNoReplace(from, to);
}
