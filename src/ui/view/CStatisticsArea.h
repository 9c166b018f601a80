#pragma once

#include <QString>

#include <cstdint>
#include <string>

class CMember;
class CPlayHistory;
class CHistoryList;
class CZarn2Doc;
class QLabel;
class QLineEdit;
class QWidget;

// The lower part of the main view: five labelled figures of the current title's play
// history (mode, last session or day, total, average, count) and the history list, by
// session (history mode 0) or by day (any other mode).
class CStatisticsArea {
public:
    // Creates the controls on `view` at their places.
    explicit CStatisticsArea(QWidget* view);

    // Initial texts, the history list's colours and columns (once the list has its size).
    void Setup(int historyMode);
    // Headings and the two mode-dependent labels.
    void SetModeTexts(int historyMode);
    // Rereads the current title's log and shows its figures and rows; the list and the
    // figures stay empty when there is no title, no log or no session. The list lets go
    // of the history it showed before the log is read again.
    void Refresh(CZarn2Doc& doc, int historyMode);
    // Titles changed slots without a refresh (reordering genres or titles, moving a
    // title): the history list follows the title it shows to its new slot, reading its
    // log again where the change let go of its history, and shows nothing once the title
    // is gone. The figures stay as they are.
    void FollowShownTitle(CZarn2Doc& doc);

    // Whether row `i` of `history` may be read: 1, or 0 after its numbered message.
    static int CheckRow(int i, const CPlayHistory& history);

    QLabel* m_labelMode;     // 1050
    QLabel* m_labelLast;     // 1005
    QLabel* m_labelTotal;    // 1006
    QLabel* m_labelAverage;  // 1008
    QLabel* m_labelCount;    // 1009
    QLineEdit* m_editMode;     // 1034
    QLineEdit* m_editLast;     // 1011
    QLineEdit* m_editTotal;    // 1012
    QLineEdit* m_editAverage;  // 1013
    QLineEdit* m_editCount;    // 1014
    CHistoryList* m_listHistory;  // 1016

private:
    // The texts of the last, average, total and count fields (all empty for none).
    struct Figures {
        QString last;
        QString average;
        QString total;
        QString count;
    };
    Figures Read(CZarn2Doc& doc, int historyMode);
    void ShowFigures(const Figures& figures, int historyMode);
    void ShowRows(const CMember& member, int historyMode);
    void MarkLastRow(int rows);

    // The title whose rows the history list shows (nullptr for none): its slot, the read
    // of its log the rows come from, the log itself, and the mode of the rows.
    const CMember* m_pShown = nullptr;
    std::uint64_t m_nShownRead = 0;
    std::string m_shownLog;
    int m_nShownMode = 0;
};
