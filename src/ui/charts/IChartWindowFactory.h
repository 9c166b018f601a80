#pragma once

#include <QtPlugin>

class IChartData;
class QWidget;

// The play chart window as the launcher sees it. The window lives in a module of its own
// (libzarn2-charts.so, the only part of the program that links Qt Charts), loaded the first
// time it is opened.
class IChartWindow {
public:
    virtual QWidget* Widget() = 0;
    // Draws the shown tab again from the figures; the other tabs when they are next shown.
    // A chart whose figures kept their version is not drawn again.
    virtual void Refresh() = 0;

protected:
    ~IChartWindow() = default;
};

// What the module gives: the window over the launcher's figures. The module links no part
// of the launcher; everything it draws comes through IChartData, so no state of the
// launcher (a seam above all) has a second copy in the module.
class IChartWindowFactory {
public:
    virtual ~IChartWindowFactory() = default;
    // A new window, a top-level window owned by `parent`; `data` outlives it.
    virtual IChartWindow* NewWindow(IChartData& data, QWidget* parent) = 0;
};

#define ZARN2_CHART_WINDOW_FACTORY_IID "org.zarn2.Zarn2.ChartWindowFactory/1"
Q_DECLARE_INTERFACE(IChartWindowFactory, ZARN2_CHART_WINDOW_FACTORY_IID)
