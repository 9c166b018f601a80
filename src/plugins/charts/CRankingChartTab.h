#pragma once

#include "charts/CChartTab.h"
#include "charts/CRankingView.h"

#include <vector>

class QComboBox;
class QScrollArea;

// ランキング: the 20 titles with the most play time in the whole library or in the current
// genre, as horizontal bars in hours, each labelled with its genre and its total.
class CRankingChartTab final : public CChartTab {
    Q_OBJECT
public:
    using Row = CRankingView::Row;

    explicit CRankingChartTab(QWidget* parent = nullptr);

    void Fill(IChartData& figures) override;
    QString Scope() const override;
    QString Note() const override;
    QSize sizeHint() const override;

    // The ranked titles, most played first.
    const std::vector<Row>& Rows() const { return m_view->Rows(); }
    CRankingView* View() const { return m_view; }
    QComboBox* Choice() const { return m_choice; }

private:
    bool WholeLibrary() const;

    QComboBox* m_choice;
    CRankingView* m_view;
    QScrollArea* m_scroller;  // holds the view: a window too small for it scrolls it
};
