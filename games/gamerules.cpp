#include "games/gamerules.h"

#include <QRandomGenerator>
#include <QTime>

GameRules::GameRules(const QStringList &letters, Statics &statics, int floorY, Picker picker)
    : trainingLetters(letters), shared(statics), floor(floorY), pick(std::move(picker))
{
}

GameRules::Picker GameRules::timeSeededPicker()
{
    return [](int bound) {
        QRandomGenerator generator(quint32(QTime::currentTime().msec()));
        return int(generator.bounded(bound));
    };
}

void GameRules::reset()
{
    shared.level = 1;
    shared.throwInterval = firstInterval;
    shared.nextSlot = 0;
}

void GameRules::start()
{
    cycleCount = 1;
    shared.nextSlot = 0;
    shared.level = 1;
}

QString GameRules::drawLetter()
{
    if (bag.isEmpty())
        bag = trainingLetters;
    if (bag.isEmpty())
        return QString();
    if (bag.size() == 1)
        return bag.takeFirst();
    return bag.takeAt(pick(bag.size() - 1)); // the last letter of a pass stays for last
}

int GameRules::nextThrow(const std::function<bool(int)> &busy, QString *letter)
{
    *letter = drawLetter();
    if (shared.nextSlot == slotCount) {
        ++cycleCount;
        scored.clear();
        lostSlots.clear();
        shared.nextSlot = 0;
    }
    if (busy(shared.nextSlot))
        return -1;
    return shared.nextSlot++;
}

bool GameRules::applyLevelRule()
{
    const int before = shared.throwInterval, levelBefore = shared.level;
    // Applied in this order, as the thresholds were laid down.
    if (points > 10)
        setInterval(1000, 2);
    if (points >= 201 && points <= 400)
        setInterval(500, 3);
    if (points >= 401 && points <= 500)
        setInterval(300, 4);
    else if (points > 500)
        setInterval(200, 5);
    return shared.throwInterval != before || shared.level != levelBefore;
}

void GameRules::setInterval(int interval, int level)
{
    shared.throwInterval = interval;
    shared.level = level;
}

int GameRules::pointsAt(int y) const
{
    if (y < floor / 4)
        return 4;
    if (y < floor / 2)
        return 3;
    if (y < 3 * floor / 4)
        return 2;
    return y <= floor ? 1 : 0;
}

bool GameRules::hit(int slot, int y)
{
    if (scored.contains(slot))
        return false;
    scored.append(slot);
    ++hitCount;
    points += pointsAt(y);
    return true;
}

bool GameRules::lose(int slot, int count)
{
    if (lostSlots.contains(slot))
        return false;
    lostSlots.append(slot);
    losses += count;
    return true;
}
