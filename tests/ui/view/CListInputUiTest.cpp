// Clicks and keys in the main view's lists: where the current genre and title go, when
// the genre list file is written, what is left alone (no refill, no save), the context
// menus, plays started from the title list, and the busy guard during a play.
#include "support/BuiltWaitHelper.h"
#include "support/PixelProbe.h"
#include "support/ProgramWindow.h"
#include "support/ScriptedPlayUi.h"
#include "support/ScriptedShellOpen.h"

#include "view/CHistoryList.h"
#include "view/CReportList.h"
#include "view/ViewStyle.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// A library of `genres` genres "G0".."Gn" of two titles each, with genre `current` current.
void Genres(ProgramWindow& lib, int genres, int current)
{
    lib.Build([genres, current](CZarn2Doc& doc) {
        for (int i = 0; i < genres; ++i)
            ProgramWindow::AddGenre(doc, "G" + std::to_string(i), 2);
        doc.SetCurrGroup(current);
    });
}

std::string ListPath(const ProgramWindow& lib) { return lib.dir / "Zarn2.Grp"; }

// The genre list file's current genre, or -2 when the file was not written.
int SavedCurrGroup(const ProgramWindow& lib)
{
    if (!std::filesystem::exists(ListPath(lib)))
        return -2;
    std::string text = TempDir::ReadBytes(ListPath(lib));
    std::string::size_type at = text.find("[CurrGroup]\r\n");
    return at == std::string::npos ? -3 : std::stoi(text.substr(at + 13));
}

// Marks the list's first row; Refilled tells whether the rows were rebuilt since.
void MarkRows(CReportList* list)
{
    if (QTreeWidgetItem* item = list->topLevelItem(0))
        item->setData(0, Qt::UserRole + 7, QStringLiteral("old"));
}
bool Refilled(CReportList* list)
{
    QTreeWidgetItem* item = list->topLevelItem(0);
    return item == nullptr || item->data(0, Qt::UserRole + 7).toString() != QStringLiteral("old");
}

QPoint RowCentre(CReportList* list, int row) { return list->visualItemRect(list->topLevelItem(row)).center(); }

// Runs `act` while a context menu is open and closes the menu; the texts of its items and
// its position (or nothing when no menu opened within `act`'s event processing).
struct MenuProbe {
    QStringList texts;
    QPoint pos;
    QRect screen;  // the screen's available area
    int width = 0;
    bool shown = false;
    std::function<void(QMenu*)> act;

    void Arm()
    {
        QTimer::singleShot(50, [this] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr)
                return;
            shown = true;
            pos = menu->pos();
            width = menu->width();
            screen = menu->screen()->availableGeometry();
            for (QAction* action : menu->actions())
                texts << action->text();
            menu->close();
            if (act)
                act(menu);
        });
    }
};

QAction* ActionNamed(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

}  // namespace

class CListInputUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void genreKeys_data();
    void genreKeys();
    void genrePagesOnward();
    void genreKeysOnEmptyLibrary();
    void titleKeys_data();
    void titleKeys();
    void titleLeftReassertsGenreRow();
    void focusMovesBetweenLists();
    void genreClick();
    void rightClickActsOnCurrentGenre();
    void ctrlOpensMenuAtListCorner();
    void playFromTitleList_data();
    void playFromTitleList();
    void historySpaceSwitchesMode();
    void busyListsIgnoreInput();
    void tabAndAltReachTheWindow();
};

