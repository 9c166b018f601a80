// The main view on a library in a temporary program folder: rows, highlighting, scrolling,
// the play statistics in both modes, the status counters, heading clicks and the display
// commands' states.
#include "support/BuiltWaitHelper.h"
#include "support/ModalDriver.h"
#include "support/ProgramWindow.h"
#include "support/ScriptedPlayUi.h"

#include "app/CMainStatusBar.h"
#include "app/CommandIds.h"
#include "dialogs/CMemberMoveDlg.h"
#include "dialogs/CPlayLogDlg.h"
#include "dialogs/COrderDlg.h"
#include "history/CPlayHistory.h"
#include "platform/Format.h"
#include "sync/CopySettling.h"
#include "view/CHistoryList.h"
#include "view/CReportList.h"
#include "view/ViewPointers.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <chrono>
#include <filesystem>

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

QString Cell(CReportList* list, int row, int column)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    return item ? item->text(column) : QStringLiteral("<no row>");
}

QString Cell(CHistoryList* list, int row, int column)
{
    return row < list->RowCount() ? list->Cell(row, column) : QStringLiteral("<no row>");
}

// One genre "RPG" whose only title "勇者の旅" has the given sessions.
void OneTitle(ProgramWindow& lib, const std::vector<std::pair<std::string, long>>& sessions)
{
    lib.Build([](CZarn2Doc& doc) {
        doc.AddGroup("RPG", 0);
        doc.AddMember("勇者の旅", "/usr/bin/true", "/usr/bin/true", 1, 0);
    });
    if (!sessions.empty())
        lib.WriteLog("RPG", "勇者の旅", sessions);
}

const std::vector<std::pair<std::string, long>> kThreeSessions = {
    {"2009/03/07,21:05:09", 100}, {"2009/03/07,22:00:00", 100}, {"2009/03/07,23:10:00", 101}};

}  // namespace

class CZarn2ViewUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void threeSessionsByCount();
    void threeSessionsByDate();
    void lastRowMarkedAndVisible_data();
    void lastRowMarkedAndVisible();
    void missingLogShowsModeOnly();
    void hundredHours();
    void emptyLibrary();
    void genreListScroll_data();
    void genreListScroll();
    void titleListScroll_data();
    void titleListScroll();
    void titleRowsAndHeadings();
    void headerClicks_data();
    void headerClicks();
    void headerClicksDuringAPlay();
    void historyListFollowsItsTitle_data();
    void historyListFollowsItsTitle();
    void genreClickChangesCurrentGenre();
    void titleClickChangesCurrentTitle();
    void iconCommandsAndStates();
    void historyCommandStates();
    void historyRowOpensThePlayLogEditor();
    void rowCheckMessages();
    void popupMenuShowsTitleCommands();
    void modulePointers();
    void libraryCommandsReachTheLibrary_data();
    void libraryCommandsReachTheLibrary();
    void droppedFiles();
    void changesOnDiskShowUp();
    void changesBeforeTheWatchShowUp();
    void aCopyWrittenWhileRunningIsMergedOnceSettled();
    void startPassesAfterTheFirstPaint();
};

