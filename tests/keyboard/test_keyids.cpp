#include "app/catalogues.h"
#include "keyboard/keyids.h"
#include "tests/support/coresupport.h"

class TestKeyIds : public QObject
{
    Q_OBJECT
private slots:
    void characterKeys()
    {
        QStringList ids = Keys::characterKeyIds();
        QCOMPARE(ids.size(), 48);
        QCOMPARE(ids.first(), QString("R1_1"));
        QCOMPARE(ids.last(), QString("R4_11"));
        QVERIFY(ids.contains("R1_13") && ids.contains("R2_12") && ids.contains("R3_12"));
        QVERIFY(!ids.contains("R1_14") && !ids.contains("R2_13") && !ids.contains("R4_12"));
        QVERIFY(!ids.contains("R0_1") && !ids.contains("R5_5"));
        QCOMPARE(ids.removeDuplicates(), 0);
    }

    void arithmetic_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("R1_13") << "R1_13" << 1 << 13;
        QTest::newRow("R3_7") << "R3_7" << 3 << 7;
        QTest::newRow("R5_5") << "R5_5" << 5 << 5;
        QTest::newRow("Shift") << "Shift" << 0 << 0;
        QTest::newRow("Ctrl") << "Ctrl" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
    }
    void arithmetic()
    {
        QFETCH(QString, id);
        QFETCH(int, row);
        QFETCH(int, column);
        QCOMPARE(Keys::rowOf(id), row);
        QCOMPARE(Keys::columnOf(id), column);
    }

    void sourceTexts_data()
    {
        QTest::addColumn<int>("lesson");
        for (int n = 1; n <= Keys::lessonSlots; ++n)
            QTest::addRow("lesson %d", n) << n;
    }
    void sourceTexts()
    {
        QFETCH(int, lesson);
        const bool oneSpace = QList<int>{3, 4, 5, 10, 16}.contains(lesson);
        const QString n = QString::number(lesson);
        QCOMPARE(Keys::keysOfInterestSource(lesson),
                 "lesson " + n + (oneSpace ? " key of interest. ex: R1_3 Shift Ctrl"
                                           : " key of interest. ex:  R1_3 Shift Ctrl"));
        QCOMPARE(Keys::lessonTextSource(lesson), "add text of lesson " + n + " here in the translation file");
        QCOMPARE(Keys::practiceTextSource(lesson),
                 "add text of practise lesson " + n + " here in the translation file");
    }

    void keysOfInterestFoundOnlyUnderTheirOwnSource()
    {
        Catalogues::apply("AR_ar_AR");
        const QString single = Keys::keysOfInterestSource(3);
        QString doubled = single;
        doubled.replace("ex: ", "ex:  ");
        QVERIFY(QCoreApplication::translate("Lessons", qPrintable(single)) != single);
        QCOMPARE(QCoreApplication::translate("Lessons", doubled.toUtf8().constData()), doubled);
    }

    void scanCodeTable_data()
    {
        QTest::addColumn<unsigned>("code");
        QTest::addColumn<QString>("id");
        const char *row1[] = {"R1_2", "R1_3", "R1_4", "R1_5", "R1_6", "R1_7", "R1_8", "R1_9", "R1_10", "R1_11", "R1_12", "R1_13"};
        for (unsigned c = 2; c <= 13; ++c)
            QTest::addRow("%u", c) << c << QString(row1[c - 2]);
        for (unsigned c = 16; c <= 27; ++c)
            QTest::addRow("%u", c) << c << QString("R2_%1").arg(c - 15);
        for (unsigned c = 30; c <= 40; ++c)
            QTest::addRow("%u", c) << c << QString("R3_%1").arg(c - 29);
        for (unsigned c = 44; c <= 53; ++c)
            QTest::addRow("%u", c) << c << QString("R4_%1").arg(c - 42);
        const QList<QPair<unsigned, QString>> named = {
            {41, "R1_1"}, {43, "R3_12"}, {86, "R4_1"}, {57, "R5_5"}, {1, "ESC"}, {28, "Enter"},
            {29, "Ctrl"}, {42, "Shift"}, {54, "Shift"}, {56, "ALT"}, {58, "R3_1"},
            {0x148, "Arrow Up"}, {0x14B, "Arrow Left"}, {0x14D, "Arrow Right"}, {0x150, "Arrow Down"},
            {0x15B, "Start"}, {0, ""}, {14, ""}, {15, ""}, {55, ""}, {59, ""}, {85, ""}, {87, ""},
            {0x11D, ""}, {0x138, ""}, {0x15C, ""}, {0x1C, "Enter"}, {0x248, ""}, {0xFFFFFFFF, ""}};
        for (const auto &n : named)
            QTest::addRow("named %u", n.first) << n.first << n.second;
    }
    void scanCodeTable()
    {
        QFETCH(unsigned, code);
        QFETCH(QString, id);
        QCOMPARE(Keys::keyIdForScanCode(code), id);
    }
};

HARFORA_CORE_TEST_MAIN(TestKeyIds)
#include "test_keyids.moc"
