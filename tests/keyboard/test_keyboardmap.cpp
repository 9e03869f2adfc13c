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

    // The text a game compares with its balls' letters, by scan code.
    void keyTexts_data()
    {
        QTest::addColumn<unsigned>("code");
        QTest::addColumn<QString>("text");
        const QList<QPair<unsigned, QString>> rows = {
            {2, "1"}, {13, "="}, {16, "ض"}, {27, "د"}, {30, "ش"}, {40, "ط"}, {41, "ذ"}, {43, "\\"},
            {44, "ئ"}, {48, "لا"}, {53, "ظ"}, {86, "|"}, {0, ""}, {1, "ESC"}, {14, "key_"}, {15, "key_"},
            {28, "key_Enter"}, {29, "ctrl"}, {42, "Shift"}, {54, "Shift"}, {55, ""}, {56, "Alt"},
            {57, "R5_5"}, {58, "Caps"}, {59, ""}, {347, "Start"}, {328, ""}, {0xFFFFFFFF, ""}};
        for (const auto &row : rows)
            QTest::addRow("%u", row.first) << row.first << row.second;
    }
    void keyTexts()
    {
        QFETCH(unsigned, code);
        KeyBoardMap map(0, nullptr);
        QTEST(map.keyTextForScanCode(code), "text");
        QVERIFY(!map.findChild<QPushButton *>());
    }

    void clickingKeys()
    {
        KeyBoardMap map(1, nullptr);
        QCOMPARE(map.size(), QSize(774, 234));
        QVERIFY(key(map, "PushButton_CTRL") && !key(map, "PushButton_Ctrl"));
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
        QCOMPARE(groups->itemText(1), QString("1) ي ب ل ا ت ن"));
        // a Shift lesson drills the Shift captions of its keys
        QString lessonSeven = "7)";
        for (const char *id : {"R3_6", "R2_6", "R4_7", "R3_5", "R2_5", "R4_6"})
            lessonSeven += " " + Keys::caption(Keys::Layer::Shift, id);
        QCOMPARE(groups->itemText(7), lessonSeven);
        QCOMPARE(groups->count(), 19);
        key(map, "PushButton_R4_2")->click();
        groups->setCurrentIndex(2);
        QCOMPARE(map.selection(), (QStringList{"ش", "س", "م", "ك", "ط"}));
        QCOMPARE(shown(map), QString("ش س م ك ط"));
        groups->setCurrentIndex(0);
        QCOMPARE(map.selection().size(), 5);
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

    // Start without keys only warns; after a start, closing sends nothing more.
    void startAndClose()
    {
        KeyBoardMap map(1, nullptr);
        QSignalSpy exits(&map, &KeyBoardMap::ExitKbMap);
        map.findChild<QPushButton *>("StartButton")->click();
        QCOMPARE(exits.count(), 0);
        QVERIFY(recorder->messages.last().text.startsWith("No keys were selected"));
        key(map, "PushButton_R3_4")->click();
        map.findChild<QPushButton *>("StartButton")->click();
        map.close();
        QCOMPARE(exits.count(), 1);
        QCOMPARE(exits.last().at(0).toBool(), true);
        QCOMPARE(exits.last().at(1).toStringList(), QStringList{"ب"});
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

    void keysShowTheirCaptionsInBothDirections()
    {
        for (int layer : {0, 1}) {
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
    }

    // A key shows what it types: a lone "&" is no mnemonic, a bare haraka sits
    // on a dotted circle, a bracket is not mirrored in an Arabic window.
    void shownCaptions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "ب" << "ب";
        QTest::newRow("ampersand") << "&" << "&&";
        QTest::newRow("fatha") << QString(QChar(0x064E)) << QString(QChar(0x25CC)) + QChar(0x064E);
        QTest::newRow("bracket") << "(" << QString(QChar(0x202A)) + "(" + QChar(0x202C);
    }
    void shownCaptions()
    {
        QFETCH(QString, caption);
        QTEST(KeyboardPanel::shownCaption(caption), "shown");
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
