#pragma once

#include "commands/IDialogRunner.h"
#include "import/GameImport.h"
#include "import/PlayImport.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Answers the dialogs from queues (an empty queue or nullopt cancels) and records every
// dialog shown with what it was shown with.
class ScriptedDialogs final : public IDialogRunner {
public:
    struct Shown {
        std::string kind;
        std::string caption;
        GroupDlgValues group;
        MemberDlgValues member;
        std::vector<int> selected;  // the play log dialog's chosen rows
    };

    bool RunGroupDlg(const std::string& caption, GroupDlgValues& values) override
    {
        shown.push_back({"group", caption, values, {}, {}});
        std::optional<GroupDlgValues> answer = Next(groupAnswers);
        if (answer)
            values = *answer;
        return answer.has_value();
    }
    bool RunMemberDlg(const std::string& caption, MemberDlgValues& values) override
    {
        shown.push_back({"member", caption, {}, values, {}});
        std::optional<MemberDlgValues> answer = Next(memberAnswers);
        if (answer)
            values = *answer;
        return answer.has_value();
    }
    bool RunMemberMoveDlg(CZarn2Doc* doc, int& destGroup) override
    {
        shown.push_back({"move", "", {}, {}, {}});
        moveDoc = doc;
        std::optional<int> answer = Next(moveAnswers);
        if (answer)
            destGroup = *answer;
        return answer.has_value();
    }
    void RunGroupOrderDlg(CZarn2Doc* doc) override
    {
        shown.push_back({"group order", "", {}, {}, {}});
        if (onOrder)
            onOrder(doc);
    }
    void RunMemberOrderDlg(CZarn2Doc* doc) override
    {
        shown.push_back({"member order", "", {}, {}, {}});
        if (onOrder)
            onOrder(doc);
    }

    bool RunPlayLogDlg(const std::string& caption, PlayLogEdit& edit, const std::vector<int>& selected) override
    {
        shown.push_back({"play log", caption, {}, {}, selected});
        std::optional<std::function<bool(PlayLogEdit&)>> answer = Next(playLogAnswers);
        return answer && *answer && (*answer)(edit);
    }

    bool RunImportGamesDlg(const GameImport& import, ImportChoice& choice) override
    {
        shown.push_back({"import games", "", {}, {}, {}});
        importPlans.push_back(import.Plan(choice));
        std::optional<std::function<bool(const GameImport&, ImportChoice&)>> answer = Next(importAnswers);
        if (!answer || !*answer || !(*answer)(import, choice))
            return false;
        // The dialog shows the plan of the choice it gives, unless the answer said what it showed.
        if (choice.shown.empty())
            choice.shown = import.Plan(choice);
        return true;
    }
    std::string ChooseExportFile() override
    {
        shown.push_back({"choose export", "", {}, {}, {}});
        std::optional<std::string> answer = Next(exportFiles);
        return answer.value_or("");
    }
    bool RunImportPlaysDlg(const std::string& file, std::vector<PlayImportRow>& rows) override
    {
        shown.push_back({"import plays", file, {}, {}, {}});
        playRows.push_back(rows);
        std::optional<std::function<bool(std::vector<PlayImportRow>&)>> answer = Next(playImportAnswers);
        return answer && *answer && (*answer)(rows);
    }

    std::vector<Shown> shown;
    std::deque<std::optional<GroupDlgValues>> groupAnswers;
    std::deque<std::optional<MemberDlgValues>> memberAnswers;
    std::deque<std::optional<int>> moveAnswers;
    // Each edits the play log as the user would and answers whether OK was pressed.
    std::deque<std::optional<std::function<bool(PlayLogEdit&)>>> playLogAnswers;
    // Each ticks games and picks the genre as the user would and answers whether OK was pressed.
    std::deque<std::optional<std::function<bool(const GameImport&, ImportChoice&)>>> importAnswers;
    std::vector<std::vector<PlannedTitle>> importPlans;  // what each import dialog showed first
    std::deque<std::optional<std::string>> exportFiles;
    std::deque<std::optional<std::function<bool(std::vector<PlayImportRow>&)>>> playImportAnswers;
    std::vector<std::vector<PlayImportRow>> playRows;  // what each play import dialog showed
    std::function<void(CZarn2Doc*)> onOrder;
    CZarn2Doc* moveDoc = nullptr;

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};
