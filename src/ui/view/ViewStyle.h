#pragma once

#include <QColor>
#include <QFont>

// Colours and fonts of the main view.
namespace ViewStyle {
constexpr QRgb kViewBack = qRgb(235, 225, 230);
constexpr QRgb kDialogBrush = qRgb(250, 225, 225);
constexpr QRgb kDialogText = qRgb(0, 10, 200);
constexpr QRgb kEditBack = qRgb(225, 230, 235);
constexpr QRgb kStaticBack = qRgb(230, 235, 235);
constexpr QRgb kBlack = qRgb(0, 0, 0);

constexpr QRgb kGroupBack = qRgb(250, 255, 240);
constexpr QRgb kMemberBack = qRgb(235, 250, 240);
constexpr QRgb kHistoryBack = qRgb(245, 250, 255);
constexpr QRgb kHistoryText = qRgb(0, 0, 50);
constexpr QRgb kCurrGroupText = qRgb(0, 150, 0);
constexpr QRgb kCurrMemberText = qRgb(0, 0, 220);
constexpr QRgb kHistoryMarkText = qRgb(220, 0, 0);
// Background of a selected row: light, so the coloured text of the current row reads.
constexpr QRgb kSelectionBack = qRgb(205, 220, 245);

// The view's fonts: the Japanese UI face first, a CJK face installed on Linux after it.
QFont LabelFont();  // statistics labels, 12 pt
QFont ValueFont();  // statistics values, 17 pt
QFont ListFont();   // the three lists, 12.5 pt
QFont MakeFont(double pointSize);
}  // namespace ViewStyle
