#pragma once

#include <QtGlobal>

// Keystroke figures of one expected character, as the per-run record holds
// them: right and wrong strokes where it was expected and the total time
// the right ones took (a total, so means can be recombined over runs).
// One struct for the reports and the weak-key practice alike.
struct KeyFigures {
    int hits = 0;         // typed right
    int errors = 0;       // typed wrong where the character was expected
    qint64 totalMs = 0;   // total interval before the right strokes

    int strokes() const { return hits + errors; }
    KeyFigures &operator+=(const KeyFigures &other)
    {
        hits += other.hits;
        errors += other.errors;
        totalMs += other.totalMs;
        return *this;
    }
    bool operator==(const KeyFigures &o) const { return hits == o.hits && errors == o.errors && totalMs == o.totalMs; }
    bool operator!=(const KeyFigures &o) const { return !(*this == o); }
};
