#include "import/DesktopGames.h"

namespace DesktopGames {

void Find(const std::vector<std::string>&, FoundGames&) {}

bool HasCategory(std::string_view categories, std::string_view category)
{
    while (!categories.empty()) {
        size_t end = categories.find(';');
        if (categories.substr(0, end) == category)
            return true;
        if (end == std::string_view::npos)
            break;
        categories.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace DesktopGames
