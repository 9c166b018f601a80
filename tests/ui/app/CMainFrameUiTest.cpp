// The main frame: size and window buttons, the main menu, the toolbar with its prompts,
// the status bar panes and clock, the remembered position, and the close refusal while a
// title runs with history recording.
#include "support/ProgramWindow.h"

#include "app/AfterFirstPaint.h"
#include "app/CMainStatusBar.h"
#include "app/CommandIds.h"
#include "platform/IAutomountInhibitor.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// A menu as lines: "text" for a command (with its id), "|" for a separator, submenus
// indented by two blanks.
void Dump(QMenu* menu, const QString& indent, QStringList& out)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            out << indent + QStringLiteral("|");
        } else if (QMenu* sub = action->menu()) {
            out << indent + action->text();
            Dump(sub, indent + QStringLiteral("  "), out);
        } else {
            out << indent + QStringLiteral("%1 %2").arg(action->data().toInt()).arg(action->text());
        }
    }
}

// Whether the inhibitor is held, as the desktop would see it.
class HeldInhibitor final : public IAutomountInhibitor {
public:
    void Hold() override { held = true; }
    void Release() override { held = false; }
    bool held = false;

private:
    AutomountInhibitor::Override m_use{*this};
};

}  // namespace

class CMainFrameUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixedSizeAndButtons();
    void mainMenu();
    void toolbarOrderAndPrompts();
    void statusPanes();
    void clockAtFirstTick();
    void clockTicksOnceASecond();
    void clockStopsWhileMinimised();
    void trackedPosition_data();
    void trackedPosition();
    void onScreens_data();
    void onScreens();
    void positionCarriedToSettings_data();
    void positionCarriedToSettings();
    void closeRefusedWhileBusy();
    void exitCommandWhilePlaying();
    void libraryWrittenAtEnd();
    void automountHeldWhileInFront();
    void deferredStartWorkRunsOnceEvenUnpainted();
};

void CMainFrameUiTest::fixedSizeAndButtons()
{
    ProgramWindow lib;
    lib.Open();
    CMainFrame& frame = lib.Frame();
    QCOMPARE(frame.size(), QSize(750, 510));
    QCOMPARE(frame.minimumSize(), QSize(750, 510));
    QCOMPARE(frame.maximumSize(), QSize(750, 510));
    Qt::WindowFlags flags = frame.windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(frame.windowTitle(), Q(" [ Zarn2 ] - The Game Launcher -"));
}

void CMainFrameUiTest::mainMenu()
{
    ProgramWindow lib;
    lib.Open();
    QStringList lines;
    for (QAction* top : lib.Frame().menuBar()->actions()) {
        lines << top->text();
        Dump(top->menu(), QStringLiteral("  "), lines);
    }
    QStringList expected = {
        Q("ファイル(&F)"), Q("  32787 ファイラーの起動(&F)"), Q("  |"), Q("  32843 ゲームの取り込み(&I)..."),
        Q("  32844 プレイ記録の取り込み(&L)..."), Q("  32841 プレイ記録のエクスポート(&E)..."), Q("  |"),
        Q("  57665 Zarn2 の終了(&X)"),
        Q("表示(&A)"), Q("  アイコンサイズ(&I)"), Q("    32829 大きいアイコン(&L)"),
        Q("    32830 小さいアイコン(&S)"), Q("  |"), Q("  履歴表示(&H)"), Q("    32838 回数単位(&C)"),
        Q("    32839 日付単位(&D)"), Q("  |"), Q("  32840 プレイ グラフ(&G)..."),
        Q("ジャンル(&G)"), Q("  32799 ジャンルを追加する(&A)"), Q("  32800 ジャンルを編集する(&E)"),
        Q("  32809 ジャンルを並べ替える(&O)"), Q("  |"), Q("  32779 ジャンルを削除する(&D)"),
        Q("タイトル(&T)"), Q("  32811 履歴を取ってプレイする(&P)"), Q("  32815 履歴を取らずにプレイする(&F)"),
        Q("  |"), Q("  32798 タイトルを追加する(&A)"), Q("  32806 タイトルを編集する(&E)"),
        Q("  32772 タイトルを並べ替える(&O)"), Q("  32820 他のジャンルへ移動する(&M)"), Q("  |"),
        Q("  32810 履歴を初期化する(&I)"), Q("  32842 プレイ記録を編集する(&R)..."), Q("  |"), Q("  32775 タイトルを削除する(&D)"),
        Q("  32776 全てを削除する(&C)"),
        Q("オプション(&O)"), Q("  32803 設定(&S)"), Q("  |"), Q("  32821 CDトレイを開く(&O)"),
        Q("  32823 CDトレイを閉じる(&C)"), Q("  |"), Q("  32817 ソフトのインストール(&I)"),
        Q("ヘルプ(&H)"), Q("  57670 Zarn2 のヘルプ(&H)"), Q("  57664 Zarn2 のバージョン情報 (&A)...")};
    QCOMPARE(lines, expected);
    // Every command is reachable by its id and is connected to a handler.
    for (const auto& [id, action] : lib.Frame().Actions().All()) {
        QCOMPARE(lib.Frame().Action(id), action);
        // (disconnecting reports whether a handler was connected)
        QVERIFY2(QObject::disconnect(action, &QAction::triggered, nullptr, nullptr),
                 qPrintable(QString::number(id)));
    }
}

