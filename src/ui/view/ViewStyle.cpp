#include "view/ViewStyle.h"

#include <QStringList>

namespace ViewStyle {

QFont MakeFont(double pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(pointSize);
    return font;
}

QFont LabelFont() { return MakeFont(12.0); }
QFont ValueFont() { return MakeFont(17.0); }
QFont ListFont() { return MakeFont(12.5); }

}  // namespace ViewStyle
