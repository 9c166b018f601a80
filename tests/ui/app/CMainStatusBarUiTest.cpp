// The status bar's panes take new texts (the clock every second, also while a title plays)
// without making the whole status bar lay out and repaint, and still show them whole.
#include "support/FakeClock.h"

#include "app/CMainStatusBar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QTest>

namespace {

// Counts the layout requests an object receives.
class LayoutRequests final : public QObject {
public:
    explicit LayoutRequests(QObject* watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            ++count;
        return false;
    }
    int count = 0;
};

}  // namespace

class CMainStatusBarUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void NewTextsLeaveTheBarsLayoutAlone()
    {
        FakeClock clock;
        QMainWindow window;
        auto* bar = new CMainStatusBar(&window);
        window.setStatusBar(bar);
        window.resize(750, 510);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();

        LayoutRequests requests(bar);
        for (int second = 0; second < 3; ++second) {
            clock.now.second = second;
            bar->UpdateClock();
            QCoreApplication::processEvents();
        }
        bar->SetGenreCounter(3, 32);
        bar->SetTitleCounter(127, 127);
        QCoreApplication::processEvents();
        QCOMPARE(requests.count, 0);
        QCOMPARE(bar->PaneText(3), QStringLiteral(" 2009/03/07 21:05:02"));
    }

    void PanesAreTallEnoughForTheirTexts()
    {
        CMainStatusBar bar(nullptr);
        bar.SetGenreCounter(3, 32);
        bar.SetTitleCounter(127, 127);
        for (int pane = 1; pane <= 3; ++pane) {
            auto* label = bar.findChildren<QLabel*>().value(pane - 1);
            QVERIFY(label != nullptr);
            QFontMetrics metrics(label->font());
            QVERIFY2(label->height() - 2 * label->frameWidth() >= metrics.height(),
                     qPrintable(QStringLiteral("pane %1").arg(pane)));
            QCOMPARE(label->minimumHeight(), label->maximumHeight());
        }
    }
};

QTEST_MAIN(CMainStatusBarUiTest)
#include "CMainStatusBarUiTest.moc"
