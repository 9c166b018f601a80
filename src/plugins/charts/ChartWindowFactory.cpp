#include "charts/ChartWindowFactory.h"

#include "charts/CPlayChartWindow.h"

IChartWindow* ChartWindowFactory::NewWindow(IChartData& figures, QWidget* parent)
{
    return new CPlayChartWindow(figures, parent);
}
