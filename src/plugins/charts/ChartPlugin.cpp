// The plugin's metadata and instance function come from moc (ChartPlugin.h).
#include "charts/ChartPlugin.h"