void CZarn2ViewUiTest::threeSessionsByCount()
{
    ProgramWindow lib;
    OneTitle(lib, kThreeSessions);
    CZarn2View& view = lib.Open();
    CStatisticsArea& s = view.m_stats;

    QCOMPARE(s.m_editMode->text(), Q("回数単位"));
    QCOMPARE(s.m_editLast->text(), Q("00:01:41"));
    QCOMPARE(s.m_editTotal->text(), Q("00:05:01"));
    QCOMPARE(s.m_editAverage->text(), Q("00:01:40"));
    QCOMPARE(s.m_editCount->text(), Q("3 回"));
    QCOMPARE(s.m_labelMode->text(), Q(" 集計モード"));
    QCOMPARE(s.m_labelLast->text(), Q(" 今回のプレイ時間"));
    QCOMPARE(s.m_labelTotal->text(), Q(" 合計プレイ時間"));
    QCOMPARE(s.m_labelAverage->text(), Q(" 平均プレイ時間"));
    QCOMPARE(s.m_labelCount->text(), Q(" 全プレイ回数"));

    CHistoryList* history = view.m_listHistory;
    QCOMPARE(history->Heading(0), Q("回数"));
    QCOMPARE(history->Heading(1), Q("日　時"));
    QCOMPARE(history->Heading(2), Q("プレイ時間"));
    QCOMPARE(history->RowCount(), 3);
    QCOMPARE(Cell(history, 0, 0), Q("1"));
    QCOMPARE(Cell(history, 0, 1), Q("2009/03/07, 21:05:09"));
    QCOMPARE(Cell(history, 0, 2), Q("00:01:40"));
    QCOMPARE(Cell(history, 2, 2), Q("00:01:41"));
    QCOMPARE(history->MarkedRow(), 2);
    QModelIndex dateCell = history->model()->index(0, 1);
    QCOMPARE(history->model()->data(dateCell, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QVERIFY(lib.messenger.messages.empty());
}

void CZarn2ViewUiTest::threeSessionsByDate()
{
    ProgramWindow lib;
    OneTitle(lib, kThreeSessions);
    CZarn2View& view = lib.Open();
    view.SetDateMode();
    CStatisticsArea& s = view.m_stats;

    QCOMPARE(lib.app.HistoryMode, 1);
    QCOMPARE(s.m_editMode->text(), Q("日数単位"));
    QCOMPARE(s.m_editLast->text(), Q("00:05:01"));
    QCOMPARE(s.m_editTotal->text(), Q("00:05:01"));
    QCOMPARE(s.m_editAverage->text(), Q("00:05:01"));
    QCOMPARE(s.m_editCount->text(), Q("1 日"));
    QCOMPARE(s.m_labelLast->text(), Q(" 今日のプレイ時間"));
    QCOMPARE(s.m_labelCount->text(), Q(" 全プレイ日数"));
    CHistoryList* history = view.m_listHistory;
    QCOMPARE(history->Heading(0), Q("日数"));
    QCOMPARE(history->Heading(1), Q("日　付"));
    QCOMPARE(history->RowCount(), 1);
    QCOMPARE(Cell(history, 0, 0), Q("1"));
    QCOMPARE(Cell(history, 0, 1), Q("2009/03/07"));
    QCOMPARE(Cell(history, 0, 2), Q("00:05:01"));

    // Back by count: the same log, one row per session again.
    view.SetCountMode();
    QCOMPARE(history->RowCount(), 3);
    QCOMPARE(s.m_editCount->text(), Q("3 回"));
    QCOMPARE(history->Heading(1), Q("日　時"));
}

void CZarn2ViewUiTest::lastRowMarkedAndVisible_data()
{
    QTest::addColumn<int>("sessions");
    QTest::newRow("five") << 5;
    QTest::newRow("six") << 6;
    QTest::newRow("twenty") << 20;
}

void CZarn2ViewUiTest::lastRowMarkedAndVisible()
{
    QFETCH(int, sessions);
    ProgramWindow lib;
    std::vector<std::pair<std::string, long>> log;
    for (int i = 0; i < sessions; ++i)
        log.emplace_back("2009/03/" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1) + ",10:00:00", 60);
    OneTitle(lib, log);
    CZarn2View& view = lib.Open();
    CHistoryList* history = view.m_listHistory;

    QCOMPARE(history->RowCount(), sessions);
    QCOMPARE(history->MarkedRow(), sessions - 1);
    QVERIFY(history->IsRowSelected(sessions - 1));
    int perPage = history->CountPerPage();
    QVERIFY(perPage >= 5);
    int expectedTop = sessions <= perPage ? 0 : sessions - perPage;
    QCOMPARE(history->TopIndex(), expectedTop);
    QCOMPARE(view.m_stats.m_editCount->text(), QString::number(sessions) + Q(" 回"));
}

void CZarn2ViewUiTest::missingLogShowsModeOnly()
{
    ProgramWindow lib;
    OneTitle(lib, {});
    QVERIFY(std::remove(lib.LogPath("RPG", "勇者の旅").c_str()) == 0);
    CZarn2View& view = lib.Open();
    CStatisticsArea& s = view.m_stats;

    QCOMPARE(s.m_editMode->text(), Q("回数単位"));
    for (QLineEdit* field : {s.m_editLast, s.m_editTotal, s.m_editAverage, s.m_editCount})
        QVERIFY2(field->text().isEmpty(), qPrintable(field->text()));
    QCOMPARE(view.m_listHistory->RowCount(), 0);
    QVERIFY(lib.messenger.messages.empty());
}

void CZarn2ViewUiTest::hundredHours()
{
    ProgramWindow lib;
    OneTitle(lib, {{"2009/03/07,21:05:09", 360000}});
    CZarn2View& view = lib.Open();
    QCOMPARE(view.m_stats.m_editTotal->text(), Q("100:00:00"));
    QCOMPARE(view.m_stats.m_editLast->text(), Q("100:00:00"));
    QCOMPARE(Cell(view.m_listHistory, 0, 2), Q("100:00:00"));
}

void CZarn2ViewUiTest::emptyLibrary()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    CMainStatusBar* panes = lib.Frame().StatusPanes();
    QCOMPARE(panes->PaneText(1), Q(" ジャンル :   0/  0"));
    QCOMPARE(panes->PaneText(2), Q(" タイトル :   0/  0"));
    QCOMPARE(view.m_listGroup->topLevelItemCount(), 0);
    QCOMPARE(view.m_listMember->topLevelItemCount(), 0);
    QCOMPARE(view.m_listGroup->MarkedRow(), -1);
    QCOMPARE(view.m_stats.m_editMode->text(), Q("回数単位"));
    QVERIFY(!view.m_listMember->hasFocus());
    QVERIFY(lib.messenger.messages.empty());
}

