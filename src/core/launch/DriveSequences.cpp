#include "launch/DriveSequences.h"

#include "launch/IMciService.h"
#include "launch/IMediaPrompt.h"
#include "launch/OpticalDriveTable.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/IMountControl.h"
#include "platform/IWaiter.h"

#include <string>

using namespace DriveSequences;

namespace {

// One sequence's use of the service: sends commands and shows the text of any error.
class DriveSession {
public:
    DriveSession() : m_mci(MciService::Get()) {}

    // Sends `command`; on an error shows its text and returns false.
    bool Send(const std::string& command)
    {
        int error = SendQuietly(command);
        ShowError(error);
        return error == 0;
    }
    int SendQuietly(const std::string& command) { return m_mci.Send(command, m_answer); }
    void ShowError(int error)
    {
        if (error != 0)
            Messenger::Show(m_mci.ErrorText(error));
    }
    bool Open() { return Send(Format("open %s type cdaudio alias Drive", SelectedOpticalDrive().c_str())); }
    // Sends "close Drive" without looking at the result (after a failure).
    void Abandon()
    {
        std::string ignored;
        m_mci.Send("close Drive", ignored);
    }
    bool Close() { return Send("close Drive"); }
    // Asks a status question; false after an error (shown, device closed).
    bool Status(const char* command, bool& yes)
    {
        if (!Send(command)) {
            Abandon();
            return false;
        }
        yes = m_answer == "true";  // only this exact answer counts
        return true;
    }

private:
    IMciService& m_mci;
    std::string m_answer;
};

}  // namespace

bool OpenDriveDoor()
{
    DriveSession drive;
    if (!drive.Open())
        return false;
    // The pause follows the command whatever its result: the tray needs time to move.
    int error = drive.SendQuietly("set Drive door open");
    Waiter::Wait(kDoorOpenPauseMs);
    if (error != 0) {
        drive.ShowError(error);
        drive.Abandon();
        return false;
    }
    return drive.Close();
}

bool CloseDriveDoor()
{
    DriveSession drive;
    if (!drive.Open())
        return false;
    if (!drive.Send("set Drive door closed wait")) {
        drive.Abandon();
        return false;
    }
    return drive.Close();
}

bool WaitForMedia()
{
    DriveSession drive;
    if (!drive.Open())
        return false;

    for (int n = 0;;) {
        bool present = false;
        if (!drive.Status("status Drive media present wait", present))
            return false;
        if (present)
            break;
        Waiter::Wait(kPollIntervalMs);
        if (n < kPresencePollsBeforeQuestion - 1) {
            ++n;
        } else {
            if (!Messenger::Ask(kNoMediaQuestion)) {
                drive.Abandon();
                return false;
            }
            n = 0;
        }
    }

    for (int m = 0; m < kReadinessPolls;) {
        bool ready = false;
        if (!drive.Status("status Drive ready wait", ready))
            return false;
        if (ready)
            break;
        Waiter::Wait(kPollIntervalMs);
        ++m;
    }
    return drive.Close();
}

bool RequestMedia()
{
    if (!OpenDriveDoor())
        return false;
    if (!MediaPrompt::AskInsert()) {
        CloseDriveDoor();
        return false;
    }
    if (!CloseDriveDoor())
        return false;
    if (!WaitForMedia())
        return false;
    MountRequestedDisc();
    return true;
}

// While the launcher is in front the desktop leaves a newly inserted disc unmounted (the
// automount inhibitor): mount it as the desktop would have, so the title finds its files.
// A disc that cannot be mounted (an audio disc, a refused request) is left as it is.
void MountRequestedDisc()
{
    IMountControl& mounts = MountControl::Get();
    const std::string device = SelectedOpticalDrive();
    if (!device.empty() && mounts.MountPoint(device).empty())
        mounts.Mount(device);
}
