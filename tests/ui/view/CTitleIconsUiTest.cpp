#include "view/CTitleIcons.h"

#include "support/FakeUrlHandlers.h"
#include "support/IcoFile.h"
#include "support/MingwProgram.h"
#include "support/ScopedEnv.h"
#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <QDateTime>
#include <QFile>
#include <QtTest>

#include <filesystem>
#include <memory>

namespace {

const IcoFile::Image kSmall{16, 0xFF2060A0};
const IcoFile::Image kLarge{32, 0xFFC04010};
const IcoFile::Image kOther{16, 0xFF10C040};

QColor Colour(const IcoFile::Image& image)
{
    return QColor::fromRgba(image.argb);
}

// The colour in the middle of the icon drawn at its size and the screen's pixel ratio.
QColor Centre(const QIcon& icon, int px, qreal ratio = 1)
{
    const QImage image = icon.pixmap(QSize(px, px), ratio).toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

QString Path(const TempDir& dir, const std::string& name)
{
    return QString::fromStdString(dir / name);
}

}  // namespace

class CTitleIconsUiTest : public QObject {
    Q_OBJECT

private:
    // A desktop of the test's own: its applications folder, icon theme, PATH and home with
    // the Steam client's cache, set before anything reads them.
    TempDir m_desktop;
    std::unique_ptr<ScopedEnv> m_data, m_dirs, m_path, m_home;
    FakeUrlHandlers m_urls;