void CMainFrameUiTest::toolbarOrderAndPrompts()
{
    ProgramWindow lib;
    lib.Open();
    QToolBar* bar = lib.Frame().ToolBar();
    QCOMPARE(bar->iconSize(), QSize(20, 15));
    QVERIFY(!bar->isMovable());
    struct Expected {
        int id;
        const char* prompt;
        const char* tip;
    };
    const Expected expected[] = {
        {32787, "登録したファイラーを起動する", "登録したファイラーを起動する"},
        {0, nullptr, nullptr},
        {32821, "CDトレイを開く", "CDトレイを開く"},
        {32823, "CDトレイを閉じる", "CDトレイを閉じる"},
        {0, nullptr, nullptr},
        {32817, "挿入したメディアのセットアップを実行する", "セットアップを実行する"},
        {0, nullptr, nullptr},
        {32829, "大きいアイコン", "大きいアイコン"},
        {32830, "小さいアイコン", "小さいアイコン"},
        {0, nullptr, nullptr},
        {32838, "回数で表示", "回数で表示"},
        {32839, "日付で表示", "日付で表示"},
        {0, nullptr, nullptr},
        {57670, "ヘルプの表示", "ヘルプを表示する"},
        {0, nullptr, nullptr},
        {32840, "プレイ時間のグラフを表示する", "プレイ グラフ"},
    };
    QList<QAction*> actions = bar->actions();
    QCOMPARE(actions.size(), int(std::size(expected)));
    for (int i = 0; i < actions.size(); ++i) {
        const Expected& e = expected[i];
        QAction* action = actions[i];
        QVERIFY2(action->isSeparator() == (e.id == 0), qPrintable(QString::number(i)));
        if (e.id == 0)
            continue;
        QCOMPARE(action->data().toInt(), e.id);
        QCOMPARE(action->statusTip(), Q(e.prompt));
        QCOMPARE(action->toolTip(), Q(e.tip));
        QVERIFY2(!action->icon().isNull(), qPrintable(QString::number(e.id)));
        QCOMPARE(action->icon().pixmap(QSize(20, 15)).size(), QSize(20, 15));
    }
}

void CMainFrameUiTest::statusPanes()
{
    ProgramWindow lib;
    CMainFrame frame(lib.app);
    CMainStatusBar* panes = frame.StatusPanes();
    // Before the first update: the identifiers' texts.
    QCOMPARE(panes->PaneText(1), QString(12, QLatin1Char(' ')));
    QCOMPARE(panes->PaneText(2), Q("ID_GROUP"));
    QCOMPARE(panes->PaneText(3), Q("ID_MEMBER"));
    // The widths of old, or wider where the face needs more to show a pane's text whole.
    QVERIFY(panes->PaneWidth(1) >= 90);
    QVERIFY(panes->PaneWidth(2) >= 90);
    QVERIFY(panes->PaneWidth(3) >= 110);
    frame.SetGenreCounter(2, 5);
    frame.SetTitleCounter(0, 128);
    QCOMPARE(panes->PaneText(1), Q(" ジャンル :   2/  5"));
    QCOMPARE(panes->PaneText(2), Q(" タイトル :   0/128"));
    // The widest texts the panes show are not cut.
    frame.SetGenreCounter(32, 32);
    frame.SetTitleCounter(128, 128);
    lib.clock.now = LocalDateTime{2028, 12, 28, 20, 58, 58};
    panes->UpdateClock();
    for (QLabel* pane : panes->findChildren<QLabel*>())
        QVERIFY2(pane->sizeHint().width() <= pane->width(),
                 qPrintable(QStringLiteral("%1: %2 px needed, %3 px wide")
                                .arg(pane->text())
                                .arg(pane->sizeHint().width())
                                .arg(pane->width())));
}

