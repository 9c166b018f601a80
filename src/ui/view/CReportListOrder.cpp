#include "view/CReportListOrder.h"

#include "view/CReportList.h"

CReportListOrder::CReportListOrder(CReportList* list, std::function<int()> refill)
    : m_pList(list), m_refill(std::move(refill))
{
}

int CReportListOrder::TopIndex() const { return m_pList->TopIndex(); }

int CReportListOrder::CountPerPage() const { return m_pList->CountPerPage(); }

int CReportListOrder::Refill() { return m_refill ? m_refill() : -1; }
