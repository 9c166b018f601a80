#include "charts/CRankingChartTab.h"

#include "charts/ChartParts.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"
#include "stats/PlayFigures.h"

#include <QComboBox>
#include <QCursor>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

CRankingChartTab::CRankingChartTab(QWidget* parent)
    : CChartTab(parent), m_choice(ChartParts::NewChoice(this, {"全ジャンル", "現在のジャンル"})),
      m_view(ChartParts::NewChartView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choice, 0, Qt::AlignLeft);
    layout->addWidget(m_view, 1);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &CChartTab::ChoiceChanged);
}

bool CRankingChartTab::WholeLibrary() const
{
    return m_choice->currentIndex() != 1;
}

void CRankingChartTab::Fill(ChartSource& source)
{
    struct Entry {
        const LibraryGenre* genre;
        const LibraryTitle* title;
    };
    std::vector<Entry> entries;
    std::vector<std::int64_t> totals;
    for (const LibraryGenre& genre : source.library.genres) {
        if (!WholeLibrary() && &genre != source.library.CurrentGenre())
            continue;
        for (const LibraryTitle& title : genre.titles) {
            const LogPlays* plays = source.pass.Read(genre, title);
            entries.push_back({&genre, &title});
            totals.push_back(plays ? plays->total : 0);
        }
    }
    m_rows.clear();
    for (std::size_t i : PlayFigures::Top(totals, kTitles))
        m_rows.push_back({QString::fromStdString(entries[i].title->name),
                          QString::fromStdString(entries[i].genre->name), totals[i]});
    Plot();
}

void CRankingChartTab::Plot()
{
    QChart* chart = m_view->chart();
    ChartParts::Clear(chart);
    auto* bars = new QBarSet(QString());
    QStringList labels;
    // The bars run from the bottom up: the most played title goes last to stand on top.
    for (auto row = m_rows.rbegin(); row != m_rows.rend(); ++row) {
        *bars << ChartParts::Hours(row->seconds);
        labels << QStringLiteral("%1. %2 (%3)  %4")
                      .arg(m_rows.rend() - row)
                      .arg(row->title, row->genre, ChartParts::Hms(row->seconds));
    }
    auto* series = new QHorizontalBarSeries;
    series->append(bars);
    series->setBarWidth(0.7);
    chart->addSeries(series);
    auto* titles = new QBarCategoryAxis;
    titles->setTruncateLabels(false);
    titles->append(labels);
    chart->addAxis(titles, Qt::AlignLeft);
    QValueAxis* hours = ChartParts::HoursAxis(m_rows.empty() ? 0 : ChartParts::Hours(m_rows.front().seconds));
    chart->addAxis(hours, Qt::AlignBottom);
    series->attachAxis(titles);
    series->attachAxis(hours);
    connect(series, &QHorizontalBarSeries::hovered, this, [this, labels](bool on, int index) {
        if (on && index >= 0 && index < labels.size())
            QToolTip::showText(QCursor::pos(), labels[index], m_view);
        else
            QToolTip::hideText();
    });
}

QString CRankingChartTab::Scope(const LibraryShape& library) const
{
    if (WholeLibrary())
        return ChartParts::LibraryScope();
    const LibraryGenre* genre = library.CurrentGenre();
    return genre ? QString::fromStdString(genre->name) : QString();
}

QString CRankingChartTab::Note() const
{
    return WholeLibrary() ? QStringLiteral("全ジャンルのタイトルの合計プレイ時間の上位 20 本です.")
                          : QStringLiteral("現在のジャンルのタイトルの合計プレイ時間の上位 20 本です.");
}
