#include "dialogs/DialogLayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace DialogLayout {

double Scale(const QWidget* widget)
{
    int dpi = widget != nullptr ? widget->logicalDpiX() : 96;
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

int Px(const QWidget* widget, int pixels) { return qRound(pixels * Scale(widget)); }

int DluX(const QWidget* widget, int x) { return qRound(x * 6.0 / 4.0 * Scale(widget)); }

int DluY(const QWidget* widget, int y) { return qRound(y * 13.0 / 8.0 * Scale(widget)); }

QRect DluRect(const QWidget* widget, int x, int y, int width, int height)
{
    return QRect(DluX(widget, x), DluY(widget, y), DluX(widget, width), DluY(widget, height));
}

QSize DluSize(const QWidget* widget, int width, int height)
{
    return QSize(DluX(widget, width), DluY(widget, height));
}

void Place(QWidget* child, int x, int y, int width, int height)
{
    child->setGeometry(DluRect(child, x, y, width, height));
}

void PlacePx(QWidget* child, int x, int y, int width, int height)
{
    child->setGeometry(Px(child, x), Px(child, y), Px(child, width), Px(child, height));
}

void SetOneLine(QLabel* label, const QString& text)
{
    const int room = label->contentsRect().width() - 2 * label->margin();
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideMiddle, room);
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

QFont GothicFont(double pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(pointSize);
    return font;
}

QFont ShellFont(double pointSize)
{
    QFont font = QApplication::font();
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace DialogLayout
