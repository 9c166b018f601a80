#include "options/COtherPage.h"

#include "app/CCaretStartEdit.h"
#include "options/COptionServices.h"
#include "options/IFileChooser.h"
#include "options/OptionFont.h"
#include "app/CZarn2App.h"
#include "platform/Cp932.h"
#include "platform/IMessenger.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kFilerFilter = "ファイラー(*.exe);;すべてのファイル(*)";
const char* const kFolderTitle = "割り当てるフォルダを選択して下さい";
const char* const kTooLong = "パスが長すぎます. %1 文字以内のパスを指定して下さい.";

// Whether the settings file can hold `text`; otherwise the user is told why not.
bool Storable(const QString& text)
{
    if (text.size() > COtherPage::kMaxPathChars) {
        Messenger::Show(QString::fromUtf8(kTooLong).arg(COtherPage::kMaxPathChars).toStdString());
        return false;
    }
    std::string unmappable;
    if (!Cp932::CanEncode(text.toStdString(), &unmappable)) {
        Messenger::Show(Cp932::UnmappableMessage("初期化ファイル", unmappable));
        return false;
    }
    return true;
}

QGroupBox* Frame(const char* title, QLineEdit* edit, QPushButton* browse, QWidget* parent)
{
    auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return frame;
}

}  // namespace

COtherPage::COtherPage(CZarn2App& app, COptionServices& services, QWidget* parent)
    : COptionPage(parent),
      m_pApp(&app),
      m_services(services),
      m_EditFont(OptionFont(12)),
      m_ButtonFont(OptionFont(10)),
      m_pFilerEdit(new CCaretStartEdit(this)),
      m_pFilerBrowse(new QPushButton(QStringLiteral("参 照"), this)),
      m_pSubstEdit(new QLineEdit(this)),
      m_pSubstBrowse(new QPushButton(QStringLiteral("参 照"), this))
{
    m_pFilerEdit->setObjectName(QStringLiteral("filerEdit"));
    m_pFilerBrowse->setObjectName(QStringLiteral("filerBrowse"));
    m_pSubstEdit->setObjectName(QStringLiteral("substEdit"));
    m_pSubstBrowse->setObjectName(QStringLiteral("substBrowse"));
    m_pFilerEdit->setMaxLength(kMaxPathChars);
    m_pSubstEdit->setMaxLength(kMaxPathChars);
    m_pFilerFrame = Frame("【 フ ァ イ ラ 登 録 】", m_pFilerEdit, m_pFilerBrowse, this);
    m_pSubstFrame = Frame("【 ド ラ イ ブ 割 り 付 け 】", m_pSubstEdit, m_pSubstBrowse, this);
    m_pFilerEdit->setFont(m_EditFont);
    m_pSubstEdit->setFont(m_EditFont);
    m_pFilerBrowse->setFont(m_ButtonFont);
    m_pSubstBrowse->setFont(m_ButtonFont);
    m_pFilerFrame->setFont(m_ButtonFont);
    connect(m_pFilerBrowse, &QPushButton::clicked, this, &COtherPage::OnFilerBrowse);
    connect(m_pSubstBrowse, &QPushButton::clicked, this, &COtherPage::OnSubstBrowse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pFilerFrame);
    layout->addWidget(m_pSubstFrame);
    layout->addStretch(1);
}

void COtherPage::OnInitDialog()
{
    m_pFilerEdit->setText(QString::fromStdString(m_pApp->Filer));
    m_pSubstEdit->setText(QString::fromStdString(m_pApp->SUBST));
    m_pFilerEdit->setCursorPosition(0);
    m_pSubstEdit->setCursorPosition(0);
}

// The chosen file only fills the box; the setting follows on OK. A path the settings file
// cannot hold is refused rather than cut.
void COtherPage::OnFilerBrowse()
{
    if (!m_services.fileChooser)
        return;
    std::optional<QString> path = m_services.fileChooser->OpenFile(this, QString::fromUtf8(kFilerFilter));
    if (!path || !Storable(*path))
        return;
    m_pFilerEdit->setText(QDir::toNativeSeparators(*path));
}

// The chosen folder is stored at once (it takes effect at the next start).
void COtherPage::OnSubstBrowse()
{
    if (!m_services.fileChooser)
        return;
    QString start = m_pSubstEdit->text();
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    std::optional<QString> folder = m_services.fileChooser->Folder(this, QString::fromUtf8(kFolderTitle), start);
    if (!folder || !Storable(*folder))
        return;
    m_pApp->SUBST = folder->toStdString();
    m_pSubstEdit->setText(*folder);
}

bool COtherPage::OnKillActive()
{
    return Storable(m_pFilerEdit->text()) && Storable(m_pSubstEdit->text());
}

void COtherPage::OnOK()
{
    m_pApp->Filer = m_pFilerEdit->text().toStdString();
    m_pApp->SUBST = m_pSubstEdit->text().toStdString();
}
