#include "launch/IMediaPrompt.h"

#include <cstdio>

namespace {

class StderrPrompt final : public IMediaPrompt {
public:
    bool Ask(const std::string& caption, const std::string& message) override
    {
        std::fprintf(stderr, "Zarn2 (cancelled): %s: %s\n", caption.c_str(), message.c_str());
        return false;
    }
};

StderrPrompt g_fallback;
IMediaPrompt* g_prompt = nullptr;

}  // namespace

namespace MediaPrompt {

IMediaPrompt& Get() { return g_prompt ? *g_prompt : g_fallback; }
void Set(IMediaPrompt* prompt) { g_prompt = prompt; }
bool Ask(const std::string& caption, const std::string& message) { return Get().Ask(caption, message); }
bool AskInsert() { return Ask(kInsertCaption, kInsertMessage); }
bool AskRemove() { return Ask(kRemoveCaption, kRemoveMessage); }

}  // namespace MediaPrompt
