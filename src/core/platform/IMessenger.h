#pragma once

#include <string>

// The one way code below the user interface talks to the user: an information box with
// an OK button, or a question with Yes and No. Texts are UTF-8.
class IMessenger {
public:
    virtual ~IMessenger() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
};

// Process-wide access to the messenger in use. The application installs the Qt one at
// start; tests install a scripted one. Without one, messages go to stderr and questions
// are answered No.
namespace Messenger {
IMessenger& Get();
void Set(IMessenger* messenger);
void Show(const std::string& text);
bool Ask(const std::string& text);
}  // namespace Messenger
