#pragma once

#include <string>
#include <vector>

class CZarn2Doc;
class GameImport;
class PlayLogEdit;
struct ImportChoice;
struct PlayImportRow;

// The values of the genre dialog.
struct GroupDlgValues {
    std::string name;
    int playMode = 0;  // 0 play with history, 1 play without
};

// The values of the title dialog.
struct MemberDlgValues {
    std::string name;
    std::string exePath;
    std::string iconPath;
    int autoTiming = 1;  // 1 automatic, 0 manual
    int useMedia = 0;    // 1 the title uses its CD/DVD
};

// Runs the editing dialogs for the library commands, modally, one dialog per call. The
// running program shows the real dialogs (QtDialogRunner); tests answer from a script.
class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    // The genre dialog, starting from `values`; true when the user confirmed, `values`
    // then holding what the user left in it.
    virtual bool RunGroupDlg(const std::string& caption, GroupDlgValues& values) = 0;
    // The title dialog, starting from `values`; true when the user confirmed valid values,
    // which are then in `values`.
    virtual bool RunMemberDlg(const std::string& caption, MemberDlgValues& values) = 0;
    // The move dialog over the genres of `doc`; true with the chosen genre in `destGroup`.
    virtual bool RunMemberMoveDlg(CZarn2Doc* doc, int& destGroup) = 0;
    // The reorder dialogs: they change `doc` and rebuild the view's list themselves.
    virtual void RunGroupOrderDlg(CZarn2Doc* doc) = 0;
    virtual void RunMemberOrderDlg(CZarn2Doc* doc) = 0;
    // The play log dialog over `edit` with the plays of rows `selected` chosen; true when the
    // user confirmed, `edit` then holding the user's changes.
    virtual bool RunPlayLogDlg(const std::string& caption, PlayLogEdit& edit, const std::vector<int>& selected) = 0;
    // The import dialog over the games `import` found, starting from `choice`; true when
    // the user confirmed, `choice` then holding the ticked games and the genre. What it
    // shows of a choice is `import.Plan(choice)`.
    virtual bool RunImportGamesDlg(const GameImport& import, ImportChoice& choice) = 0;
    // The export file to bring plays back from; "" when the user cancelled.
    virtual std::string ChooseExportFile() = 0;
    // The play import dialog over the titles of `file`; true when the user confirmed,
    // `rows` then holding which missing titles are to be made.
    virtual bool RunImportPlaysDlg(const std::string& file, std::vector<PlayImportRow>& rows) = 0;
};
