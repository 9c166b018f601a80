#include "charts/CCumulativeChartTab.h"

#include "charts/ChartParts.h"

#include <QDateTime>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

CCumulativeChartTab::CCumulativeChartTab(QWidget* parent) : CChartTab(parent)
{
    new QVBoxLayout(this);  // the chart goes in when first drawn
}

void CCumulativeChartTab::Fill(IChartData& figures)
{
    const auto& figure = figures.Cumulative();
    if (!Take(figure))
        return;
    m_points = figure.values;
    Plot();
}

void CCumulativeChartTab::Plot()
{
    QChart* chart = ChartParts::ChartIn(m_view, this, true);
    ChartParts::Clear(chart);
    auto* line = new QLineSeries;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(m_points.size()));
    for (const PlayFigures::CumulativePoint& point : m_points)
        points.append(QPointF(static_cast<qreal>(point.at) * 1000.0, ChartParts::Hours(point.total)));
    line->replace(points);
    chart->addSeries(line);
    auto* time = new QDateTimeAxis;
    m_time = time;
    time->setTruncateLabels(false);
    time->setFormat(QStringLiteral("yyyy/MM/dd"));
    time->setTickCount(DateTicks());
    if (points.size() >= 2 && points.front().x() < points.back().x()) {
        time->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(points.front().x())),
                       QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(points.back().x())));
    } else if (!points.isEmpty()) {
        // One moment only: a day around it.
        QDateTime at = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(points.front().x()));
        time->setRange(at.addSecs(-43200), at.addSecs(43200));
    }
    chart->addAxis(time, Qt::AlignBottom);
    QValueAxis* hours =
        ChartParts::HoursAxis(m_points.empty() ? 0 : ChartParts::Hours(m_points.back().total));
    chart->addAxis(hours, Qt::AlignLeft);
    line->attachAxis(time);
    line->attachAxis(hours);
}

// Five dates under the chart, fewer when the tab is too narrow for five side by side.
int CCumulativeChartTab::DateTicks() const
{
    const int room = fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) * 3 / 2;
    const int plotWidth = width() - 2 * room / 3;  // less the hours' labels on the left
    return std::clamp(plotWidth / room + 1, 2, 5);
}

void CCumulativeChartTab::resizeEvent(QResizeEvent* event)
{
    CChartTab::resizeEvent(event);
    if (m_time != nullptr && m_time->tickCount() != DateTicks())
        m_time->setTickCount(DateTicks());
}

QString CCumulativeChartTab::Note() const
{
    return QStringLiteral("現在のタイトルの, 最初のプレイからの合計プレイ時間です.");
}
