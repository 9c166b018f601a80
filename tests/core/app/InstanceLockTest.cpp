// One run at a time works on a home folder: a start on a folder another run holds writes
// nothing and says so; the lock goes with the run, however the run ends.
#include "app/CZarn2App.h"
#include "support/RecordingFileSyscalls.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Holder = std::shared_ptr<void>;

Holder Running(const std::string& program)
{
    auto app = std::make_shared<CZarn2App>();
    EXPECT_EQ(app->Construct(program + "/Zarn2", 800, 600), 0);
    return app;
}

Holder Ended(const std::string& program)
{
    Holder app = Running(program);
    std::static_pointer_cast<CZarn2App>(app)->Teardown();
    return app;
}

// A run in a process of its own, killed once it holds the folder.
Holder Killed(const std::string& program)
{
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    if (child == 0) {
        CZarn2App app;
        char ok = app.Construct(program + "/Zarn2", 800, 600) == 0 ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    EXPECT_EQ(::read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, '1');
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    return nullptr;
}

// A run that started a program and ended while the program goes on.
Holder EndedWhileItsProgramRuns(const std::string& program)
{
    Holder app = Running(program);
    pid_t pid = 0;
    char sleepArg[] = "sleep", seconds[] = "30";
    char* argv[] = {sleepArg, seconds, nullptr};
    EXPECT_EQ(::posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ), 0);
    std::static_pointer_cast<CZarn2App>(app)->Teardown();
    return Holder(nullptr, [pid](void*) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    });
}

// What lies where the lock file belongs instead of one: the start cannot keep runs apart.
Holder LinkAsLock(const std::string& program)
{
    fs::create_directories(program + "/Temp");
    TempDir::WriteBytes(program + "/../elsewhere", "");
    fs::create_symlink(program + "/../elsewhere", program + "/Temp/Zarn2.lock");
    return nullptr;
}

Holder FolderAsLock(const std::string& program)
{
    fs::create_directories(program + "/Temp/Zarn2.lock");
    return nullptr;
}

// The lock file another user's run left (only root can give a file away).
Holder OthersLock(const std::string& program)
{
    fs::create_directories(program + "/Temp");
    TempDir::WriteBytes(program + "/Temp/Zarn2.lock", "");
    EXPECT_EQ(::chown((program + "/Temp/Zarn2.lock").c_str(), 65534, 65534), 0);
    return nullptr;
}

// A file system that gives no locks (NFS without its lock service).
Holder NoLocks(const std::string&)
{
    auto calls = std::make_shared<RecordingFileSyscalls>();
    calls->refuse = [](const std::string& call, const std::string&) { return call == "lock" ? ENOLCK : 0; };
    return calls;
}

std::string Listing(const std::string& folder)
{
    std::string listing;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        listing += entry.path().string() + " " +
                   std::to_string(entry.last_write_time().time_since_epoch().count()) + "\n";
    return listing;
}

}  // namespace

TEST(InstanceLock, OneRunAtATimeWorksOnAHomeFolder)
{
    struct Case {
        const char* what;
        std::function<Holder(const std::string&)> first;  // what runs or ran on "program"
        const char* start;                               // the folder of the second start
        int result;
        bool asRoot = false;  // it needs root to set up
    } cases[] = {
        {"the same folder", Running, "program", CZarn2App::kAlreadyRunning},
        {"the same folder through a symbolic link", Running, "link", CZarn2App::kAlreadyRunning},
        {"another folder", Running, "other", 0},
        {"after the first run ended", Ended, "program", 0},
        {"after the first run was killed", Killed, "program", 0},
        {"after the first run ended, its program still running", EndedWhileItsProgramRuns, "program", 0},
        {"a symbolic link where the lock file belongs", LinkAsLock, "program", CZarn2App::kLockRefused},
        {"a folder where the lock file belongs", FolderAsLock, "program", CZarn2App::kLockRefused},
        {"another user's file where the lock file belongs", OthersLock, "program", CZarn2App::kLockRefused, true},
        {"a file system without locks runs unlocked", NoLocks, "program", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.asRoot && ::geteuid() != 0)
            continue;  // root's pass runs it
        TempDir root;
        fs::create_directory(root / "program");
        fs::create_directory(root / "other");
        fs::create_directory_symlink(root / "program", root / "link");
        ScriptedMessenger messages;
        Holder first = c.first(root / "program");
        messages.Clear();
        const std::string before = Listing(root.Path());

        CZarn2App second;
        EXPECT_EQ(second.Construct(root / c.start + "/Zarn2", 800, 600), c.result);

        if (c.result != 0) {
            EXPECT_EQ(Listing(root.Path()), before) << "nothing is written";
            // A lock file that is none is named; a run elsewhere is asked to come forward.
            ASSERT_EQ(messages.messages.size(), c.result == CZarn2App::kLockRefused ? 1u : 0u);
            if (!messages.messages.empty()) {
                EXPECT_NE(messages.messages[0].find("<" + (root / "program/Temp/Zarn2.lock") + ">"), std::string::npos)
                    << messages.messages[0];
            }
        } else {
            second.Teardown();
        }
    }
}