void CZarn2ViewUiTest::genreListScroll_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("top");
    QTest::newRow("0 stays") << 0 << 0;
    QTest::newRow("10 stays") << 10 << 0;
    QTest::newRow("11 one row") << 11 << 1;
    QTest::newRow("20 ten rows") << 20 << 10;
}

void CZarn2ViewUiTest::genreListScroll()
{
    QFETCH(int, current);
    QFETCH(int, top);
    ProgramWindow lib;
    lib.Build([current](CZarn2Doc& doc) {
        for (int i = 0; i < 32; ++i)
            doc.AddGroup("ジャンル" + std::to_string(i), 0);
        doc.SetCurrGroup(current);
    });
    CZarn2View& view = lib.Open();
    CReportList* list = view.m_listGroup;

    QCOMPARE(list->topLevelItemCount(), 32);
    QCOMPARE(list->RowHeight(), 17);
    QCOMPARE(list->TopIndex(), top);
    QCOMPARE(list->MarkedRow(), current);
    QVERIFY(list->topLevelItem(current)->isSelected());
    QCOMPARE(list->SelectionMark(), current);
    QCOMPARE(lib.Frame().StatusPanes()->PaneText(1),
             QString::fromStdString(Format(" ジャンル : %3d/%3d", current + 1, 32)));
}

void CZarn2ViewUiTest::titleListScroll_data()
{
    QTest::addColumn<int>("iconSize");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("top");
    QTest::newRow("small 5 stays") << 0 << 5 << 0;
    QTest::newRow("small 6") << 0 << 6 << 6;
    QTest::newRow("large 5 stays") << 1 << 5 << 0;
    QTest::newRow("large 6") << 1 << 6 << 6;
}

void CZarn2ViewUiTest::titleListScroll()
{
    QFETCH(int, iconSize);
    QFETCH(int, current);
    QFETCH(int, top);
    ProgramWindow lib;
    lib.app.IconSize = iconSize;
    lib.Build([current](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "ACT", 40);
        doc.SetCurrMember(current);
    });
    CZarn2View& view = lib.Open();
    CReportList* list = view.m_listMember;

    QCOMPARE(list->topLevelItemCount(), 40);
    QCOMPARE(list->iconSize(), QSize(iconSize == 0 ? 16 : 32, iconSize == 0 ? 16 : 32));
    QCOMPARE(list->TopIndex(), top);
    QCOMPARE(list->MarkedRow(), current);
    QVERIFY(list->topLevelItem(current)->isSelected());
    QVERIFY(list->hasFocus());
    QCOMPARE(lib.Frame().StatusPanes()->PaneText(2),
             QString::fromStdString(Format(" タイトル : %3d/%3d", current + 1, 40)));
}

void CZarn2ViewUiTest::titleRowsAndHeadings()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "アクション", 0);
        ProgramWindow::AddGenre(doc, "ＲＰＧ", 3);
    });
    CZarn2View& view = lib.Open();

    QCOMPARE(view.m_listGroup->headerItem()->text(0), Q("        ジ ャ ン ル"));
    QCOMPARE(view.m_listMember->headerItem()->text(0), Q("　　　　　　　　タ イ ト ル"));
    QCOMPARE(view.m_listGroup->columnWidth(0), view.m_listGroup->ClientWidth() - 17);
    QCOMPARE(view.m_listMember->columnWidth(0), view.m_listMember->ClientWidth() - 17);
    int w = view.m_listHistory->ClientWidth();
    QCOMPARE(view.m_listHistory->columnWidth(0), w / 8);
    QCOMPARE(view.m_listHistory->columnWidth(1), w / 2);
    QCOMPARE(view.m_listHistory->columnWidth(2), w * 3 / 8 - 17);

    QCOMPARE(Cell(view.m_listGroup, 0, 0), Q("アクション"));
    QCOMPARE(Cell(view.m_listGroup, 1, 0), Q("ＲＰＧ"));
    QCOMPARE(view.m_listGroup->MarkedRow(), 1);
    QCOMPARE(view.m_listMember->topLevelItemCount(), 3);
    QCOMPARE(Cell(view.m_listMember, 2, 0), Q("ＲＰＧ-2"));
    QVERIFY(!view.m_listMember->topLevelItem(0)->icon(0).isNull());
    QCOMPARE(view.m_listMember->MarkedRow(), 2);
    QCOMPARE(view.m_listGroup->geometry(), QRect(10, 10, 240, 230));
    QCOMPARE(view.m_listMember->geometry(), QRect(260, 10, 470, 230));
    QCOMPARE(view.m_listHistory->geometry(), QRect(320, 250, 410, 150));
    QCOMPARE(view.m_stats.m_editCount->geometry(), QRect(160, 370, 150, 30));
    QCOMPARE(view.m_stats.m_labelMode->geometry(), QRect(10, 250, 150, 30));
}

