#pragma once

#include <functional>
#include <string>
#include <vector>

class CGroup;
class CZarn2Doc;
struct FoundGames;
class IDialogRunner;
class IViewRefresh;
struct MemberDlgValues;

// The commands that edit the library from the main window: genres created, edited,
// reordered and deleted; titles added (also from a dropped file), edited, reordered, moved
// and deleted; a title's history cleared; the icon size of the title list. Each checks its
// precondition (with its message), then does nothing while a recorded play runs, opens its
// dialog, calls one library operation and refreshes the view. A name that is in use or
// that the library refuses opens the dialog again with what the user typed. A title's
// plays are edited here too (CLibraryCommandsPlayLog.cpp), and games and plays imported
// (CLibraryCommandsImport.cpp).
class CLibraryCommands {
public:
    // `busy` answers whether a title started with history recording is running.
    CLibraryCommands(CZarn2Doc* doc, IViewRefresh* view, IDialogRunner* dialogs,
                     std::function<bool()> busy);

    void OnGroupAdd();
    void OnGroupEdit();
    void OnGroupOrder();
    void OnGroupDelete();
    void OnMemberAdd();
    // Files dropped onto the view (not onto the genre list): the first one is registered.
    void OnDropFiles(const std::vector<std::string>& paths);
    void OnMemberEdit();
    void OnMemberOrder();
    void OnMemberMove();
    void OnHistoryReset();
    // The plays of the current title's log edited in the play log dialog; the log is
    // rewritten once, on OK.
    void OnPlayLogEdit() { OnPlayLogEditFor({}); }
    // The same with the plays at `plays` (their indexes in the log's sessions) chosen.
    void OnPlayLogEditFor(const std::vector<int>& plays);
    // Whether the play log can be edited: a current title, and no recorded play running.
    // Shows no message, so it can be asked whenever a menu opens.
    bool PlayLogEditEnabled() const;
    void OnMemberDelete();
    void OnMemberDeleteAll();
    // The games found on this PC registered in a genre in one step; the plays of an export
    // file brought back into the titles' logs (CLibraryCommandsImport.cpp).
    void OnImportGames();
    void OnImportPlays();
    // Where the import looks for games (by default GameFinder over this session's places).
    void SetGameFinder(std::function<FoundGames()> finder);
    void OnIconLarge();
    void OnIconSmall();

    // Enabled states of the icon size commands. Any size but small counts as large and is
    // stored back as 1 when the large-icon state is asked.
    bool IconLargeEnabled();
    bool IconSmallEnabled() const;

private:
    // The genre and title a command acts on, by name, taken before its dialog or question.
    struct Target {
        std::string group;
        std::string member;
    };
    Target Current() const;
    // After the dialog: the library read again where its files changed on disk (another
    // PC, another program), and the target found by name and made current again (its
    // title too `withMember`). False after a message when it is gone.
    bool Reconciled(const Target& target, bool withMember);
    // Reconciled, and when the genre's titles are no longer those `seen` when the user
    // answered, the lists shown again and `question` (a format taking the genre) asked.
    bool ConfirmedAgain(const Target& target, const std::vector<std::string>& seen, const char* question);
    void RefreshAll();
    bool Busy() const;
    bool HasGroups() const;
    bool HasMembers() const;
    // The precondition messages: true when the condition holds.
    bool RequireGroups() const;
    bool RequireMembers() const;
    // The title dialog until the user cancels or the title is stored.
    void AddMemberFrom(const std::string& caption, MemberDlgValues values);

    CZarn2Doc* m_pDoc;
    IViewRefresh* m_pView;
    IDialogRunner* m_pDialogs;
    std::function<bool()> m_busy;
    std::function<FoundGames()> m_findGames;
};
