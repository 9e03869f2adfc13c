#include "reports/keyplaces.h"

#include "keyboard/keyids.h"
#include "practice/fingers.h"

namespace KeyPlaces {
Place of(const QString &character)
{
    Place place;
    if (character == QLatin1String(" ")) {
        place.id = QStringLiteral("R5_5");
    } else {
        for (const QString &id : Keys::characterKeyIds()) {
            if (Keys::caption(Keys::Layer::Plain, id) == character) {
                place.id = id;
                break;
            }
            if (place.id.isEmpty() && Keys::caption(Keys::Layer::Shift, id) == character) {
                place.id = id;
                place.shifted = true;
            }
        }
    }
    if (!place.id.isEmpty())
        Fingers::assign(Keys::rowOf(place.id), Keys::columnOf(place.id), place.finger, place.hand);
    return place;
}

int FingerFigures::accuracy() const
{
    return hits + errors > 0 ? int(qint64(hits) * 100 / (hits + errors)) : -1;
}

int FingerFigures::speed() const
{
    return hits > 0 && totalMs > 0 ? int(qint64(hits) * 60000 / totalMs) : -1;
}

QVector<FingerFigures> perFinger(const KeyTable &keys)
{
    QVector<FingerFigures> fingers(10);
    for (auto k = keys.cbegin(); k != keys.cend(); ++k) {
        const Place place = of(k.key());
        if (place.finger < 0 || place.finger > 4 || place.hand < 0 || place.hand > 1)
            continue;
        FingerFigures &f = fingers[place.hand * 5 + place.finger];
        f.hits += k->hits;
        f.errors += k->errors;
        f.totalMs += k->totalMs;
    }
    return fingers;
}
}
