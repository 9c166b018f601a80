#include "dialogs/CGroupOrderDlg.h"

#include "library/CZarn2Doc.h"

CGroupOrderDlg::CGroupOrderDlg(CZarn2Doc* doc, IOrderedList* groupList, QWidget* parent)
    : COrderDlg(doc, groupList, qRgb(250, 255, 240), parent)
{
}

int CGroupOrderDlg::Current(int& count) const
{
    count = m_pDoc->CheckGroups();
    if (count < 1)
        return -1;
    return m_pDoc->m_nCurrGroup;
}

void CGroupOrderDlg::Exchange(int i, int j) { m_pDoc->SwapGroups(i, j); }

void CGroupOrderDlg::MakeCurrent(int t)
{
    if (m_pDoc->CheckGroupIndex(t) >= 0)
        m_pDoc->m_nCurrGroup = t;
}
