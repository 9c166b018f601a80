#pragma once

#include "charts/ChartWindowFactory.h"

#include <QObject>

// The entry point of libzarn2-charts.so that QPluginLoader finds.
class ChartPlugin final : public QObject, public ChartWindowFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZARN2_CHART_WINDOW_FACTORY_IID)
    Q_INTERFACES(IChartWindowFactory)
};
