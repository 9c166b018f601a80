#include "view/CListInput.h"

#include "app/CommandIds.h"
#include "view/CHistoryList.h"
#include "view/CReportList.h"
#include "view/CZarn2View.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Tab and Backtab move between the controls: the window's own keys, passed on.
bool IsFocusKey(const QKeyEvent& event) { return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab; }

// Keys pressed with Alt belong to the menu bar (which sees them first); the lists do
// nothing with them, and they must not move a list's rows either.
bool IsMenuKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Alt || event.key() == Qt::Key_AltGr ||
           (event.modifiers() & Qt::AltModifier) != 0;
}

}  // namespace

CListInput::CListInput(CZarn2View& view) : QObject(&view), m_view(view), m_keys(view)
{
    for (Which which : {Which::Group, Which::Member}) {
        CReportList* list = ReportList(which);
        m_watched.push_back({list, which});
        m_watched.push_back({list->viewport(), which});
    }
    // The history list keeps its own mouse handling: a click only moves its marked row.
    m_watched.push_back({m_view.m_listHistory, Which::History});
    for (const Watched& watched : m_watched)
        watched.object->installEventFilter(this);
}

CListInput::Which CListInput::ListOf(QObject* watched) const
{
    for (const Watched& candidate : m_watched)
        if (candidate.object == watched)
            return candidate.list;
    return Which::None;
}

CReportList* CListInput::ReportList(Which which) const
{
    return which == Which::Group ? m_view.m_listGroup : m_view.m_listMember;
}

bool CListInput::eventFilter(QObject* watched, QEvent* event)
{
    Which list = ListOf(watched);
    if (list == Which::None)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return OnKey(list, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return list != Which::History && OnMouse(list, static_cast<QMouseEvent*>(event));
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
        // The context menu opens on the right button press; typed text does not search
        // the rows (that would move the list away from the current genre or title).
        return list != Which::History;
    default:
        return false;
    }
}

// The genre and title lists take every button event: the list never moves its selection
// by itself (not even by dragging over the rows).
bool CListInput::OnMouse(Which list, QMouseEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        return event->buttons() != Qt::NoButton;
    if (m_view.m_bBusy || event->type() == QEvent::MouseButtonRelease)
        return true;
    if (event->type() == QEvent::MouseButtonPress)
        return OnPress(list, event);
    // A double click starts the current title; the genre list has none of its own.
    if (list == Which::Member && event->button() == Qt::LeftButton)
        m_keys.PlayByMode();
    return true;
}

bool CListInput::OnPress(Which which, QMouseEvent* event)
{
    bool genres = which == Which::Group;
    CReportList* list = ReportList(which);
    if (event->button() == Qt::RightButton) {
        // The menu's commands act on the current genre and title, whatever row is under
        // the cursor.
        m_view.ShowPopupMenu(genres ? CommandId::kMenuGroup : CommandId::kMenuMember,
                             event->globalPosition().toPoint());
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return true;
    // A click on a row marks it; a click below the rows keeps the mark where it was.
    QModelIndex index = list->indexAt(event->position().toPoint());
    if (index.isValid())
        list->SelectRow(index.row());
    int mark = list->SelectionMark();
    if (mark < 0)
        return true;
    if (genres)
        m_view.OnGroupClicked(mark);
    else
        m_view.OnMemberClicked(mark);
    return true;
}

bool CListInput::OnKey(Which list, QKeyEvent* event)
{
    if (IsFocusKey(*event))
        return false;
    if (list == Which::History) {
        if (IsMenuKey(*event))
            return false;
        bool own = event->key() == Qt::Key_Space || event->key() == Qt::Key_Left;
        if (m_view.m_bBusy)
            return own;
        return m_keys.HistoryKey(event->key());
    }
    if (m_view.m_bBusy || IsMenuKey(*event))
        return true;
    if (list == Which::Group)
        return m_keys.GroupKey(event->key());
    return m_keys.MemberKey(event->key());
}
