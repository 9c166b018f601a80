#pragma once

#include "launch/IMediaPrompt.h"

// The prompt as CMediaDlg over the active window.
class QtMediaPrompt final : public IMediaPrompt {
public:
    bool Ask(const std::string& caption, const std::string& message) override;
};
