#pragma once

#include "charts/IChartWindowFactory.h"

#include <QStringList>
#include <QWidget>

#include <array>

class CChartTab;
class IChartData;
class QLabel;
class QTabWidget;

// The play chart window: four tabs of charts drawn from the launcher's figures (per day,
// ranking, hour of the week, cumulative), a footnote saying what the figures cover and a
// line naming the logs that could not be read. Not modal; Esc or the close box closes it.
// Showing a tab (and Refresh, for the shown one) takes that tab's figures, which are drawn
// again only when their version changed.
class CPlayChartWindow final : public QWidget, public IChartWindow {
    Q_OBJECT
public:
    CPlayChartWindow(IChartData& figures, QWidget* parent);

    QWidget* Widget() override { return this; }
    void Refresh() override;
    QTabWidget* Tabs() const { return m_tabs; }
    CChartTab* Tab(int index) const { return m_pages[static_cast<size_t>(index)]; }
    QLabel* Footnote() const { return m_footnote; }
    QLabel* UnreadableLine() const { return m_unreadable; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static QString FootnoteOf(const CChartTab& tab);
    void ShowTab(int index);
    void KeepFootnoteHeight();
    void FitOnScreen();

    IChartData& m_figures;
    QTabWidget* m_tabs;
    std::array<CChartTab*, 4> m_pages;
    QLabel* m_footnote;
    QLabel* m_unreadable;
    QStringList m_measuredNotes;  // the notes and the width the footnote's height was found for
    int m_measuredWidth = -1;
};
