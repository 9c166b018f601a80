#pragma once

#include "import/GameImport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The import dialog: every game found on this PC with its icon, name, where it was found
// and its program; titles registered already are shown so and cannot be ticked. The user
// ticks games and picks the genre (or names a new one); each ticked game shows the name it
// will be registered with, how it was changed, or why it will not be registered. Files that
// could not be read are listed below. Nothing is written here: OK only gives the choice.
class CImportGamesDlg : public QDialog {
    Q_OBJECT
public:
    CImportGamesDlg(const GameImport& import, const ImportChoice& choice, QWidget* parent = nullptr);

    ImportChoice Choice() const;

    enum Column { kGame, kSource, kRegistered, kProgram };

    QTreeWidget* m_pList;
    QComboBox* m_pGenre;
    QLineEdit* m_pNewGenre;
    QLabel* m_pGenreProblem;
    QLabel* m_pLegend;
    QPlainTextEdit* m_pProblems;
    QPushButton* m_pAll;
    QPushButton* m_pNone;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

public Q_SLOTS:
    // Shows again what the choice would register, and whether OK may be pressed.
    void Replan();
    void TickAll(bool ticked);

private:
    void AddRows();
    void PlaceGenre(const ImportChoice& choice);

    const GameImport& m_import;
    std::vector<PlannedTitle> m_shown;  // the plan the list shows
    bool m_bFilling = false;
};
