#pragma once

#include "stats/IChartData.h"

#include <QString>
#include <QWidget>

#include <cstdint>

// One tab of the play chart window: a chart over the current title, the current genre or
// the whole library, with the choice the tab offers.
class CChartTab : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Takes the figures of the tab's choice and draws them, unless they are the ones drawn.
    virtual void Fill(IChartData& figures) = 0;
    // What the figures are of: a title's or a genre's name, "全タイトル", or empty when there
    // is nothing to show.
    virtual QString Scope() const = 0;
    // The tab's part of the window's footnote.
    virtual QString Note() const = 0;
    // What the figures drawn were drawn from.
    const ChartCoverage& Coverage() const { return m_coverage; }

Q_SIGNALS:
    // The user changed the tab's choice: the figures are to be filled again.
    void ChoiceChanged();

protected:
    // Keeps the coverage and scope of the figures; false when they are those already drawn.
    template <class Values>
    bool Take(const ChartFigure<Values>& figure)
    {
        if (figure.version == m_version)
            return false;
        m_version = figure.version;
        m_coverage = figure.coverage;
        m_scope = QString::fromStdString(figure.scope);
        return true;
    }
    const QString& FigureScope() const { return m_scope; }

private:
    std::uint64_t m_version = 0;
    ChartCoverage m_coverage;
    QString m_scope;
};
