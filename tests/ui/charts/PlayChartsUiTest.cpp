// The play chart window (its code linked in, not loaded as a module) and the export command
// on a library in a temporary program folder: the command's state, the window following
// the current title and its refresh after a play, the log cache, the ranking, its genre
// choice and its labels (bars and axis), its size on a small screen, unreadable logs, Esc,
// the export. The window runs on one offscreen screen of 960 x 540.
#include "support/ProgramWindow.h"

#include "app/CommandIds.h"
#include "charts/CChartCommands.h"
#include "charts/CDailyChartTab.h"
#include "charts/CHourChartTab.h"
#include "charts/CHourGridView.h"
#include "charts/CPlayChartWindow.h"
#include "charts/CRankingChartTab.h"
#include "charts/ChartWindowFactory.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QtTest>

#include <filesystem>

namespace {

QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Genres "A" (titles A-0, A-1) and "B" (B-0); A-1 current. Seconds per title as given.
void TwoGenres(ProgramWindow& lib, std::int64_t a0, std::int64_t a1, std::int64_t b0)
{
    lib.Build([](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "B", 1);
        ProgramWindow::AddGenre(doc, "A", 2);
    });
    lib.WriteLog("A", "A-0", {{"2009/03/05,10:00:00", a0}});
    lib.WriteLog("A", "A-1", {{"2009/03/06,23:30:00", a1}, {"2009/03/07,20:00:00", 60}});
    lib.WriteLog("B", "B-0", {{"2009/02/01,10:00:00", b0}});
}

CChartCommands& Commands(ProgramWindow& lib)
{
    return *lib.Frame().findChild<CChartCommands*>();
}

CPlayChartWindow& OpenChart(ProgramWindow& lib)
{
    static ChartWindowFactory factory;
    Commands(lib).SetWindowFactory(&factory);
    lib.Frame().Action(CommandId::ID_PLAY_CHART)->trigger();
    return *qobject_cast<CPlayChartWindow*>(Commands(lib).Window());
}

std::int64_t Sum(const PlayFigures::HourGrid& grid)
{
    std::int64_t sum = 0;
    for (const auto& row : grid)
        for (std::int64_t cell : row)
            sum += cell;
    return sum;
}

}  // namespace

class PlayChartsUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandNeedsGenres();
    void windowFollowsTheCurrentTitle();
    void logsAreReadAgainOnlyWhenChanged();
    void rankingOverLibraryOrGenre();
    void everyRankedBarKeepsItsLabel();
    void fitsAScreenAtTwiceTheScale();
    void unreadableLogNamedOnceInTheWindow();
    void exportWritesTheChosenFile();
};

void PlayChartsUiTest::commandNeedsGenres()
{
    ProgramWindow lib;
    CZarn2View& view = lib.Open();
    QAction* chart = lib.Frame().Action(CommandId::ID_PLAY_CHART);
    QVERIFY(!chart->isEnabled());
    lib.Doc().AddGroup("RPG", 0);
    view.UpdateStatistics();
    QVERIFY(chart->isEnabled());
}

void PlayChartsUiTest::windowFollowsTheCurrentTitle()
{
    ProgramWindow lib;
    TwoGenres(lib, 600, 7200, 0);
    CZarn2View& view = lib.Open();
    view.OnGroupClicked(1);
    CPlayChartWindow& window = OpenChart(lib);
    QVERIFY(window.isVisible());
    QVERIFY(!window.isModal());
    // No footnote measured before the window's layout made it taller than the screen's room.
    QCOMPARE(window.size(), QSize(720, 540 - 44));
    QVERIFY(window.windowTitle().endsWith(Q("A-1")));
    // Today is 2009-03-07: the last two days hold A-1's plays, each counted to its start.
    auto& daily = static_cast<CDailyChartTab&>(*window.Tab(0));
    QCOMPARE(daily.Bars().size(), size_t{30});
    QCOMPARE(daily.Bars()[28].seconds, std::int64_t{7200});
    QCOMPARE(daily.Bars()[29].seconds, std::int64_t{60});

    // As small as the window can be made, the 30 days' labels still stand side by side.
    window.resize(1, 1);
    QVERIFY(QFontMetrics(daily.LabelFace()).height() * 30 < daily.width());
    window.resize(720, 520);

    view.OnMemberClicked(0);
    QVERIFY(window.windowTitle().endsWith(Q("A-0")));
    QCOMPARE(daily.Bars()[27].seconds, std::int64_t{600});

    // The hour grid of the whole library holds every second played.
    window.Tabs()->setCurrentIndex(2);
    auto& hours = static_cast<CHourChartTab&>(*window.Tab(2));
    hours.Choice()->setCurrentIndex(1);
    QCOMPARE(Sum(hours.GridView()->Grid()), std::int64_t{600 + 7200 + 60});
    QVERIFY(window.windowTitle().endsWith(Q("全タイトル")));

    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QVERIFY(lib.messenger.messages.empty());
}

