#pragma once

#include "launch/StartedProgram.h"

#include <optional>
#include <string>

// What starting a title's stored program means: a URL is opened by the handler of its
// scheme, a desktop entry by its own command, a Windows program through Wine (refused when
// it is a 32-bit one and Wine lacks its 32-bit part), anything else runs as it is. A title
// without a program is refused with a message that tells where to give it one.
namespace TitleCommand {

struct Plan {
    std::optional<StartedProgram> program;
    std::string refusal;  // the message that says why, when there is no program
};

// `stored` is the title's program as stored, `folder` the folder a program runs in.
Plan For(const std::string& stored, const std::string& folder);

}  // namespace TitleCommand
