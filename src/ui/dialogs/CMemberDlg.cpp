#include "dialogs/CMemberDlg.h"

#include "app/CZarn2App.h"
#include "app/WindowHints.h"
#include "dialogs/CDropEdit.h"
#include "dialogs/DialogLayout.h"
#include "platform/DesktopEntry.h"
#include "platform/IMessenger.h"
#include "platform/IShellOpen.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using DialogLayout::Place;

namespace {
QString ToQ(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

CMemberDlg::CMemberDlg(CZarn2App* app, QWidget* parent)
    : QDialog(parent), m_pApp(app), m_chooser(&CMemberDlg::DefaultChooser)
{
    CreateControls();
}

void CMemberDlg::CreateControls()
{
    setWindowTitle(QStringLiteral("メンバーの登録"));
    setFont(DialogLayout::ShellFont(8.0));
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 322, 161));
    QFont font10 = DialogLayout::GothicFont(10.0);

    auto* nameLabel = new QLabel(QStringLiteral("【　ゲ　ー　ム　登　録　名　】"), this);
    Place(nameLabel, 10, 10, 174, 15);
    m_pName = new QLineEdit(this);
    Place(m_pName, 12, 25, 172, 15);
    auto* exeLabel = new QLabel(QStringLiteral("【　実 行　フ　ァ　イ　ル　】"), this);
    Place(exeLabel, 6, 60, 174, 12);
    m_pExePath = new CDropEdit(this);
    Place(m_pExePath, 12, 72, 148, 12);
    m_pBrowseExe = new QPushButton(QStringLiteral("参 照"), this);
    Place(m_pBrowseExe, 156, 72, 30, 14);
    auto* iconLabel = new QLabel(QStringLiteral("【　参　照　ア　イ　コ　ン　】"), this);
    Place(iconLabel, 12, 96, 178, 12);
    m_pIconPath = new CDropEdit(this);
    Place(m_pIconPath, 12, 108, 148, 12);
    m_pBrowseIcon = new QPushButton(QStringLiteral("参 照"), this);
    Place(m_pBrowseIcon, 156, 108, 30, 12);

    Place(new QGroupBox(QStringLiteral("メディア"), this), 198, 6, 116, 40);
    m_pUseMedia = new QCheckBox(QStringLiteral("CD/DVDを使用する"), this);
    Place(m_pUseMedia, 210, 18, 92, 20);
    Place(new QGroupBox(QStringLiteral("時間測定"), this), 198, 54, 116, 40);
    m_pAuto = new QRadioButton(QStringLiteral("自動"), this);
    Place(m_pAuto, 206, 68, 48, 18);
    m_pManual = new QRadioButton(QStringLiteral("手動"), this);
    Place(m_pManual, 254, 68, 48, 18);
    m_pFiler = new QPushButton(QStringLiteral("ファイラー起動"), this);
    Place(m_pFiler, 216, 102, 96, 18);
    m_pOk = new QPushButton(QStringLiteral("O K"), this);
    Place(m_pOk, 174, 132, 60, 16);
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Place(m_pCancel, 252, 132, 60, 16);

    // The browse buttons keep the dialog's own font.
    for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, exeLabel, iconLabel, m_pName,
                                                      m_pExePath, m_pIconPath, m_pUseMedia, m_pAuto,
                                                      m_pManual, m_pFiler, m_pOk, m_pCancel})
        w->setFont(font10);

    connect(m_pBrowseExe, &QPushButton::clicked, this, &CMemberDlg::OnBrowseExe);
    connect(m_pBrowseIcon, &QPushButton::clicked, this, &CMemberDlg::OnBrowseIcon);
    connect(m_pFiler, &QPushButton::clicked, this, &CMemberDlg::OnFiler);
    connect(m_pExePath, &CDropEdit::Dropped, this, &CMemberDlg::SuggestName);
    connect(m_pExePath, &QLineEdit::editingFinished, this, &CMemberDlg::SuggestName);
    connect(m_pOk, &QPushButton::clicked, this, &CMemberDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CMemberDlg::reject);
}

void CMemberDlg::SetData(const std::string& caption, const std::string& name,
                         const std::string& exePath, const std::string& iconPath, int autoTiming,
                         int useMedia)
{
    m_szCaption = caption;
    m_szName = name;
    m_szExePath = exePath;
    m_szIconPath = iconPath;
    m_nAutoTiming = autoTiming;
    m_nUseMedia = useMedia;
}

void CMemberDlg::InitDialog()
{
    setWindowTitle(ToQ(m_szCaption));
    m_pName->setText(ToQ(m_szName));
    m_pExePath->setText(ToQ(m_szExePath));
    m_pIconPath->setText(ToQ(m_szIconPath));
    m_pAuto->setChecked(m_nAutoTiming != 0);
    m_pManual->setChecked(m_nAutoTiming == 0);
    m_pUseMedia->setChecked(m_nUseMedia != 0);
    SuggestName();
}

void CMemberDlg::SuggestName()
{
    const std::string program = m_pExePath->text().toStdString();
    if (!m_pName->text().isEmpty() || !DesktopEntry::IsEntryPath(program))
        return;
    if (std::optional<DesktopEntry> entry = DesktopEntry::Read(program))
        m_pName->setText(ToQ(entry->Name()));
}

int CMemberDlg::exec()
{
    InitDialog();
    return QDialog::exec();
}

QStringList CMemberDlg::ExeFilters()
{
    // Programs on Linux rarely end in ".exe": the last entry shows every file.
    return {QStringLiteral("ゲームタイトル(*.exe) (*.exe *.EXE)"),
            QStringLiteral("全てのファイル(*.*) (*)")};
}

QStringList CMemberDlg::IconFilters()
{
    return {QStringLiteral("アイコン(*.ico,*.exe) (*.ico *.exe *.ICO *.EXE)"),
            QStringLiteral("全てのファイル(*.*) (*)")};
}

QString CMemberDlg::DefaultChooser(QWidget* parent, const QStringList& filters)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The pattern part of each filter is not shown: the names carry their own.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void CMemberDlg::OnBrowseExe()
{
    QString path = m_chooser(this, ExeFilters());
    if (path.isEmpty())
        return;
    m_pExePath->setText(path);
    if (m_pIconPath->text().isEmpty())
        m_pIconPath->setText(path);
    SuggestName();
}

void CMemberDlg::OnBrowseIcon()
{
    QString path = m_chooser(this, IconFilters());
    if (!path.isEmpty())
        m_pIconPath->setText(path);
}

void CMemberDlg::OnFiler()
{
    // The result is not looked at; the dialog stays open.
    if (m_pApp != nullptr)
        ShellOpen::Start(m_pApp->Filer, std::string());
}

void CMemberDlg::ReadControls()
{
    m_szName = m_pName->text().toStdString();
    m_szExePath = m_pExePath->text().toStdString();
    m_szIconPath = m_pIconPath->text().toStdString();
    m_nAutoTiming = m_pAuto->isChecked() ? 1 : 0;
    m_nUseMedia = m_pUseMedia->isChecked() ? 1 : 0;
}

void CMemberDlg::accept()
{
    ReadControls();
    if (m_szName.empty()) {
        Messenger::Show("タイトル名が入力されていません.");
        return;
    }
    if (m_szExePath.empty()) {
        Messenger::Show("ゲームパスが入力されていません.");
        return;
    }
    if (m_szIconPath.empty()) {
        Messenger::Show("アイコンパスが入力されていません.");
        return;
    }
    QDialog::accept();
}
