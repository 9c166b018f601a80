#pragma once

#include "charts/CChartTab.h"

class CHourGridView;
class QComboBox;

// 時間帯: when this person plays, as a weekday × hour grid of the current title's or the
// whole library's play time.
class CHourChartTab final : public CChartTab {
    Q_OBJECT
public:
    explicit CHourChartTab(QWidget* parent = nullptr);

    void Fill(IChartData& figures) override;
    QString Scope() const override;
    QString Note() const override;

    CHourGridView* GridView() const { return m_grid; }
    QComboBox* Choice() const { return m_choice; }

private:
    bool WholeLibrary() const;

    QComboBox* m_choice;
    CHourGridView* m_grid;
};
