#include "commands/CaptionFit.h"

namespace CaptionFit {

namespace {
constexpr char kEllipsis[] = "…";
constexpr size_t kEllipsisBytes = sizeof(kEllipsis) - 1;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string Make(const std::string& before, const std::string& name, const std::string& after,
                 size_t maxBytes)
{
    if (before.size() + name.size() + after.size() <= maxBytes)
        return before + name + after;
    size_t fixed = before.size() + after.size() + kEllipsisBytes;
    size_t room = fixed < maxBytes ? maxBytes - fixed : 0;
    size_t cut = room < name.size() ? room : name.size();
    // Never split a character: back up to the first byte of the one that does not fit.
    while (cut > 0 && IsContinuationByte(name[cut]))
        --cut;
    return before + name.substr(0, cut) + kEllipsis + after;
}

}  // namespace CaptionFit
