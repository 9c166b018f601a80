#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A found game's name made a title name the genre files hold as the title dialog would
// take it: code page 932 text that reads back unchanged, no control characters, none of the
// characters or device names Windows cannot use as a file name, no dot or blank at the end,
// short enough for its log's file name, and not taken in the genre.
namespace TitleNames {

struct Made {
    std::string name;
    // What was changed, for the user; empty when the name is used as it was found.
    std::vector<std::string> changes;
};

// `found` made valid, its changes said.
Made Valid(std::string_view found);

// `name`, or when `taken` says it is in use, "name (2)", "name (3)", ... (the name cut
// where the number would not fit).
std::string Unique(const std::string& name, const std::function<bool(const std::string&)>& taken);

}  // namespace TitleNames