void CZarn2ViewUiTest::headerClicks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("list");  // 0 genres, 1 titles, 2 history
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("after");
    QTest::newRow("history 1 by count") << 0 << 2 << 1 << 1;
    QTest::newRow("history 0 by date") << 1 << 2 << 0 << 0;
    QTest::newRow("history 0 by count") << 0 << 2 << 0 << 0;
    QTest::newRow("history 1 by date") << 1 << 2 << 1 << 1;
    QTest::newRow("history 2 by count") << 0 << 2 << 2 << 0;
    QTest::newRow("history 2 by date") << 1 << 2 << 2 << 1;
    QTest::newRow("genre heading by date") << 1 << 0 << 0 << 0;
    QTest::newRow("title heading by date") << 1 << 1 << 0 << 0;
    QTest::newRow("title heading by count") << 0 << 1 << 0 << 0;
}

void CZarn2ViewUiTest::headerClicks()
{
    QFETCH(int, mode);
    QFETCH(int, list);
    QFETCH(int, column);
    QFETCH(int, after);
    ProgramWindow lib;
    OneTitle(lib, kThreeSessions);
    lib.app.HistoryMode = mode;
    CZarn2View& view = lib.Open();
    view.m_bBusy = true;  // heading clicks work during a play too
    QHeaderView* headers[] = {view.m_listGroup->header(), view.m_listMember->header(), view.m_listHistory->header()};
    QHeaderView* header = headers[list];
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    QCOMPARE(lib.app.HistoryMode, after);
    QCOMPARE(view.m_listHistory->RowCount(), after == 0 ? 3 : 1);
}

// The heading clicks reread the log while the title runs; the play still logs its own
// start and duration, and the figure of the last play always matches the list's last row.
void CZarn2ViewUiTest::headerClicksDuringAPlay()
{
    BuiltWaitHelper helper;
    ProgramWindow lib;
    OneTitle(lib, {{"2008/01/02,12:00:00", 2126}});
    lib.app.LimitMinite = 1;
    CZarn2View& view = lib.Open();
    CStatisticsArea& s = view.m_stats;
    QHeaderView* header = view.m_listHistory->header();
    auto clickHeading = [header](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    auto lastRowTime = [&view] { return Cell(view.m_listHistory, view.m_listHistory->RowCount() - 1, 2); };
    ScriptedPlayUi ui;
    ui.onMinimize = [&] {
        clickHeading(1);
        clickHeading(0);
        QCOMPARE(lib.app.HistoryMode, 0);
        QCOMPARE(s.m_editLast->text(), lastRowTime());
        lib.clock.Advance(6);
    };
    lib.messenger.AnswerNext(true);

    view.OnPlayRecorded();

    QCOMPARE(TempDir::ReadBytes(lib.LogPath("RPG", "勇者の旅")),
             std::string("2008/01/02,12:00:00\r\n2126\r\n2009/03/07,21:05:09\r\n6\r\n"));
    QCOMPARE(lib.messenger.questions.size(), size_t(1));
    QCOMPARE(view.m_listHistory->RowCount(), 2);
    QCOMPARE(s.m_editLast->text(), lastRowTime());
}

void CZarn2ViewUiTest::historyListFollowsItsTitle_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("title order, to the top") << Q("title order");
    QTest::newRow("genre order, down") << Q("genre order");
    QTest::newRow("move to another genre") << Q("move");
}

