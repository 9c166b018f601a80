#pragma once

#include <QString>

#include <cstdint>

class QChart;
class QChartView;
class QComboBox;
class QValueAxis;
class QWidget;

// What the tabs of the play chart window share.
namespace ChartParts {

// "h:mm:ss" (hours not limited).
QString Hms(std::int64_t seconds);
// Hours as a chart value.
double Hours(std::int64_t seconds);
// The name that stands for the whole library.
QString LibraryScope();

// The tab's chart: its view, with no legend and no animation, is made and put last in the
// tab's (vertical) layout the first time; Qt Charts costs nothing before a tab draws.
// Antialiasing is for slanted lines: it makes each of a chart's many axis and grid lines
// several times dearer to paint.
QChart* ChartIn(QChartView*& view, QWidget* tab, bool antialiased);
// Removes every series and axis of the chart.
void Clear(QChart* chart);
// An axis of hours from 0 to at least `maxHours`, with round ticks.
QValueAxis* HoursAxis(double maxHours);
// A choice box of the tab's options.
QComboBox* NewChoice(QWidget* parent, std::initializer_list<const char*> items);

}  // namespace ChartParts
