#pragma once

#include "reports/activityreader.h"

#include <QHash>
#include <QWidget>

class QFrame;

// The on-screen keyboard of the active layout with every key coloured by
// how often it was missed or how slowly it was found, in the plain or the
// Shift layer, by its share of the worst key's figure.
class HeatMap : public QWidget
{
    Q_OBJECT
public:
    enum class Measure { ErrorRate, Slowness };
    explicit HeatMap(QWidget *parent = nullptr);
    void setFigures(const KeyTable &keys);
    void showMeasure(Measure measure, bool shifted);
    static QColor colourOf(double heat);
    // A key's share of the worst key's figure as shown (0 to 1; -1 without strokes).
    double heatOf(const QString &id) const { return heats.value(id, -1); }

private:
    double valueOf(const QString &character) const;
    QString describe(const QString &character) const;
    void paintKey(const QString &id, const QString &character, double worst);

    QFrame *panel = nullptr;
    KeyTable figures;
    Measure shown = Measure::ErrorRate;
    bool shiftLayer = false;
    QHash<QString, double> heats; // by key identifier
};