// Reordering and moving change which title each slot holds without a statistics
// refresh; the history list keeps showing the rows of the title it showed.
void CZarn2ViewUiTest::historyListFollowsItsTitle()
{
    QFETCH(QString, command);
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "A", 3);
        ProgramWindow::AddGenre(doc, "B", 3);
        doc.SetCurrGroup(0);
    });
    for (std::string genre : {"A", "B"})
        for (int t = 0; t < 3; ++t)
            lib.WriteLog(genre, genre + "-" + std::to_string(t),
                         {{"2009/03/07,21:05:09", genre[0] * 10 + t}});
    CZarn2View& view = lib.Open();
    auto rows = [&view] {
        QStringList cells;
        for (int r = 0; r < view.m_listHistory->RowCount(); ++r)
            for (int c = 0; c < 3; ++c)
                cells << Cell(view.m_listHistory, r, c);
        return cells;
    };
    const QStringList shown = rows();
    QCOMPARE(shown.size(), 3);
    // Every slot holds its title's history, as after clicking through the titles and back.
    for (CGroup& group : lib.Doc().m_Group)
        for (int m = 0; m < group.m_nMemberCount; ++m)
            group.m_Member[static_cast<size_t>(m)].ReadLog();
    view.UpdateStatistics();

    ModalDriver driver;
    if (command == u"move") {
        driver.Then([](QWidget* w) {
            auto* dlg = qobject_cast<CMemberMoveDlg*>(w);
            QVERIFY(dlg != nullptr);
            dlg->m_pList->setCurrentItem(dlg->m_pList->topLevelItem(1));
            QTest::mouseClick(dlg->m_pOk, Qt::LeftButton);
        });
        view.OnMemberMove();
    } else {
        bool titles = command == u"title order";
        driver.Then([titles](QWidget* w) {
            auto* dlg = qobject_cast<COrderDlg*>(w);
            QVERIFY(dlg != nullptr);
            dlg->Press(titles ? COrderDlg::Top : COrderDlg::Down);
            dlg->reject();
        });
        if (titles)
            view.OnMemberOrder();
        else
            view.OnGroupOrder();
    }

    QVERIFY(driver.Done());
    QCOMPARE(rows(), shown);
    QVERIFY(lib.messenger.messages.empty());
}

void CZarn2ViewUiTest::genreClickChangesCurrentGenre()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "A", 2);
        ProgramWindow::AddGenre(doc, "B", 4);
    });
    lib.WriteLog("A", "A-1", {{"2009/03/07,21:05:09", 42}});
    CZarn2View& view = lib.Open();
    QCOMPARE(lib.Doc().m_nCurrGroup, 1);

    QTreeWidgetItem* first = view.m_listGroup->topLevelItem(0);
    QTest::mouseClick(view.m_listGroup->viewport(), Qt::LeftButton, {},
                      view.m_listGroup->visualItemRect(first).center());
    QCOMPARE(lib.Doc().m_nCurrGroup, 0);
    QCOMPARE(view.m_listGroup->MarkedRow(), 0);
    QCOMPARE(view.m_listMember->topLevelItemCount(), 2);
    QCOMPARE(view.m_listMember->MarkedRow(), 1);
    QCOMPARE(view.m_stats.m_editTotal->text(), Q("00:00:42"));
    QCOMPARE(lib.Frame().StatusPanes()->PaneText(1), Q(" ジャンル :   1/  2"));
    QCOMPARE(lib.Frame().StatusPanes()->PaneText(2), Q(" タイトル :   2/  2"));
    // The choice is on disk at once.
    std::string list = TempDir::ReadBytes(lib.dir / "Zarn2.Grp");
    QVERIFY2(list.find("[CurrGroup]\r\n0\r\n") != std::string::npos, list.c_str());

    // Nothing changes while a title runs with history recording.
    view.m_bBusy = true;
    view.OnGroupClicked(1);
    QCOMPARE(lib.Doc().m_nCurrGroup, 0);
}

void CZarn2ViewUiTest::titleClickChangesCurrentTitle()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) { ProgramWindow::AddGenre(doc, "A", 3); });
    lib.WriteLog("A", "A-0", {{"2009/03/07,21:05:09", 7}});
    CZarn2View& view = lib.Open();
    QCOMPARE(view.m_stats.m_editTotal->text(), QString());

    QTreeWidgetItem* first = view.m_listMember->topLevelItem(0);
    QTest::mouseClick(view.m_listMember->viewport(), Qt::LeftButton, {},
                      view.m_listMember->visualItemRect(first).center());
    QCOMPARE(lib.Doc().CurrGroup()->m_nCurrMember, 0);
    QCOMPARE(view.m_listMember->MarkedRow(), 0);
    QCOMPARE(view.m_stats.m_editTotal->text(), Q("00:00:07"));
    QCOMPARE(lib.Frame().StatusPanes()->PaneText(2), Q(" タイトル :   1/  3"));
}

