#pragma once

#include "library/CMember.h"
#include "library/PendingBackup.h"
#include "library/Refusal.h"
#include "platform/DiskVersion.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class CZarn2App;
class ILibraryJournal;
class PendingChange;
class TextFileReader;

// One genre: its name, its play mode, its genre file and folder, and up to 128 titles in
// fixed slots (slots 0 .. m_nMemberCount-1 in use, in display order).
class CGroup {
public:
    static constexpr int kMaxMembers = 128;

    std::string m_szName;
    std::string m_szGroupFile;  // data folder + "/" + name + ".Zarn"
    std::string m_szGroupDir;   // data folder + "/" + name: holds the log files
    int m_nPlayMode = 0;        // 0 play with history, 1 play without
    CZarn2App* m_pApp = nullptr;  // set by the library; none for a genre outside one
    ILibraryJournal* m_pJournal = nullptr;  // this PC's change journal, when the library has one
    std::array<CMember, kMaxMembers> m_Member;
    int m_nMemberCount = 0;
    int m_nCurrMember = -1;
    // Set when the genre file exists but could not be read, is no genre file, or has not
    // been read yet: writing it then would replace titles that are only unread with an empty
    // list, so it is not written until a load succeeds.
    bool m_bUnreadable = false;
    // The genre file's copy that is due before its first rewrite (its load left titles out).
    PendingBackup m_backup;
    // The genre file as last read or written: a rewrite is given up when it changed since.
    DiskVersion m_version;

    // Consistency checks: the count, or -1 after the numbered message.
    int Check() const;
    int CheckMemberIndex(int n) const;

    int Load();
    // Reads the genre file again after it changed on disk, keeping the title named
    // `current` current while it is there. A file that is gone (deleted elsewhere, its
    // genre about to leave the list) leaves the genre empty and not to be written,
    // without a message.
    int Reload(const std::string& current);
    // The current title's name, or "".
    std::string CurrMemberName() const;
    // Puts the titles named in `order` first, in that order; the others follow in their
    // order. The current title stays current.
    void ApplyOrder(const std::vector<std::string>& order);
    // Rewrites the genre file. Refused, after a message, when the file changed on disk
    // since it was read or written (see m_version).
    int Save();
    EditResult Create(const std::string& name, int playMode);
    int SetName(const std::string& name);
    // `change` is the record of the change this step belongs to (kept when the step stops
    // half done), if there is one.
    EditResult Rename(const std::string& name, int playMode, PendingChange* change = nullptr);
    int Remove();
    void UpdateLogPaths();
    int IsMemberNameUsed(const std::string& name) const;
    EditResult AddMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                         int autoTiming, int useMedia);
    EditResult EditMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                          int autoTiming, int useMedia);
    int DeleteMember(int n);
    int DeleteAllMembers();
    void SwapMembers(int a, int b);
    void CopyFrom(const CGroup& src);

    CMember* CurrMember();  // the current title, or nullptr

    // Reads a genre file's lines into this slot (Load after opening the file): the title
    // count. Titles beyond 128, and titles whose names cannot be used, are left out with
    // a message. Bytes that are no genre file give -1 after a message and leave the slot
    // as it was, not to be written.
    int LoadFrom(TextFileReader& reader);
    // Paths of a genre or title named so.
    std::string DirFor(const std::string& name) const;
    std::string LogFileFor(const std::string& memberName) const
    {
        return m_szGroupDir + "/" + memberName + ".Log";
    }
    // Whether a title of that exact name is in use (no message), and its index (-1).
    bool HasMember(const std::string& name) const { return IndexOf(name) >= 0; }
    int IndexOf(const std::string& name) const;
    // The refusal of `name` as this genre's new name (its message shown), None when the
    // genre may take it.
    Refusal RenameRefusal(const std::string& name) const;
    // The first entry of the genre's folder that is not the log of one of its titles, or
    // "" when there is none; `error` is the errno when the folder cannot be read.
    std::string ForeignEntry(int& error) const;

    // The steps of the changes of several steps (see PendingChange), each also finishing
    // a change a stopped run left half done. Moves the folder and the genre file to the
    // paths of `name`, putting the folder back when the file cannot follow.
    Refusal MoveFilesTo(const std::string& name, PendingChange* change);
    // Gives title `index` its new name (its log follows), paths and flags, and saves.
    EditResult FinishEdit(int index, const std::string& name, const std::string& exePath,
                          const std::string& iconPath, int autoTiming, int useMedia, PendingChange& change);
    // Deletes title `n` with its log, and saves.
    int FinishDelete(int n, PendingChange& change);
    // A title added with others in one step: timed automatically, no disc.
    struct NewMember {
        std::string name;
        std::string exePath;
        std::string iconPath;
    };
    // Why these titles cannot be added (the message shown), as AddMember refuses one: a
    // name or path the rules refuse, a name in use or repeated, a log of that name on disk,
    // no room for them all. None when they can.
    Refusal AddMembersRefusal(const std::vector<NewMember>& titles) const;
    // Adds the titles not listed yet, each with its empty log, the last one current, and
    // saves once. A stopped run's change keeps the logs it made. A failure takes back the
    // logs this call made (the change kept when one cannot be removed).
    EditResult FinishAddMembers(const std::vector<NewMember>& titles, PendingChange& change);
    // Deletes every title's log and saves the genre empty. At a log that cannot be deleted
    // it stops: the titles whose logs are gone leave the list, the others stay (-1).
    int DropAllMembers(PendingChange& change);
    // The Error-10 message, shown when a full genre is to take one more title.
    static void ShowFull();
    // False, after a message, while the genre file could not be read.
    bool Writable() const;
    // Makes the genre's folder when it is missing, before a log goes in: a genre that came
    // with a synced genre list (deleted on the other PC meanwhile) has a file and no folder.
    // A failure shows when the log cannot be made.
    void MakeFolderIfMissing() const;
    // Takes title `from` out: the later titles shift down one slot, the count drops by
    // one and the current title stays in range. No file is touched.
    void ShiftDown(int from);

    // What the caller of a recorded play hears of it: `started` with the title once it has
    // started, before the play is waited for; `measured` with the session once its seconds
    // are measured, before any disc prompt after the play; `ending` tells whether the
    // desktop session is ending, which leaves the disc in the drive.
    struct PlayEvents {
        std::function<void(const CMember&)> started;
        std::function<void(const CPlayTime&)> measured;
        std::function<bool()> ending;
    };
    // Play the current title (defined with the launch code). A recorded play starts and
    // measures `session`, which belongs to the play. 1 when it was played, 0 when it did not
    // start (after the message; also when the start's failure is reported during the wait).
    int PlayRecorded(CPlayTime& session, const PlayEvents& events = {});
    int PlayUnrecorded();
    bool ConfirmRecord(const CPlayTime& session);

private:
    const std::string& DataDir() const;
    int DeleteLog(const std::string& logPath, bool askForReport);
};
