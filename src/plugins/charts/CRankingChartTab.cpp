#include "charts/CRankingChartTab.h"

#include "charts/ChartParts.h"

#include <QComboBox>
#include <QVBoxLayout>

CRankingChartTab::CRankingChartTab(QWidget* parent)
    : CChartTab(parent), m_choice(ChartParts::NewChoice(this, {"全ジャンル", "現在のジャンル"})),
      m_view(new CRankingView(this))
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

void CRankingChartTab::Fill(IChartData& figures)
{
    const auto& figure = figures.Ranking(WholeLibrary());
    if (!Take(figure))
        return;
    std::vector<Row> rows;
    rows.reserve(figure.values.size());
    for (const RankedTitle& ranked : figure.values)
        rows.push_back({QString::fromStdString(ranked.title), QString::fromStdString(ranked.genre), ranked.seconds});
    m_view->SetRows(std::move(rows));
}

QString CRankingChartTab::Scope() const
{
    return WholeLibrary() ? ChartParts::LibraryScope() : FigureScope();
}

QString CRankingChartTab::Note() const
{
    return WholeLibrary() ? QStringLiteral("全ジャンルのタイトルの合計プレイ時間の上位 20 本です.")
                          : QStringLiteral("現在のジャンルのタイトルの合計プレイ時間の上位 20 本です.");
}
