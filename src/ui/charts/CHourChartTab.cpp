#include "charts/CHourChartTab.h"

#include "charts/CHourGridView.h"
#include "charts/ChartParts.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace {

void AddPlays(PlayFigures::HourGrid& grid, const LogPlays* plays)
{
    if (plays == nullptr)
        return;
    const PlayFigures::HourGrid& own = plays->Grid();
    for (size_t weekday = 0; weekday < grid.size(); ++weekday)
        for (size_t hour = 0; hour < grid[weekday].size(); ++hour)
            grid[weekday][hour] += own[weekday][hour];
}

}  // namespace

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

void CHourChartTab::Fill(ChartSource& source)
{
    PlayFigures::HourGrid grid{};
    if (WholeLibrary()) {
        for (const LibraryGenre& genre : source.library.genres)
            for (const LibraryTitle& title : genre.titles)
                AddPlays(grid, source.pass.Read(genre, title));
    } else if (const LibraryTitle* title = source.library.CurrentTitle()) {
        AddPlays(grid, source.pass.Read(*source.library.CurrentGenre(), *title));
    }
    m_grid->SetGrid(grid);
}

QString CHourChartTab::Scope(const LibraryShape& library) const
{
    return WholeLibrary() ? ChartParts::LibraryScope() : ChartParts::TitleScope(library);
}

QString CHourChartTab::Note() const
{
    return QStringLiteral("曜日と時刻ごとのプレイ時間です (色が濃いほど長い). 時刻や日をまたいだプレイは, "
                          "またいだ時間帯に分けて数えます.");
}
