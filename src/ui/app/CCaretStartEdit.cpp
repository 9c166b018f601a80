#include "app/CCaretStartEdit.h"

void CCaretStartEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    deselect();
    setCursorPosition(0);
}
