#pragma once

#include "commands/IViewRefresh.h"

#include <string>
#include <vector>

// Records the refresh steps in order.
class RecordingView final : public IViewRefresh {
public:
    int FillGroupList() override
    {
        steps.push_back("groups");
        return 0;
    }
    int FillMemberList() override
    {
        steps.push_back("titles");
        return 0;
    }
    void UpdateStatistics() override { steps.push_back("stats"); }
    void SetGroupSelectionMark(int row) override { steps.push_back("group mark " + std::to_string(row)); }
    void SetMemberSelectionMark(int row) override { steps.push_back("title mark " + std::to_string(row)); }
    std::vector<std::string> steps;
};
