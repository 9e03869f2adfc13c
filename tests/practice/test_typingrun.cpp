#include "practice/typingrun.h"
#include "tests/support/coresupport.h"

// The counting of a practice run, without a window.
class TestTypingRun : public QObject
{
    Q_OBJECT
private slots:
    void speedRing_data()
    {
        QTest::addColumn<int>("perSecond");
        QTest::addColumn<int>("speed");
        QTest::newRow("one a second") << 1 << 60;
        QTest::newRow("three a second") << 3 << 180;
        QTest::newRow("none") << 0 << 0;
    }
    // The speed shows once 20 seconds are in the ring, as correct keys per minute.
    void speedRing()
    {
        QFETCH(int, perSecond);
        QFETCH(int, speed);
        TypingRun::FingerStats fingers[10];
        TypingRun run(fingers);
        int correct = 0;
        for (int second = 1; second <= 20; ++second)
            QCOMPARE(run.tick(correct += perSecond), -1);
        QCOMPARE(run.tick(correct += perSecond), speed);
        run.resetRing();
        QCOMPARE(run.tick(correct), -1);
    }

    void figuresPerKeyAndFinger_data()
    {
        QTest::addColumn<QList<int>>("intervals"); // correct keys at R3_4 (left index), ms apart
        QTest::addColumn<int>("errors");
        QTest::addColumn<QString>("keyMean");
        QTest::addColumn<QString>("fingers");
        QTest::newRow("none") << QList<int>{} << 0 << "0" << "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
        QTest::newRow("two correct") << QList<int>{100, 300} << 0 << "200" << "200 0 0 0 0 0 0 0 100 0 0 0 0 0 0 0";
        QTest::newRow("one of four wrong") << QList<int>{50, 50, 50} << 1 << "50" << "50 0 0 0 0 0 0 0 75 0 0 0 0 0 0 0";
    }
    void figuresPerKeyAndFinger()
    {
        QFETCH(QList<int>, intervals);
        QFETCH(int, errors);
        QFETCH(QString, keyMean);
        QFETCH(QString, fingers);
        TypingRun::FingerStats fingerSlots[10];
        TypingRun run(fingerSlots);
        for (int ms : intervals)
            QVERIFY(run.correctKey(3, 4, 1, 0, false, ms));
        for (int i = 0; i < errors; ++i)
            run.wrongKey(1, 0);
        const QStringList keys = run.keyIntervals().split(' ', Qt::SkipEmptyParts);
        QCOMPARE(keys.size(), 52);
        QCOMPARE(keys.value(2 * 13 + 3), keyMean);
        QCOMPARE(run.fingerFigures(), fingers);
    }

    void spaceAndOutsideKeys()
    {
        TypingRun::FingerStats fingerSlots[10];
        TypingRun run(fingerSlots);
        QVERIFY(!run.correctKey(5, 5, 0, 0, true, 80)); // the space bar: no key slot, no finger
        QCOMPARE(fingerSlots[0].correct, 0);
        QVERIFY(!run.correctKey(0, 0, 4, 1, false, 80)); // a character off the key table still counts per finger
        QCOMPARE(fingerSlots[9].correct, 1);
    }

    void timing()
    {
        QCOMPARE(TypingRun::timing(42, 120, 90, 1, 1, 2, 6), QString("42 120 90 25"));
        QCOMPARE(TypingRun::timing(0, 0, 0, 0, 1, 1, 2), QString("0 0 0 33.3333"));
    }
};

HARFORA_CORE_TEST_MAIN(TestTypingRun)
#include "test_typingrun.moc"
