#pragma once

#include "dialogs/IOrderedList.h"

#include <functional>

class CReportList;

// One of the main view's lists as a reorder dialog sees it: the list's page and the view's
// function that rebuilds it (FillGroupList or FillMemberList).
class CReportListOrder final : public IOrderedList {
public:
    CReportListOrder(CReportList* list, std::function<int()> refill);

    int TopIndex() const override;
    int CountPerPage() const override;
    int Refill() override;

private:
    CReportList* m_pList;
    std::function<int()> m_refill;
};
