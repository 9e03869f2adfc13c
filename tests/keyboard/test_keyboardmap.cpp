#include "app/translate.h"
#include "keyboard/keyboardmap.h"
#include "keyboard/keyids.h"
#include "keyboard/keyboardpanel.h"
#include "tests/support/testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

class TestKeyBoardMap : public QObject
{
    Q_OBJECT
    MessageRecorder *recorder = nullptr;

    static QPushButton *key(KeyBoardMap &map, const char *name) { return map.findChild<QPushButton *>(name); }
    static QString shown(KeyBoardMap &map) { return map.findChild<QLabel *>("gameletterstxt")->text(); }

private slots:
    void init()
    {
        translate::applyLanguage("AR_ar_AR");
        recorder = new MessageRecorder;
    }
    void cleanup() { delete recorder; }

    void tables_data()
    {
        QTest::addColumn<unsigned>("code");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        // independent list of the standard Arabic PC layout, by scan code
        const QString row1 = "1234567890-=", row2 = "ضصثقفغعهخحجد", row3 = "شسيبلاتنمكط";
        for (unsigned c = 2; c <= 13; ++c)
            QTest::addRow("%u", c) << c << QString("R1_%1").arg(c) << QString(row1[c - 2]) << QString(row1[c - 2]);
        for (unsigned c = 16; c <= 27; ++c)
            QTest::addRow("%u", c) << c << QString("R2_%1").arg(c - 15) << QString(row2[c - 16]) << QString(row2[c - 16]);
        for (unsigned c = 30; c <= 40; ++c)
            QTest::addRow("%u", c) << c << QString("R3_%1").arg(c - 29) << QString(row3[c - 30]) << QString(row3[c - 30]);
        const QStringList row4 = {"ئ", "ء", "ؤ", "ر", "لا", "ى", "ة", "و", "ز", "ظ"};
        for (unsigned c = 44; c <= 53; ++c)
            QTest::addRow("%u", c) << c << QString("R4_%1").arg(c - 42) << row4[c - 44] << row4[c - 44];
        QTest::newRow("0") << 0u << "" << "key_" << "";
        QTest::newRow("1 esc") << 1u << "ESC" << "key_ESC" << "ESC";
        QTest::newRow("14 back") << 14u << "" << "key_" << "key_";
        QTest::newRow("15 tab") << 15u << "" << "key_" << "key_";
        QTest::newRow("28 enter") << 28u << "Enter" << "key_Enter" << "key_Enter";
        QTest::newRow("29 ctrl") << 29u << "Ctrl" << "key_Ctrl" << "ctrl";
        QTest::newRow("41 grave") << 41u << "R1_1" << "ذ" << "ذ";
        QTest::newRow("42 shift") << 42u << "Shift" << "key_Shift" << "Shift";
        QTest::newRow("43 backslash") << 43u << "R3_12" << "\\" << "\\";
        QTest::newRow("54 shift") << 54u << "Shift" << "key_Shift" << "Shift";
    }
    void tables()
    {
        QFETCH(unsigned, code);
        QFETCH(QString, id);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        KeyBoardMap map(0, nullptr);
        QCOMPARE(map.scanCodes.size(), 55);
        QCOMPARE(map.scanCodes.value(int(code)), int(code));
        QCOMPARE(map.keyIds.value(int(code)), id);
        QCOMPARE(map.keyCaptions.value(int(code)), caption);
        QCOMPARE(map.keyIdForScanCode(code, 0), id);
        QCOMPARE(map.keyTextForScanCode(code, 0), text);
        QVERIFY(map.children().isEmpty() || !map.findChild<QPushButton *>());
    }

    void textsOutsideTheCaptionTable_data()
    {
        QTest::addColumn<unsigned>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("55") << 55u << "";
        QTest::newRow("56 alt") << 56u << "Alt";
        QTest::newRow("57 space") << 57u << "R5_5";
        QTest::newRow("58 caps") << 58u << "Caps";
        QTest::newRow("59") << 59u << "";
        QTest::newRow("86 iso") << 86u << "|";
        QTest::newRow("347 start") << 347u << "Start";
        QTest::newRow("328 up") << 328u << "";
        QTest::newRow("huge") << 0xFFFFFFFFu << "";
    }
    void textsOutsideTheCaptionTable()
    {
        QFETCH(unsigned, code);
        QFETCH(QString, text);
        QCOMPARE(KeyBoardMap(0, nullptr).keyTextForScanCode(code), text);
    }

    void clickingKeys()
    {
        KeyBoardMap map(1, nullptr);
        QCOMPARE(map.size(), QSize(774, 234));
        QVERIFY(key(map, "PushButton_CTRL"));
        QVERIFY(!key(map, "PushButton_Ctrl"));
        QVERIFY(!key(map, "PushButton_R2_1")->isCheckable());
        key(map, "PushButton_R3_1")->click();
        key(map, "PushButton_R3_1")->click();
        QVERIFY(map.selection().isEmpty());
        QCOMPARE(shown(map), QString());
        key(map, "PushButton_R3_7")->click();
        key(map, "PushButton_R3_2")->click();
        QCOMPARE(map.selection(), (QStringList{"ت", "س"}));
        QCOMPARE(shown(map), QString("ت س "));
        key(map, "Space")->click();
        QCOMPARE(map.selection().size(), 2);
        QTest::mousePress(key(map, "PushButton_Shift"), Qt::LeftButton);
        QCOMPARE(key(map, "PushButton_R3_6")->text(), QString("أ"));
        QTest::mouseRelease(key(map, "PushButton_Shift"), Qt::LeftButton);
        key(map, "PushButton_R3_6")->click();
        QCOMPARE(map.selection().last(), QString("ا"));
    }

