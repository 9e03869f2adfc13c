#include "keyboard/keyids.h"
#include "tests/support/coresupport.h"

class TestKeyIds : public QObject
{
    Q_OBJECT
private slots:
    void characterKeys()
    {
        // 48 keys, the last of each row present: rows of 13, 12, 12 and 11 keys
        const QStringList &ids = Keys::characterKeyIds();
        QCOMPARE(ids.size(), 48);
        QCOMPARE(ids.first(), QString("R1_1"));
        QCOMPARE(ids.last(), QString("R4_11"));
        QVERIFY(ids.contains("R1_13") && ids.contains("R2_12") && ids.contains("R3_12"));
    }

    void arithmetic_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        const struct { const char *id; int row, column; } ids[] = {
            {"R1_13", 1, 13}, {"R3_7", 3, 7}, {"R5_5", 5, 5}, {"Shift", 0, 0}, {"Ctrl", 0, 0}, {"", 0, 0}};
        for (const auto &i : ids)
            QTest::newRow(*i.id ? i.id : "empty") << QString(i.id) << i.row << i.column;
    }
    void arithmetic()
    {
        QFETCH(QString, id);
        QTEST(Keys::rowOf(id), "row");
        QTEST(Keys::columnOf(id), "column");
    }
};

HARFORA_CORE_TEST_MAIN(TestKeyIds)
#include "test_keyids.moc"
