#pragma once

#include "charts/CChartTab.h"

#include <vector>

class QChartView;
class QDateTimeAxis;

// 推移: the current title's play time added up over its whole history, as steps: flat
// where nothing was played, rising through each play.
class CCumulativeChartTab final : public CChartTab {
    Q_OBJECT
public:
    explicit CCumulativeChartTab(QWidget* parent = nullptr);

    void Fill(IChartData& figures) override;
    QString Scope() const override { return FigureScope(); }
    QString Note() const override;

    const std::vector<PlayFigures::CumulativePoint>& Points() const { return m_points; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Plot();
    int DateTicks() const;

    QChartView* m_view = nullptr;  // made when first drawn
    QDateTimeAxis* m_time = nullptr;
    std::vector<PlayFigures::CumulativePoint> m_points;
};
