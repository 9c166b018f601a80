#include "options/CShortCutPage.h"

#include "options/OptionFont.h"
#include "app/CZarn2App.h"
#include "platform/DesktopShortcut.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

CShortCutPage::CShortCutPage(CZarn2App& app, QWidget* parent)
    : COptionPage(parent),
      m_pApp(&app),
      m_pStartMenu(new QCheckBox(QStringLiteral("スタートメニューに登録する."), this)),
      m_pDesktop(new QCheckBox(QStringLiteral("デスクトップにショートカットを置く."), this)),
      m_pNote(new QLabel(QStringLiteral("＊ チェックを入れるとショートカットが作成され, 外すと削除されます."), this)),
      m_Font(OptionFont(10))
{
    m_pStartMenu->setObjectName(QStringLiteral("startMenuCheck"));
    m_pDesktop->setObjectName(QStringLiteral("desktopCheck"));
    m_pStartMenu->setFont(m_Font);
    m_pDesktop->setFont(m_Font);
    m_pNote->setFont(m_Font);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pStartMenu);
    layout->addWidget(m_pDesktop);
    layout->addSpacing(12);
    layout->addWidget(m_pNote);
    layout->addStretch(1);
}

void CShortCutPage::OnInitDialog()
{
    m_szStartMenuPath = DesktopShortcut::StartMenuPath();
    m_pStartMenu->setChecked(DesktopShortcut::Exists(m_szStartMenuPath));
    m_pStartMenu->setEnabled(!m_szStartMenuPath.empty());

    // No desktop folder of its own (it would be the home folder): nothing to offer.
    m_szDesktopPath = DesktopShortcut::DesktopPath();
    m_pDesktop->setChecked(DesktopShortcut::Exists(m_szDesktopPath));
    m_pDesktop->setEnabled(!m_szDesktopPath.empty());
}

// Failures are silent: the boxes show the truth the next time the sheet opens.
void CShortCutPage::OnOK()
{
    const std::string& exe = m_pApp->m_szExePath;
    if (!m_szStartMenuPath.empty()) {
        // The applications folder is the desktop's standard place for entries: made when
        // a fresh account lacks it.
        if (m_pStartMenu->isChecked())
            DesktopShortcut::Create(m_szStartMenuPath, exe, true);
        else
            DesktopShortcut::Remove(m_szStartMenuPath);
    }
    if (!m_szDesktopPath.empty()) {
        // A desktop folder that does not exist is not made: no desktop shows it.
        if (m_pDesktop->isChecked())
            DesktopShortcut::Create(m_szDesktopPath, exe, false);
        else
            DesktopShortcut::Remove(m_szDesktopPath);
    }
}
