#include "support/StandInSessionManager.h"

#include "platform/GnomeAutomountInhibitor.h"
#include "support/PrivateBus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <thread>

namespace {

// A private bus, or a skip where dbus-daemon is not installed (a failure in CI).
bool BusUp(const PrivateBus& bus)
{
    if (!bus.Address().empty())
        return true;
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true")
        ADD_FAILURE() << "dbus-daemon did not start";
    return false;
}

// Runs GLib's main context, as the program's event loop does, until `done` or five seconds.
template <class Done>
bool RunUntil(Done done)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) {
        g_main_context_iteration(nullptr, FALSE);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

}  // namespace

// Hold and Release never wait for the bus or the session manager: they return at once,
// and the answers, taken in as GLib's main context runs, bring the held state to the last
// one asked for.
TEST(GnomeAutomountInhibitorTest, HoldsOnceAndReleasesWithItsCookie)
{
    PrivateBus bus;
    if (!BusUp(bus))
        GTEST_SKIP() << "no dbus-daemon";
    const std::string inhibit = "Inhibit Zarn2 16";
    const std::string uninhibit = "Uninhibit " + std::to_string(StandInSessionManager::kFirstCookie);
    struct Case {
        const char* steps;  // h = Hold, r = Release, d = destroyed, s = until settled,
                            // i = until the session manager has the Inhibit call
        unsigned replyDelayMs;
        std::vector<std::string> calls;
        bool heldAtTheEnd;
    } cases[] = {
        {"hsrs", 0, {inhibit, uninhibit}, false},
        {"hhsrrs", 0, {inhibit, uninhibit}, false},
        {"rs", 0, {}, false},
        {"hsd", 0, {inhibit, uninhibit}, false},
        {"hsrshs", 0, {inhibit, uninhibit, "Inhibit Zarn2 16"}, true},
        {"hrs", 0, {}, false},                          // released before the bus was reached
        {"hrhs", 1000, {inhibit}, true},                // the last word is Hold
        {"hirs", 1000, {inhibit, uninhibit}, false},    // released before the cookie came
        {"hid", 1000, {inhibit, uninhibit}, false},     // gone before the cookie came
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        StandInSessionManager manager(bus.Address(), c.replyDelayMs);
        ASSERT_TRUE(manager.Serving());
        auto inhibitor = std::make_unique<GnomeAutomountInhibitor>(bus.Address());
        for (const char* step = c.steps; *step; ++step) {
            auto start = std::chrono::steady_clock::now();
            if (*step == 'h') {
                inhibitor->Hold();
            } else if (*step == 'r') {
                inhibitor->Release();
            } else if (*step == 'd') {
                inhibitor.reset();
            } else if (*step == 's') {
                ASSERT_TRUE(RunUntil([&] { return inhibitor->Settled(); }));
            } else {
                ASSERT_TRUE(RunUntil([&] { return !manager.Calls().empty(); }));
            }
            if (*step == 'h' || *step == 'r') {
                EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200)) << *step;
            }
        }
        if (!inhibitor)  // the answer still due is taken in by the context
            RunUntil([&] { return manager.Calls().size() >= c.calls.size(); });
        EXPECT_EQ(manager.Calls(c.calls.size()), c.calls);
        if (inhibitor) {
            EXPECT_EQ(inhibitor->Held(), c.heldAtTheEnd);
        }
    }
}

TEST(GnomeAutomountInhibitorTest, WithoutSessionManagerNothingHappens)
{
    PrivateBus bus;
    if (!BusUp(bus))
        GTEST_SKIP() << "no dbus-daemon";
    const std::string addresses[] = {bus.Address(), "unix:path=/nonexistent/zarn2-bus"};
    for (const std::string& address : addresses) {
        SCOPED_TRACE(address);
        GnomeAutomountInhibitor inhibitor(address);
        inhibitor.Hold();
        EXPECT_TRUE(RunUntil([&] { return inhibitor.Settled(); }));
        EXPECT_FALSE(inhibitor.Held());
        inhibitor.Release();
    }
}
