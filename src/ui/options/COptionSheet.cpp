#include "platform/GnomeAutoRun.h"

#include "options/COptionSheet.h"

#include "platform/IShellOpen.h"

#include "options/COptDrvPage.h"
#include "options/COtherPage.h"
#include "options/CShortCutPage.h"
#include "options/CTimePage.h"
#include "options/QtFileChooser.h"
#include "app/WindowHints.h"
#include "app/CZarn2App.h"
#include "launch/OpticalDriveTable.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

COptionSheet::COptionSheet(CZarn2App& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_pFileChooser(std::make_unique<QtFileChooser>()),
      m_pAutoRun(std::make_unique<GnomeAutoRun>()),
      m_pTabs(new QTabWidget(this)),
      m_pButtons(new QDialogButtonBox(this))
{
    setWindowTitle(QStringLiteral("Zarn2 の設定"));
    m_services.fileChooser = m_pFileChooser.get();
    m_services.autoRun = m_pAutoRun.get();
    m_services.scanDrives = [] { return ScanOpticalDrives(); };

    m_pShortCut = new CShortCutPage(app, m_pTabs);
    m_pDrv = new COptDrvPage(app, m_services, m_pTabs);
    m_pTime = new CTimePage(app, m_pTabs);
    m_pOther = new COtherPage(app, m_services, m_pTabs);
    m_pTabs->addTab(m_pShortCut, QStringLiteral("ショートカットの設定"));
    m_pTabs->addTab(m_pDrv, QStringLiteral("CD/DVD-ROMの設定"));
    m_pTabs->addTab(m_pTime, QStringLiteral("記録設定"));
    m_pTabs->addTab(m_pOther, QStringLiteral("その他の設定"));
    m_pTabs->setCurrentIndex(0);
    m_pTabs->setUsesScrollButtons(false);  // all four tabs in view

    m_pButtons->addButton(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_pButtons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QPushButton* apply = m_pButtons->addButton(QDialogButtonBox::Apply);
    apply->setText(QStringLiteral("適用"));
    apply->setEnabled(false);  // no page ever reports a pending change
    m_pButtons->addButton(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ"));
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &COptionSheet::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &COptionSheet::reject);
    connect(m_pButtons, &QDialogButtonBox::helpRequested, this, &COptionSheet::OnHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pButtons);
    // Every page has its final look from construction: the sheet takes the size of the
    // largest once and keeps it whichever tab shows.
    WindowHints::FixDialogToContents(this);
}

COptionSheet::~COptionSheet() = default;

void COptionSheet::accept()
{
    COptionPage* pages[] = {m_pShortCut, m_pDrv, m_pTime, m_pOther};
    // A page that refuses its input keeps the sheet open with nothing applied.
    for (COptionPage* page : pages) {
        if (page->WasShown() && !page->OnKillActive()) {
            m_pTabs->setCurrentWidget(page);
            return;
        }
    }
    for (COptionPage* page : pages) {
        if (page->WasShown())
            page->OnOK();
    }
    QDialog::accept();
}

void COptionSheet::OnHelp()
{
    ShellOpen::Start(m_app.m_szHelpDir + "/index.html", m_app.m_szHelpDir);
}