void CListInputUiTest::genreKeys_data()
{
    QTest::addColumn<int>("genres");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("after");      // current genre afterwards
    QTest::addColumn<bool>("saved");     // genre list file written
    QTest::addColumn<bool>("refilled");  // title list rebuilt
    QTest::newRow("up at first: nothing") << 3 << 0 << int(Qt::Key_Up) << 0 << false << false;
    QTest::newRow("down at last: nothing") << 3 << 2 << int(Qt::Key_Down) << 2 << false << false;
    QTest::newRow("up") << 3 << 2 << int(Qt::Key_Up) << 1 << true << true;
    QTest::newRow("down") << 3 << 0 << int(Qt::Key_Down) << 1 << true << true;
    QTest::newRow("home") << 3 << 2 << int(Qt::Key_Home) << 0 << true << true;
    QTest::newRow("end") << 3 << 0 << int(Qt::Key_End) << 2 << true << true;
    QTest::newRow("page down near the end: last") << 5 << 2 << int(Qt::Key_PageDown) << 4 << true << true;
    QTest::newRow("page up: top row") << 5 << 3 << int(Qt::Key_PageUp) << 0 << true << true;
    QTest::newRow("left: refresh only") << 3 << 1 << int(Qt::Key_Left) << 1 << false << true;
    QTest::newRow("space: refresh only") << 3 << 1 << int(Qt::Key_Space) << 1 << false << true;
    QTest::newRow("letter: refresh only") << 3 << 1 << int(Qt::Key_G) << 1 << false << true;
}

void CListInputUiTest::genreKeys()
{
    QFETCH(int, genres);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, after);
    QFETCH(bool, saved);
    QFETCH(bool, refilled);
    ProgramWindow lib;
    Genres(lib, genres, start);
    CZarn2View& view = lib.Open();
    QCOMPARE(lib.Doc().m_nCurrGroup, start);
    std::filesystem::remove(ListPath(lib));
    MarkRows(view.m_listMember);
    view.m_listGroup->setFocus();

    QTest::keyClick(view.m_listGroup, Qt::Key(key));

    QCOMPARE(lib.Doc().m_nCurrGroup, after);
    QCOMPARE(view.m_listGroup->SelectionMark(), after);
    QCOMPARE(view.m_listGroup->MarkedRow(), after);
    QCOMPARE(SavedCurrGroup(lib), saved ? after : -2);
    QCOMPARE(Refilled(view.m_listMember), refilled);
    QCOMPARE(lib.Frame().focusWidget(), view.m_listGroup);
    QVERIFY(lib.messenger.messages.empty());
}

// Page Down goes a page further at each press and Page Up comes back; the row reached
// stays in view.
void CListInputUiTest::genrePagesOnward()
{
    ProgramWindow lib;
    Genres(lib, 30, 0);
    CZarn2View& view = lib.Open();
    CReportList* list = view.m_listGroup;
    int page = list->CountPerPage();
    QVERIFY2(page >= 5 && page * 2 < 29, qPrintable(QString::number(page)));
    list->setFocus();

    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(lib.Doc().m_nCurrGroup, page);
    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(lib.Doc().m_nCurrGroup, 2 * page);
    QVERIFY(list->viewport()->rect().contains(RowCentre(list, 2 * page)));
    QTest::keyClick(list, Qt::Key_PageUp);
    QVERIFY(lib.Doc().m_nCurrGroup < 2 * page);
    QVERIFY(list->viewport()->rect().contains(RowCentre(list, lib.Doc().m_nCurrGroup)));
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(lib.Doc().m_nCurrGroup, 29);
    QVERIFY(list->viewport()->rect().contains(RowCentre(list, 29)));
    QCOMPARE(SavedCurrGroup(lib), 29);
}

