#pragma once

#include "platform/Seam.h"

#include <string>

// The one way code below the user interface talks to the user: an information box with
// an OK button, or a question with Yes and No. Texts are UTF-8.
class IMessenger {
public:
    virtual ~IMessenger() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
};

// The messenger in use. The application installs the Qt one at start; tests install a
// scripted one. Without one, messages go to stderr and questions are answered No.
template <>
IMessenger& Seam<IMessenger>::Fallback();

struct Messenger : Seam<IMessenger> {
    static void Show(const std::string& text) { Get().ShowMessage(text); }
    static bool Ask(const std::string& text) { return Get().AskYesNo(text); }
};
