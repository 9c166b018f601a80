#pragma once

#include "view/CStatisticsArea.h"
#include "view/CTitleIcons.h"
#include "commands/IViewRefresh.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class CLibraryCommands;
class CListInput;
class CMainFrame;
class CReportListOrder;
class QtDialogRunner;
class CHistoryList;
class CReportList;
class CZarn2App;
class CZarn2Doc;

// The main form: the genre list (upper left), the titles of the current genre (upper
// right), and the statistics and history of the current title below them. The library's
// current genre and current title are the only selection; the lists are rebuilt from them.
class CZarn2View : public QWidget, public IViewRefresh {
    Q_OBJECT
public:
    CZarn2View(CZarn2App& app, CZarn2Doc& doc, CMainFrame& frame);
    ~CZarn2View() override;

    // Once, after the frame is built: pointers, lists, statistics, focus.
    void OnInitialUpdate();

    // Rebuild the genre list; the current genre index, or -1.
    int FillGroupList() override;
    // Rebuild the title list; the result of SelectCurrMember.
    int FillMemberList() override;
    // Select the current title's row; its index, or -1.
    int SelectCurrMember();
    // Shows submenu `submenu` of the main menu as a context menu at a screen point.
    void ShowPopupMenu(int submenu, const QPoint& screenPos);
    // Refresh every statistics field, the history list and the status bar counters.
    void UpdateStatistics() override;
    // Put a list's selection mark on a row (-1 clears it).
    void SetGroupSelectionMark(int row) override;
    void SetMemberSelectionMark(int row) override;

    // "The library has genres" and "the current genre has titles" (the checks report an
    // inconsistent library themselves).
    bool HasGroups() const;
    bool HasMembers() const;

    CZarn2App* m_pApp;
    CMainFrame* m_pFrame;
    CZarn2Doc* m_pDoc;
    CReportList* m_listGroup;
    CReportList* m_listMember;
    CStatisticsArea m_stats;
    CHistoryList* m_listHistory;
    bool m_bBusy = false;  // set while a title started with history recording runs
    CLibraryCommands& LibraryCommands() const { return *m_pCommands; }
    // The mouse and keyboard handling of the three lists (owned by the view as its child).
    CListInput* m_pInput = nullptr;

public Q_SLOTS:
    // A row chosen with the mouse becomes the current genre or title.
    void OnGroupClicked(int row);
    void OnMemberClicked(int row);
    // A click on a column heading of any of the three lists.
    void OnHeaderClicked(int column);

    // Library commands.
    void OnGroupAdd();
    void OnGroupEdit();
    void OnGroupOrder();
    void OnGroupDelete();
    void OnMemberAdd();
    void OnMemberEdit();
    void OnMemberOrder();
    void OnMemberMove();
    void OnHistoryReset();
    void OnPlayLogEdit();
    // The play log dialog with the plays of row `row` of the history list chosen (that play,
    // or in date mode the plays of that day).
    void OnHistoryRowEdit(int row);
    void OnMemberDelete();
    void OnMemberDeleteAll();
    void OnImportGames();
    void OnImportPlays();
    // Play commands.
    void OnPlayRecorded();
    void OnPlayUnrecorded();

    // Display commands.
    void OnIconLarge();
    void OnIconSmall();
    void SetCountMode();
    void SetDateMode();
    // Enabled states of the icon size, history mode and play log commands (menus and
    // toolbar).
    void UpdateCommandUI();

Q_SIGNALS:
    // Emitted at the end of every UpdateStatistics (the current genre or title changed, a
    // play was recorded, the library was edited), and by the folder watch when only another
    // title's log changed.
    void StatisticsUpdated();

protected:
    // Files dropped from the desktop onto the view (not onto the genre list) register the
    // first one as a title.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SetupList(CReportList* list, int x, int width, const QString& heading);
    int CurrMemberIndex() const;
    void SetHistoryMode(int mode);

    std::unique_ptr<CReportListOrder> m_pGroupOrder;
    std::unique_ptr<CReportListOrder> m_pMemberOrder;
    std::unique_ptr<QtDialogRunner> m_pDialogs;
    std::unique_ptr<CLibraryCommands> m_pCommands;
};
