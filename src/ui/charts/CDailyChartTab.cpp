#include "charts/CDailyChartTab.h"

#include "charts/ChartParts.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include <QComboBox>
#include <QCursor>
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
                             this, {"最近 30 日 (日ごと)", "最近 12 週 (週ごと)", "最近 12 か月 (月ごと)"})),
      m_view(ChartParts::NewChartView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choice, 0, Qt::AlignLeft);
    layout->addWidget(m_view, 1);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &CChartTab::ChoiceChanged);
}

Period CDailyChartTab::ChosenPeriod() const
{
    return Chosen(m_choice).period;
}

void CDailyChartTab::Fill(ChartSource& source)
{
    const PeriodChoice& choice = Chosen(m_choice);
    static const std::vector<Play> kNone;
    const LogPlays* plays = nullptr;
    if (const LibraryTitle* title = source.library.CurrentTitle())
        plays = source.pass.Read(*source.library.CurrentGenre(), *title);
    m_totals =
        PlayFigures::PeriodTotals(plays ? plays->plays : kNone, choice.period, source.today, choice.count);
    Plot();
}

void CDailyChartTab::Plot()
{
    QChart* chart = m_view->chart();
    ChartParts::Clear(chart);
    auto* bars = new QBarSet(QString());
    QStringList labels;
    double most = 0;
    for (const PlayFigures::PeriodTotal& total : m_totals) {
        double hours = ChartParts::Hours(total.seconds);
        *bars << hours;
        most = std::max(most, hours);
        labels << Label(total.firstDay);
    }
    auto* series = new QBarSeries;
    series->append(bars);
    series->setBarWidth(0.8);
    chart->addSeries(series);
    auto* days = new QBarCategoryAxis;
    days->setTruncateLabels(false);
    days->append(labels);
    if (ChosenPeriod() == Period::Day)
        days->setLabelsAngle(-90);
    chart->addAxis(days, Qt::AlignBottom);
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

QString CDailyChartTab::Label(std::int64_t firstDay) const
{
    CivilTime::Date date = CivilTime::DateOf(firstDay);
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
    if (index < 0 || static_cast<size_t>(index) >= m_totals.size())
        return QString();
    const PlayFigures::PeriodTotal& total = m_totals[static_cast<size_t>(index)];
    CivilTime::Date date = CivilTime::DateOf(total.firstDay);
    QString when = QStringLiteral("%1/%2/%3")
                       .arg(date.year)
                       .arg(date.month, 2, 10, QLatin1Char('0'))
                       .arg(date.day, 2, 10, QLatin1Char('0'));
    if (ChosenPeriod() == Period::Week)
        when += QStringLiteral(" からの週");
    else if (ChosenPeriod() == Period::Month)
        when = QStringLiteral("%1/%2").arg(date.year).arg(date.month, 2, 10, QLatin1Char('0'));
    return when + QStringLiteral("  ") + ChartParts::Hms(total.seconds);
}

QString CDailyChartTab::Scope(const LibraryShape& library) const
{
    return ChartParts::TitleScope(library);
}

QString CDailyChartTab::Note() const
{
    return QStringLiteral("現在のタイトルのプレイ時間です. 1 回のプレイは始めた日に数えます (週は月曜から).");
}
