#pragma once

#include <string>

// The icon a title's icon source names on the desktop, before the picture of its file
// type: a Steam game's own icon from the client's cache, the icon of the handler of a
// URL's scheme, a desktop entry's Icon, the icon of the desktop entry that names a Linux
// program. An icon theme's name or an image file's path; "" when there is none.
namespace ProgramIcon {

std::string For(const std::string& iconSource);

}  // namespace ProgramIcon