void CZarn2ViewUiTest::iconCommandsAndStates()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) { ProgramWindow::AddGenre(doc, "A", 2); });
    CZarn2View& view = lib.Open();
    QAction* large = lib.Frame().Action(CommandId::ID_ICON_LARGE);
    QAction* small = lib.Frame().Action(CommandId::ID_ICON_SMALL);
    QVERIFY(large->isEnabled());
    QVERIFY(!small->isEnabled());
    QCOMPARE(view.m_listMember->iconSize(), QSize(16, 16));

    large->trigger();
    QCOMPARE(lib.app.IconSize, 1);
    QVERIFY(!large->isEnabled());
    QVERIFY(small->isEnabled());
    QCOMPARE(view.m_listMember->iconSize(), QSize(32, 32));
    QVERIFY(view.m_listMember->RowHeight() > 17);
    QCOMPARE(view.m_listMember->topLevelItemCount(), 2);

    // Any other stored size counts as large and is kept as 1.
    lib.app.IconSize = 7;
    view.UpdateCommandUI();
    QCOMPARE(lib.app.IconSize, 1);
    QVERIFY(!large->isEnabled());

    small->trigger();
    QCOMPARE(lib.app.IconSize, 0);
    QVERIFY(large->isEnabled());
    QCOMPARE(view.m_listMember->RowHeight(), 17);
}

void CZarn2ViewUiTest::historyCommandStates()
{
    ProgramWindow lib;
    OneTitle(lib, kThreeSessions);
    lib.Open();
    QAction* count = lib.Frame().Action(CommandId::ID_HISTORY_COUNT);
    QAction* date = lib.Frame().Action(CommandId::ID_HISTORY_DATE);
    QVERIFY(!count->isEnabled());
    QVERIFY(date->isEnabled());
    date->trigger();
    QCOMPARE(lib.app.HistoryMode, 1);
    QVERIFY(count->isEnabled());
    QVERIFY(!date->isEnabled());
    // A mode the settings file may hold that is neither: both commands available.
    lib.app.HistoryMode = 2;
    lib.Frame().SubMenu(CommandId::kMenuView)->aboutToShow();
    QVERIFY(count->isEnabled());
    QVERIFY(date->isEnabled());
    // The play log command: not while a recorded play runs.
    QAction* plays = lib.Frame().Action(CommandId::ID_PLAY_LOG_EDIT);
    QVERIFY(plays->isEnabled());
    lib.shell->View()->m_bBusy = true;
    lib.Frame().SubMenu(CommandId::kMenuMember)->aboutToShow();
    QVERIFY(!plays->isEnabled());
}

// A double click on a day of the history list opens the play log dialog with that day's
// plays chosen; after OK the statistics show the rewritten log.
void CZarn2ViewUiTest::historyRowOpensThePlayLogEditor()
{
    ProgramWindow lib;
    std::vector<std::pair<std::string, long>> sessions = kThreeSessions;
    sessions.push_back({"2009/03/08,10:00:00", 60});
    OneTitle(lib, sessions);
    lib.app.HistoryMode = 1;
    CZarn2View& view = lib.Open();
    ModalDriver driver;
    driver.Then([](QWidget* dialog) {
        auto* dlg = qobject_cast<CPlayLogDlg*>(dialog);
        QVERIFY(dlg != nullptr);
        QCOMPARE(dlg->windowTitle(), Q("プレイ記録の編集 - 勇者の旅"));
        QCOMPARE(dlg->SelectedRows(), (std::vector<int>{0, 1, 2}));
        dlg->m_pDelete->click();
        dlg->m_pOk->click();
    });
    QWidget* rows = view.m_listHistory->viewport();
    QPoint day = view.m_listHistory->visualRect(view.m_listHistory->model()->index(0, 1)).center();
    QTest::mouseClick(rows, Qt::LeftButton, {}, day);  // the press of a double click comes first
    QTest::mouseDClick(rows, Qt::LeftButton, {}, day);
    QVERIFY(driver.Done());
    QCOMPARE(TempDir::ReadBytes(lib.LogPath("RPG", "勇者の旅")), std::string("2009/03/08,10:00:00\r\n60\r\n"));
    QCOMPARE(view.m_listHistory->RowCount(), 1);
    QCOMPARE(view.m_stats.m_editTotal->text(), Q("00:01:00"));
}

void CZarn2ViewUiTest::rowCheckMessages()
{
    ScriptedMessenger messenger;
    CPlayHistory history;
    history.m_nSessionCount = 2;
    history.m_nDayCount = 1;
    QCOMPARE(CStatisticsArea::CheckRow(0, history), 1);
    QCOMPARE(CStatisticsArea::CheckRow(-1, history), 0);
    history.m_nSessionCount = -3;
    QCOMPARE(CStatisticsArea::CheckRow(0, history), 0);
    history.m_nSessionCount = 2;
    history.m_nDayCount = -2;
    QCOMPARE(CStatisticsArea::CheckRow(1, history), 0);
    std::vector<std::string> expected = {"Error-00 : 現在の添え字カウント数[-1]が異常です.",
                                         "Error-01 : 現在のカウント数[-3]が異常です.",
                                         "Error-02 : 現在の日付カウント数[-2]が異常です."};
    QCOMPARE(messenger.messages, expected);
}

