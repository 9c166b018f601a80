#include "view/CListKeys.h"

#include "app/CommandIds.h"
#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "view/CHistoryList.h"
#include "view/CReportList.h"
#include "view/CZarn2View.h"

#include <QPoint>

#include <algorithm>

namespace {

// Where the Ctrl key opens a list's context menu, from the list's top left corner.
const QPoint kGroupMenuOffset(150, 50);
const QPoint kMemberMenuOffset(300, 50);

QPoint MenuPoint(const CReportList& list, const QPoint& offset) { return list.mapToGlobal(QPoint(0, 0)) + offset; }

}  // namespace

// Paging keeps the row that was reached at the page's edge, so that the next press pages on.
CListKeys::Scroll CListKeys::ScrollFor(int key)
{
    if (key == Qt::Key_PageDown)
        return Scroll::ToTop;
    if (key == Qt::Key_PageUp)
        return Scroll::ToBottom;
    return Scroll::Visible;
}

bool CListKeys::GroupKey(int key)
{
    if (!m_view.HasGroups())
        return true;
    CReportList* list = m_view.m_listGroup;
    if (CReportList::IsNavigationKey(key)) {
        int row = list->KeyTarget(key, m_view.m_pDoc->GetGroupCount());
        if (row >= 0)
            GoToGroup(row, ScrollFor(key));
        return true;
    }
    switch (key) {
    case Qt::Key_Control:
        m_view.ShowPopupMenu(CommandId::kMenuGroup, MenuPoint(*list, kGroupMenuOffset));
        Refresh();
        return true;
    case Qt::Key_Right:
        m_view.m_listMember->setFocus();
        Refresh();
        return true;
    default:
        Refresh();
        return true;
    }
}

bool CListKeys::MemberKey(int key)
{
    CReportList* list = m_view.m_listMember;
    int count = m_view.m_pDoc->GetMemberCount();
    if (CReportList::IsNavigationKey(key)) {
        int row = list->KeyTarget(key, count);
        if (row >= 0)
            GoToMember(row, ScrollFor(key));
        return true;
    }
    switch (key) {
    case Qt::Key_Control:
        m_view.ShowPopupMenu(CommandId::kMenuMember, MenuPoint(*list, kMemberMenuOffset));
        return true;
    case Qt::Key_Space:
        if (count > 0)
            PlayByMode();
        return true;
    case Qt::Key_Left: {
        // Back to the genres: the genre list's marked row is (again) the current genre.
        // The titles are not rebuilt.
        CZarn2Doc* doc = m_view.m_pDoc;
        doc->SelectGroup(m_view.m_listGroup->SelectionMark());
        m_view.m_listGroup->viewport()->update();
        m_view.m_listGroup->setFocus();
        return true;
    }
    case Qt::Key_Right:
        m_view.m_listHistory->setFocus();
        return true;
    default:
        return true;
    }
}

bool CListKeys::HistoryKey(int key)
{
    switch (key) {
    case Qt::Key_Space:
        if (m_view.HasMembers()) {
            if (m_view.m_pApp->HistoryMode == 0)
                m_view.SetDateMode();
            else
                m_view.SetCountMode();
        }
        return true;
    case Qt::Key_Left:
        m_view.m_listMember->setFocus();
        return true;
    default:
        return false;
    }
}

namespace {

void ScrollTo(CReportList* list, int row, CListKeys::Scroll scroll)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (item == nullptr)
        return;
    QAbstractItemView::ScrollHint hint = QAbstractItemView::EnsureVisible;
    if (scroll == CListKeys::Scroll::ToTop)
        hint = QAbstractItemView::PositionAtTop;
    else if (scroll == CListKeys::Scroll::ToBottom)
        hint = QAbstractItemView::PositionAtBottom;
    list->scrollToItem(item, hint);
}

}  // namespace

void CListKeys::GoToGroup(int row, Scroll scroll)
{
    m_view.m_listGroup->SelectRow(row);
    ScrollTo(m_view.m_listGroup, row, scroll);
    m_view.OnGroupClicked(row);
}

void CListKeys::GoToMember(int row, Scroll scroll)
{
    m_view.m_listMember->SelectRow(row);
    ScrollTo(m_view.m_listMember, row, scroll);
    m_view.OnMemberClicked(row);
}

void CListKeys::PlayByMode()
{
    switch (m_view.m_pDoc->GetPlayMode()) {
    case 0:
        m_view.OnPlayRecorded();
        break;
    case 1:
        m_view.OnPlayUnrecorded();
        break;
    default:
        break;
    }
}

void CListKeys::Refresh()
{
    m_view.FillMemberList();
    m_view.UpdateStatistics();
}
