#include "reports/heatmap.h"

#include "keyboard/keyboardpanel.h"
#include "keyboard/keyids.h"

#include <QFrame>
#include <QPushButton>
#include <QVariant>
#include <QVBoxLayout>

#include <algorithm>

HeatMap::HeatMap(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("heatMap"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    panel = KeyboardPanel::build(this, {"PushButton_Ctrl", "Lessons", QString()}); // the lesson keyboard's key names
    panel->setFixedSize(556, 192);
    // A picture of the physical keyboard: the keys keep their places.
    panel->setLayoutDirection(Qt::LeftToRight);
    for (QPushButton *key : panel->findChildren<QPushButton *>())
        key->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(panel, 0, Qt::AlignHCenter);
}

void HeatMap::setFigures(const KeyTable &keys)
{
    figures = keys;
    showMeasure(shown, shiftLayer);
}

double HeatMap::valueOf(const QString &character) const
{
    const auto k = figures.constFind(character);
    if (k == figures.cend() || k->hits + k->errors == 0)
        return -1;
    if (shown == Measure::ErrorRate)
        return double(k->errors) / (k->hits + k->errors);
    return k->hits ? double(k->totalMs) / k->hits : -1;
}

QString HeatMap::describe(const QString &character) const
{
    const KeyFigures k = figures.value(character);
    if (k.hits + k.errors == 0)
        return tr("Not practised yet");
    return tr("%1 right, %2 wrong, %3 ms on average")
        .arg(k.hits)
        .arg(k.errors)
        .arg(k.hits ? k.totalMs / k.hits : 0);
}

QColor HeatMap::colourOf(double heat)
{
    if (heat < 0)
        return QColor(0x9e, 0x9e, 0x9e);
    // pale yellow through orange to deep red
    const double h = std::clamp(heat, 0.0, 1.0);
    return QColor::fromHsvF(0.16 * (1 - h), 0.15 + 0.85 * h, 1.0 - 0.25 * h);
}

void HeatMap::paintKey(const QString &id, const QString &character, double worst)
{
    QPushButton *key = id == QLatin1String("R5_5") ? panel->findChild<QPushButton *>(QStringLiteral("Space"))
                                                   : KeyboardPanel::key(panel, id);
    if (!key)
        return;
    const double value = valueOf(character);
    const double heat = value < 0 ? -1 : (worst > 0 ? value / worst : 0);
    heats.insert(id, heat);
    const QColor colour = colourOf(heat);
    key->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                           .arg(colour.name(), heat < 0 || heat < 0.6 ? QStringLiteral("black") : QStringLiteral("white")));
    key->setToolTip(KeyboardPanel::shownCaption(character) + QStringLiteral(": ") + describe(character));
}

void HeatMap::showMeasure(Measure measure, bool shifted)
{
    shown = measure;
    shiftLayer = shifted;
    KeyboardPanel::setCaptions(panel, shifted ? 1 : 0);
    const Keys::Layer layer = shifted ? Keys::Layer::Shift : Keys::Layer::Plain;
    double worst = std::max(0.0, valueOf(QStringLiteral(" ")));
    for (const QString &id : Keys::characterKeyIds())
        worst = std::max(worst, valueOf(Keys::caption(layer, id)));
    for (const QString &id : Keys::characterKeyIds())
        paintKey(id, Keys::caption(layer, id), worst);
    paintKey(QStringLiteral("R5_5"), QStringLiteral(" "), worst);
}
