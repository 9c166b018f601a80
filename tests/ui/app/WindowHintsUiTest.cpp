// Title-bar buttons of the fixed-size dialogs: a close box only, nothing to resize.
#include "app/CVersionInfoDlg.h"
#include "app/CZarn2App.h"
#include "dialogs/CGroupDlg.h"
#include "dialogs/CGroupOrderDlg.h"
#include "dialogs/CMemberDlg.h"
#include "dialogs/CMemberMoveDlg.h"
#include "dialogs/CMemberOrderDlg.h"
#include "launch/CMediaDlg.h"
#include "launch/CWaitingDlg.h"
#include "options/COptionSheet.h"

#include <QtTest>

#include <functional>
#include <memory>

using DialogFactory = std::function<QDialog*()>;
Q_DECLARE_METATYPE(DialogFactory)

class WindowHintsUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixedDialogsOfferOnlyClose_data();
    void fixedDialogsOfferOnlyClose();

private:
    CZarn2App m_app;
    CPlayTime m_clock;
};

void WindowHintsUiTest::fixedDialogsOfferOnlyClose_data()
{
    QTest::addColumn<DialogFactory>("make");
    QTest::newRow("genre") << DialogFactory([] { return new CGroupDlg; });
    QTest::newRow("title") << DialogFactory([this] { return new CMemberDlg(&m_app); });
    QTest::newRow("move") << DialogFactory([] { return new CMemberMoveDlg(nullptr); });
    QTest::newRow("genre order") << DialogFactory([] { return new CGroupOrderDlg(nullptr, nullptr); });
    QTest::newRow("title order") << DialogFactory([] { return new CMemberOrderDlg(nullptr, nullptr); });
    QTest::newRow("disc prompt") << DialogFactory([] { return new CMediaDlg; });
    QTest::newRow("playing") << DialogFactory([this] { return new CWaitingDlg(m_clock, true); });
    QTest::newRow("version") << DialogFactory([] { return new CVersionInfoDlg; });
    QTest::newRow("options") << DialogFactory([this] { return new COptionSheet(m_app, nullptr); });
}

void WindowHintsUiTest::fixedDialogsOfferOnlyClose()
{
    QFETCH(DialogFactory, make);
    std::unique_ptr<QDialog> dialog(make());
    const Qt::WindowFlags flags = dialog->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    QVERIFY(!dialog->minimumSize().isEmpty());
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
}

QTEST_MAIN(WindowHintsUiTest)
#include "WindowHintsUiTest.moc"
