#pragma once

#include <QIcon>
#include <QString>

// The picture shown for a title: read from an .ico file, from the icon resources of a
// Windows program (.exe), the icon the desktop names for a URL, a desktop entry or a
// Linux program (ProgramIcon), or the desktop's icon for the file's type; 16 px for small
// icons (IconSize 0), 32 px for large. Cached by path and modification time.
class CTitleIcons {
public:
    // A neutral picture is returned when the file gives none.
    QIcon Icon(const QString& path, int iconSize);
    static int PixelSize(int iconSize) { return iconSize == 0 ? 16 : 32; }
};
