#include "history/CPlayTime.h"
#include "launch/CQtPlayUi.h"
#include "launch/CWaitingDlg.h"
#include "platform/IMessenger.h"
#include "support/FakeClock.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Presses "終 了" on the waiting dialog once it is showing.
void EndWhenShown(bool* seen)
{
    QTimer::singleShot(0, [seen] {
        auto* dlg = qobject_cast<CWaitingDlg*>(QApplication::activeModalWidget());
        *seen = dlg != nullptr;
        if (dlg)
            dlg->EndButton()->click();
        else if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
}

// A start taken long ago: the dialog counts from its own opening instead.
CPlayTime OldStart()
{
    CPlayTime start;
    start.Start();
    start.m_nMonotonicMs -= 3600 * 1000;
    return start;
}

// A message box that stays open for a while, as the user reads it: ticks keep arriving.
class SlowMessenger final : public IMessenger {
public:
    void ShowMessage(const std::string& text) override
    {
        messages.push_back(text);
        QTest::qWait(3 * CWaitingDlg::kTickMs);
    }
    bool AskYesNo(const std::string&) override { return false; }
    std::vector<std::string> messages;

private:
    Messenger::Override m_install{*this};
};

}  // namespace

class CWaitingDlgUiTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTitleButtonAndBlueRightAlignedField();
    void countsFromItsOpeningEveryHalfSecond();
    void withoutClockTheFieldStaysEmpty();
    void clockFailureIsShownOnceAndTheDisplayStops_data();
    void clockFailureIsShownOnceAndTheDisplayStops();
    void endButtonEndsTheModalDialog();
    void playUiMinimisesAndRestoresTheMainWindow();
    void stillRunningCountsFromThePlaysStartUntilEndedOrClosed_data();
    void stillRunningCountsFromThePlaysStartUntilEndedOrClosed();
};

void CWaitingDlgUiTest::showsTitleButtonAndBlueRightAlignedField()
{
    FakeClock clock;
    CWaitingDlg dlg(OldStart(), false);
    dlg.OnInitDialog();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("プレイ中"));
    QCOMPARE(dlg.EndButton()->text(), QStringLiteral("終 了"));
    QVERIFY(dlg.TimeField()->isReadOnly());
    QVERIFY(dlg.TimeField()->alignment() & Qt::AlignRight);
    QCOMPARE(dlg.TimeField()->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(dlg.TimeField()->font().pointSize(), 14);
    QVERIFY(dlg.TimeField()->font().families().contains(QStringLiteral("MS UI Gothic")));
    QCOMPARE(dlg.TimeField()->text(), QString());
}

void CWaitingDlgUiTest::countsFromItsOpeningEveryHalfSecond()
{
    FakeClock clock;
    CWaitingDlg dlg(OldStart(), false);
    dlg.OnInitDialog();
    QVERIFY(dlg.IsCounting());
    QTRY_COMPARE_WITH_TIMEOUT(dlg.TimeField()->text(), QStringLiteral("00:00:00"), 2000);

    clock.Advance(3725);
    QTRY_COMPARE_WITH_TIMEOUT(dlg.TimeField()->text(), QStringLiteral("01:02:05"), 2000);
    clock.Advance(100 * 3600);
    QTRY_COMPARE_WITH_TIMEOUT(dlg.TimeField()->text(), QStringLiteral("101:02:05"), 2000);
}

void CWaitingDlgUiTest::withoutClockTheFieldStaysEmpty()
{
    FakeClock clock;
    CWaitingDlg dlg(OldStart(), true);
    dlg.OnInitDialog();
    QVERIFY(!dlg.IsCounting());
    QTest::qWait(3 * CWaitingDlg::kTickMs);
    QCOMPARE(dlg.TimeField()->text(), QString());
}

void CWaitingDlgUiTest::clockFailureIsShownOnceAndTheDisplayStops_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::newRow("clock gone backwards") << true;
    QTest::newRow("date before 2008") << false;
}

void CWaitingDlgUiTest::clockFailureIsShownOnceAndTheDisplayStops()
{
    QFETCH(bool, backwards);
    FakeClock clock;
    SlowMessenger messenger;
    CWaitingDlg dlg(OldStart(), false);
    dlg.OnInitDialog();
    clock.Advance(65);
    QTRY_COMPARE_WITH_TIMEOUT(dlg.TimeField()->text(), QStringLiteral("00:01:05"), 2000);

    if (backwards)
        clock.monotonicMs -= 3600 * 1000;
    else
        clock.now.year = 2007;
    QTest::qWait(8 * CWaitingDlg::kTickMs);

    QCOMPARE(messenger.messages.size(), size_t(1));
    QCOMPARE(messenger.messages[0], std::string("日付が異常です. システムの時計を確認して下さい."));
    QVERIFY(!dlg.IsCounting());
    QCOMPARE(dlg.TimeField()->text(), QStringLiteral("00:01:05"));
}

void CWaitingDlgUiTest::endButtonEndsTheModalDialog()
{
    FakeClock clock;
    bool seen = false;
    EndWhenShown(&seen);
    CWaitingDlg dlg(OldStart(), false);
    QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
    QVERIFY(seen);
    QVERIFY(!dlg.IsCounting());
}

void CWaitingDlgUiTest::playUiMinimisesAndRestoresTheMainWindow()
{
    FakeClock clock;
    QWidget mainWindow;
    mainWindow.show();
    CQtPlayUi ui(&mainWindow);
    ui.MinimizeMainWindow();
    QVERIFY(mainWindow.windowState() & Qt::WindowMinimized);

    bool seen = false;
    EndWhenShown(&seen);
    ui.RunWaitingDialog(OldStart(), false);
    QVERIFY(seen);

    ui.RestoreMainWindow();
    QVERIFY(!(mainWindow.windowState() & Qt::WindowMinimized));
    QVERIFY(mainWindow.isVisible());
}

void CWaitingDlgUiTest::stillRunningCountsFromThePlaysStartUntilEndedOrClosed_data()
{
    QTest::addColumn<bool>("userEnds");
    QTest::newRow("ended by the user") << true;
    QTest::newRow("closed when the play is over") << false;
}

void CWaitingDlgUiTest::stillRunningCountsFromThePlaysStartUntilEndedOrClosed()
{
    QFETCH(bool, userEnds);
    FakeClock clock;
    CQtPlayUi ui;
    int ends = 0;
    ui.ShowStillRunning(OldStart(), "game", [&ends] { ++ends; });
    ui.ShowStillRunning(OldStart(), "game, tool", [&ends] { ++ends; }); // the same dialog

    auto* dlg = qobject_cast<CWaitingDlg*>(QApplication::activeModalWidget());
    QVERIFY(dlg);
    QCOMPARE(dlg->TimeField()->text(), QStringLiteral("01:00:00"));
    QVERIFY(dlg->RunningLine()->text().contains(QStringLiteral("game, tool")));
    if (userEnds)
        dlg->EndButton()->click();
    ui.CloseStillRunning();

    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(ends, userEnds ? 1 : 0);
}

QTEST_MAIN(CWaitingDlgUiTest)
#include "CWaitingDlgUiTest.moc"
