#pragma once

// What the library commands ask of the main view after they changed the library: rebuild
// the genre or title list from it, refresh the statistics of the current title, and put a
// list's selection mark on a row. The main view implements it.
class IViewRefresh {
public:
    virtual ~IViewRefresh() = default;
    // The current genre index, or -1.
    virtual int FillGroupList() = 0;
    // The current title index, or -1.
    virtual int FillMemberList() = 0;
    virtual void UpdateStatistics() = 0;
    // Selects and focuses `row` of the list (-1 clears the selection).
    virtual void SetGroupSelectionMark(int row) = 0;
    virtual void SetMemberSelectionMark(int row) = 0;
};
