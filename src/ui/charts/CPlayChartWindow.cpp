#include "charts/CPlayChartWindow.h"

#include "charts/CCumulativeChartTab.h"
#include "charts/CDailyChartTab.h"
#include "charts/CHourChartTab.h"
#include "charts/CRankingChartTab.h"
#include "platform/IClock.h"
#include "platform/LocalZone.h"
#include "stats/LibraryShape.h"
#include "stats/LogReadPass.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

std::int64_t Today()
{
    LocalDateTime now = Clock::Get().Now();
    return CivilTime::DayNumber(now.year, now.month, now.day);
}

QString Coverage(const LogReadPass& pass)
{
    QString text =
        QStringLiteral(
            "日付はプレイを始めた日 (この PC の時刻) です. ログに記録されたプレイ %1 回から集計しています")
            .arg(pass.Plays());
    if (pass.Skipped() > 0)
        text += QStringLiteral(" (壊れた記録 %1 件は除いています)").arg(pass.Skipped());
    return text + QStringLiteral(".");
}

}  // namespace

CPlayChartWindow::CPlayChartWindow(CZarn2Doc& doc, PlayLogCache& cache, QWidget* parent)
    : QWidget(parent, Qt::Window), m_doc(doc), m_cache(cache),
      m_tabs(new QTabWidget(this)), m_pages{new CDailyChartTab, new CRankingChartTab, new CHourChartTab,
                                            new CCumulativeChartTab},
      m_footnote(new QLabel(this)), m_unreadable(new QLabel(this))
{
    const char* const names[] = {"日別", "ランキング", "時間帯", "推移"};
    for (size_t i = 0; i < m_pages.size(); ++i) {
        m_tabs->addTab(m_pages[i], QString::fromUtf8(names[i]));
        connect(m_pages[i], &CChartTab::ChoiceChanged, this, &CPlayChartWindow::FillShownTab);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPlayChartWindow::ShowTab);
    m_footnote->setWordWrap(true);
    m_unreadable->setWordWrap(true);
    m_unreadable->setStyleSheet(QStringLiteral("color: #b00000"));
    m_unreadable->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_footnote);
    layout->addWidget(m_unreadable);
    resize(720, 520);
}

void CPlayChartWindow::Refresh()
{
    for (Shown& shown : m_shown)
        shown.stale = true;
    FillShownTab();
}

void CPlayChartWindow::ShowTab(int index)
{
    if (index < 0)
        return;
    const Shown& shown = m_shown[static_cast<size_t>(index)];
    if (shown.stale) {
        FillShownTab();
        return;
    }
    setWindowTitle(shown.title);
    m_footnote->setText(shown.footnote);
    m_unreadable->setText(QStringLiteral("読めなかったログ (集計から除いています) : ") +
                          shown.unreadable.join(QStringLiteral(", ")));
    m_unreadable->setVisible(!shown.unreadable.isEmpty());
}

void CPlayChartWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CPlayChartWindow::FillShownTab()
{
    int index = m_tabs->currentIndex();
    if (index < 0)
        return;
    CChartTab* tab = m_pages[static_cast<size_t>(index)];
    LibraryShape library = LibraryShape::Of(m_doc);
    LogReadPass pass(m_cache);
    LocalZone zone;
    ChartSource source{library, pass, zone, Today()};
    tab->Fill(source);

    Shown& shown = m_shown[static_cast<size_t>(index)];
    shown.stale = false;
    QString scope = tab->Scope(library);
    shown.title =
        scope.isEmpty() ? QStringLiteral("プレイ グラフ") : QStringLiteral("プレイ グラフ - ") + scope;
    shown.footnote = tab->Note() + QLatin1Char(' ') + Coverage(pass);
    shown.unreadable.clear();
    for (const std::string& name : pass.Unreadable())
        shown.unreadable << QString::fromStdString(name);
    ShowTab(index);
}
