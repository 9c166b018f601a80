#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows attached to an edit box: each step reads the number the box starts
// with, moves it by one within the range and writes it back as a plain integer. The
// arrow keys in the box do the same.
class CSpinButton : public QWidget {
    Q_OBJECT
public:
    CSpinButton(QLineEdit* buddy, QWidget* parent);

    void SetRange(int lower, int upper);
    void StepBy(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_pBuddy;
    QToolButton* m_pUp;
    QToolButton* m_pDown;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};
