#pragma once

#include "options/COptionPage.h"

#include <QFont>

#include <string>

class CCaretStartEdit;
class CZarn2App;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct COptionServices;

// "その他の設定": the file manager started by the filer command, and the folder mapped
// to a drive letter at start. The folder browser stores its choice at once, even when
// the sheet is cancelled afterwards.
class COtherPage : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kMaxPathChars = 258;

    COtherPage(CZarn2App& app, COptionServices& services, QWidget* parent);

    bool OnKillActive() override;
    void OnOK() override;

    CCaretStartEdit* FilerEdit() const { return m_pFilerEdit; }
    QLineEdit* SubstEdit() const { return m_pSubstEdit; }
    QPushButton* FilerBrowse() const { return m_pFilerBrowse; }
    QPushButton* SubstBrowse() const { return m_pSubstBrowse; }

    void OnFilerBrowse();
    void OnSubstBrowse();

protected:
    void OnInitDialog() override;

private:
    CZarn2App* m_pApp;
    COptionServices& m_services;
    QFont m_EditFont;
    QFont m_ButtonFont;
    QGroupBox* m_pFilerFrame;
    QGroupBox* m_pSubstFrame;
    CCaretStartEdit* m_pFilerEdit;
    QPushButton* m_pFilerBrowse;
    QLineEdit* m_pSubstEdit;
    QPushButton* m_pSubstBrowse;
};
