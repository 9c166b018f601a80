#pragma once

#include "stats/PlayFigures.h"

#include <QWidget>

// A weekday × hour grid (Monday on top, hours 0-23 left to right) coloured by the seconds
// played in each cell, from white for none to deep blue for the most; a cell's tooltip
// holds its exact time.
class CHourGridView final : public QWidget {
    Q_OBJECT
public:
    explicit CHourGridView(QWidget* parent = nullptr);

    void SetGrid(const PlayFigures::HourGrid& grid);
    const PlayFigures::HourGrid& Grid() const { return m_grid; }
    // The cell (weekday, hour) at a point of the widget; false outside the grid.
    bool CellAt(const QPoint& point, int& weekday, int& hour) const;
    QString Tip(int weekday, int hour) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect GridRect() const;
    QRectF CellRect(int weekday, int hour) const;
    QColor CellColour(std::int64_t seconds) const;

    PlayFigures::HourGrid m_grid{};
    std::int64_t m_most = 0;
};