void CListInputUiTest::genreKeysOnEmptyLibrary()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    std::filesystem::remove(ListPath(lib));
    view.m_listGroup->setFocus();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Space}) {
        QTest::keyClick(view.m_listGroup, key);
        QTest::keyClick(view.m_listMember, key);
    }
    QTest::mouseClick(view.m_listGroup->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(view.m_listMember->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(lib.Doc().m_nCurrGroup, -1);
    QCOMPARE(SavedCurrGroup(lib), -2);
    QVERIFY2(lib.messenger.messages.empty(), lib.messenger.messages.front().c_str());
}

void CListInputUiTest::titleKeys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("after");
    QTest::newRow("up at first") << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("down at last") << 3 << int(Qt::Key_Down) << 3;
    QTest::newRow("up") << 2 << int(Qt::Key_Up) << 1;
    QTest::newRow("down") << 1 << int(Qt::Key_Down) << 2;
    QTest::newRow("home") << 3 << int(Qt::Key_Home) << 0;
    QTest::newRow("end") << 0 << int(Qt::Key_End) << 3;
    QTest::newRow("page down: last") << 1 << int(Qt::Key_PageDown) << 3;
    QTest::newRow("page up: top row") << 2 << int(Qt::Key_PageUp) << 0;
    QTest::newRow("other key: nothing") << 2 << int(Qt::Key_T) << 2;
}

void CListInputUiTest::titleKeys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, after);
    ProgramWindow lib;
    lib.Build([start](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "G", 4);
        doc.SetCurrMember(start);
    });
    lib.WriteLog("G", "G-" + std::to_string(after), {{"2009/03/07,21:05:09", 61}});
    CZarn2View& view = lib.Open();
    std::filesystem::remove(ListPath(lib));
    view.m_listMember->setFocus();

    QTest::keyClick(view.m_listMember, Qt::Key(key));

    QCOMPARE(lib.Doc().CurrGroup()->m_nCurrMember, after);
    QCOMPARE(view.m_listMember->SelectionMark(), after);
    QCOMPARE(view.m_listMember->MarkedRow(), after);
    QCOMPARE(view.m_stats.m_editTotal->text(), Q("00:01:01"));
    QCOMPARE(SavedCurrGroup(lib), -2);  // a title choice stays in memory
    QCOMPARE(lib.Frame().focusWidget(), view.m_listMember);
}

void CListInputUiTest::titleLeftReassertsGenreRow()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "A", 2);
        ProgramWindow::AddGenre(doc, "B", 3);
    });
    CZarn2View& view = lib.Open();
    QCOMPARE(lib.Doc().m_nCurrGroup, 1);
    std::filesystem::remove(ListPath(lib));
    MarkRows(view.m_listMember);

    // As the genre list is, Left in the titles writes its row back: nothing changes
    // but the file.
    view.m_listMember->setFocus();
    QTest::keyClick(view.m_listMember, Qt::Key_Left);
    QCOMPARE(lib.Doc().m_nCurrGroup, 1);
    QCOMPARE(SavedCurrGroup(lib), 1);
    QCOMPARE(lib.Frame().focusWidget(), view.m_listGroup);
    QVERIFY(!Refilled(view.m_listMember));

    // With another row marked in the genre list, that row becomes the current genre;
    // the titles are not rebuilt.
    view.SetGroupSelectionMark(0);
    view.m_listMember->setFocus();
    QTest::keyClick(view.m_listMember, Qt::Key_Left);
    QCOMPARE(lib.Doc().m_nCurrGroup, 0);
    QCOMPARE(SavedCurrGroup(lib), 0);
    QVERIFY(!Refilled(view.m_listMember));
    QCOMPARE(view.m_listMember->topLevelItemCount(), 3);
    QVERIFY(lib.messenger.messages.empty());
}

void CListInputUiTest::focusMovesBetweenLists()
{
    ProgramWindow lib;
    Genres(lib, 2, 0);
    CZarn2View& view = lib.Open();
    QCOMPARE(lib.Frame().focusWidget(), view.m_listMember);  // the genre has titles
    MarkRows(view.m_listMember);

    view.m_listGroup->setFocus();
    QTest::keyClick(view.m_listGroup, Qt::Key_Right);
    QCOMPARE(lib.Frame().focusWidget(), view.m_listMember);
    QVERIFY(Refilled(view.m_listMember));
    QTest::keyClick(view.m_listMember, Qt::Key_Right);
    QCOMPARE(lib.Frame().focusWidget(), view.m_listHistory);
    QTest::keyClick(view.m_listHistory, Qt::Key_Left);
    QCOMPARE(lib.Frame().focusWidget(), view.m_listMember);
    QCOMPARE(lib.Doc().m_nCurrGroup, 0);
}

