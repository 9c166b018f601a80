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

}  // namespace

template <>
IMessenger& Seam<IMessenger>::Fallback()
{
    static StderrMessenger fallback;
    return fallback;
}
