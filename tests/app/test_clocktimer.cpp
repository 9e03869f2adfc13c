#include "app/clock.h"
#include "app/clocktimer.h"
#include "tests/support/coresupport.h"

// Timers on the stopped clock: they fire when Clock::advance passes their
// deadline, a repeating one once per period however far the clock jumps.
class TestClockTimer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Clock::setManual(true); }

    void firesOncePerPeriod_data()
    {
        QTest::addColumn<bool>("repeating");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<int>("fired");
        QTest::addColumn<bool>("active");
        QTest::newRow("single shot, due") << false << 50 << QList<int>{50, 500} << 1 << false;
        QTest::newRow("single shot, not yet") << false << 50 << QList<int>{49} << 0 << true;
        QTest::newRow("repeating, one jump") << true << 50 << QList<int>{1000} << 20 << true;
        QTest::newRow("repeating, small steps") << true << 50 << QVector<int>(100, 10).toList() << 20 << true;
        QTest::newRow("repeating, just before the next") << true << 40 << QList<int>{119} << 2 << true;
    }
    void firesOncePerPeriod()
    {
        QFETCH(bool, repeating);
        QFETCH(int, interval);
        QFETCH(QList<int>, steps);
        ClockTimer timer;
        timer.setSingleShot(!repeating);
        int fired = 0;
        connect(&timer, &ClockTimer::timeout, [&] { ++fired; });
        timer.start(interval);
        for (int step : steps)
            Clock::advance(step);
        QTEST(fired, "fired");
        QTEST(timer.isActive(), "active");
    }

    void stoppedOrDeletedTimersStayQuiet()
    {
        int fired = 0;
        ClockTimer stopped;
        connect(&stopped, &ClockTimer::timeout, [&] { ++fired; });
        stopped.start(10);
        stopped.stop();
        {
            ClockTimer gone;
            connect(&gone, &ClockTimer::timeout, [&] { ++fired; });
            gone.start(10);
        }
        Clock::advance(100);
        QCOMPARE(fired, 0);
    }
};

HARFORA_CORE_TEST_MAIN(TestClockTimer)
#include "test_clocktimer.moc"
