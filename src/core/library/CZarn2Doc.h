#pragma once

#include "library/CGroup.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CZarn2App;
class FolderListings;
class ILibraryJournal;
class PendingChange;
class TextFileReader;

// The library: up to 32 genres in fixed slots plus one exchange slot, the current genre,
// and the genre list file that names them. Large: create it on the heap.
class CZarn2Doc {
public:
    static constexpr int kMaxGroups = 32;

    explicit CZarn2Doc(CZarn2App& app);
    CZarn2Doc(const CZarn2Doc&) = delete;
    CZarn2Doc& operator=(const CZarn2Doc&) = delete;

    // Start: removes what a stopped run left behind (the temporary files of rewrites, a
    // change half done is finished), merges the conflict copies, then loads the library (an
    // empty one, written at once, when nothing can be read). With `sweepLater` the two
    // passes over every genre's folder (leftover temporaries, conflict copies) are left for
    // SweepLeftFolders, unless a stopped run left a change or a play's journal: those are
    // finished on swept folders.
    void OnNewDocument(bool sweepLater = false);
    // The passes OnNewDocument left, if it left them (else nothing): true when they ran. What
    // they rewrote is read again by ReloadChanged, as for copies that came while running.
    bool SweepLeftFolders();
    // Merges the conflict copies of the folders `listings` holds (listed as needed), unless
    // the journals say a library file is newer than they are.
    void MergeCopies(FolderListings& listings);
    // End: writes the genre list file and every genre file.
    void OnCloseDocument();

    CZarn2App* m_pApp;  // never null
    // This PC's change journal (sync/JournalKeeper), when one is attached: the library's
    // writes tell it what changed. None by default.
    ILibraryJournal* m_pJournal = nullptr;
    void AttachJournal(ILibraryJournal* journal);
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
    // The current genre as the fields name it, read within their bounds and without the
    // checks that report a damaged library (for menus and background work); else nullptr.
    CGroup* ShownGroup();
    const CGroup* ShownGroup() const { return const_cast<CZarn2Doc*>(this)->ShownGroup(); }

    int SwapGroups(int a, int b);
    int SwapMembers(int a, int b);
    EditResult AddMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                         int autoTiming, int useMedia);
    EditResult EditMember(const std::string& name, const std::string& exePath, const std::string& iconPath,
                          int autoTiming, int useMedia);

    int LoadGroupList();
    // The slot of the genre named so, or -1.
    int IndexOfGroup(const std::string& name) const;
    // Reads the genre list and every genre file again if it changed on disk (and first
    // the changed list), then writes the list and every genre file.
    int SaveGroupList();
    // Makes genre `n` (an index of the shown list) current and saves the list: the genre
    // is found by name once the library is read again where it changed on disk; -1 after
    // a message when it is gone.
    int SelectGroup(int n);

    // The one step before every rewrite made from what was shown: reads again the genre
    // list and each genre file that changed on disk since this run read or wrote it
    // (another PC through a synced folder, another program), keeping the current genre
    // and each genre's current title by name. True when anything was read again.
    bool ReloadChanged();
    // ReloadChanged, then makes the genre named `group` (and its title named `member`,
    // when given) current again: false after a message when it is gone.
    // (Taken by value: a name held in a slot changes with the reload.)
    bool Reconcile(std::string group, std::string member = {});
    // Puts the genres named in `order` first, in that order; the current genre stays.
    void ApplyGroupOrder(const std::vector<std::string>& order);
    // Counts the reloads ReloadChanged made: a view compares it to redraw after one.
    std::uint64_t m_nDiskReloads = 0;
    int IsGroupNameUsed(const std::string& name) const;
    EditResult AddGroup(const std::string& name, int playMode);
    EditResult RenameGroup(const std::string& name, int playMode);
    int DeleteGroup(int n);
    int MoveMember(int dest);
    // Adds `titles` to the genre named `group` in one change of several steps (see
    // PendingChange): a new genre (`newGroup`, with `playMode`) is made first and listed
    // last. The genre becomes current, and its last new title. Refused after a message as
    // AddGroup and AddMember refuse; Refusal::Gone when a listed genre is no longer there.
    EditResult ImportMembers(const std::string& group, bool newGroup, int playMode,
                             const std::vector<CGroup::NewMember>& titles);

    // The current title's history (each behind the library's checks).
    int ReadHistory();
    // Appends a measured play's `session` to the current title's log.
    int RecordSession(const CPlayTime& session);
    int ResetHistory();
    // Appends `session` to the log of `member` of genre `genre` (also a play found again after
    // a stopped run): the count of sessions, or 0 after a message.
    int RecordSessionOf(const std::string& genre, CMember& member, const CPlayTime& session);

    // Reads a genre list's lines into the genre slots (names and current genre only, no
    // genre file is read): the genre count. Names that cannot be used, repeated names
    // and names beyond 32 are left out with a message. With `checkFormat`, bytes that are
    // no genre list give -1 after a message, change no slot and mark the list unreadable.
    int LoadGroupListFrom(TextFileReader& reader, bool checkFormat = true);
    // The current title of the current genre when every check passes, else nullptr.
    CMember* CurrMember();

    // Set when the genre list file exists but could not be read or is no genre list: it is
    // then not written, so that a list only unread is not replaced.
    bool m_bListUnreadable = false;
    // The copy of the file the list was read from that is due before the list is first
    // written (its load left genres out).
    PendingBackup m_listBackup;