void CListInputUiTest::genreClick()
{
    ProgramWindow lib;
    Genres(lib, 3, 2);
    CZarn2View& view = lib.Open();
    std::filesystem::remove(ListPath(lib));
    CReportList* list = view.m_listGroup;

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    QCOMPARE(lib.Doc().m_nCurrGroup, 1);
    QCOMPARE(SavedCurrGroup(lib), 1);
    QCOMPARE(lib.Frame().focusWidget(), list);

    // Below the rows: the marked row stays and is chosen again (and saved again).
    std::filesystem::remove(ListPath(lib));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 5));
    QCOMPARE(lib.Doc().m_nCurrGroup, 1);
    QCOMPARE(SavedCurrGroup(lib), 1);

    // Dragging over the rows does not move the choice.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    QTest::mouseMove(list->viewport(), RowCentre(list, 2));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 2));
    QCOMPARE(lib.Doc().m_nCurrGroup, 1);
    QCOMPARE(list->SelectionMark(), 1);
}

void CListInputUiTest::rightClickActsOnCurrentGenre()
{
    ProgramWindow lib;
    Genres(lib, 3, 2);
    CZarn2View& view = lib.Open();
    CReportList* list = view.m_listGroup;
    int currentWhileOpen = -1;
    int markWhileOpen = -1;
    MenuProbe probe;
    probe.act = [&](QMenu* menu) {
        currentWhileOpen = lib.Doc().m_nCurrGroup;
        markWhileOpen = list->SelectionMark();
        lib.messenger.AnswerNext(true);
        if (QAction* remove = ActionNamed(menu, Q("ジャンルを削除する(&D)")))
            remove->trigger();
    };
    probe.Arm();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, RowCentre(list, 0));
    QTRY_VERIFY(probe.shown);
    QCOMPARE(currentWhileOpen, 2);
    QCOMPARE(markWhileOpen, 2);
    QCOMPARE(lib.messenger.questions.size(), size_t(1));
    // G2, the current genre, is gone; the right-clicked G0 stays.
    QCOMPARE(lib.Doc().m_nGroupCount, 2);
    QCOMPARE(lib.Doc().m_Group[0].m_szName, std::string("G0"));
    QCOMPARE(lib.Doc().m_Group[1].m_szName, std::string("G1"));
    QVERIFY(!std::filesystem::exists(lib.app.m_szDataDir + "/G2.Zarn"));
    QVERIFY(std::filesystem::exists(lib.app.m_szDataDir + "/G0.Zarn"));

    // The title list's menu holds the title commands and changes no title either.
    MenuProbe titles;
    titles.Arm();
    CZarn2View& same = view;
    int member = lib.Doc().CurrGroup()->m_nCurrMember;
    QTest::mouseClick(same.m_listMember->viewport(), Qt::RightButton, {}, RowCentre(same.m_listMember, 0));
    QTRY_VERIFY(titles.shown);
    QVERIFY(titles.texts.contains(Q("タイトルを削除する(&D)")));
    QCOMPARE(lib.Doc().CurrGroup()->m_nCurrMember, member);
}

