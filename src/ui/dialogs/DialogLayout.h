#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QLabel;
class QString;
class QWidget;

// Geometry and fonts of the editing dialogs. Their layouts are given in dialog units of an
// 8-point dialog font: one horizontal unit is 6/4 pixel and one vertical unit 13/8 pixel
// on a 96 dpi screen. Every size is scaled with the screen's logical dpi, like the fonts.
namespace DialogLayout {

// Logical dpi of the screen `widget` shows on, divided by 96.
double Scale(const QWidget* widget);
// Pixels at 96 dpi, scaled.
int Px(const QWidget* widget, int pixels);
// Dialog units, converted and scaled.
int DluX(const QWidget* widget, int x);
int DluY(const QWidget* widget, int y);
QRect DluRect(const QWidget* widget, int x, int y, int width, int height);
QSize DluSize(const QWidget* widget, int width, int height);

// Places `child` at a rectangle given in dialog units (in its parent) or in pixels.
void Place(QWidget* child, int x, int y, int width, int height);
void PlacePx(QWidget* child, int x, int y, int width, int height);

// Shows `text` on the one line of `label`: cut in the middle with "…" where it is wider
// than the label (a long path keeps its start and its file name), whole in the tooltip.
void SetOneLine(QLabel* label, const QString& text);

// The Japanese UI face (a CJK face installed on Linux after it) at a point size.
QFont GothicFont(double pointSize);
// The desktop's default UI face at a point size (dialogs whose template font is the
// system's shell dialog font).
QFont ShellFont(double pointSize);

}  // namespace DialogLayout
