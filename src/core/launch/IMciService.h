#pragma once

#include "platform/Seam.h"

#include <string>

// The command-string service that drives the optical drive: a command such as
// "set Drive door open" goes in, an answer ("true"/"false" for status queries) and an
// error code (0 on success) come out; ErrorText gives the text to show for a code.
class IMciService {
public:
    virtual ~IMciService() = default;
    virtual int Send(const std::string& command, std::string& answer) = 0;
    virtual std::string ErrorText(int code) const = 0;
};

// The service the drive sequences use. Without one installed, the service over the
// machine's drives (CMciService on LinuxDriveBackend).
template <>
IMciService& Seam<IMciService>::Fallback();

using MciService = Seam<IMciService>;