void CListInputUiTest::ctrlOpensMenuAtListCorner()
{
    ProgramWindow lib;
    Genres(lib, 2, 0);
    CZarn2View& view = lib.Open();
    struct Case {
        CReportList* list;
        QPoint offset;
        const char* item;
        bool refills;
    };
    for (const Case& c : {Case{view.m_listGroup, {150, 50}, "ジャンルを追加する(&A)", true},
                          Case{view.m_listMember, {300, 50}, "タイトルを追加する(&A)", false}}) {
        MarkRows(view.m_listMember);
        MenuProbe probe;
        probe.Arm();
        c.list->setFocus();
        QTest::keyClick(c.list, Qt::Key_Control);
        QTRY_VERIFY(probe.shown);
        // (a menu that would cross the screen's right edge is moved left by the toolkit)
        QPoint expected = c.list->mapToGlobal(QPoint(0, 0)) + c.offset;
        expected.setX(std::min(expected.x(), probe.screen.right() + 1 - probe.width));
        QCOMPARE(probe.pos, expected);
        QVERIFY2(probe.texts.contains(Q(c.item)), qPrintable(probe.texts.join(u',')));
        QCOMPARE(Refilled(view.m_listMember), c.refills);
        QCOMPARE(lib.Doc().m_nCurrGroup, 0);
    }
}

void CListInputUiTest::playFromTitleList_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("expected");  // "recorded", "opened" or "nothing"
    QTest::newRow("space, with history") << 0 << false << "recorded";
    QTest::newRow("space, without history") << 1 << false << "opened";
    QTest::newRow("space, unknown mode") << 5 << false << "nothing";
    QTest::newRow("double click, with history") << 0 << true << "recorded";
    QTest::newRow("double click, without history") << 1 << true << "opened";
}

void CListInputUiTest::playFromTitleList()
{
    QFETCH(int, mode);
    QFETCH(bool, doubleClick);
    QFETCH(QString, expected);
    ProgramWindow lib;
    lib.Build([mode](CZarn2Doc& doc) {
        doc.AddGroup("G", mode);
        doc.AddMember("T", "/usr/bin/true", "/usr/bin/true", 1, 0);
    });
    ScriptedPlayUi playUi;
    ScriptedShellOpen shell;
    BuiltWaitHelper helper;
    CZarn2View& view = lib.Open();
    CReportList* list = view.m_listMember;
    list->setFocus();

    if (doubleClick)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 0));
    else
        QTest::keyClick(list, Qt::Key_Space);

    std::string log = TempDir::ReadBytes(lib.LogPath("G", "T"));
    QCOMPARE(log, expected == u"recorded" ? std::string("2009/03/07,21:05:09\r\n0\r\n") : std::string());
    QCOMPARE(shell.calls.size(), size_t(expected == u"opened" ? 1 : 0));
    QCOMPARE(view.m_bBusy, false);
    QCOMPARE(lib.app.m_bPlaying, 0);
    QVERIFY(lib.messenger.messages.empty());
}

void CListInputUiTest::historySpaceSwitchesMode()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "G", 1);
        ProgramWindow::AddGenre(doc, "E", 0);
        doc.SetCurrGroup(0);
    });
    lib.WriteLog("G", "G-0", {{"2009/03/07,21:05:09", 5}, {"2009/03/08,21:05:09", 5}, {"2009/03/08,22:05:09", 5}});
    CZarn2View& view = lib.Open();
    CHistoryList* history = view.m_listHistory;
    history->setFocus();
    QTest::keyClick(history, Qt::Key_Space);
    QCOMPARE(lib.app.HistoryMode, 1);
    QCOMPARE(history->RowCount(), 2);
    QTest::keyClick(history, Qt::Key_Space);
    QCOMPARE(lib.app.HistoryMode, 0);
    QCOMPARE(history->RowCount(), 3);
    // Other keys are the list's own: they move its marked row.
    QTest::keyClick(history, Qt::Key_Home);
    QCOMPARE(history->MarkedRow(), 0);
    QCOMPARE(lib.app.HistoryMode, 0);

    // In a genre without titles Space changes nothing.
    view.OnGroupClicked(1);
    history->setFocus();
    QTest::keyClick(history, Qt::Key_Space);
    QCOMPARE(lib.app.HistoryMode, 0);
}

