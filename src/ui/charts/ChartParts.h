#pragma once

#include <QString>

#include <cstdint>

class QChart;
class QChartView;
class QComboBox;
class QValueAxis;
class QWidget;
struct LibraryShape;

// What the tabs of the play chart window share.
namespace ChartParts {

// "h:mm:ss" (hours not limited).
QString Hms(std::int64_t seconds);
// Hours as a chart value.
double Hours(std::int64_t seconds);
// The current title's name, or empty without one.
QString TitleScope(const LibraryShape& library);
// The name that stands for the whole library.
QString LibraryScope();

// A chart view with an empty chart, no legend, no animation.
QChartView* NewChartView(QWidget* parent);
// Removes every series and axis of the chart.
void Clear(QChart* chart);
// An axis of hours from 0 to at least `maxHours`, with round ticks.
QValueAxis* HoursAxis(double maxHours);
// A choice box of the tab's options.
QComboBox* NewChoice(QWidget* parent, std::initializer_list<const char*> items);

}  // namespace ChartParts
