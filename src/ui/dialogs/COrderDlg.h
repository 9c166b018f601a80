#pragma once

#include <QColor>
#include <QDialog>

#include <array>

class CZarn2Doc;
class IOrderedList;
class QPushButton;

// A narrow column of six buttons that moves the current entry of one of the main view's
// lists. Every press reorders the library in memory at once, keeps the moved entry current
// and rebuilds the view's list, so the user watches the entry travel. There is no undo and
// no OK: closing keeps what was done. The genre and title dialogs derive from it.
class COrderDlg : public QDialog {
    Q_OBJECT
public:
    enum Button { Top, PageTop, Up, Down, PageBottom, Bottom };

    // Runs one button's steps.
    void Press(Button button);
    QPushButton* ButtonAt(Button button) const { return m_pButtons[button]; }
    QColor Background() const { return QColor(m_background); }

protected:
    COrderDlg(CZarn2Doc* doc, IOrderedList* list, QRgb background, QWidget* parent);

    // The current entry's index, or -1 when the buttons must do nothing (no entries, an
    // inconsistent library, no current entry). `count` receives the number of entries.
    virtual int Current(int& count) const = 0;
    // Exchanges entries i and j.
    virtual void Exchange(int i, int j) = 0;
    // Makes entry t the current one.
    virtual void MakeCurrent(int t) = 0;

    CZarn2Doc* m_pDoc;
    IOrderedList* m_pList;

private:
    std::array<QPushButton*, 6> m_pButtons{};
    QRgb m_background;
};