void PlayChartsUiTest::logsAreReadAgainOnlyWhenChanged()
{
    ProgramWindow lib;
    TwoGenres(lib, 600, 7200, 100);
    CZarn2View& view = lib.Open();
    CPlayChartWindow& window = OpenChart(lib);
    window.Tabs()->setCurrentIndex(1);
    PlayLogCache& cache = Commands(lib).Cache();
    const std::size_t reads = cache.FileReads();
    QCOMPARE(reads, size_t{3});
    for (int tab : {2, 3, 0, 1})
        window.Tabs()->setCurrentIndex(tab);
    window.close();
    OpenChart(lib);
    QCOMPARE(cache.FileReads(), reads);

    // A play recorded: the refresh that follows it reads that log again, and only that one.
    lib.WriteLog("B", "B-0", {{"2009/02/01,10:00:00", 100}, {"2009/03/07,21:00:00", 9000}});
    view.UpdateStatistics();
    QCOMPARE(cache.FileReads(), reads + 1);
    auto& ranking = static_cast<CRankingChartTab&>(*window.Tab(1));
    QCOMPARE(ranking.Rows().front().title, Q("B-0"));

    // Played on another PC, in a genre not shown: the folder watch's refresh reads it.
    view.OnGroupClicked(1);
    lib.WriteLog("B", "B-0", {{"2009/02/01,10:00:00", 100}, {"2009/03/07,21:00:00", 9000}, {"2009/03/07,23:00:00", 60}});
    QTRY_COMPARE_WITH_TIMEOUT(cache.FileReads(), reads + 2, 3000);
    QCOMPARE(ranking.Rows().front().seconds, std::int64_t{9160});
}

void PlayChartsUiTest::rankingOverLibraryOrGenre()
{
    ProgramWindow lib;
    TwoGenres(lib, 600, 7200, 3600);
    lib.Open().OnGroupClicked(1);
    CPlayChartWindow& window = OpenChart(lib);
    window.Tabs()->setCurrentIndex(1);
    auto& ranking = static_cast<CRankingChartTab&>(*window.Tab(1));
    struct Case {
        int choice;
        QStringList titles;
        QString scope;
    } cases[] = {
        {0, {Q("A-1"), Q("B-0"), Q("A-0")}, Q("全タイトル")},
        {1, {Q("A-1"), Q("A-0")}, Q("A")},
    };
    for (const Case& c : cases) {
        ranking.Choice()->setCurrentIndex(c.choice);
        QStringList titles;
        for (const CRankingChartTab::Row& row : ranking.Rows())
            titles << row.title + QLatin1Char('/') + row.genre;
        QStringList expected;
        for (const QString& title : c.titles)
            expected << title + QLatin1Char('/') + title.left(1);
        QCOMPARE(titles, expected);
        QVERIFY2(window.windowTitle().endsWith(c.scope), qPrintable(window.windowTitle()));
    }
}

void PlayChartsUiTest::everyRankedBarKeepsItsLabel()
{
    ProgramWindow lib;
    const QString longTitle = Q("A title of sixty characters that the chart cannot show whole");
    QCOMPARE(longTitle.size(), 60);
    lib.Build([&](CZarn2Doc& doc) {
        ProgramWindow::AddGenre(doc, "RPG", 21);
        doc.AddMember(longTitle.toStdString(), "/usr/bin/true", "/usr/bin/true", 1, 0);
    });
    for (int i = 0; i < 21; ++i)
        lib.WriteLog("RPG", "RPG-" + std::to_string(i), {{"2009/03/05,10:00:00", 600 * (i + 1)}});
    lib.WriteLog("RPG", longTitle.toStdString(), {{"2009/03/05,10:00:00", 79999}});
    lib.Open();
    CPlayChartWindow& window = OpenChart(lib);
    window.Tabs()->setCurrentIndex(1);
    CRankingView& view = *static_cast<CRankingChartTab&>(*window.Tab(1)).View();
    // The default size, then as small as the window can be made.
    for (QSize size : {window.size(), QSize(1, 1)}) {
        window.resize(size);
        QTest::qWait(50);
        const QFontMetrics metrics = view.fontMetrics();
        std::vector<CRankingView::Line> lines = view.Lines();
        QCOMPARE(lines.size(), size_t{20});
        for (size_t i = 0; i < lines.size(); ++i) {
            const CRankingView::Line& line = lines[i];
            QVERIFY2(line.text.startsWith(QStringLiteral("%1. ").arg(i + 1)) && line.text.endsWith(Q(" (RPG)")),
                     qPrintable(line.text));
            QVERIFY(metrics.horizontalAdvance(line.text) <= line.label.width());
            QVERIFY(line.label.height() >= metrics.height() && line.label.left() >= 0);
            QVERIFY(line.total.right() <= view.width() && !line.totalText.isEmpty());
            QVERIFY(i == 0 || line.label.top() >= lines[i - 1].label.bottom());
        }
        QVERIFY2(lines[0].text.contains(QChar(0x2026)), qPrintable(lines[0].text));
        std::vector<CRankingView::Tick> ticks = view.Ticks();
        QVERIFY(ticks.size() >= 2);
        for (size_t i = 1; i < ticks.size(); ++i)  // the hours' labels side by side, none on another
            QVERIFY2(ticks[i].label.left() > ticks[i - 1].label.right(), qPrintable(ticks[i].text));
        QCOMPARE(view.Tip(0), Q("1. ") + longTitle + Q(" (RPG)  22:13:19"));
    }
}

