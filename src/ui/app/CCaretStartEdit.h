#pragma once

#include <QLineEdit>

// An edit box that, on receiving the focus, puts the caret at the start with nothing
// selected, so the beginning of a long text is what shows.
class CCaretStartEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};
