#include "charts/CCumulativeChartTab.h"

#include "charts/ChartParts.h"
#include "platform/LocalZone.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include <QDateTime>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

namespace {

// The chart's time axis counts milliseconds of real time.
qreal Milliseconds(std::int64_t localSeconds, LocalZone& zone)
{
    return static_cast<qreal>(localSeconds - zone.OffsetAt(localSeconds)) * 1000.0;
}

}  // namespace

CCumulativeChartTab::CCumulativeChartTab(QWidget* parent)
    : CChartTab(parent), m_view(ChartParts::NewChartView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
}

void CCumulativeChartTab::Fill(ChartSource& source)
{
    m_points.clear();
    if (const LibraryTitle* title = source.library.CurrentTitle()) {
        if (const LogPlays* plays = source.pass.Read(*source.library.CurrentGenre(), *title))
            m_points = PlayFigures::Cumulative(plays->plays);
    }
    Plot(source.zone);
}

void CCumulativeChartTab::Plot(LocalZone& zone)
{
    QChart* chart = m_view->chart();
    ChartParts::Clear(chart);
    auto* line = new QLineSeries;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(m_points.size()));
    for (const PlayFigures::CumulativePoint& point : m_points)
        points.append(QPointF(Milliseconds(point.at, zone), ChartParts::Hours(point.total)));
    line->replace(points);
    chart->addSeries(line);
    auto* time = new QDateTimeAxis;
    time->setTruncateLabels(false);
    time->setFormat(QStringLiteral("yyyy/MM/dd"));
    time->setTickCount(5);
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

QString CCumulativeChartTab::Scope(const LibraryShape& library) const
{
    return ChartParts::TitleScope(library);
}

QString CCumulativeChartTab::Note() const
{
    return QStringLiteral("現在のタイトルの, 最初のプレイからの合計プレイ時間です.");
}
