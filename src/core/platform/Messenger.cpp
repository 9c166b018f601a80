#include "platform/IMessenger.h"

#include <cstdio>

namespace {

class StderrMessenger final : public IMessenger {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "Zarn2: %s\n", text.c_str()); }
    bool AskYesNo(const std::string& text) override
    {
        std::fprintf(stderr, "Zarn2 (answered No): %s\n", text.c_str());
        return false;
    }
};

StderrMessenger g_fallback;
IMessenger* g_messenger = nullptr;

}  // namespace

namespace Messenger {

IMessenger& Get() { return g_messenger ? *g_messenger : g_fallback; }
void Set(IMessenger* messenger) { g_messenger = messenger; }
void Show(const std::string& text) { Get().ShowMessage(text); }
bool Ask(const std::string& text) { return Get().AskYesNo(text); }

}  // namespace Messenger
