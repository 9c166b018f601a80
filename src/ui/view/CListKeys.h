#pragma once

class CReportList;
class CZarn2View;

// What the keys do in the three lists of the main view. Each handler answers whether the
// key is taken: a taken key never reaches the list itself, so the list cannot move its own
// selection away from the library's current genre and title.
class CListKeys {
public:
    explicit CListKeys(CZarn2View& view) : m_view(view) {}

    // Genre list: moves the current genre (saved at once) or refreshes the titles.
    bool GroupKey(int key);
    // Title list: moves the current title, plays it, or leaves for a neighbouring list.
    bool MemberKey(int key);
    // History list: Space switches the history mode, Left goes back to the titles; the
    // other keys are the list's own (they only move its marked row).
    bool HistoryKey(int key);

    // Where a moved-to row lands in the list's page.
    enum class Scroll { Visible, ToTop, ToBottom };
    // Makes `row` the current genre or title with its row marked and in view.
    void GoToGroup(int row, Scroll scroll = Scroll::Visible);
    void GoToMember(int row, Scroll scroll = Scroll::Visible);
    // Starts the current title by its genre's play mode (0 with history, 1 without).
    void PlayByMode();

private:
    static Scroll ScrollFor(int key);
    void Refresh();

    CZarn2View& m_view;
};
