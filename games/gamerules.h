#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The rules of the falling-letters game without a window: which slot the
// next ball drops from, the letters it carries, the cycles over the seven
// slots, the score bands, the losses and the level reached.
class GameRules
{
public:
    // Values shared by every game of one class (game1 and game2 each own one).
    struct Statics {
        int throwInterval = 2000;
        int nextSlot = 0;
        int level = 1;
    };
    static constexpr int slotCount = 7;
    static constexpr int firstInterval = 2000;
    // Picks an index in [0, bound): the bag's draw, injectable for tests.
    using Picker = std::function<int(int bound)>;

    GameRules(const QStringList &letters, Statics &shared, int floor, Picker picker = timeSeededPicker());

    // A new game of this class: level 1 and the first interval, whatever the
    // previous game reached.
    void reset();
    // Play begins after the title: the first cycle from slot 0.
    void start();

    QString drawLetter();
    // One throw. busy tells whether a slot's previous ball is still in play;
    // returns the slot to drop from, or -1 when that slot is busy (the drawn
    // letter is then dropped and the slot counter stays).
    int nextThrow(const std::function<bool(int slot)> &busy, QString *letter);
    // After each throw: the level the score has reached. True when the
    // interval or level changed, so the thrower must be restarted.
    bool applyLevelRule();

    // A hit ball in a slot at height y scores once per cycle; returns whether it counted.
    bool hit(int slot, int y);
    // A lost ball counts once per slot and cycle; returns whether it counted.
    bool lose(int slot, int count);
    // Points of a hit at height y: 4, 3, 2, 1 in the quarters from the top, 0 below.
    int pointsAt(int y) const;

    int score() const { return points; }
    int lost() const { return losses; }
    int hits() const { return hitCount; }
    int level() const { return shared.level; }
    int interval() const { return shared.throwInterval; }
    int cycle() const { return cycleCount; }
    int nextSlot() const { return shared.nextSlot; }

    static Picker timeSeededPicker();

private:
    void setInterval(int interval, int level);

    QStringList trainingLetters;
    QStringList bag;
    Statics &shared;
    int floor;
    Picker pick;
    int cycleCount = 1;
    int points = 0;
    int losses = 0;
    int hitCount = 0;
    QList<int> scored, lostSlots;
};
