#include "charts/CRankingChartTab.h"

#include "charts/ChartParts.h"

#include <QComboBox>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

CRankingChartTab::CRankingChartTab(QWidget* parent)
    : CChartTab(parent), m_choice(ChartParts::NewChoice(this, {"全ジャンル", "現在のジャンル"})),
      m_view(new CRankingView), m_scroller(new QScrollArea(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choice, 0, Qt::AlignLeft);
    // The view never goes below a line of text a row; a window smaller than that (a small
    // screen, twice the scale) scrolls the view rather than growing past the screen.
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setWidgetResizable(true);
    m_scroller->setWidget(m_view);
    layout->addWidget(m_scroller, 1);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &CChartTab::ChoiceChanged);
}

// Room for every row without scrolling, where the screen has it.
QSize CRankingChartTab::sizeHint() const
{
    QSize hint = CChartTab::sizeHint();
    hint.rheight() += std::max(0, m_view->minimumHeight() - m_scroller->sizeHint().height());
    return hint;
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
