#include "view/QtDialogRunner.h"

#include "dialogs/CGroupDlg.h"
#include "dialogs/CGroupOrderDlg.h"
#include "dialogs/CImportGamesDlg.h"
#include "dialogs/CImportPlaysDlg.h"
#include "dialogs/CMemberDlg.h"
#include "dialogs/CMemberMoveDlg.h"
#include "dialogs/CMemberOrderDlg.h"
#include "dialogs/CPlayLogDlg.h"
#include "history/PlayLogEdit.h"
#include "view/ViewPointers.h"

#include <QDir>
#include <QFileDialog>

QtDialogRunner::QtDialogRunner(QWidget* parent, CZarn2App* app, IOrderedList* groupList,
                               IOrderedList* memberList)
    : m_pParent(parent), m_pApp(app), m_pGroupList(groupList), m_pMemberList(memberList)
{
}

bool QtDialogRunner::RunGroupDlg(const std::string& caption, GroupDlgValues& values)
{
    CGroupDlg dlg(m_pParent);
    dlg.m_szCaption = caption;
    dlg.m_szName = values.name;
    dlg.m_nPlayMode = values.playMode;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values.name = dlg.m_szName;
    values.playMode = dlg.m_nPlayMode;
    return true;
}

bool QtDialogRunner::RunMemberDlg(const std::string& caption, MemberDlgValues& values)
{
    CMemberDlg dlg(m_pApp, m_pParent);
    dlg.SetData(caption, values.name, values.exePath, values.iconPath, values.autoTiming,
                values.useMedia);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = MemberDlgValues{dlg.m_szName, dlg.m_szExePath, dlg.m_szIconPath, dlg.m_nAutoTiming,
                             dlg.m_nUseMedia};
    return true;
}

bool QtDialogRunner::RunMemberMoveDlg(CZarn2Doc* doc, int& destGroup)
{
    g_pMoveDoc = doc;
    CMemberMoveDlg dlg(doc, m_pParent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    destGroup = dlg.m_nSelGroup;
    return true;
}

void QtDialogRunner::RunGroupOrderDlg(CZarn2Doc* doc)
{
    CGroupOrderDlg dlg(doc, m_pGroupList, m_pParent);
    dlg.exec();
}

void QtDialogRunner::RunMemberOrderDlg(CZarn2Doc* doc)
{
    CMemberOrderDlg dlg(doc, m_pMemberList, m_pParent);
    dlg.exec();
}

bool QtDialogRunner::RunPlayLogDlg(const std::string& caption, PlayLogEdit& edit, const std::vector<int>& selected)
{
    CPlayLogDlg dlg(edit, m_pParent);
    dlg.setWindowTitle(QString::fromStdString(caption));
    // Without a choice the last play is chosen, as the history list marks its last row.
    int last = static_cast<int>(edit.Rows().size()) - 1;
    dlg.Select(selected.empty() && last >= 0 ? std::vector<int>{last} : selected);
    return dlg.exec() == QDialog::Accepted;
}

bool QtDialogRunner::RunImportGamesDlg(const GameImport& import, ImportChoice& choice)
{
    CImportGamesDlg dlg(import, choice, m_pParent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    choice = dlg.Choice();
    return true;
}

std::string QtDialogRunner::ChooseExportFile()
{
    QFileDialog dialog(m_pParent, QStringLiteral("プレイ記録の取り込み"), QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("プレイ記録 (*.csv *.json)"), QStringLiteral("全てのファイル (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

bool QtDialogRunner::RunImportPlaysDlg(const std::string& file, std::vector<PlayImportRow>& rows)
{
    CImportPlaysDlg dlg(file, rows, m_pParent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    rows = dlg.Rows();
    return true;
}
