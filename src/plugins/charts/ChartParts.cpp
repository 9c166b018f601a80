#include "charts/ChartParts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace ChartParts {

QString Hms(std::int64_t seconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

double Hours(std::int64_t seconds)
{
    return static_cast<double>(seconds) / 3600.0;
}

QString LibraryScope()
{
    return QStringLiteral("全タイトル");
}

QChart* ChartIn(QChartView*& view, QWidget* tab, bool antialiased)
{
    if (view == nullptr) {
        auto* chart = new QChart;
        chart->legend()->hide();
        chart->setAnimationOptions(QChart::NoAnimation);
        chart->setMargins(QMargins(4, 4, 4, 4));
        chart->setBackgroundRoundness(0);
        view = new QChartView(chart, tab);
        view->setRenderHint(QPainter::Antialiasing, antialiased);
        static_cast<QBoxLayout*>(tab->layout())->addWidget(view, 1);
    }
    return view->chart();
}

void Clear(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QValueAxis* HoursAxis(double maxHours)
{
    auto* axis = new QValueAxis;
    axis->setRange(0, std::max(maxHours, 1.0));
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%g h"));
    axis->setTruncateLabels(false);
    return axis;
}

QComboBox* NewChoice(QWidget* parent, std::initializer_list<const char*> items)
{
    auto* choice = new QComboBox(parent);
    for (const char* item : items)
        choice->addItem(QString::fromUtf8(item));
    return choice;
}

}  // namespace ChartParts