    std::string Picture(const std::string& name, QColor colour, const char* format = "PNG");

private Q_SLOTS:
    void initTestCase();
    void desktopNamesTheIcon_data();
    void desktopNamesTheIcon();
    void icoGivesTheImageOfEachSize_data();
    void icoGivesTheImageOfEachSize();
    void programGivesItsIcon();
    void missingFileGivesANeutralPicture();
    void otherFileGivesTheDesktopIcon();
    void changedFileIsReadAgain();
};

std::string CTitleIconsUiTest::Picture(const std::string& name, QColor colour, const char* format)
{
    const std::string path = m_desktop / name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    image.save(QString::fromStdString(path), format, 100);
    return path;
}

void CTitleIconsUiTest::initTestCase()
{
    namespace fs = std::filesystem;
    m_data = std::make_unique<ScopedEnv>("XDG_DATA_HOME", m_desktop / "data");
    m_dirs = std::make_unique<ScopedEnv>("XDG_DATA_DIRS", m_desktop / "system");
    m_path = std::make_unique<ScopedEnv>("PATH", m_desktop / "bin");
    m_home = std::make_unique<ScopedEnv>("HOME", m_desktop / "home");
    fs::create_directories(m_desktop / "data/applications/games");
    fs::create_directories(m_desktop / "bin");
    ScriptFiles::Write(m_desktop / "bin/game", "exit 0");
    ScriptFiles::Write(m_desktop / "bin/other-game", "exit 0");
    ScriptFiles::Write(m_desktop / "bin/unlisted", "exit 0");
    // The theme's icon, and entries that name the programs.
    // Most games' icons in the theme are only drawings (SVG), which need Qt's SVG plugins.
    Picture("icons/hicolor/16x16/apps/zarn2-test-red.png", Qt::red);
    fs::create_directories(m_desktop / "icons/hicolor/scalable/apps");
    TempDir::WriteBytes(m_desktop / "icons/hicolor/scalable/apps/zarn2-test-drawn.svg",
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                        "<rect width=\"16\" height=\"16\" fill=\"#ff8000\"/></svg>\n");
    TempDir::WriteBytes(m_desktop / "icons/hicolor/index.theme",
                        "[Icon Theme]\nName=hicolor\nDirectories=16x16/apps,scalable/apps\n[16x16/apps]\nSize=16\n"
                        "[scalable/apps]\nSize=48\nMinSize=8\nMaxSize=512\nType=Scalable\n");
    QIcon::setThemeSearchPaths({QString::fromStdString(m_desktop / "icons")});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    TempDir::WriteBytes(m_desktop / "data/applications/game.desktop",
                        "[Desktop Entry]\nType=Application\nName=G\nExec=" + m_desktop / "bin/game" +
                            " %U\nIcon=" + Picture("green.png", Qt::green) + "\n");
    TempDir::WriteBytes(m_desktop / "data/applications/games/other.desktop",
                        "[Desktop Entry]\nType=Application\nName=O\nExec=sh -c other-game\nTryExec=other-game\n"
                        "Icon=" + Picture("blue.png", Qt::blue) + "\n");
    TempDir::WriteBytes(m_desktop / "red.desktop", "[Desktop Entry]\nType=Application\nName=R\nExec=game\n"
                                                   "Icon=zarn2-test-red\n");
    TempDir::WriteBytes(m_desktop / "drawn.desktop", "[Desktop Entry]\nType=Application\nName=D\nExec=game\n"
                                                     "Icon=zarn2-test-drawn\n");
    TempDir::WriteBytes(m_desktop / "client.desktop", "[Desktop Entry]\nType=Application\nName=C\nExec=game %u\n"
                                                      "Icon=" + Picture("magenta.png", Qt::magenta) + "\n");
    m_urls.handlers["steam"] = {"client.desktop", m_desktop / "client.desktop"};
    m_urls.handlers["lutris"] = {"client.desktop", m_desktop / "client.desktop"};
    Picture("home/.steam/steam/appcache/librarycache/10_icon.jpg", Qt::yellow, "JPEG");
    Picture("home/.local/share/Steam/appcache/librarycache/20/0123456789abcdef0123456789abcdef01234567.jpg",
            Qt::cyan, "JPEG");
    Picture("home/.local/share/Steam/appcache/librarycache/20/header.jpg", Qt::black, "JPEG");
    Picture("home/.var/app/com.valvesoftware.Steam/data/Steam/appcache/librarycache/40/japanese/"
            "89abcdef0123456789abcdef0123456789abcdef.jpg",
            Qt::darkGreen, "JPEG");
}

void CTitleIconsUiTest::desktopNamesTheIcon_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QColor>("colour");
    const QString desktop = QString::fromStdString(m_desktop.Path());
    QTest::newRow("entry's icon from the theme") << desktop + QStringLiteral("/red.desktop") << QColor(Qt::red);
    QTest::newRow("entry's drawn icon from the theme") << desktop + QStringLiteral("/drawn.desktop")
                                                       << QColor(0xff, 0x80, 0x00);
    QTest::newRow("program an entry's Exec names") << desktop + QStringLiteral("/bin/game") << QColor(Qt::green);
    QTest::newRow("program an entry's TryExec names by name") << desktop + QStringLiteral("/bin/other-game")
                                                              << QColor(Qt::blue);
    QTest::newRow("Steam game's own icon") << QStringLiteral("steam://rungameid/10") << QColor(Qt::yellow);
    QTest::newRow("Steam game's icon, newer cache") << QStringLiteral("steam://run/20") << QColor(Qt::cyan);
    QTest::newRow("Steam game's icon, Flatpak client's cache, a subfolder")
        << QStringLiteral("steam://rungameid/40") << QColor(Qt::darkGreen);
    QTest::newRow("Steam game without a cached icon") << QStringLiteral("steam://rungameid/30") << QColor(Qt::magenta);
    QTest::newRow("URL handler's icon") << QStringLiteral("lutris:rungameid/3") << QColor(Qt::magenta);
}

void CTitleIconsUiTest::desktopNamesTheIcon()
{
    QFETCH(QString, source);
    QFETCH(QColor, colour);
    const QColor shown = Centre(CTitleIcons().Icon(source, 0), 16);
    // The cached Steam pictures are JPEG: near the colour is enough.
    QVERIFY2(std::abs(shown.red() - colour.red()) + std::abs(shown.green() - colour.green()) +
                     std::abs(shown.blue() - colour.blue()) < 30,
             qPrintable(shown.name() + QStringLiteral(" for ") + colour.name()));
}

