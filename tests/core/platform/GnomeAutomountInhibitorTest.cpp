#include "support/StandInSessionManager.h"

#include "platform/GnomeAutomountInhibitor.h"
#include "support/PrivateBus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

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

}  // namespace

TEST(GnomeAutomountInhibitorTest, HoldsOnceAndReleasesWithItsCookie)
{
    PrivateBus bus;
    if (!BusUp(bus))
        GTEST_SKIP() << "no dbus-daemon";
    const std::string inhibit = "Inhibit Zarn2 16";
    const std::string uninhibit = "Uninhibit " + std::to_string(StandInSessionManager::kFirstCookie);
    struct Case {
        const char* steps;  // h = Hold, r = Release, d = destroyed
        std::vector<std::string> calls;
    } cases[] = {
        {"hr", {inhibit, uninhibit}},
        {"hhrr", {inhibit, uninhibit}},
        {"r", {}},
        {"hd", {inhibit, uninhibit}},
        {"hrh", {inhibit, uninhibit, "Inhibit Zarn2 16"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        StandInSessionManager manager(bus.Address());
        ASSERT_TRUE(manager.Serving());
        auto inhibitor = std::make_unique<GnomeAutomountInhibitor>(bus.Address());
        for (const char* step = c.steps; *step; ++step) {
            if (*step == 'h')
                inhibitor->Hold();
            else if (*step == 'r')
                inhibitor->Release();
            else
                inhibitor.reset();
        }
        EXPECT_EQ(manager.Calls(c.calls.size()), c.calls);
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
        EXPECT_FALSE(inhibitor.Held());
        inhibitor.Release();
    }
}
