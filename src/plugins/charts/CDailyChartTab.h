#pragma once

#include "charts/CChartTab.h"

#include <QFont>

#include <vector>

class QBarCategoryAxis;
class QChartView;
class QComboBox;

// 日別: the current title's play time per day of the last 30 days, per week of the last
// 12 weeks or per month of the last 12 months, as bars in hours; each bar's exact time
// is its tooltip.
class CDailyChartTab final : public CChartTab {
    Q_OBJECT
public:
    explicit CDailyChartTab(QWidget* parent = nullptr);

    void Fill(IChartData& figures) override;
    QString Scope() const override { return FigureScope(); }
    QString Note() const override;

    const std::vector<PeriodBar>& Bars() const { return m_bars; }
    // The tooltip of bar `index`: its period and its exact time.
    QString Tip(int index) const;
    QComboBox* Choice() const { return m_choice; }
    // The face the period labels are drawn in at the tab's present width.
    QFont LabelFace() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PlayFigures::Period ChosenPeriod() const;
    QString Label(const CivilTime::Date& first) const;
    void Plot();
    void FitLabels();

    QComboBox* m_choice;
    QChartView* m_view = nullptr;  // made when first drawn
    QBarCategoryAxis* m_periods = nullptr;
    QFont m_labelFace;  // the period labels' face at full size
    std::vector<PeriodBar> m_bars;
};
