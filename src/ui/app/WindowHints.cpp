#include "app/WindowHints.h"

#include <QDialog>
#include <QLayout>

namespace WindowHints {

void FixDialog(QDialog* dialog, QSize size)
{
    dialog->setWindowFlags(kFixedDialog);
    dialog->setFixedSize(size);
}

void FixDialogToContents(QDialog* dialog)
{
    dialog->ensurePolished();
    if (QLayout* layout = dialog->layout())
        layout->activate();
    FixDialog(dialog, dialog->sizeHint());
}

}  // namespace WindowHints
