#pragma once

#include "stats/IChartData.h"

#include <QWidget>

#include <cstdint>
#include <vector>

// The ranking as horizontal bars in hours, most played on top, painted by hand so that every
// bar keeps its label at any size the window can take: rank, title and genre on the left
// (long names shortened with an ellipsis, the whole text in the tooltip), the total at the
// bar's end, and an axis of hours below.
class CRankingView final : public QWidget {
    Q_OBJECT
public:
    // The most titles shown: the room the view never goes below.
    static constexpr int kRows = static_cast<int>(IChartData::kRankedTitles);

    struct Row {
        QString title;
        QString genre;
        std::int64_t seconds = 0;
    };
    // Where and what one row is drawn at the current size.
    struct Line {
        QRect label;
        QString text;  // rank, title and genre, shortened to the label's width
        QRect bar;
        QRect total;
        QString totalText;
    };

    // A tick of the hours axis: its line's place and its label under the plot.
    struct Tick {
        int x = 0;
        QRect label;
        QString text;
    };

    explicit CRankingView(QWidget* parent = nullptr);

    void SetRows(std::vector<Row> rows);
    const std::vector<Row>& Rows() const { return m_rows; }
    std::vector<Line> Lines() const { return Lines(Layout()); }
    std::vector<Tick> Ticks() const { return Ticks(Layout()); }
    // Row `index` in full: rank, title, genre and total.
    QString Tip(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Frame {
        QRect plot;         // where the bars go
        double pitch = 0;   // height of a row
        int labelWidth = 0;
        double hours = 1;   // the axis's end
        double step = 1;    // between its ticks
    };
    Frame Layout() const;
    std::vector<Line> Lines(const Frame& frame) const;
    std::vector<Tick> Ticks(const Frame& frame) const;
    QString Fit(int index, int width) const;
    int RowAt(const QPoint& point) const;

    std::vector<Row> m_rows;
};
