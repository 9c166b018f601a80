#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The genre dialog: a genre's name and whether its titles are played with history. Serves
// creating a genre and editing the current one; the caller sets the caption and starting
// values, then checks the name and stores the genre. The dialog itself accepts any name.
class CGroupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CGroupDlg(QWidget* parent = nullptr);

    // Fills the controls from the values, then runs the dialog; after Accepted the name and
    // play mode are the user's.
    int exec() override;
    // Fills the controls from the values (what exec does first).
    void InitDialog();

    std::string m_szCaption;
    std::string m_szName;
    int m_nPlayMode = 0;  // 0 play with history, 1 play without

    QLabel* m_pTitle;
    QLineEdit* m_pName;
    QRadioButton* m_pWithHistory;
    QRadioButton* m_pWithoutHistory;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

public Q_SLOTS:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