void CZarn2ViewUiTest::popupMenuShowsTitleCommands()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    QStringList shown;
    QTimer::singleShot(50, [&shown] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (QAction* action : popup->actions())
                shown << (action->isSeparator() ? QStringLiteral("|") : action->text());
            popup->close();
        }
    });
    view.ShowPopupMenu(CommandId::kMenuMember, QPoint(100, 100));
    QStringList expected = {Q("履歴を取ってプレイする(&P)"), Q("履歴を取らずにプレイする(&F)"), Q("|"),
                            Q("タイトルを追加する(&A)"), Q("タイトルを編集する(&E)"),
                            Q("タイトルを並べ替える(&O)"), Q("他のジャンルへ移動する(&M)"), Q("|"),
                            Q("履歴を初期化する(&I)"), Q("プレイ記録を編集する(&R)..."), Q("|"),
                            Q("タイトルを削除する(&D)"),
                            Q("全てを削除する(&C)")};
    QCOMPARE(shown, expected);
}

void CZarn2ViewUiTest::modulePointers()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    QCOMPARE(g_pGroupOrderView, &view);
    QCOMPARE(g_pMemberOrderView, &view);
    QCOMPARE(g_pGroupOrderDoc, &lib.Doc());
    QCOMPARE(g_pMemberOrderDoc, &lib.Doc());
    QCOMPARE(lib.Frame().m_pView, &view);
    lib.Close();
    QCOMPARE(g_pGroupOrderView, nullptr);
}

void CZarn2ViewUiTest::libraryCommandsReachTheLibrary_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("message");
    QTest::newRow("add title") << CommandId::ID_MEMBER_ADD << Q("ジャンルを作成して下さい.");
    QTest::newRow("edit genre") << CommandId::ID_GROUP_EDIT << Q("ジャンルを作成して下さい.");
    QTest::newRow("edit title") << CommandId::ID_MEMBER_EDIT << Q("タイトルを登録して下さい..");
    QTest::newRow("play") << CommandId::ID_PLAY_RECORD << Q("タイトルを登録して下さい..");
    QTest::newRow("delete all: silent") << CommandId::ID_MEMBER_DELETE_ALL << QString();
}

void CZarn2ViewUiTest::libraryCommandsReachTheLibrary()
{
    QFETCH(int, id);
    QFETCH(QString, message);
    ProgramWindow lib;
    lib.Open();
    lib.Frame().Action(id)->trigger();
    std::vector<std::string> expected;
    if (!message.isEmpty())
        expected.push_back(message.toStdString());
    QCOMPARE(lib.messenger.messages, expected);
}

void CZarn2ViewUiTest::droppedFiles()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/usr/bin/true"))});
    // The genre list takes drops itself, so they never fall through to the view.
    QVERIFY(view.m_listGroup->acceptDrops());
    QVERIFY(!view.m_listMember->acceptDrops());
    // Onto the view: registration starts (and needs a genre first).
    QDropEvent onView(QPointF(400, 420), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // (delivered straight to the view: the offscreen platform has no drag and drop)
    static_cast<QObject*>(&view)->event(&onView);
    QCOMPARE(lib.messenger.messages, std::vector<std::string>{"ジャンルを作成して下さい."});
}

// Another PC changes the library through a synced folder: a genre put first and a title
// put first in the current genre. The window shows it without a command, the current genre
// and title kept by name; a play logged there shows in the statistics.
void CZarn2ViewUiTest::changesOnDiskShowUp()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "A", 2);
        ProgramWindow::AddGenre(doc, "B", 3);
        doc.SetCurrMember(1);
    });
    CZarn2View& view = lib.Open();
    lib.Build([](CZarn2Doc& other) {
        ProgramWindow::AddGenre(other, "Z", 0);
        other.ApplyGroupOrder({"Z"});
        other.SetCurrGroup(2);
        other.AddMember("New", "/usr/bin/true", "/usr/bin/true", 1, 0);
        other.CurrGroup()->ApplyOrder({"New"});
        other.CurrGroup()->Save();
    });
    QTRY_COMPARE_WITH_TIMEOUT(view.m_listGroup->topLevelItemCount(), 3, 3000);
    QCOMPARE(Cell(view.m_listGroup, 0, 0), Q("Z"));
    QCOMPARE(view.m_listGroup->MarkedRow(), 2);
    QCOMPARE(lib.Doc().GetCurrGroupName(), std::string("B"));
    QCOMPARE(view.m_listMember->topLevelItemCount(), 4);
    QCOMPARE(Cell(view.m_listMember, 0, 0), Q("New"));
    QCOMPARE(view.m_listMember->MarkedRow(), 2);
    QCOMPARE(lib.Doc().CurrMember()->m_szName, std::string("B-1"));

    lib.WriteLog("B", "B-1", {{"2009/03/07,21:05:09", 42}});
    QTRY_COMPARE_WITH_TIMEOUT(view.m_stats.m_editTotal->text(), Q("00:00:42"), 3000);
    QVERIFY(lib.messenger.messages.empty());
}

