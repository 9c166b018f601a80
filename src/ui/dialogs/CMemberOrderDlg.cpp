#include "dialogs/CMemberOrderDlg.h"

#include "library/CZarn2Doc.h"

CMemberOrderDlg::CMemberOrderDlg(CZarn2Doc* doc, IOrderedList* memberList, QWidget* parent)
    : COrderDlg(doc, memberList, qRgb(235, 250, 240), parent)
{
}

int CMemberOrderDlg::exec()
{
    if (m_pDoc == nullptr || m_pList == nullptr)
        return QDialog::Rejected;
    return COrderDlg::exec();
}

int CMemberOrderDlg::Current(int& count) const
{
    count = 0;
    const CGroup* group = m_pDoc->CurrGroup();
    if (group == nullptr)
        return -1;
    count = group->Check();
    if (count < 1)
        return -1;
    return group->m_nCurrMember;
}

void CMemberOrderDlg::Exchange(int i, int j) { m_pDoc->SwapMembers(i, j); }

void CMemberOrderDlg::MakeCurrent(int t) { m_pDoc->SetCurrMember(t); }
