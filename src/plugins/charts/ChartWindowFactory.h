#pragma once

#include "charts/IChartWindowFactory.h"

// Makes the play chart window; the module's entry point (ChartPlugin) is one of these, and
// tests that link the window's code use one directly.
class ChartWindowFactory : public IChartWindowFactory {
public:
    IChartWindow* NewWindow(IChartData& figures, QWidget* parent) override;
};
