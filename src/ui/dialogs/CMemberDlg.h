#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class CDropEdit;
class CZarn2App;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The title dialog: name, program, icon source, disc flag and timing of one title. Used to
// add a title, to add one from a dropped file and to edit the current one; the caller sets
// the caption and the starting values, checks the name and stores the title. Shown again
// on the same object, it starts from the values the user last confirmed. The program may
// be a file, a desktop entry or a URL that the desktop opens.
class CMemberDlg : public QDialog {
    Q_OBJECT
public:
    // Asks the user for an existing file; returns its path, or an empty string when the
    // user cancelled. `filters` are file dialog name filters, the first one selected.
    using FileChooser = std::function<QString(QWidget* parent, const QStringList& filters)>;

    explicit CMemberDlg(CZarn2App* app, QWidget* parent = nullptr);

    void SetData(const std::string& caption, const std::string& name, const std::string& exePath,
                 const std::string& iconPath, int autoTiming, int useMedia);
    // Fills the controls from the values, then runs the dialog: Accepted only with valid
    // values, which are then in the fields below.
    int exec() override;

    // Fills the controls from the values (what exec does first).
    void InitDialog();
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    static QStringList ExeFilters();
    static QStringList IconFilters();

    std::string m_szCaption;
    std::string m_szName;
    std::string m_szExePath;
    std::string m_szIconPath;
    int m_nAutoTiming = 0;
    int m_nUseMedia = 0;

    QLineEdit* m_pName;
    CDropEdit* m_pExePath;
    CDropEdit* m_pIconPath;
    QPushButton* m_pBrowseExe;
    QPushButton* m_pBrowseIcon;
    QCheckBox* m_pUseMedia;
    QRadioButton* m_pAuto;
    QRadioButton* m_pManual;
    QPushButton* m_pFiler;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

public Q_SLOTS:
    void OnBrowseExe();
    void OnBrowseIcon();
    void OnFiler();
    // Reads the controls, then closes with Accepted, or shows why not and stays open.
    void accept() override;
    // While the name is empty, a desktop entry as the program gives its name (Name[ja],
    // else Name); called when the program is chosen, dropped, typed (when the field loses
    // the focus or Return is pressed) or set at the start.
    void SuggestName();

private:
    void CreateControls();
    void ReadControls();
    static QString DefaultChooser(QWidget* parent, const QStringList& filters);

    CZarn2App* m_pApp;
    FileChooser m_chooser;
};
