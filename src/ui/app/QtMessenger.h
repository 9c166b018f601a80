#pragma once

#include "platform/IMessenger.h"

// Message boxes for the running program: warning icon, captioned with the binary's name,
// owned by the active window (none during start-up).
class QtMessenger final : public IMessenger {
public:
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
};