    void keyGroups()
    {
        KeyBoardMap map(1, nullptr);
        auto *groups = map.findChild<QComboBox *>("lessonkeyofinterst");
        QCOMPARE(groups->itemText(0), QString("Select Key groups"));
        QCOMPARE(groups->itemText(1), QString("1) ش س ي ب"));
        // a Shift lesson drills the Shift captions of its keys
        QCOMPARE(groups->itemText(10), "10) " + Keys::caption(Keys::Layer::Shift, "R3_6") + " " +
                                           Keys::caption(Keys::Layer::Shift, "R2_6") + " " +
                                           Keys::caption(Keys::Layer::Shift, "R4_7") + " " +
                                           Keys::caption(Keys::Layer::Shift, "R3_5") + " " +
                                           Keys::caption(Keys::Layer::Shift, "R2_5") + " " +
                                           Keys::caption(Keys::Layer::Shift, "R4_6"));
        QCOMPARE(groups->count(), 19);
        key(map, "PushButton_R4_2")->click();
        groups->setCurrentIndex(2);
        QCOMPARE(map.selection(), (QStringList{"ت", "ن", "م", "ك"}));
        QCOMPARE(shown(map), QString("ت ن م ك"));
        groups->setCurrentIndex(0);
        QCOMPARE(map.selection().size(), 4);
    }

    void groupTokensKeepEmptyPartsAndShiftCaptions()
    {
        OverrideTranslator t;
        t.set("Lessons", Keys::keysOfInterestSource(20), "R3_1  Shift_R3_6 Shift Bogus");
        KeyBoardMap map(1, nullptr);
        auto *groups = map.findChild<QComboBox *>("lessonkeyofinterst");
        const int entry = groups->findText("20)", Qt::MatchStartsWith);
        QVERIFY(entry > 0);
        QCOMPARE(groups->itemText(entry), QString("20) ش  أ Shift Bogus"));
        groups->setCurrentIndex(entry);
        QCOMPARE(map.selection(), (QStringList{"ش", "", "أ", "Shift", "Bogus"}));
    }

    void startAndClose()
    {
        auto *map = new KeyBoardMap(1, nullptr);
        map->setGameType(2);
        QSignalSpy exits(map, &KeyBoardMap::ExitKbMap);
        map->findChild<QPushButton *>("StartButton")->click();
        QCOMPARE(exits.count(), 0);
        QVERIFY(recorder->messages.last().text.startsWith("No keys were selected"));
        map->close();
        QCOMPARE(exits.count(), 1);
        QCOMPARE(exits.last().at(0).toBool(), false);
        QCOMPARE(exits.last().at(1).toStringList(), QStringList());
        QCOMPARE(exits.last().at(2).toInt(), 2);
        delete map;

        KeyBoardMap started(1, nullptr);
        started.setGameType(1);
        QSignalSpy sent(&started, &KeyBoardMap::ExitKbMap);
        key(started, "PushButton_R3_4")->click();
        started.findChild<QPushButton *>("StartButton")->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.last().at(0).toBool(), true);
        QCOMPARE(sent.last().at(1).toStringList(), QStringList{"ب"});
        QCOMPARE(sent.last().at(2).toInt(), 1);
        started.close();
        QCOMPARE(sent.count(), 1);
    }
    // Every key, on the plain and Shift layers, as drawn in a dialog of the
    // given layout direction.
    static QMap<QString, QImage> drawnKeys(Qt::LayoutDirection direction, int layer)
    {
        QGuiApplication::setLayoutDirection(direction);
        KeyBoardMap map(1, nullptr);
        KeyboardPanel::setCaptions(&map, layer);
        QMap<QString, QImage> drawn;
        for (const QString &id : Keys::characterKeyIds())
            drawn[id] = map.findChild<QPushButton *>("PushButton_" + id)->grab().toImage();
        QPushButton *blank = map.findChild<QPushButton *>("PushButton_R1_1");
        blank->setText(QString());
        drawn["blank"] = blank->grab().toImage();
        return drawn;
    }

    void keysShowTheirCaptionsInBothDirections_data()
    {
        QTest::addColumn<int>("layer");
        QTest::newRow("plain") << 0;
        QTest::newRow("shift") << 1;
    }
    void keysShowTheirCaptionsInBothDirections()
    {
        QFETCH(int, layer);
        const QMap<QString, QImage> ltr = drawnKeys(Qt::LeftToRight, layer);
        const QMap<QString, QImage> rtl = drawnKeys(Qt::RightToLeft, layer);
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        for (const QString &id : Keys::characterKeyIds()) {
            const QString caption = Keys::caption(Keys::Layer(layer), id);
            if (caption.trimmed().isEmpty())
                continue;
            QVERIFY2(rtl[id] == ltr[id], qPrintable(id + " mirrored: " + caption));
            QVERIFY2(ltr[id] != ltr["blank"], qPrintable(id + " blank: " + caption));
        }
    }

    void chosenKeysAreTheCatalogueCaptions()
    {
        KeyBoardMap map(1, nullptr);
        KeyboardPanel::setCaptions(&map, 1);
        for (const QString &id : Keys::characterKeyIds()) {
            const QString caption = Keys::caption(Keys::Layer::Shift, id);
            const int before = map.selection().count(caption);
            map.findChild<QPushButton *>("PushButton_" + id)->click();
            QVERIFY2(qAbs(map.selection().count(caption) - before) == 1, qPrintable(id + ": " + caption));
        }
    }
};

HARFORA_TEST_MAIN(TestKeyBoardMap)
#include "test_keyboardmap.moc"
