#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class LocalZone;
class LogReadPass;
struct LibraryShape;

// What every tab of the play chart window takes its figures from.
struct ChartSource {
    const LibraryShape& library;
    LogReadPass& pass;
    LocalZone& zone;
    std::int64_t today;  // the local day number of today
};

// One tab of the play chart window: a chart over the current title, the current genre or
// the whole library, with the choice the tab offers.
class CChartTab : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void Fill(ChartSource& source) = 0;
    // What the figures are of: a title's or a genre's name, "全タイトル", or empty when
    // there is nothing to show.
    virtual QString Scope(const LibraryShape& library) const = 0;
    // The tab's part of the window's footnote.
    virtual QString Note() const = 0;

Q_SIGNALS:
    // The user changed the tab's choice: the figures are to be filled again.
    void ChoiceChanged();
};