private:
    // Removes the leftover temporaries and merges the conflict copies, each folder listed once.
    void SweepFolders();
    bool m_bSweepLeft = false;  // OnNewDocument left SweepFolders for later
    // The file the list is read from: the list file, or the settings file standing in.
    std::string m_szListSource;
    // The list file as last read or written: a rewrite is given up when it changed since.
    DiskVersion m_listVersion;

    // Reads the genre list and every genre file; at start, first finishes the change a
    // stopped run left half done.
    int LoadLibrary(bool finishPending);
    // The genre list file alone (the genre files are not written): false after its message.
    bool WriteListFile();
    // The list file and every genre file as they are in memory (SaveGroupList without
    // reading again): 0 when the list could not be written.
    int WriteAll();
    // Reads the changed list again with every genre file; false when it is gone (the
    // library in memory stands, and the next save writes it again).
    bool ReloadList();
    // Finishes the change a stopped run left, before the genre files are loaded; the
    // genres it had to read are marked.
    std::bitset<kMaxGroups> FinishPendingChange();
    void FinishGroupRename(const std::string& from, const std::string& to, int playMode, PendingChange& change,
                           std::bitset<kMaxGroups>& loaded);
    // The import's steps (CZarn2DocImport.cpp): `record` names the genre, whether it is new,
    // its play mode and each title's name, program and icon.
    void FinishImport(const std::vector<std::string>& record, PendingChange& change,
                      std::bitset<kMaxGroups>& loaded);
    // Lists the genre made in the next free slot; false after a message.
    bool ListNewGroup(PendingChange& change);
    // The slot of a genre the import makes: blank, named, not listed yet.
    CGroup& NewGroupSlot(const std::string& name, int playMode);
    void ShowGroupListError(int err);
    int m_nListErrorShown = 0;  // the errno of the list's last write error told, until a write succeeds
    // Why the genre list could not be read or written.
    Refusal ListRefusal() const { return m_bListUnreadable ? Refusal::Unreadable : Refusal::FileSystem; }
    int MoveWithinGroup(CGroup& group);
    // The steps of a move to another genre and of a genre's deletion (see PendingChange).
    int FinishMove(CGroup& source, CGroup& target, const std::string& name, PendingChange& change);
    int AddMovedMember(CGroup& source, int from, CGroup& target, PendingChange& change);
    int FinishDeleteGroup(int n, PendingChange& change);
    int RemoveGroupFiles(const CGroup& group, PendingChange& change) const;
};
