#pragma once

#include <cstddef>
#include <string>

// Captions of the editing dialogs that quote a genre or title name. A caption holds at most
// 999 bytes; a name that would make it longer is cut at a character boundary and ends in
// "…".
namespace CaptionFit {

inline constexpr size_t kMaxBytes = 999;

// `before` + `name` + `after`, the name shortened when the whole would exceed `maxBytes`.
std::string Make(const std::string& before, const std::string& name, const std::string& after,
                 size_t maxBytes = kMaxBytes);

}  // namespace CaptionFit
