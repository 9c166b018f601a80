#pragma once

#include "import/PlayImport.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

// The play import dialog: each title of an export file with its plays and what becomes of
// them. A title the library lacks is ticked to be made (its genre too) or left out; one
// whose name cannot be used is left out. OK gives the choice back; nothing is written here.
class CImportPlaysDlg : public QDialog {
    Q_OBJECT
public:
    CImportPlaysDlg(const std::string& file, const std::vector<PlayImportRow>& rows, QWidget* parent = nullptr);

    // The rows with the user's choice of the titles to make.
    std::vector<PlayImportRow> Rows() const;

    enum Column { kGenre, kTitle, kPlays, kState };

    QLabel* m_pFile;
    QLabel* m_pAbout;
    QTreeWidget* m_pList;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

private:
    std::vector<PlayImportRow> m_rows;
};
