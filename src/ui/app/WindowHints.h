#pragma once

#include <QSize>
#include <Qt>

class QDialog;

// Title-bar buttons the window manager is asked for. Windows that cannot be resized offer
// no maximise box; dialogs offer only their close box.
namespace WindowHints {

inline constexpr Qt::WindowFlags kMainWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                               Qt::WindowCloseButtonHint;
inline constexpr Qt::WindowFlags kFixedDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Fixes `dialog` at `size` with only a close box.
void FixDialog(QDialog* dialog, QSize size);
// The same at the size its layout asks for with every child as it is now.
void FixDialogToContents(QDialog* dialog);

}  // namespace WindowHints