void CListInputUiTest::busyListsIgnoreInput()
{
    ProgramWindow lib;
    Genres(lib, 3, 1);
    lib.WriteLog("G1", "G1-1", {{"2009/03/07,21:05:09", 5}, {"2009/03/08,21:05:09", 5}});
    ScriptedPlayUi playUi;
    ScriptedShellOpen shell;
    CZarn2View& view = lib.Open();
    std::filesystem::remove(ListPath(lib));
    CReportList* genres = view.m_listGroup;
    CReportList* titles = view.m_listMember;
    MarkRows(titles);
    std::string log = TempDir::ReadBytes(lib.LogPath("G1", "G1-1"));
    view.m_bBusy = true;

    MenuProbe probe;  // a menu that opened by mistake would be caught and closed
    probe.Arm();
    QTest::mouseClick(genres->viewport(), Qt::LeftButton, {}, RowCentre(genres, 0));
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, RowCentre(titles, 0));
    QTest::mouseDClick(titles->viewport(), Qt::LeftButton, {}, RowCentre(titles, 0));
    QTest::mouseClick(genres->viewport(), Qt::RightButton, {}, RowCentre(genres, 0));
    QTest::mouseClick(titles->viewport(), Qt::RightButton, {}, RowCentre(titles, 0));
    for (QAbstractItemView* list : std::initializer_list<QAbstractItemView*>{genres, titles, view.m_listHistory})
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Space,
                            Qt::Key_Left, Qt::Key_Right, Qt::Key_Control}) {
            list->setFocus();
            QTest::keyClick(list, key);
        }
    QTest::qWait(100);
    QVERIFY(!probe.shown);

    QCOMPARE(lib.Doc().m_nCurrGroup, 1);
    QCOMPARE(lib.Doc().CurrGroup()->m_nCurrMember, 1);
    QCOMPARE(genres->SelectionMark(), 1);
    QCOMPARE(titles->SelectionMark(), 1);
    QVERIFY(!Refilled(titles));
    QCOMPARE(SavedCurrGroup(lib), -2);
    QCOMPARE(lib.app.HistoryMode, 0);
    QVERIFY(shell.calls.empty());
    QVERIFY(playUi.events.empty());
    QCOMPARE(TempDir::ReadBytes(lib.LogPath("G1", "G1-1")), log);

    // The rows keep their colours: the current genre's and title's rows in theirs.
    QCOMPARE(genres->MarkedRow(), 1);
    QCOMPARE(titles->MarkedRow(), 1);
    QRect genreRow = genres->visualItemRect(genres->topLevelItem(1));
    QRect titleRow = titles->visualItemRect(titles->topLevelItem(1));
    QVERIFY(HasColourIn(genres, genreRow, QColor(ViewStyle::kCurrGroupText)));
    QVERIFY(HasColourIn(titles, titleRow, QColor(ViewStyle::kCurrMemberText)));
    QVERIFY(!HasColourIn(genres, genres->visualItemRect(genres->topLevelItem(0)),
                         QColor(ViewStyle::kCurrGroupText)));
    view.m_bBusy = false;
}

// Tab still moves between the controls; keys pressed with Alt are the menu bar's and move
// nothing in a list.
void CListInputUiTest::tabAndAltReachTheWindow()
{
    ProgramWindow lib;
    Genres(lib, 2, 0);
    CZarn2View& view = lib.Open();
    view.m_listGroup->setFocus();
    QTest::keyClick(view.m_listGroup, Qt::Key_Tab);
    QVERIFY(lib.Frame().focusWidget() != view.m_listGroup);
    QCOMPARE(lib.Doc().m_nCurrGroup, 0);

    MarkRows(view.m_listMember);
    view.m_listGroup->setFocus();
    QTest::keyClick(view.m_listGroup, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(lib.Doc().m_nCurrGroup, 0);
    QVERIFY(!Refilled(view.m_listMember));
}

QTEST_MAIN(CListInputUiTest)
#include "CListInputUiTest.moc"
