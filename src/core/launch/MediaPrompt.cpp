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

}  // namespace

template <>
IMediaPrompt& Seam<IMediaPrompt>::Fallback()
{
    static StderrPrompt fallback;
    return fallback;
}
