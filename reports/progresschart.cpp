#include "reports/progresschart.h"

#include "reports/progress.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {
QValueAxis *axis(const QString &title, QChart *chart, Qt::Alignment side)
{
    auto *a = new QValueAxis;
    a->setTitleText(title);
    a->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(a, side);
    return a;
}

template <class Series> Series *series(const QString &name, const QColor &colour, QChart *chart)
{
    auto *s = new Series;
    s->setName(name);
    s->setColor(colour);
    chart->addSeries(s);
    return s;
}
}

// The view is given its chart at once: a chart set later only releases the
// one the view made for itself, which then leaks.
ProgressChart::ProgressChart(QWidget *parent) : QChartView(new QChart, parent)
{
    setObjectName(QStringLiteral("progressChart"));
    setRenderHint(QPainter::Antialiasing);
    QChart *c = chart();
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(2, 2, 2, 2));
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    runAxis = axis(tr("Run"), c, Qt::AlignBottom);
    speedAxis = axis(tr("Characters per minute"), c, rtl ? Qt::AlignRight : Qt::AlignLeft);
    percentAxis = axis(tr("Correct %"), c, rtl ? Qt::AlignLeft : Qt::AlignRight);
    percentAxis->setRange(0, 100);
    speed = series<QLineSeries>(tr("Speed"), QColor(0xfd, 0x8d, 0x3c), c);
    speedAverage = series<QLineSeries>(tr("Speed, moving average"), QColor(0x7f, 0x27, 0x04), c);
    accuracy = series<QLineSeries>(tr("Accuracy"), QColor(0x6b, 0xae, 0xd6), c);
    accuracyAverage = series<QLineSeries>(tr("Accuracy, moving average"), QColor(0x08, 0x30, 0x6b), c);
    for (QAbstractSeries *s : c->series()) {
        s->attachAxis(runAxis);
        s->attachAxis(s == speed || s == speedAverage ? speedAxis : percentAxis);
    }
}

void ProgressChart::setRuns(const QVector<PracticeRun> &runs)
{
    QVector<QPointF> speeds, accuracies;
    QVector<double> speedValues, accuracyValues;
    for (int i = 0; i < runs.size(); ++i) {
        if (runs[i].speed() >= 0) {
            speeds.append(QPointF(i + 1, runs[i].speed()));
            speedValues.append(runs[i].speed());
        }
        accuracies.append(QPointF(i + 1, runs[i].accuracy()));
        accuracyValues.append(runs[i].accuracy());
    }
    const QVector<double> speedMeans = Progress::movingAverage(speedValues, averageOver);
    const QVector<double> accuracyMeans = Progress::movingAverage(accuracyValues, averageOver);
    QVector<QPointF> speedLine, accuracyLine;
    for (int i = 0; i < speeds.size(); ++i)
        speedLine.append(QPointF(speeds[i].x(), speedMeans[i]));
    for (int i = 0; i < accuracies.size(); ++i)
        accuracyLine.append(QPointF(accuracies[i].x(), accuracyMeans[i]));
    speed->setPointsVisible(runs.size() <= markedRuns);
    accuracy->setPointsVisible(runs.size() <= markedRuns);
    speed->replace(speeds);
    speedAverage->replace(speedLine);
    accuracy->replace(accuracies);
    accuracyAverage->replace(accuracyLine);
    runAxis->setRange(runs.size() > 1 ? 1 : 0, std::max(runs.size(), 2));
    runAxis->setTickCount(std::min(std::max(runs.size(), 2), 11));
    double top = 10;
    for (double v : speedValues)
        top = std::max(top, v);
    speedAxis->setRange(0, top * 1.1);
    speedAxis->applyNiceNumbers();
}