// The tests run on a screen of 960 x 540 (see main), which is what a 1920 x 1080 screen is
// to a program at twice the scale: the window's default size and place and its least size
// fit there with its frame, and narrowing it to its least width neither grows it past the
// screen nor hides the footnote.
void PlayChartsUiTest::fitsAScreenAtTwiceTheScale()
{
    ProgramWindow lib;
    TwoGenres(lib, 600, 7200, 100);
    lib.Open();
    CPlayChartWindow& window = OpenChart(lib);
    const QRect screen = window.screen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(960, 540));
    QVERIFY2(screen.contains(window.frameGeometry()), qPrintable(QStringLiteral("%1 x %2 at %3, %4")
                                                                  .arg(window.frameGeometry().width())
                                                                  .arg(window.frameGeometry().height())
                                                                  .arg(window.frameGeometry().x())
                                                                  .arg(window.frameGeometry().y())));
    const QSize frame = window.frameGeometry().size() - window.size();
    for (int tab = 0; tab < window.Tabs()->count(); ++tab) {
        window.Tabs()->setCurrentIndex(tab);
        for (bool narrowed : {false, true}) {
            const QString row = QStringLiteral("tab %1%2").arg(tab).arg(narrowed ? QStringLiteral(", narrowed") : QString());
            if (narrowed)
                window.resize(window.minimumSizeHint().width(), window.height());
            QTest::qWait(20);
            const QSize least = window.minimumSizeHint() + frame;
            QVERIFY2(least.width() <= screen.width() && least.height() <= screen.height(),
                     qPrintable(row + QStringLiteral(": least %1 x %2").arg(least.width()).arg(least.height())));
            QLabel* footnote = window.Footnote();
            QVERIFY2(footnote->height() >= footnote->heightForWidth(footnote->width()) &&
                         footnote->geometry().bottom() < window.height(),
                     qPrintable(row));
        }
        window.resize(720, 480);
    }
}

void PlayChartsUiTest::unreadableLogNamedOnceInTheWindow()
{
    ProgramWindow lib;
    TwoGenres(lib, 600, 7200, 100);
    std::filesystem::remove(lib.LogPath("B", "B-0"));
    std::filesystem::create_directory(lib.LogPath("B", "B-0"));
    lib.Open();
    CPlayChartWindow& window = OpenChart(lib);
    window.Tabs()->setCurrentIndex(2);
    static_cast<CHourChartTab&>(*window.Tab(2)).Choice()->setCurrentIndex(1);
    QVERIFY(window.UnreadableLine()->isVisible());
    QCOMPARE(window.UnreadableLine()->text().count(Q("B/B-0.Log")), 1);
    window.Tabs()->setCurrentIndex(0);
    QVERIFY(!window.UnreadableLine()->isVisible());
    QVERIFY(lib.messenger.messages.empty());
}

void PlayChartsUiTest::exportWritesTheChosenFile()
{
    ProgramWindow lib;
    TwoGenres(lib, 600, 7200, 100);
    lib.Open();
    struct Case {
        const char* name;
        PlayExport::Format filter;
        char first;  // of the file: a byte order mark or a brace
    } cases[] = {
        {"plays.csv", PlayExport::Format::Json, '\xEF'},
        {"plays.json", PlayExport::Format::Csv, '{'},
        {"plays", PlayExport::Format::Json, '{'},
    };
    for (const Case& c : cases) {
        std::string path = lib.dir / c.name;
        Commands(lib).SetExportChooser([&](QWidget*) {
            return CChartCommands::ExportChoice{QString::fromStdString(path), c.filter};
        });
        lib.messenger.Clear();
        lib.Frame().Action(CommandId::ID_EXPORT_PLAYS)->trigger();
        QCOMPARE(lib.messenger.messages.size(), size_t{1});
        QCOMPARE(TempDir::ReadBytes(path).front(), c.first);
    }
    Commands(lib).SetExportChooser([](QWidget*) { return std::nullopt; });
    lib.messenger.Clear();
    lib.Frame().Action(CommandId::ID_EXPORT_PLAYS)->trigger();
    QVERIFY(lib.messenger.messages.empty());
}

int main(int argc, char* argv[])
{
    // Qt's offscreen platform with one screen of 960 x 540.
    QTemporaryFile screens;
    if (!screens.open() ||
        screens.write(R"({"screens": [{"name": "HalfHd", "x": 0, "y": 0, "width": 960, "height": 540,
                          "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0 ||
        !screens.flush())
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication app(argc, argv);
    PlayChartsUiTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "PlayChartsUiTest.moc"
