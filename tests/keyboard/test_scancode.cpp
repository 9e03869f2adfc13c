#include "app/catalogues.h"
#include "keyboard/keyids.h"
#include "keyboard/scancode.h"
#include "tests/support/coresupport.h"

#include <QKeyEvent>

// X.Org keycodes of a standard PC keyboard, as xev shows them.
class TestScanCode : public QObject
{
    Q_OBJECT
private slots:
    void x11Keycodes_data()
    {
        QTest::addColumn<unsigned>("keycode");
        QTest::addColumn<unsigned>("scanCode");
        QTest::addColumn<QString>("keyId");
        // The character rows run in step on both sides: first keycode, first scan code, row, first column, keys.
        const struct { unsigned keycode, scanCode; int row, column, keys; } rows[] = {
            {10, 2, 1, 2, 12}, {24, 16, 2, 1, 12}, {38, 30, 3, 1, 11}, {52, 44, 4, 2, 10}};
        for (const auto &r : rows)
            for (int i = 0; i < r.keys; ++i)
                QTest::addRow("R%d_%d", r.row, r.column + i)
                    << r.keycode + i << r.scanCode + i << QString("R%1_%2").arg(r.row).arg(r.column + i);
        QTest::newRow("grave") << 49u << 41u << "R1_1";
        QTest::newRow("backslash") << 51u << 43u << "R3_12";
        QTest::newRow("less/greater (ISO)") << 94u << 86u << "R4_1";
        QTest::newRow("space") << 65u << 57u << "R5_5";
        QTest::newRow("Shift_L") << 50u << 42u << "Shift";
        QTest::newRow("Shift_R") << 62u << 54u << "Shift";
        QTest::newRow("Caps_Lock") << 66u << 58u << "R3_1";
        QTest::newRow("Control_L") << 37u << 29u << "Ctrl";
        QTest::newRow("Alt_L") << 64u << 56u << "ALT";
        QTest::newRow("Return") << 36u << 28u << "Enter";
        QTest::newRow("Escape") << 9u << 1u << "ESC";
        QTest::newRow("BackSpace") << 22u << 14u << "";
        QTest::newRow("Tab") << 23u << 15u << "";
        QTest::newRow("Up") << 111u << 0x148u << "Arrow Up";
        QTest::newRow("Left") << 113u << 0x14Bu << "Arrow Left";
        QTest::newRow("Right") << 114u << 0x14Du << "Arrow Right";
        QTest::newRow("Down") << 116u << 0x150u << "Arrow Down";
        QTest::newRow("Super_L") << 133u << 0x15Bu << "Start";
        QTest::newRow("Super_R") << 134u << 0x15Cu << "";
        QTest::newRow("Control_R") << 105u << 0x11Du << "";
        QTest::newRow("Alt_R") << 108u << 0x138u << "";
        QTest::newRow("KP_Enter") << 104u << 0x11Cu << "";
        QTest::newRow("Delete") << 119u << 0x153u << "";
        QTest::newRow("KP_Multiply") << 63u << 55u << "";
        QTest::newRow("F1") << 67u << 59u << "";
        for (unsigned unknown : {0u, 7u, 8u, 300u})
            QTest::addRow("unknown %u", unknown) << unknown << 0u << "";
    }
    void x11Keycodes()
    {
        QFETCH(unsigned, keycode);
        QFETCH(unsigned, scanCode);
        QFETCH(QString, keyId);
        QCOMPARE(ScanCodes::fromLinuxKeycode(keycode), scanCode);
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0, QString("x"));
        QCOMPARE(ScanCodes::fromEvent(&event), scanCode);
        QCOMPARE(Keys::keyIdForScanCode(ScanCodes::fromEvent(&event)), keyId);
    }

    void macVirtualKeys_data()
    {
        QTest::addColumn<unsigned>("virtualKey");
        QTest::addColumn<unsigned>("scanCode");
        QTest::newRow("A") << 0x00u << 30u;
        QTest::newRow("Z") << 0x06u << 44u;
        QTest::newRow("Q") << 0x0Cu << 16u;
        QTest::newRow("5") << 0x17u << 6u;
        QTest::newRow("0") << 0x1Du << 11u;
        QTest::newRow("quote") << 0x27u << 40u;
        QTest::newRow("slash") << 0x2Cu << 53u;
        QTest::newRow("space") << 0x31u << 57u;
        QTest::newRow("grave") << 0x32u << 41u;
        QTest::newRow("shift") << 0x38u << 42u;
        QTest::newRow("right shift") << 0x3Cu << 54u;
        QTest::newRow("caps") << 0x39u << 58u;
        QTest::newRow("command") << 0x37u << 0x15Bu;
        QTest::newRow("left") << 0x7Bu << 0x14Bu;
        QTest::newRow("up") << 0x7Eu << 0x148u;
        QTest::newRow("F5 unmapped") << 0x60u << 0u;
    }
    void macVirtualKeys()
    {
        QFETCH(unsigned, virtualKey);
        QFETCH(unsigned, scanCode);
        QCOMPARE(ScanCodes::fromMacVirtualKey(virtualKey), scanCode);
    }

    void textFallbackWhenNoNativeCode()
    {
        Catalogues::apply("AR_ar_AR");
        auto codeFor = [](const QString &text) {
            QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 0, 0, 0, text);
            return ScanCodes::fromEvent(&event);
        };
        QCOMPARE(codeFor("ش"), 30u);
        QCOMPARE(codeFor("ظ"), 53u);
        QCOMPARE(codeFor("أ"), 35u); // Shift layer of the alef key
        QCOMPARE(codeFor(" "), 57u);
        QCOMPARE(codeFor("\r"), 28u);
        QCOMPARE(codeFor("€"), 0u);
        QCOMPARE(codeFor(""), 0u);
        Catalogues::apply("AR_ar_EG");
        QCOMPARE(codeFor("ظ"), 44u);
    }
};

HARFORA_CORE_TEST_MAIN(TestScanCode)
#include "test_scancode.moc"
