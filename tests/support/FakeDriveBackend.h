#pragma once

#include "platform/IDriveBackend.h"

#include <map>
#include <string>
#include <vector>

// A scripted optical drive: records every operation ("open /dev/sr0", "tray open",
// "tray close", "present", "ready", "close"), keeps the tray state, reports a medium
// after a given number of presence polls and readiness after a given number of readiness
// polls (-1: never), and fails any operation named in `failures`.
class FakeDriveBackend final : public IDriveBackend {
public:
    DriveResult Open(const std::string& device) override
    {
        calls.push_back("open " + device);
        if (DriveResult r = Scripted("open"); !r.Ok())
            return r;
        if (device.empty())
            return DriveResult::Failure(DriveResult::kNoDevice);
        isOpen = true;
        return {};
    }
    DriveResult OpenTray() override { return Tray("tray open", true); }
    DriveResult CloseTray() override { return Tray("tray close", false); }
    DriveResult MediaPresent(bool& present) override
    {
        return Poll("present", presencePolls, mediumAfterPolls, present);
    }
    DriveResult Ready(bool& ready) override { return Poll("ready", readyPolls, readyAfterPolls, ready); }
    void Close() override
    {
        calls.push_back("close");
        isOpen = false;
    }

    int CountOf(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls)
            n += c == call;
        return n;
    }

    std::vector<std::string> calls;
    std::map<std::string, DriveResult> failures;  // by the operation's name without device
    bool trayOpen = false;
    bool isOpen = false;
    int mediumAfterPolls = 0;
    int readyAfterPolls = 0;
    int presencePolls = 0;
    int readyPolls = 0;

private:
    DriveResult Scripted(const std::string& op) const
    {
        auto it = failures.find(op);
        return it == failures.end() ? DriveResult{} : it->second;
    }
    DriveResult Tray(const std::string& op, bool open)
    {
        calls.push_back(op);
        DriveResult r = Scripted(op);
        if (r.Ok())
            trayOpen = open;
        return r;
    }
    DriveResult Poll(const std::string& op, int& polls, int after, bool& yes)
    {
        calls.push_back(op);
        yes = false;
        if (DriveResult r = Scripted(op); !r.Ok())
            return r;
        yes = !trayOpen && after >= 0 && polls >= after;
        ++polls;
        return {};
    }
};
