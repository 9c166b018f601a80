#pragma once

#include <QWidget>

// One page of the options sheet. Its controls exist from construction; it reads the
// settings the first time it is shown (OnInitDialog) and applies them only when the
// sheet's OK is pressed after that (OnOK).
class COptionPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    bool WasShown() const { return m_bShown; }
    // Checked before any page applies anything; false keeps the sheet open (the page has
    // told the user why).
    virtual bool OnKillActive() { return true; }
    virtual void OnOK() = 0;

protected:
    virtual void OnInitDialog() = 0;
    void showEvent(QShowEvent* event) override;

private:
    bool m_bShown = false;
};
