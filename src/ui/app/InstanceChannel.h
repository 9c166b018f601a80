#pragma once

#include <QString>

#include <string>

// The local socket through which a start on a home folder that another run holds asks
// that run to bring its window to the front. The socket lies in the user's private runtime
// folder and is named after the home folder's real path, so every spelling of one folder
// (a symbolic link, a trailing "/") reaches the same run and other users' runs are out of
// reach. Without a private runtime folder there is no channel.
namespace InstanceChannel {

// The socket's path; empty when there is no private runtime folder.
QString NameFor(const std::string& homeDir);

// Asks the run listening on `name` to come to the front: true once it answered, false
// when none answered within `timeoutMs` (or `name` is empty).
bool AskToRaise(const QString& name, int timeoutMs);

// The request and the answer, one line each.
inline constexpr char kRaise[] = "raise";
inline constexpr char kRaised[] = "raised";

}  // namespace InstanceChannel
