#pragma once

#include "charts/CChartTab.h"
#include "stats/PlayFigures.h"

#include <vector>

class QChartView;

// 推移: the current title's play time added up over its whole history, as a line.
class CCumulativeChartTab final : public CChartTab {
    Q_OBJECT
public:
    explicit CCumulativeChartTab(QWidget* parent = nullptr);

    void Fill(ChartSource& source) override;
    QString Scope(const LibraryShape& library) const override;
    QString Note() const override;

    const std::vector<PlayFigures::CumulativePoint>& Points() const { return m_points; }

private:
    void Plot(LocalZone& zone);

    QChartView* m_view;
    std::vector<PlayFigures::CumulativePoint> m_points;
};