void CMainFrameUiTest::clockAtFirstTick()
{
    ProgramWindow lib;
    lib.clock.now = LocalDateTime{2031, 12, 1, 7, 8, 9};
    CMainFrame frame(lib.app);
    QCOMPARE(frame.StatusPanes()->PaneText(3), Q("ID_MEMBER"));
    QTRY_COMPARE_WITH_TIMEOUT(frame.StatusPanes()->PaneText(3), Q(" 2031/12/01 07:08:09"), 2000);
    lib.clock.now = LocalDateTime{2032, 1, 2, 23, 59, 0};
    QTRY_COMPARE_WITH_TIMEOUT(frame.StatusPanes()->PaneText(3), Q(" 2032/01/02 23:59:00"), 2000);
}

// Each tick wakes the launcher (and repaints its pane): one a second, as the time shown
// changes, not more.
void CMainFrameUiTest::clockTicksOnceASecond()
{
    class CountingClock final : public IClock {
    public:
        LocalDateTime Now() const override
        {
            ++reads;
            return {2031, 12, 1, 7, 8, reads % 60};
        }
        std::int64_t MonotonicMs() const override { return 0; }
        mutable int reads = 0;
    } clock;
    ProgramWindow lib;
    Clock::Override use(clock);  // over the window's own fake clock
    CMainFrame frame(lib.app);
    QTest::qWait(3100);
    QVERIFY2(clock.reads >= 1 && clock.reads <= 4, qPrintable(QString::number(clock.reads)));
}

void CMainFrameUiTest::clockStopsWhileMinimised()
{
    ProgramWindow lib;
    lib.Open();
    CMainFrame& frame = lib.Frame();
    QVERIFY(frame.ClockRunning());
    frame.showMinimized();
    QVERIFY(!frame.ClockRunning());
    lib.clock.now = LocalDateTime{2032, 1, 2, 23, 59, 0};
    frame.showNormal();
    QVERIFY(frame.ClockRunning());
    QCOMPARE(frame.StatusPanes()->PaneText(3), Q(" 2032/01/02 23:59:00"));  // at once, not at the next tick
}

void CMainFrameUiTest::trackedPosition_data()
{
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<QPoint>("stored");
    const QPoint centred((1280 - 750) / 2, (1024 - 510) / 2);
    QTest::newRow("on the screen") << QPoint(100, 120) << QPoint(100, 120);
    QTest::newRow("origin") << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("last pixel") << QPoint(1279, 1023) << QPoint(1279, 1023);
    QTest::newRow("left of the screen") << QPoint(-1, 100) << centred;
    QTest::newRow("above the screen") << QPoint(100, -5) << centred;
    QTest::newRow("right edge") << QPoint(1280, 100) << centred;
    QTest::newRow("below") << QPoint(100, 1024) << centred;
    QTest::newRow("minimised far off") << QPoint(-32000, -32000) << centred;
}

void CMainFrameUiTest::trackedPosition()
{
    QFETCH(QPoint, corner);
    QFETCH(QPoint, stored);
    CSettings::Point p = CMainFrame::TrackedPosition(corner.x(), corner.y(), 1280, 1024);
    QCOMPARE(QPoint(p.x, p.y), stored);
}

void CMainFrameUiTest::onScreens_data()
{
    QTest::addColumn<QPoint>("saved");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QPoint>("placed");
    const QList<QRect> one{QRect(0, 0, 1280, 1024)};
    const QList<QRect> two{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    QTest::newRow("whole on the screen") << QPoint(100, 120) << one << QPoint(100, 120);
    QTest::newRow("past the right edge") << QPoint(1000, 120) << one << QPoint(1280 - 766, 120);
    QTest::newRow("a second screen this PC lacks") << QPoint(1500, 600) << one << QPoint(1280 - 766, 1024 - 554);
    QTest::newRow("above and left") << QPoint(-300, -40) << one << QPoint(0, 0);
    QTest::newRow("across two: the one showing most") << QPoint(1100, 100) << two << QPoint(1280, 100);
    QTest::newRow("below the second screen") << QPoint(2000, 3000) << two << QPoint(2000, 1080 - 554);
    QTest::newRow("a screen smaller than the window") << QPoint(50, 50) << QList<QRect>{QRect(0, 0, 640, 480)}
                                                      << QPoint(0, 0);
}

void CMainFrameUiTest::onScreens()
{
    QFETCH(QPoint, saved);
    QFETCH(QList<QRect>, screens);
    QFETCH(QPoint, placed);
    QRect frame(saved, QSize(750, 510).grownBy(CMainFrame::kFrameAllowance));
    QCOMPARE(CMainFrame::OnScreens(frame, screens), placed);
}

void CMainFrameUiTest::positionCarriedToSettings_data()
{
    QTest::addColumn<QPoint>("moveTo");
    QTest::addColumn<bool>("kept");
    QTest::newRow("on the screen") << QPoint(40, 60) << true;
    QTest::newRow("left of the screen") << QPoint(-300, 60) << false;
}

void CMainFrameUiTest::positionCarriedToSettings()
{
    QFETCH(QPoint, moveTo);
    QFETCH(bool, kept);
    ProgramWindow lib;
    lib.app.Position = CSettings::Point{20, 30};  // the whole window fits the offscreen 800 x 600
    lib.Open();
    QCOMPARE(lib.Frame().pos(), QPoint(20, 30));
    lib.Frame().move(moveTo);
    QCoreApplication::processEvents();
    lib.Close();
    QSize screen = QGuiApplication::primaryScreen()->size();
    CSettings::Point centred = CSettings::CentredPosition(screen.width(), screen.height());
    QPoint expected = kept ? moveTo : QPoint(centred.x, centred.y);
    QCOMPARE(QPoint(lib.app.Position.x, lib.app.Position.y), expected);
}

void CMainFrameUiTest::closeRefusedWhileBusy()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    view.m_bBusy = true;
    QVERIFY(!lib.Frame().close());
    QVERIFY(lib.Frame().isVisible());
    view.m_bBusy = false;
    QVERIFY(lib.Frame().close());
    QVERIFY(!lib.Frame().isVisible());
}

