#pragma once

#include "charts/CChartTab.h"

#include <cstdint>
#include <vector>

class QChartView;
class QComboBox;

// ランキング: the 20 titles with the most play time in the whole library or in the current
// genre, as horizontal bars in hours, each labelled with its genre and its total.
class CRankingChartTab final : public CChartTab {
    Q_OBJECT
public:
    static constexpr std::size_t kTitles = 20;

    struct Row {
        QString title;
        QString genre;
        std::int64_t seconds = 0;
    };

    explicit CRankingChartTab(QWidget* parent = nullptr);

    void Fill(ChartSource& source) override;
    QString Scope(const LibraryShape& library) const override;
    QString Note() const override;

    // The ranked titles, most played first.
    const std::vector<Row>& Rows() const { return m_rows; }
    QComboBox* Choice() const { return m_choice; }

private:
    bool WholeLibrary() const;
    void Plot();

    QComboBox* m_choice;
    QChartView* m_view;
    std::vector<Row> m_rows;
};
