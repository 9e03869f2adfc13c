#pragma once

#include "reports/activityreader.h"

#include <QString>

// Where the characters of the reports sit on the active layout: which key
// and layer types a character, which finger that is, and the figures of
// each finger summed over its characters.
namespace KeyPlaces {

struct Place {
    QString id;          // "R3_7", "R5_5" for the space; empty when no key types it
    bool shifted = false;
    int finger = -1, hand = -1; // Fingers numbering; -1 when unknown
};
Place of(const QString &character);

// Slot hand * 5 + finger, as the practice window counts fingers.
struct FingerFigures {
    int hits = 0, errors = 0;
    qint64 totalMs = 0;
    int accuracy() const; // % right, -1 without strokes
    int speed() const;    // right strokes per minute while typing, -1 without hits
};
QVector<FingerFigures> perFinger(const KeyTable &keys);
}
