#include "games/ballflight.h"
#include "games/gamerules.h"
#include "tests/support/coresupport.h"

#include <QSet>

// The falling-letters rules without a window: throws are calls, the scene
// is a set of busy slots.
class TestGameRules : public QObject
{
    Q_OBJECT
    static constexpr int floor = 427; // the playfield's bottom: bands at 106, 213 and 320

    // Throws into free slots and hits each new ball high enough to reach `score` exactly.
    static void scoreUpTo(GameRules &rules, int score)
    {
        QString letter;
        while (rules.score() < score) {
            const int missing = qMin(4, score - rules.score());
            const int slot = rules.nextThrow([](int) { return false; }, &letter);
            rules.hit(slot, (4 - missing) * floor / 4);
        }
    }

private slots:
    void bag()
    {
        GameRules::Statics statics;
        GameRules single({"ش"}, statics, floor);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(single.drawLetter(), QString("ش"));
        GameRules rules({"a", "b", "c", "d"}, statics, floor);
        for (int pass = 0; pass < 20; ++pass) {
            QStringList drawn;
            for (int i = 0; i < 4; ++i)
                drawn.append(rules.drawLetter());
            QCOMPARE(drawn.last(), QString("d"));
            drawn.sort();
            QCOMPARE(drawn, (QStringList{"a", "b", "c", "d"}));
        }
        QList<int> bounds;
        GameRules picked({"a", "b", "c"}, statics, floor, [&bounds](int bound) { bounds.append(bound); return bound - 1; });
        QStringList drawn;
        for (int i = 0; i < 3; ++i)
            drawn.append(picked.drawLetter());
        QCOMPARE(drawn, (QStringList{"b", "a", "c"}));
        QCOMPARE(bounds, (QList<int>{2, 1}));
    }

    void slotsAndCycles()
    {
        GameRules::Statics statics;
        statics.nextSlot = 4;
        GameRules rules({"ش"}, statics, floor);
        rules.start();
        QCOMPARE(rules.cycle(), 1);
        QSet<int> busy;
        auto isBusy = [&busy](int slot) { return busy.contains(slot); };
        QString letter;
        for (int slot = 0; slot < GameRules::slotCount; ++slot) {
            QCOMPARE(rules.nextThrow(isBusy, &letter), slot);
            QCOMPARE(letter, QString("ش"));
            busy.insert(slot);
        }
        QCOMPARE(rules.nextThrow(isBusy, &letter), -1); // slot 0 still falling: skipped, a new cycle begins
        QCOMPARE(rules.cycle(), 2);
        QCOMPARE(statics.nextSlot, 0);
        QCOMPARE(rules.nextThrow(isBusy, &letter), -1); // still busy: the slot counter stays
        QCOMPARE(rules.cycle(), 2);
        busy.remove(0);
        QCOMPARE(rules.nextThrow(isBusy, &letter), 0);
        QCOMPARE(statics.nextSlot, 1);
    }

    // A ball dropped from the top: each floor contact bounces it, placed 30
    // higher each time, until the contact after the third bounce loses it.
    void ballLostAtTheContactAfterThreeBounces()
    {
        BallFlight flight;
        const int ballSize = 60;
        int y = 30, ticks = 0;
        QList<int> bouncedAt;
        bool rose = false;
        for (BallFlight::Move move{BallFlight::Step::Fell, y}; move.step != BallFlight::Step::Lost; y = move.y) {
            QVERIFY(++ticks < 1000);
            move = flight.tick(y, y + ballSize >= floor);
            if (move.step == BallFlight::Step::Bounced)
                bouncedAt.append(move.y);
            rose = rose || move.step == BallFlight::Step::Rose;
            QVERIFY(move.step != BallFlight::Step::Lost || move.y == y); // a lost ball stays where it is
        }
        QCOMPARE(bouncedAt, (QList<int>{385, 355, 325}));
        QCOMPARE(flight.bounces(), 3);
        QVERIFY(rose);
    }

    void levelRule_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("interval");
        QTest::newRow("10") << 10 << 1 << 2000;
        QTest::newRow("11") << 11 << 2 << 1000;
        QTest::newRow("200") << 200 << 2 << 1000;
        QTest::newRow("201") << 201 << 3 << 500;
        QTest::newRow("400") << 400 << 3 << 500;
        QTest::newRow("401") << 401 << 4 << 300;
        QTest::newRow("500") << 500 << 4 << 300;
        QTest::newRow("501") << 501 << 5 << 200;
    }
    void levelRule()
    {
        QFETCH(int, score);
        QFETCH(int, level);
        QFETCH(int, interval);
        GameRules::Statics statics;
        GameRules rules({"ش"}, statics, floor);
        rules.start();
        scoreUpTo(rules, score);
        QCOMPARE(rules.score(), score);
        QCOMPARE(rules.applyLevelRule(), level > 1);
        QCOMPARE(rules.level(), level);
        QCOMPARE(statics.level, level);
        QCOMPARE(rules.interval(), interval);
        QVERIFY(!rules.applyLevelRule()); // the same score changes nothing more
        rules.reset();
        QCOMPARE(rules.level(), 1);
        QCOMPARE(rules.interval(), 2000);
    }

    void scoringBands_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("points");
        QTest::newRow("top") << 0 << 4;
        QTest::newRow("105") << 105 << 4;
        QTest::newRow("B/4") << 106 << 3;
        QTest::newRow("B/2") << 213 << 2;
        QTest::newRow("3B/4") << 320 << 1;
        QTest::newRow("B") << 427 << 1;
        QTest::newRow("below") << 428 << 0;
    }
    void scoringBands()
    {
        QFETCH(int, y);
        QFETCH(int, points);
        GameRules::Statics statics;
        GameRules rules({"ش"}, statics, floor);
        QVERIFY(rules.hit(3, y));
        QCOMPARE(rules.score(), points);
    }

    void onceASlotPerCycle()
    {
        GameRules::Statics statics;
        GameRules rules({"ش"}, statics, floor);
        rules.start();
        QVERIFY(rules.hit(0, 10));
        QVERIFY(!rules.hit(0, 10));
        QVERIFY(rules.lose(1, 1));
        QVERIFY(!rules.lose(1, 1));
        QCOMPARE(rules.score(), 4);
        QCOMPARE(rules.lost(), 1);
        QString letter;
        for (int i = 0; i <= GameRules::slotCount; ++i) // the eighth throw: new cycle, lists cleared
            rules.nextThrow([](int) { return false; }, &letter);
        QVERIFY(rules.hit(0, 10));
        QVERIFY(rules.lose(1, 1));
        QCOMPARE(rules.score(), 8);
        QCOMPARE(rules.lost(), 2);
    }
};

HARFORA_CORE_TEST_MAIN(TestGameRules)
#include "test_gamerules.moc"
