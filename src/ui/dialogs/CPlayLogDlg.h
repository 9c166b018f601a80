#pragma once

#include <QDialog>

#include <vector>

class CPlayLogModel;
class PlayLogEdit;
class QPushButton;
class QTreeView;

// The play log dialog: every play of a title's log in log order, with its start and play
// time. Plays are added and changed in the play dialog (CPlayDlg) and deleted (several at
// once, or with the Delete key); a double click changes a play. The dialog only edits
// `edit`: the caller writes the log after OK. Cancel, Esc and the close box ask first when
// the edit changed anything.
class CPlayLogDlg : public QDialog {
    Q_OBJECT
public:
    CPlayLogDlg(PlayLogEdit& edit, QWidget* parent = nullptr);

    // Chooses these rows, the first one current and scrolled into view.
    void Select(const std::vector<int>& rows);
    std::vector<int> SelectedRows() const;

    QTreeView* m_pList;
    QPushButton* m_pAdd;
    QPushButton* m_pChange;
    QPushButton* m_pDelete;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

public Q_SLOTS:
    void OnAdd();
    void OnChange();
    void OnDelete();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reload(const std::vector<int>& select);
    void UpdateButtons();

    PlayLogEdit& m_edit;
    CPlayLogModel* m_pModel;
};