void CTitleIconsUiTest::icoGivesTheImageOfEachSize_data()
{
    QTest::addColumn<int>("iconSize");
    QTest::addColumn<QByteArray>("ico");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<qreal>("ratio");
    const auto both = QByteArray::fromStdString(IcoFile::Make({kLarge, kSmall}));
    const auto largeOnly = QByteArray::fromStdString(IcoFile::Make({kLarge}));
    QTest::newRow("small from two") << 0 << both << Colour(kSmall) << 1.0;
    QTest::newRow("large from two") << 1 << both << Colour(kLarge) << 1.0;
    QTest::newRow("small shrunk from large") << 0 << largeOnly << Colour(kLarge) << 1.0;
    QTest::newRow("small on a doubled screen from two") << 0 << both << Colour(kLarge) << 2.0;
}

void CTitleIconsUiTest::icoGivesTheImageOfEachSize()
{
    QFETCH(int, iconSize);
    QFETCH(QByteArray, ico);
    QFETCH(QColor, colour);
    QFETCH(qreal, ratio);
    TempDir dir;
    TempDir::WriteBytes(dir / "title.ico", ico.toStdString());
    const int px = CTitleIcons::PixelSize(iconSize);
    const QIcon icon = CTitleIcons().Icon(Path(dir, "title.ico"), iconSize);
    QCOMPARE(icon.availableSizes().value(0), QSize(px, px));
    QCOMPARE(Centre(icon, px, ratio), colour);
}

void CTitleIconsUiTest::programGivesItsIcon()
{
    if (!MingwProgram::ToolsPresent()) {
        if (MingwProgram::RequiredHere())
            QFAIL(MingwProgram::kMissingTools);
        QSKIP(MingwProgram::kMissingTools);
    }
    TempDir dir;
    const std::string exe =
        MingwProgram::Build(dir, "1 ICON \"app.ico\"\n", {{"app.ico", IcoFile::Make({kSmall, kLarge})}});
    QVERIFY(!exe.empty());
    TempDir::WriteBytes(dir / "Game.EXE", exe);
    CTitleIcons icons;
    QCOMPARE(Centre(icons.Icon(Path(dir, "Game.EXE"), 0), 16), Colour(kSmall));
    QCOMPARE(Centre(icons.Icon(Path(dir, "Game.EXE"), 1), 32), Colour(kLarge));
}

void CTitleIconsUiTest::missingFileGivesANeutralPicture()
{
    TempDir dir;
    CTitleIcons icons;
    for (const QString& path : {Path(dir, "gone.exe"), Path(dir, "gone.ico"), QString(), Path(dir, "")}) {
        const QIcon icon = icons.Icon(path, 0);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QVERIFY2(!icon.pixmap(QSize(16, 16)).isNull(), qPrintable(path));
    }
}

// A file the icon readers cannot use (an unknown type, a broken .ico, a program without an
// icon) still gets a picture.
void CTitleIconsUiTest::otherFileGivesTheDesktopIcon()
{
    TempDir dir;
    TempDir::WriteBytes(dir / "readme.txt", "zarn");
    TempDir::WriteBytes(dir / "broken.ico", IcoFile::Make({kSmall}).substr(0, 30));
    TempDir::WriteBytes(dir / "plain.exe", "MZ not really a program");
    CTitleIcons icons;
    for (const char* name : {"readme.txt", "broken.ico", "plain.exe"}) {
        const QIcon icon = icons.Icon(Path(dir, name), 1);
        QVERIFY2(!icon.pixmap(QSize(32, 32)).isNull(), name);
    }
}

void CTitleIconsUiTest::changedFileIsReadAgain()
{
    TempDir dir;
    const QString path = Path(dir, "title.ico");
    TempDir::WriteBytes(dir / "title.ico", IcoFile::Make({kSmall}));
    CTitleIcons icons;
    const QIcon first = icons.Icon(path, 0);
    QCOMPARE(icons.Icon(path, 0).cacheKey(), first.cacheKey());

    TempDir::WriteBytes(dir / "title.ico", IcoFile::Make({kOther}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(Centre(icons.Icon(path, 0), 16), Colour(kOther));

    QVERIFY(QFile::remove(path));
    QVERIFY(!icons.Icon(path, 0).isNull());
}

QTEST_MAIN(CTitleIconsUiTest)
#include "CTitleIconsUiTest.moc"
