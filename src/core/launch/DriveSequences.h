#pragma once

// The optical drive's command sequences on the selected drive (SelectedOpticalDrive()),
// through MciService::Get(). Every failure has been shown to the user (its error text in
// an OK box) when they return false. Pauses go through Waiter, the prompt through
// MediaPrompt, questions through Messenger. Callers that start a disc sequence rescan the
// drive table first (ScanOpticalDrives).

// Opens the tray, then pauses 1500 ms.
bool OpenDriveDoor();
// Closes the tray.
bool CloseDriveDoor();
// Polls every 200 ms until a medium is present (asking whether to go on after every 51
// polls without one), then until the drive is ready (giving up after 50 polls and
// carrying on).
bool WaitForMedia();
// The insert sequence before a disc title starts: tray open, insert prompt, tray closed,
// medium waited for, disc mounted (MountRequestedDisc). Cancel in the prompt closes the
// tray and returns false silently.
bool RequestMedia();
// Asks the disk service (MountControl) to mount the selected drive's disc unless it is
// mounted already; its outcome is not examined.
void MountRequestedDisc();

namespace DriveSequences {
inline constexpr int kDoorOpenPauseMs = 1500;
inline constexpr int kPollIntervalMs = 200;
inline constexpr int kPresencePollsBeforeQuestion = 51;
inline constexpr int kReadinessPolls = 50;
inline constexpr const char* kNoMediaQuestion = "メディアが入っていない可能性があります。続けますか？";
}  // namespace DriveSequences
