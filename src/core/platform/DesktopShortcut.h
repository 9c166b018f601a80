#pragma once

#include <string>

// Shortcuts to the launcher as desktop entries ("Zarn2.desktop"): one in the user's
// applications folder (the start menu) and one in the desktop folder.
namespace DesktopShortcut {

inline constexpr const char* kFileName = "Zarn2.desktop";
inline constexpr const char* kIconName = "zarn2";
inline constexpr const char* kIconResource = ":/icons/zarn2.png";

// <applications folder>/Zarn2.desktop; "" when the folder is unknown.
std::string StartMenuPath();
// <desktop folder>/Zarn2.desktop; "" when the desktop folder is unknown or is the home
// folder itself (no desktop then: an entry there would only litter the home folder).
std::string DesktopPath();

// Whether a file (or anything else) exists at `path`.
bool Exists(const std::string& path);

// The Exec value that starts `exePath` exactly as given, following the desktop entry
// rules: the path in double quotes with ", `, $ and \ escaped, % doubled, and the
// backslashes of the result escaped once more for the file's own string rules.
std::string ExecValue(const std::string& exePath);
// The whole entry. It names no working folder: the launcher finds its folders from its
// own path.
std::string EntryText(const std::string& exePath, bool withIcon);

// Writes the entry at `path` atomically with mode 0755 and marks it trusted where the
// desktop supports that. The parent folder must exist unless `makeFolder` is set. The
// program's icon is installed into the user's icon theme first (from `iconSource`).
// Returns false when the entry could not be written.
bool Create(const std::string& path, const std::string& exePath, bool makeFolder = false,
            const std::string& iconSource = kIconResource);

// Deletes the file at `path`; a missing file is fine.
void Remove(const std::string& path);

// Copies the icon to <data home>/icons/hicolor/64x64/apps/zarn2.png (scaled to 64x64 when
// it is another size). Returns false when the source cannot be read or the copy fails.
bool InstallIcon(const std::string& iconSource = kIconResource);
// Where InstallIcon puts the icon.
std::string IconPath();

}  // namespace DesktopShortcut
