#include "launch/CMediaDlg.h"
#include "launch/PaintingWaiter.h"
#include "launch/QtMediaPrompt.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `action` on the dialog once it is showing.
void WhenShown(std::function<void(CMediaDlg&)> action)
{
    QTimer::singleShot(0, [action] {
        auto* dlg = qobject_cast<CMediaDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        action(*dlg);
    });
}

}  // namespace

class CMediaDlgUiTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsCaptionMessageButtonsAndFont();
    void returnsTheButtonPressed_data();
    void returnsTheButtonPressed();
    void promptAnswersTrueOnlyForOk();
    void waiterKeepsTimersRunningForTheWholePause();
};

void CMediaDlgUiTest::showsCaptionMessageButtonsAndFont()
{
    CMediaDlg dlg;
    dlg.m_szCaption = "CD/DVD-ROM 挿入";
    dlg.m_szMessage = "メディアを入れて下さい";
    dlg.OnInitDialog();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("CD/DVD-ROM 挿入"));
    QCOMPARE(dlg.MessageField()->text(), QStringLiteral("メディアを入れて下さい"));
    QVERIFY(dlg.MessageField()->isReadOnly());
    QCOMPARE(dlg.MessageField()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(dlg.OkButton()->text(), QStringLiteral("O K"));
    QCOMPARE(dlg.CancelButton()->text(), QStringLiteral("キャンセル"));
    QVERIFY(dlg.OkButton()->isDefault());
    for (QWidget* w : {static_cast<QWidget*>(dlg.MessageField()), static_cast<QWidget*>(dlg.OkButton()),
                       static_cast<QWidget*>(dlg.CancelButton())}) {
        QCOMPARE(w->font().pointSize(), 10);
        QCOMPARE(w->font().families(), (QStringList{u"MS UI Gothic"_s, u"Noto Sans CJK JP"_s}));
    }
    // The field spans the width above the two buttons, OK on the left.
    QVERIFY(dlg.MessageField()->geometry().bottom() < dlg.OkButton()->geometry().top());
    QVERIFY(dlg.OkButton()->geometry().right() < dlg.CancelButton()->geometry().left());
    QVERIFY(dlg.rect().contains(dlg.CancelButton()->geometry()));
}

void CMediaDlgUiTest::returnsTheButtonPressed_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "ok" << CMediaDlg::kOk;
    QTest::newRow("Cancel") << "cancel" << CMediaDlg::kCancel;
    QTest::newRow("Enter") << "enter" << CMediaDlg::kOk;
    QTest::newRow("Escape") << "escape" << CMediaDlg::kCancel;
    QTest::newRow("window closed") << "close" << CMediaDlg::kCancel;
}

void CMediaDlgUiTest::returnsTheButtonPressed()
{
    QFETCH(QString, action);
    QFETCH(int, result);
    CMediaDlg dlg;
    dlg.m_szCaption = "CD/DVD-ROM 排出";
    dlg.m_szMessage = "メディアを取り出して下さい";
    WhenShown([action](CMediaDlg& shown) {
        if (action == u"ok"_s)
            QTest::mouseClick(shown.OkButton(), Qt::LeftButton);
        else if (action == u"cancel"_s)
            QTest::mouseClick(shown.CancelButton(), Qt::LeftButton);
        else if (action == u"enter"_s)
            QTest::keyClick(&shown, Qt::Key_Return);
        else if (action == u"escape"_s)
            QTest::keyClick(&shown, Qt::Key_Escape);
        else
            shown.close();
    });
    QCOMPARE(dlg.DoModal(), result);
}

void CMediaDlgUiTest::promptAnswersTrueOnlyForOk()
{
    QtMediaPrompt prompt;
    QString seen;
    WhenShown([&seen](CMediaDlg& shown) {
        seen = shown.windowTitle() + u"|"_s + shown.MessageField()->text();
        QTest::mouseClick(shown.OkButton(), Qt::LeftButton);
    });
    QVERIFY(prompt.Ask("CD/DVD-ROM 挿入", "メディアを入れて下さい"));
    QCOMPARE(seen, QStringLiteral("CD/DVD-ROM 挿入|メディアを入れて下さい"));

    WhenShown([](CMediaDlg& shown) { QTest::mouseClick(shown.CancelButton(), Qt::LeftButton); });
    QVERIFY(!prompt.Ask("CD/DVD-ROM 挿入", "メディアを入れて下さい"));
}

void CMediaDlgUiTest::waiterKeepsTimersRunningForTheWholePause()
{
    PaintingWaiter waiter;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    waiter.Wait(200);
    QVERIFY(clock.elapsed() >= 200);
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
}

QTEST_MAIN(CMediaDlgUiTest)
#include "CMediaDlgUiTest.moc"
