#pragma once

#include "reports/activityreader.h"

#include <QtCharts/QChartView>

namespace QtCharts {
class QLineSeries;
class QScatterSeries;
class QValueAxis;
}

// Speed and accuracy run by run, each with its moving average, on one
// chart: speed on the leading axis, accuracy in percent on the other.
class ProgressChart : public QtCharts::QChartView
{
    Q_OBJECT
public:
    static constexpr int averageOver = 5;
    explicit ProgressChart(QWidget *parent = nullptr);
    void setRuns(const QVector<PracticeRun> &runs);

    QtCharts::QScatterSeries *speedSeries() const { return speed; }
    QtCharts::QLineSeries *speedAverageSeries() const { return speedAverage; }
    QtCharts::QScatterSeries *accuracySeries() const { return accuracy; }
    QtCharts::QLineSeries *accuracyAverageSeries() const { return accuracyAverage; }

private:
    QtCharts::QScatterSeries *speed, *accuracy;
    QtCharts::QLineSeries *speedAverage, *accuracyAverage;
    QtCharts::QValueAxis *runAxis, *speedAxis, *percentAxis;
};
