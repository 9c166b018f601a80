#pragma once

#include "commands/IDialogRunner.h"

class CZarn2App;
class IOrderedList;
class QWidget;

// Runs the real editing dialogs over `parent` (the main view). The reorder dialogs move
// entries of the view's genre and title lists, reached through `groupList` and
// `memberList`.
class QtDialogRunner final : public IDialogRunner {
public:
    QtDialogRunner(QWidget* parent, CZarn2App* app, IOrderedList* groupList,
                   IOrderedList* memberList);

    bool RunGroupDlg(const std::string& caption, GroupDlgValues& values) override;
    bool RunMemberDlg(const std::string& caption, MemberDlgValues& values) override;
    bool RunMemberMoveDlg(CZarn2Doc* doc, int& destGroup) override;
    void RunGroupOrderDlg(CZarn2Doc* doc) override;
    void RunMemberOrderDlg(CZarn2Doc* doc) override;
    bool RunPlayLogDlg(const std::string& caption, PlayLogEdit& edit, const std::vector<int>& selected) override;
    bool RunImportGamesDlg(const GameImport& import, ImportChoice& choice) override;
    std::string ChooseExportFile() override;
    bool RunImportPlaysDlg(const std::string& file, std::vector<PlayImportRow>& rows) override;

private:
    QWidget* m_pParent;
    CZarn2App* m_pApp;
    IOrderedList* m_pGroupList;
    IOrderedList* m_pMemberList;
};
