#pragma once

#include "options/COptionPage.h"

#include <QFont>

class CZarn2App;
class QCheckBox;
class QComboBox;
class QLabel;
struct COptionServices;

// "CD/DVD-ROMの設定": which optical drive disc titles use, and the desktop's AutoRun of
// removable media.
class COptDrvPage : public COptionPage {
    Q_OBJECT
public:
    COptDrvPage(CZarn2App& app, COptionServices& services, QWidget* parent);

    void OnOK() override;

    QComboBox* DriveCombo() const { return m_pCombo; }
    QCheckBox* AutoRunCheck() const { return m_pAutoRun; }

protected:
    void OnInitDialog() override;

private:
    CZarn2App* m_pApp;
    COptionServices& m_services;
    QFont m_Font;
    QLabel* m_pLabel;
    QComboBox* m_pCombo;
    QCheckBox* m_pAutoRun;
};
