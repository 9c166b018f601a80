#pragma once

#include "library/CMember.h"
#include "library/PendingBackup.h"
#include "library/Refusal.h"

#include <array>
#include <string>

class CZarn2App;
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
    std::array<CMember, kMaxMembers> m_Member;
    int m_nMemberCount = 0;
    int m_nCurrMember = -1;
    // Set when the genre file exists but could not be read: writing it then would replace
    // titles that are only unread with an empty list, so it is not written until a load
    // succeeds.
    bool m_bUnreadable = false;
    // The genre file's copy that is due before its first rewrite (its load left titles out).
    PendingBackup m_backup;

    // Consistency checks: the count, or -1 after the numbered message.
    int Check() const;
    int CheckMemberIndex(int n) const;

    int Load();
    int Save();
    EditResult Create(const std::string& name, int playMode);
    int SetName(const std::string& name);
    EditResult Rename(const std::string& name, int playMode);
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
    // a message.
    int LoadFrom(TextFileReader& reader);
    // Paths of a genre or title named so.
    std::string DirFor(const std::string& name) const;
    std::string LogFileFor(const std::string& memberName) const
    {
        return m_szGroupDir + "/" + memberName + ".Log";
    }
    // Whether a title of that exact name is in use (no message).
    bool HasMember(const std::string& name) const;
    // The Error-10 message, shown when a full genre is to take one more title.
    static void ShowFull();
    // False, after a message, while the genre file could not be read.
    bool Writable() const;
    // Takes title `from` out: the later titles shift down one slot, the count drops by
    // one and the current title stays in range. No file is touched.
    void ShiftDown(int from);

    // Play the current title (defined with the launch code).
    int PlayRecorded();
    int PlayUnrecorded();
    bool ConfirmRecord();

private:
    const std::string& DataDir() const;
    int DeleteLog(const std::string& logPath, bool askForReport);
};
