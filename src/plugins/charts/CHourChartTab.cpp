#include "charts/CHourChartTab.h"

#include "charts/CHourGridView.h"
#include "charts/ChartParts.h"

#include <QComboBox>
#include <QVBoxLayout>

CHourChartTab::CHourChartTab(QWidget* parent)
    : CChartTab(parent), m_choice(ChartParts::NewChoice(this, {"このタイトル", "全タイトル"})),
      m_grid(new CHourGridView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_choice, 0, Qt::AlignLeft);
    layout->addWidget(m_grid, 1);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &CChartTab::ChoiceChanged);
}

bool CHourChartTab::WholeLibrary() const
{
    return m_choice->currentIndex() == 1;
}

void CHourChartTab::Fill(IChartData& figures)
{
    const auto& figure = figures.Hours(WholeLibrary());
    if (Take(figure))
        m_grid->SetGrid(figure.values);
}

QString CHourChartTab::Scope() const
{
    return WholeLibrary() ? ChartParts::LibraryScope() : FigureScope();
}

QString CHourChartTab::Note() const
{
    return QStringLiteral("曜日と時刻ごとのプレイ時間です (色が濃いほど長い). 時刻や日をまたいだプレイは, "
                          "またいだ時間帯に分けて数えます. 夏時間の切り替えをまたいだプレイは実際の経過時間で"
                          "数え, 時計を戻した日に 2 度ある時刻に始めたプレイは 1 度目 (戻す前) とみなします.");
}
