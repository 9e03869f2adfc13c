#pragma once

#include "reports/activityreader.h"

#include <QtCharts/QChartView>

namespace QtCharts {
class QLineSeries;
class QValueAxis;
}

// Speed and accuracy run by run, each with its moving average, on one
// chart: speed on the leading axis, accuracy in percent on the other.
class ProgressChart : public QtCharts::QChartView
{
    Q_OBJECT
public:
    static constexpr int averageOver = 5;
    static constexpr int markedRuns = 150; // more runs are drawn as plain lines
    explicit ProgressChart(QWidget *parent = nullptr);
    void setRuns(const QVector<PracticeRun> &runs);

    QtCharts::QLineSeries *speedSeries() const { return speed; }
    QtCharts::QLineSeries *speedAverageSeries() const { return speedAverage; }
    QtCharts::QLineSeries *accuracySeries() const { return accuracy; }
    QtCharts::QLineSeries *accuracyAverageSeries() const { return accuracyAverage; }

private:
    // Lines through the runs (marked while they are few) and their averages.
    QtCharts::QLineSeries *speed, *accuracy, *speedAverage, *accuracyAverage;
    QtCharts::QValueAxis *runAxis, *speedAxis, *percentAxis;
};
