// The chart window's module as the launcher loads it: the module this build made opens the
// window over the library's figures; without it the command says which file is missing,
// turns itself off, and the export still works.
#include "support/ProgramWindow.h"

#include "app/CommandIds.h"
#include "charts/CChartCommands.h"

#include <QAction>
#include <QTabWidget>
#include <QtTest>

namespace {

CChartCommands& Commands(ProgramWindow& lib)
{
    return *lib.Frame().findChild<CChartCommands*>();
}

void OneGenre(ProgramWindow& lib)
{
    lib.Build([](CZarn2Doc& doc) { ProgramWindow::AddGenre(doc, "RPG", 1); });
    lib.WriteLog("RPG", "RPG-0", {{"2009/03/06,23:30:00", 7200}});
}

}  // namespace

class ChartModuleUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theBuiltModuleOpensTheWindow();
    void aMissingModuleIsNamedAndTheCommandTurnedOff();
};

void ChartModuleUiTest::theBuiltModuleOpensTheWindow()
{
    ProgramWindow lib;
    OneGenre(lib);
    lib.Open();
    Commands(lib).SetModulePath(ZARN2_CHART_MODULE_PATH);
    lib.Frame().Action(CommandId::ID_PLAY_CHART)->trigger();
    QWidget* window = Commands(lib).Window();
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->findChild<QTabWidget*>()->count(), 4);
    // The figures are the launcher's (the module has no state of its own to read them from).
    QVERIFY2(window->windowTitle().endsWith(QStringLiteral("RPG-0")), qPrintable(window->windowTitle()));
    QVERIFY(lib.messenger.messages.empty());
}

void ChartModuleUiTest::aMissingModuleIsNamedAndTheCommandTurnedOff()
{
    ProgramWindow lib;
    OneGenre(lib);
    CZarn2View& view = lib.Open();
    const std::string missing = lib.dir / "libzarn2-charts.so";
    Commands(lib).SetModulePath(missing);
    QAction* chart = lib.Frame().Action(CommandId::ID_PLAY_CHART);
    QVERIFY(chart->isEnabled());
    chart->trigger();
    QCOMPARE(lib.messenger.messages.size(), size_t{1});
    QVERIFY(lib.messenger.messages[0].find(missing) != std::string::npos);
    QVERIFY(Commands(lib).Window() == nullptr);
    view.UpdateStatistics();
    QVERIFY(!chart->isEnabled());
    QVERIFY(lib.Frame().Action(CommandId::ID_EXPORT_PLAYS)->isEnabled());
}

QTEST_MAIN(ChartModuleUiTest)
#include "ChartModuleUiTest.moc"
