#include "charts/CHourGridView.h"

#include "charts/ChartParts.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLabelWidth = 28;
constexpr int kLabelHeight = 20;
constexpr int kMargin = 8;
const char* const kWeekdays[7] = {"月", "火", "水", "木", "金", "土", "日"};

}  // namespace

CHourGridView::CHourGridView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(kLabelWidth + 24 * 14 + 2 * kMargin, kLabelHeight + 7 * 14 + 2 * kMargin);
    setMouseTracking(true);
}

void CHourGridView::SetGrid(const PlayFigures::HourGrid& grid)
{
    m_grid = grid;
    m_most = 0;
    for (const auto& row : m_grid)
        m_most = std::max(m_most, *std::max_element(row.begin(), row.end()));
    update();
}

QRect CHourGridView::GridRect() const
{
    return rect().adjusted(kMargin + kLabelWidth, kMargin + kLabelHeight, -kMargin, -kMargin);
}

QRectF CHourGridView::CellRect(int weekday, int hour) const
{
    QRect grid = GridRect();
    double width = grid.width() / 24.0;
    double height = grid.height() / 7.0;
    return QRectF(grid.left() + hour * width, grid.top() + weekday * height, width, height);
}

bool CHourGridView::CellAt(const QPoint& point, int& weekday, int& hour) const
{
    QRect grid = GridRect();
    if (!grid.contains(point) || grid.width() <= 0 || grid.height() <= 0)
        return false;
    hour = std::min(23, (point.x() - grid.left()) * 24 / grid.width());
    weekday = std::min(6, (point.y() - grid.top()) * 7 / grid.height());
    return true;
}

QColor CHourGridView::CellColour(std::int64_t seconds) const
{
    if (seconds <= 0 || m_most <= 0)
        return Qt::white;
    // A square root spreads the colours, so a few long nights do not wash out the rest.
    double share = std::sqrt(static_cast<double>(seconds) / static_cast<double>(m_most));
    const QColor none(0xe8, 0xf0, 0xfb);
    const QColor most(0x1f, 0x4e, 0x9e);
    auto mix = [share](int a, int b) { return a + static_cast<int>(std::lround((b - a) * share)); };
    return QColor(mix(none.red(), most.red()), mix(none.green(), most.green()),
                  mix(none.blue(), most.blue()));
}

QString CHourGridView::Tip(int weekday, int hour) const
{
    return QStringLiteral("%1曜 %2時台  %3")
        .arg(QString::fromUtf8(kWeekdays[weekday]))
        .arg(hour)
        .arg(ChartParts::Hms(m_grid[static_cast<size_t>(weekday)][static_cast<size_t>(hour)]));
}

void CHourGridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().color(QPalette::Mid));
    for (int weekday = 0; weekday < 7; ++weekday)
        for (int hour = 0; hour < 24; ++hour) {
            QRectF cell = CellRect(weekday, hour);
            painter.fillRect(cell,
                             CellColour(m_grid[static_cast<size_t>(weekday)][static_cast<size_t>(hour)]));
            painter.drawRect(cell);
        }
    painter.setPen(palette().color(QPalette::Text));
    QRect grid = GridRect();
    for (int weekday = 0; weekday < 7; ++weekday) {
        QRectF cell = CellRect(weekday, 0);
        painter.drawText(QRectF(kMargin, cell.top(), kLabelWidth - 4, cell.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(kWeekdays[weekday]));
    }
    for (int hour = 0; hour < 24; hour += 3) {
        QRectF cell = CellRect(0, hour);
        painter.drawText(QRectF(cell.left(), kMargin, cell.width() * 2, grid.top() - kMargin),
                         Qt::AlignLeft | Qt::AlignBottom, QString::number(hour));
    }
}

bool CHourGridView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        int weekday = 0;
        int hour = 0;
        if (CellAt(help->pos(), weekday, hour))
            QToolTip::showText(help->globalPos(), Tip(weekday, hour), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
