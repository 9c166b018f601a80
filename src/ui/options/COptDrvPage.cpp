#include "options/COptDrvPage.h"

#include "options/COptionServices.h"
#include "options/OptionFont.h"
#include "app/CZarn2App.h"
#include "launch/OpticalDriveTable.h"
#include "platform/Format.h"
#include "platform/IAutoRunSetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

COptDrvPage::COptDrvPage(CZarn2App& app, COptionServices& services, QWidget* parent)
    : COptionPage(parent),
      m_pApp(&app),
      m_services(services),
      m_Font(OptionFont(10)),
      m_pLabel(new QLabel(QStringLiteral("ドライブ番号"), this)),
      m_pCombo(new QComboBox(this)),
      m_pAutoRun(new QCheckBox(QStringLiteral("オートラン有効"), this))
{
    m_pCombo->setObjectName(QStringLiteral("driveCombo"));
    m_pAutoRun->setObjectName(QStringLiteral("autoRunCheck"));
    m_pCombo->setFont(m_Font);
    m_pAutoRun->setFont(m_Font);
    m_pLabel->setFont(m_Font);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pLabel);
    row->addWidget(m_pCombo, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(12);
    layout->addWidget(m_pAutoRun);
    layout->addStretch(1);
}

void COptDrvPage::OnInitDialog()
{
    if (m_services.scanDrives)
        m_services.scanDrives();
    // Entries in table order, so a position is the table index.
    const COpticalDriveTable& drives = OpticalDrives();
    for (int i = 0; i < drives.count && i < COpticalDriveTable::kMaxDrives; ++i)
        m_pCombo->addItem(QString::fromStdString(Format("%s を使用する", drives.names[i].c_str())));
    // A setting that names no drive of the table (one since removed) selects nothing.
    const int selected = m_pApp->CdDvdRom;
    m_pCombo->setCurrentIndex(selected >= 0 && selected < m_pCombo->count() ? selected : -1);

    // An unknown AutoRun shows as off.
    bool enabled = false;
    if (m_services.autoRun)
        enabled = m_services.autoRun->Read().value_or(false);
    m_pAutoRun->setChecked(enabled);
}

void COptDrvPage::OnOK()
{
    // Nothing selected (no drives, or the setting named none of them) keeps the setting.
    const int selected = m_pCombo->currentIndex();
    if (selected >= 0 && selected < m_pCombo->count())
        m_pApp->CdDvdRom = selected;
    // Written on every OK, changed or not; a desktop without the setting, or a write that
    // did not stick, is not worth a message.
    if (m_services.autoRun)
        m_services.autoRun->Write(m_pAutoRun->isChecked());
}