void CMainFrameUiTest::exitCommandWhilePlaying()
{
    ProgramWindow lib;
    lib.Open();
    QAction* exit = lib.Frame().Action(CommandId::ID_APP_EXIT);
    lib.app.m_bPlaying = 1;
    exit->trigger();
    QVERIFY(lib.Frame().isVisible());
    lib.app.m_bPlaying = 0;
    exit->trigger();
    QVERIFY(!lib.Frame().isVisible());
}

void CMainFrameUiTest::libraryWrittenAtEnd()
{
    ProgramWindow lib;
    lib.Build([](CZarn2Doc& doc) { ProgramWindow::AddGenre(doc, "A", 3); });
    lib.Open();
    // A title chosen in memory only reaches the genre file when the program ends.
    lib.Doc().SetCurrMember(0);
    lib.Close();
    std::string genre = TempDir::ReadBytes(lib.app.m_szDataDir + "/A.Zarn");
    QVERIFY2(genre.find("[CurrMember]\r\n0\r\n") != std::string::npos, genre.c_str());
}

void CMainFrameUiTest::automountHeldWhileInFront()
{
    HeldInhibitor inhibitor;
    ProgramWindow lib;
    lib.Open();
    QTRY_VERIFY(inhibitor.held);
    struct Step {
        Qt::ApplicationState state;
        bool held;
    } steps[] = {
        {Qt::ApplicationInactive, false},
        {Qt::ApplicationActive, true},
        {Qt::ApplicationHidden, false},
        {Qt::ApplicationActive, true},
    };
    for (const Step& step : steps) {
        Q_EMIT qGuiApp->applicationStateChanged(step.state);
        QVERIFY2(inhibitor.held == step.held, qPrintable(QString::number(step.state)));
    }
    lib.Close();
    QVERIFY(!inhibitor.held);
}

void CMainFrameUiTest::deferredStartWorkRunsOnceEvenUnpainted()
{
    QWidget shown;
    QWidget hidden;  // never painted: another workspace, a window manager that keeps it back
    int shownRuns = 0, hiddenRuns = 0;
    AfterFirstPaint::Run(&shown, [&shownRuns] { ++shownRuns; });
    AfterFirstPaint::Run(&hidden, [&hiddenRuns] { ++hiddenRuns; });
    shown.show();
    QTRY_COMPARE(shownRuns, 1);
    QCOMPARE(hiddenRuns, 0);
    QTRY_COMPARE_WITH_TIMEOUT(hiddenRuns, 1, AfterFirstPaint::kLatestMs * 2);
    shown.update();
    QTest::qWait(AfterFirstPaint::kLatestMs + 100);  // neither runs again
    QCOMPARE(shownRuns, 1);
    QCOMPARE(hiddenRuns, 1);

    // An action that holds a nested loop past the latest time (a message box left open at
    // start) is neither run again nor followed by an empty call when that time comes.
    QWidget asking;
    int askingRuns = 0;
    AfterFirstPaint::Run(&asking, [&asking, &askingRuns] {
        ++askingRuns;
        QEventLoop question;
        QTimer::singleShot(AfterFirstPaint::kLatestMs + 500, &question, &QEventLoop::quit);
        asking.update();
        question.exec();
    });
    asking.show();
    QTRY_COMPARE(askingRuns, 1);
    QTest::qWait(300);
    QCOMPARE(askingRuns, 1);
}

QTEST_MAIN(CMainFrameUiTest)
#include "CMainFrameUiTest.moc"
