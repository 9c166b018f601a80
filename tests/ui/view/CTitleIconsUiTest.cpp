#include "view/CTitleIcons.h"

#include "support/IcoFile.h"
#include "support/MingwProgram.h"
#include "support/TempDir.h"

#include <QDateTime>
#include <QFile>
#include <QtTest>

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

private Q_SLOTS:
    void icoGivesTheImageOfEachSize_data();
    void icoGivesTheImageOfEachSize();
    void programGivesItsIcon();
    void missingFileGivesANeutralPicture();
    void otherFileGivesTheDesktopIcon();
    void changedFileIsReadAgain();
};

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
