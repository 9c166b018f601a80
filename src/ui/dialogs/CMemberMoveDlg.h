#pragma once

#include <QDialog>

class CReportList;
class CZarn2Doc;
class QPushButton;

// Lets the user choose the genre the current title moves to: all genres in library order,
// the current one chosen at start. After Accepted the caller moves the title to
// m_nSelGroup, which always names a listed genre (or is -1 when the library has none).
class CMemberMoveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMemberMoveDlg(CZarn2Doc* doc, QWidget* parent = nullptr);

    // Cancelled at once without a library; otherwise fills the list and runs the dialog.
    int exec() override;
    // Fills the list and chooses the current genre (what exec does first).
    void InitDialog();

    CReportList* m_pList;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    int m_nSelGroup = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose(int row);

    CZarn2Doc* m_pDoc;
};
