// The channel between a second start and the running launcher: a request brings the
// running launcher's window back, and nothing listening answers no.
#include "app/InstanceChannel.h"
#include "app/InstanceServer.h"
#include "support/TempDir.h"

#include <QWidget>
#include <QtTest>

#include <filesystem>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// XDG_RUNTIME_DIR set to `value` (unset when empty) for a scope.
class RuntimeFolderSetting {
public:
    explicit RuntimeFolderSetting(const std::string& value) : m_old(qgetenv("XDG_RUNTIME_DIR"))
    {
        if (value.empty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", value.c_str());
    }
    ~RuntimeFolderSetting() { qputenv("XDG_RUNTIME_DIR", m_old); }

private:
    QByteArray m_old;
};

sockaddr_un AddressOf(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return address;
}

// A connected socket to `path` (blocking), or -1.
int ConnectTo(const std::string& path)
{
    const sockaddr_un address = AddressOf(path);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

// The socket file a killed run leaves: bound, then closed without removing it.
void LeaveSocketFile(const std::string& path)
{
    const sockaddr_un address = AddressOf(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    QVERIFY(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
    ::close(fd);
}

// Asks to raise as a second start does, blocking on another thread, while this thread
// keeps serving.
bool AskWhileServing(const QString& name)
{
    auto asked = std::async(std::launch::async, [name] { return InstanceChannel::AskToRaise(name, 5000); });
    while (asked.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return asked.get();
}

}  // namespace

class InstanceChannelUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesFollowTheFolderNotItsSpelling();
    void noPrivateRuntimeFolderNoChannel_data();
    void noPrivateRuntimeFolderNoChannel();
    void aRequestRestoresTheRunningWindow_data();
    void aRequestRestoresTheRunningWindow();
    void aRequestWithoutEndIsReadNoFurtherThanACommand();
};

void InstanceChannelUiTest::namesFollowTheFolderNotItsSpelling()
{
    TempDir root;
    RuntimeFolderSetting runtime(root.Path());
    std::filesystem::create_directory(root / "home");
    std::filesystem::create_directory(root / "other");
    std::filesystem::create_directory_symlink(root / "home", root / "link");
    const QString home = InstanceChannel::NameFor(root / "home");
    QVERIFY(home.startsWith(QString::fromStdString(root.Path() + "/zarn2-")));
    QCOMPARE(InstanceChannel::NameFor(root / "link"), home);
    QCOMPARE(InstanceChannel::NameFor(root / "home/"), home);
    QVERIFY(InstanceChannel::NameFor(root / "other") != home);
}

// Without a runtime folder that only this user can enter there is no socket at all, so a
// second start is never answered by whoever made a name in a shared folder first.
void InstanceChannelUiTest::noPrivateRuntimeFolderNoChannel_data()
{
    QTest::addColumn<QString>("setting");
    QTest::newRow("not set") << QString();
    QTest::newRow("a folder others may enter") << u"open"_s;
    QTest::newRow("a link to a private folder") << u"link"_s;
    QTest::newRow("a file") << u"file"_s;
    QTest::newRow("missing") << u"missing"_s;
    QTest::newRow("a relative path") << u"."_s;
}

void InstanceChannelUiTest::noPrivateRuntimeFolderNoChannel()
{
    QFETCH(QString, setting);
    TempDir root;  // private (0700)
    std::filesystem::create_directory(root / "open");
    ::chmod((root / "open").c_str(), 0755);
    std::filesystem::create_directory_symlink(root.Path(), root / "link");
    TempDir::WriteBytes(root / "file", "");
    RuntimeFolderSetting runtime(setting.isEmpty() || setting == u"."_s ? setting.toStdString()
                                                                       : root / setting.toStdString());
    const QString name = InstanceChannel::NameFor(root / "home");
    QVERIFY(name.isEmpty());
    InstanceServer server(name);
    QVERIFY(!server.Listening());
    QVERIFY(!InstanceChannel::AskToRaise(name, 1000));
    QVERIFY(std::filesystem::is_empty(root / "open"));
}

void InstanceChannelUiTest::aRequestRestoresTheRunningWindow_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("staleSocket");
    QTest::newRow("a running launcher") << true << false;
    QTest::newRow("over a socket a killed run left") << true << true;
    QTest::newRow("no launcher listening") << false << false;
}

void InstanceChannelUiTest::aRequestRestoresTheRunningWindow()
{
    QFETCH(bool, listening);
    QFETCH(bool, staleSocket);
    TempDir dir;
    const QString name = QString::fromStdString(dir / "channel");
    if (staleSocket)
        LeaveSocketFile(dir / "channel");
    std::optional<InstanceServer> server;
    QWidget window;
    window.showMinimized();
    if (listening) {
        server.emplace(name);
        QVERIFY(server->Listening());
        QCOMPARE(QFileInfo(name).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ReadOwner | QFile::WriteOwner),
                 QFile::Permissions());
        server->SetWindow(&window);
    }

    QCOMPARE(AskWhileServing(name), listening);
    QCOMPARE(window.isMinimized(), !listening);
}

// A caller that sends without end is dropped after a command's few bytes: the launcher
// reads no further, so what it sends stays in the socket's buffer and the rest is refused.
void InstanceChannelUiTest::aRequestWithoutEndIsReadNoFurtherThanACommand()
{
    TempDir dir;
    InstanceServer server(QString::fromStdString(dir / "channel"));
    QWidget window;
    window.showMinimized();
    server.SetWindow(&window);
    const int fd = ConnectTo(dir / "channel");
    QVERIFY(fd >= 0);
    constexpr std::size_t kFlood = std::size_t{64} << 20;
    auto sent = std::async(std::launch::async, [fd] {
        const std::string chunk(1 << 16, 'x');
        std::size_t total = 0;
        for (ssize_t n; total < kFlood && (n = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL)) > 0;)
            total += static_cast<std::size_t>(n);
        return total;
    });
    QTRY_VERIFY_WITH_TIMEOUT(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 4000);
    QVERIFY(sent.get() < kFlood);
    ::close(fd);
    QVERIFY(window.isMinimized());
    QVERIFY(AskWhileServing(QString::fromStdString(dir / "channel")));
}

QTEST_MAIN(InstanceChannelUiTest)
#include "InstanceChannelUiTest.moc"
