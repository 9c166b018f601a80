#pragma once

#include "view/CListKeys.h"

#include <QObject>

#include <vector>

class CReportList;
class CZarn2View;
class QKeyEvent;
class QMouseEvent;

// The mouse and the keyboard in the main view's three lists. It sees every click and key
// before the list does (an event filter on each list and on the rows' area of the genre
// and title lists) and writes the user's choice into the library's current genre and
// title at once. While a title runs with history recording (the view's busy flag) clicks
// and keys in the lists do nothing; the rows keep their colours, the column headings stay
// live.
class CListInput : public QObject {
    Q_OBJECT
public:
    explicit CListInput(CZarn2View& view);

    CListKeys& Keys() { return m_keys; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Which { None, Group, Member, History };
    // Which of the view's lists `watched` is, or belongs to (its rows' area).
    Which ListOf(QObject* watched) const;
    CReportList* ReportList(Which which) const;
    bool OnMouse(Which which, QMouseEvent* event);
    bool OnPress(Which which, QMouseEvent* event);
    bool OnKey(Which which, QKeyEvent* event);

    CZarn2View& m_view;
    CListKeys m_keys;
    // The watched lists and their rows' areas, kept apart from the view so that events
    // arriving while the view is torn down are told apart without touching the lists.
    struct Watched {
        QObject* object;
        Which list;
    };
    std::vector<Watched> m_watched;
};
