#include "charts/CDailyChartTab.h"

#include "charts/ChartParts.h"

#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <algorithm>

using PlayFigures::Period;

namespace {

struct PeriodChoice {
    Period period;
    int count;
};
constexpr PeriodChoice kChoices[] = {{Period::Day, 30}, {Period::Week, 12}, {Period::Month, 12}};

const PeriodChoice& Chosen(const QComboBox* box)
{
    return kChoices[static_cast<size_t>(std::clamp(box->currentIndex(), 0, int(std::size(kChoices)) - 1))];
}

}  // namespace

CDailyChartTab::CDailyChartTab(QWidget* parent)
    : CChartTab(parent), m_choice(ChartParts::NewChoice(
                             this, {"最近 30 日 (日ごと)", "最近 12 週 (週ごと)", "最近 12 か月 (月ごと)"}))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choice, 0, Qt::AlignLeft);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &CChartTab::ChoiceChanged);
}

Period CDailyChartTab::ChosenPeriod() const
{
    return Chosen(m_choice).period;
}

void CDailyChartTab::Fill(IChartData& figures)
{
    const PeriodChoice& choice = Chosen(m_choice);
    const auto& figure = figures.Periods(choice.period, choice.count);
    if (!Take(figure))
        return;
    m_bars = figure.values;
    Plot();
}

void CDailyChartTab::Plot()
{
    QChart* chart = ChartParts::ChartIn(m_view, this, false);
    ChartParts::Clear(chart);
    m_periods = nullptr;
    auto* bars = new QBarSet(QString());
    QStringList labels;
    double most = 0;
    for (const PeriodBar& bar : m_bars) {
        double hours = ChartParts::Hours(bar.seconds);
        *bars << hours;
        most = std::max(most, hours);
        labels << Label(bar.first);
    }
    auto* series = new QBarSeries;
    series->append(bars);
    series->setBarWidth(0.8);
    chart->addSeries(series);
    auto* days = new QBarCategoryAxis;
    days->setTruncateLabels(false);
    days->setGridLineVisible(false);  // the bars stand apart well enough
    days->append(labels);
    chart->addAxis(days, Qt::AlignBottom);
    m_periods = days;
    m_labelFace = days->labelsFont();
    FitLabels();
    QValueAxis* hours = ChartParts::HoursAxis(most);
    chart->addAxis(hours, Qt::AlignLeft);
    series->attachAxis(days);
    series->attachAxis(hours);
    connect(series, &QBarSeries::hovered, this, [this](bool on, int index) {
        if (on)
            QToolTip::showText(QCursor::pos(), Tip(index), m_view);
        else
            QToolTip::hideText();
    });
}

// Every bar keeps its label at any width: labels stand upright when they do not fit side by
// side (the 30 days always), and get a smaller face when even upright ones would touch.
void CDailyChartTab::FitLabels()
{
    if (m_view == nullptr || m_periods == nullptr || m_periods->count() == 0)
        return;
    const QFontMetrics metrics(m_labelFace);
    // The chart's frame and margins and the hours' labels take about this much of the view.
    const int plotWidth = m_view->width() - metrics.horizontalAdvance(QStringLiteral("0.5 h")) - 50;
    const int perBar = std::max(1, plotWidth / m_periods->count() - 1);
    int widest = 0;
    for (const QString& label : m_periods->categories())
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const bool upright = ChosenPeriod() == Period::Day || widest + metrics.averageCharWidth() > perBar;
    if (m_periods->labelsAngle() != (upright ? -90 : 0))
        m_periods->setLabelsAngle(upright ? -90 : 0);
    QFont face = m_labelFace;
    if (upright && metrics.height() > perBar && face.pointSizeF() > 0)
        face.setPointSizeF(std::max(5.0, face.pointSizeF() * perBar / metrics.height()));
    if (m_periods->labelsFont() != face)
        m_periods->setLabelsFont(face);
}

QFont CDailyChartTab::LabelFace() const
{
    return m_periods != nullptr ? m_periods->labelsFont() : m_labelFace;
}

void CDailyChartTab::resizeEvent(QResizeEvent* event)
{
    CChartTab::resizeEvent(event);
    FitLabels();
}

QString CDailyChartTab::Label(const CivilTime::Date& date) const
{
    switch (ChosenPeriod()) {
    case Period::Day:
        return QStringLiteral("%1/%2").arg(date.month).arg(date.day);
    case Period::Week:
        return QStringLiteral("%1/%2〜").arg(date.month).arg(date.day);
    case Period::Month:
        return QStringLiteral("%1/%2").arg(date.year).arg(date.month, 2, 10, QLatin1Char('0'));
    }
    return QString();
}

QString CDailyChartTab::Tip(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_bars.size())
        return QString();
    const PeriodBar& bar = m_bars[static_cast<size_t>(index)];
    const CivilTime::Date& date = bar.first;
    QString when = QStringLiteral("%1/%2/%3")
                       .arg(date.year)
                       .arg(date.month, 2, 10, QLatin1Char('0'))
                       .arg(date.day, 2, 10, QLatin1Char('0'));
    if (ChosenPeriod() == Period::Week)
        when += QStringLiteral(" からの週");
    else if (ChosenPeriod() == Period::Month)
        when = QStringLiteral("%1/%2").arg(date.year).arg(date.month, 2, 10, QLatin1Char('0'));
    return when + QStringLiteral("  ") + ChartParts::Hms(bar.seconds);
}

QString CDailyChartTab::Note() const
{
    return QStringLiteral("現在のタイトルのプレイ時間です. 1 回のプレイは始めた日に数えます (週は月曜から).");
}
