#pragma once

#include "library/CGroup.h"

#include <array>
#include <memory>
#include <string>

class CZarn2App;
class TextFileReader;

// The library: up to 32 genres in fixed slots plus one exchange slot, the current genre,
// and the genre list file that names them. Large: create it on the heap.
class CZarn2Doc {
public:
    static constexpr int kMaxGroups = 32;

    explicit CZarn2Doc(CZarn2App& app);
    CZarn2Doc(const CZarn2Doc&) = delete;
    CZarn2Doc& operator=(const CZarn2Doc&) = delete;

    // Start: loads the library (an empty one, written at once, when nothing can be read).
    void OnNewDocument();
    // End: writes the genre list file and every genre file.
    void OnCloseDocument();

    CZarn2App* m_pApp;  // never null
    std::array<CGroup, kMaxGroups> m_Group;
    CGroup m_WorkGroup;  // exchange slot of SwapGroups; never counted, listed or saved
    int m_nGroupCount = 0;
    int m_nCurrGroup = -1;
    std::string m_szGroupListFile;

    int CheckGroups() const;
    int CheckGroupIndex(int n) const;

    int GetGroupCount() const;
    int SetCurrGroup(int n);
    int GetMemberCount() const;
    int SetCurrMember(int n);
    int GetPlayMode() const;
    std::string GetCurrGroupName() const;
    CMember* GetMember(int n);
    const std::string* GetMemberIconPath(int n);
    CGroup* CurrGroup();  // the current genre if the checks pass, else nullptr

    int SwapGroups(int a, int b);
    int SwapMembers(int a, int b);
    EditResult AddMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                         int autoTiming, int useMedia);
    EditResult EditMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                          int autoTiming, int useMedia);

    int LoadGroupList();
    int SaveGroupList();
    int IsGroupNameUsed(const std::string& name) const;
    EditResult AddGroup(const std::string& name, int playMode);
    EditResult RenameGroup(const std::string& name, int playMode);
    int DeleteGroup(int n);
    int MoveMember(int dest);

    // The current title's history (each behind the library's checks).
    int ReadHistory();
    int RecordSession();
    void DiscardSession();
    int ResetHistory();

    // Reads a genre list's lines into the genre slots (names and current genre only, no
    // genre file is read): the genre count. Names that cannot be used, repeated names
    // and names beyond 32 are left out with a message.
    int LoadGroupListFrom(TextFileReader& reader);
    // The current title of the current genre when every check passes, else nullptr.
    CMember* CurrMember();

    // Set when the genre list file exists but could not be read: it is then not written,
    // so that a list only unread is not replaced.
    bool m_bListUnreadable = false;
    // The copy of the file the list was read from that is due before the list is first
    // written (its load left genres out).
    PendingBackup m_listBackup;

private:
    // The file the list is read from: the list file, or the settings file standing in.
    std::string m_szListSource;

    void ShowGroupListError(int err) const;
    // Why the genre list could not be read or written.
    Refusal ListRefusal() const { return m_bListUnreadable ? Refusal::Unreadable : Refusal::FileSystem; }
    int MoveWithinGroup(CGroup& group);
    int RemoveGroupFiles(const CGroup& group) const;
};
