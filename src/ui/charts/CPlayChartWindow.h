#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class CChartTab;
class CZarn2Doc;
class PlayLogCache;
class QLabel;
class QTabWidget;

// The play chart window: four tabs of charts drawn from the title logs (per day, ranking,
// hour of the week, cumulative), a footnote saying what the figures cover and a line
// naming the logs that could not be read. Not modal; Esc or the close box closes it.
// Refresh() draws the shown tab again from the library's current genre and title; a tab
// that is not shown is drawn when it is next shown.
class CPlayChartWindow final : public QWidget {
    Q_OBJECT
public:
    CPlayChartWindow(CZarn2Doc& doc, PlayLogCache& cache, QWidget* parent);

    void Refresh();
    QTabWidget* Tabs() const { return m_tabs; }
    CChartTab* Tab(int index) const { return m_pages[static_cast<size_t>(index)]; }
    QLabel* Footnote() const { return m_footnote; }
    QLabel* UnreadableLine() const { return m_unreadable; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What a tab showed when it was last filled: the window's title, footnote and the
    // logs that could not be read go with it.
    struct Shown {
        bool stale = true;
        QString title;
        QString footnote;
        QStringList unreadable;
    };

    void FillShownTab();
    void ShowTab(int index);

    CZarn2Doc& m_doc;
    PlayLogCache& m_cache;
    QTabWidget* m_tabs;
    std::array<CChartTab*, 4> m_pages;
    std::array<Shown, 4> m_shown;
    QLabel* m_footnote;
    QLabel* m_unreadable;
};
