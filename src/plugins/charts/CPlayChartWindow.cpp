#include "charts/CPlayChartWindow.h"

#include "charts/CCumulativeChartTab.h"
#include "charts/CDailyChartTab.h"
#include "charts/CHourChartTab.h"
#include "charts/CRankingChartTab.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// What the desktop's title bar and borders are taken to add before the window shows.
constexpr QMargins kFrameAllowance{8, 36, 8, 8};

QString Coverage(const ChartCoverage& coverage)
{
    QString text =
        QStringLiteral(
            "日付はプレイを始めた日 (この PC の時刻) です. ログに記録されたプレイ %1 回から集計しています")
            .arg(coverage.plays);
    if (coverage.skipped > 0)
        text += QStringLiteral(" (壊れた記録 %1 件は除いています)").arg(coverage.skipped);
    return text + QStringLiteral(".");
}

// Sets a label's text only when it changed (a new text lays the window out again).
void SetText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

}  // namespace

CPlayChartWindow::CPlayChartWindow(IChartData& figures, QWidget* parent)
    : QWidget(parent, Qt::Window), m_figures(figures), m_tabs(new QTabWidget(this)),
      m_pages{new CDailyChartTab, new CRankingChartTab, new CHourChartTab, new CCumulativeChartTab},
      m_footnote(new QLabel(this)), m_unreadable(new QLabel(this))
{
    const char* const names[] = {"日別", "ランキング", "時間帯", "推移"};
    for (size_t i = 0; i < m_pages.size(); ++i) {
        m_tabs->addTab(m_pages[i], QString::fromUtf8(names[i]));
        connect(m_pages[i], &CChartTab::ChoiceChanged, this, &CPlayChartWindow::Refresh);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPlayChartWindow::ShowTab);
    m_footnote->setWordWrap(true);
    m_footnote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_unreadable->setWordWrap(true);
    m_unreadable->setStyleSheet(QStringLiteral("color: #b00000"));
    m_unreadable->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_footnote);
    layout->addWidget(m_unreadable);
    FitOnScreen();
}

// As large as every chart wants, at most the screen's available area less the window's
// frame (a laptop's screen at twice the scale has 960 x 540 or less), centred over the main
// window, then moved no further than needed to lie whole on the screen; the desktop may
// still place it elsewhere.
void CPlayChartWindow::FitOnScreen()
{
    // At least 720 x 520, and as tall as every chart wants (the ranking's 20 rows).
    const QSize wanted(720, std::max(520, sizeHint().height()));
    QScreen* shown = screen();
    if (shown == nullptr) {
        resize(wanted);
        return;
    }
    const QRect area = shown->availableGeometry();
    resize(wanted.boundedTo(area.size().shrunkBy(kFrameAllowance)));
    QRect frame(QPoint(), size().grownBy(kFrameAllowance));
    frame.moveCenter(parentWidget() ? parentWidget()->frameGeometry().center() : area.center());
    move(std::max(std::min(frame.x(), area.right() + 1 - frame.width()), area.left()),
         std::max(std::min(frame.y(), area.bottom() + 1 - frame.height()), area.top()));
}

void CPlayChartWindow::Refresh()
{
    ShowTab(m_tabs->currentIndex());
}

void CPlayChartWindow::ShowTab(int index)
{
    if (index < 0)
        return;
    CChartTab* tab = m_pages[static_cast<size_t>(index)];
    tab->Fill(m_figures);
    QString scope = tab->Scope();
    QString title =
        scope.isEmpty() ? QStringLiteral("プレイ グラフ") : QStringLiteral("プレイ グラフ - ") + scope;
    if (windowTitle() != title)
        setWindowTitle(title);
    const ChartCoverage& coverage = tab->Coverage();
    KeepFootnoteHeight();
    SetText(m_footnote, FootnoteOf(*tab));
    QStringList unreadable;
    for (const std::string& name : coverage.unreadable)
        unreadable << QString::fromStdString(name);
    SetText(m_unreadable, QStringLiteral("読めなかったログ (集計から除いています) : ") +
                              unreadable.join(QStringLiteral(", ")));
    m_unreadable->setVisible(!unreadable.isEmpty());
}

QString CPlayChartWindow::FootnoteOf(const CChartTab& tab)
{
    return tab.Note() + QLatin1Char(' ') + Coverage(tab.Coverage());
}

// The footnote keeps the height of the tallest tab's note at the window's width, so that
// showing another tab does not lay its chart out again for a footnote of another height.
// A hidden window's footnote has not been laid out: measured at its placeholder width, the
// notes would take many lines and push the window past its default size when shown.
void CPlayChartWindow::KeepFootnoteHeight()
{
    if (!isVisible())
        return;  // the show measures
    QStringList notes;
    for (const CChartTab* tab : m_pages)
        notes << FootnoteOf(*tab);
    const QRect room(0, 0, m_footnote->contentsRect().width(), 1 << 20);
    if (notes == m_measuredNotes && room.width() == m_measuredWidth)
        return;  // laying the texts out costs more than a switch should
    m_measuredNotes = notes;
    m_measuredWidth = room.width();
    int tallest = 0;
    for (const QString& note : notes)
        tallest = std::max(tallest, m_footnote->fontMetrics().boundingRect(room, Qt::TextWordWrap, note).height());
    if (m_footnote->minimumHeight() != tallest)
        m_footnote->setMinimumHeight(tallest);
}

void CPlayChartWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    KeepFootnoteHeight();
}

void CPlayChartWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    KeepFootnoteHeight();
}

void CPlayChartWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
