#pragma once

#include <QFont>

// The font of the options pages at `pointSize`: the Windows face where installed, else
// the CJK face every Linux desktop here has.
inline QFont OptionFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(pointSize);
    return font;
}
