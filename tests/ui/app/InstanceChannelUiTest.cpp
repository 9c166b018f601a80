// The channel between a second start and the running launcher: a request brings the
// running launcher's window back, and nothing listening answers no.
#include "app/InstanceChannel.h"
#include "app/InstanceServer.h"
#include "support/TempDir.h"

#include <QWidget>
#include <QtTest>

#include <filesystem>
#include <future>

using namespace Qt::StringLiterals;

class InstanceChannelUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesFollowTheFolderNotItsSpelling();
    void aRequestRestoresTheRunningWindow_data();
    void aRequestRestoresTheRunningWindow();
};

void InstanceChannelUiTest::namesFollowTheFolderNotItsSpelling()
{
    TempDir root;
    std::filesystem::create_directory(root / "home");
    std::filesystem::create_directory(root / "other");
    std::filesystem::create_directory_symlink(root / "home", root / "link");
    const QString home = InstanceChannel::NameFor(root / "home");
    QCOMPARE(InstanceChannel::NameFor(root / "link"), home);
    QCOMPARE(InstanceChannel::NameFor(root / "home/"), home);
    QVERIFY(InstanceChannel::NameFor(root / "other") != home);
}

void InstanceChannelUiTest::aRequestRestoresTheRunningWindow_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("staleSocketFile");
    QTest::newRow("a running launcher") << true << false;
    QTest::newRow("over a socket file a killed run left") << true << true;
    QTest::newRow("no launcher listening") << false << false;
}

void InstanceChannelUiTest::aRequestRestoresTheRunningWindow()
{
    QFETCH(bool, listening);
    QFETCH(bool, staleSocketFile);
    TempDir dir;
    const QString name = QString::fromStdString(dir / "channel");
    if (staleSocketFile)
        TempDir::WriteBytes(dir / "channel", "");
    QWidget window;
    window.showMinimized();
    std::optional<InstanceServer> server;
    if (listening) {
        server.emplace(name);
        server->SetWindow(&window);
    }

    // The asking side blocks, as a second start does, while this side keeps serving.
    auto asked = std::async(std::launch::async, [name] { return InstanceChannel::AskToRaise(name, 5000); });
    QTRY_VERIFY_WITH_TIMEOUT(asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 10000);
    QCOMPARE(asked.get(), listening);
    QCOMPARE(window.isMinimized(), !listening);
}

QTEST_MAIN(InstanceChannelUiTest)
#include "InstanceChannelUiTest.moc"