// A sync tool writes a conflict copy while the window is open: it is left while it may still
// be written, and merged once it has settled with no further change on disk to tell of it.
void CZarn2ViewUiTest::aCopyWrittenWhileRunningIsMergedOnceSettled()
{
    ProgramWindow lib;
    OneTitle(lib, {{"2009/03/07,21:05:09", 100}});
    CZarn2View& view = lib.Open();
    const std::string copy = lib.Data("RPG/勇者の旅.sync-conflict-20240305-211503-ABCDEFG.Log");
    TempDir::WriteBytes(copy, "2009/03/08,10:00:00\r\n42\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(CopySettling::ThisRun().NextSettleInMs() >= 0, 3000);
    QVERIFY(ProgramWindow::Exists(copy));
    lib.clock.Advance(static_cast<int>(CopySettling::kSettleMs / 1000));
    QTRY_COMPARE_WITH_TIMEOUT(view.m_stats.m_editTotal->text(), Q("00:02:22"), CopySettling::kSettleMs + 2000);
    QVERIFY(!ProgramWindow::Exists(copy));
    QVERIFY(lib.messenger.messages.empty());
}

// The program's own start watches the folders only after the window's first paint: a change
// made between the library's load and then still shows.
void CZarn2ViewUiTest::changesBeforeTheWatchShowUp()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) { ProgramWindow::AddGenre(doc, "A", 2); });
    lib.shell = std::make_unique<CZarn2Shell>(lib.app);
    QVERIFY(lib.shell->InitInstance());
    lib.Build([](CZarn2Doc& other) { ProgramWindow::AddGenre(other, "B", 1); });
    QVERIFY(QTest::qWaitForWindowExposed(lib.shell->MainWindow()));
    QTRY_COMPARE_WITH_TIMEOUT(lib.shell->View()->m_listGroup->topLevelItemCount(), 2, 3000);
    QVERIFY(lib.messenger.messages.empty());
}

// The program's own start looks for leftover temporaries and conflict copies after the first
// paint, with no message open: a copy there at start is merged and shown then, one that stays
// is named then. A message before the main loop runs (the start's questions are) is waited
// for without waking the loop over and over.
void CZarn2ViewUiTest::startPassesAfterTheFirstPaint()
{
    ProgramWindow lib;
    OneTitle(lib, {{"2009/03/07,21:05:09", 100}});
    const std::string log = lib.LogPath("RPG", "勇者の旅");
    const std::string copy = lib.Data("RPG/勇者の旅.sync-conflict-20240305-211503-ABCDEFG.Log");
    const std::string kept = lib.Data("RPG/勇者の旅.sync-conflict-20240305-211503-ABCDEFG1.Log");
    TempDir::WriteBytes(copy, "2009/03/08,10:00:00\r\n42\r\n");
    std::filesystem::last_write_time(copy, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    TempDir::WriteBytes(log + "~a1B2c3", "");
    std::filesystem::create_directory(kept);
    lib.shell = std::make_unique<CZarn2Shell>(lib.app);
    QVERIFY(lib.shell->InitInstance());
    QVERIFY(ProgramWindow::Exists(copy) && ProgramWindow::Exists(log + "~a1B2c3"));
    QVERIFY(lib.messenger.messages.empty());
    QMessageBox box;
    bool keptWhileOpen = false;
    QTimer::singleShot(500, &box, [&] {
        keptWhileOpen = ProgramWindow::Exists(copy);
        box.accept();
    });
    int waits = 0;
    QObject counter;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &counter,
                     [&waits] { ++waits; });
    box.exec();
    QVERIFY(keptWhileOpen);
    QVERIFY2(waits < 200, std::to_string(waits).c_str());
    QEventLoop mainLoop;  // entered as the program enters it after its start
    QTimer::singleShot(0, &mainLoop, &QEventLoop::quit);
    mainLoop.exec();
    QTRY_COMPARE_WITH_TIMEOUT(lib.shell->View()->m_stats.m_editTotal->text(), Q("00:02:22"), 3000);
    QVERIFY(!ProgramWindow::Exists(copy) && !ProgramWindow::Exists(log + "~a1B2c3"));
    QCOMPARE(lib.messenger.messages.size(), size_t{1});
    QVERIFY(lib.messenger.messages[0].find("ABCDEFG1.Log") != std::string::npos);
}

QTEST_MAIN(CZarn2ViewUiTest)
#include "CZarn2ViewUiTest.moc"
