#include "app/catalogues.h"
#include "keyboard/keyids.h"
#include "keyboard/scancode.h"
#include "tests/support/coresupport.h"

#include <QKeyEvent>

// Key identifiers, and X.Org keycodes of a standard PC keyboard as xev shows them.
class TestScanCode : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Catalogues::apply("AR_ar_AR"); }

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
        const struct { const char *name; unsigned keycode, scanCode; const char *keyId; } named[] = {
            {"grave", 49, 41, "R1_1"}, {"backslash", 51, 43, "R3_12"}, {"less/greater (ISO)", 94, 86, "R4_1"},
            {"space", 65, 57, "R5_5"}, {"Shift_L", 50, 42, "Shift"}, {"Shift_R", 62, 54, "Shift"},
            {"Caps_Lock", 66, 58, "R3_1"}, {"Control_L", 37, 29, "Ctrl"}, {"Alt_L", 64, 56, "ALT"},
            {"Return", 36, 28, "Enter"}, {"Escape", 9, 1, "ESC"}, {"BackSpace", 22, 14, ""}, {"Tab", 23, 15, ""},
            {"Up", 111, 0x148, "Arrow Up"}, {"Left", 113, 0x14B, "Arrow Left"}, {"Right", 114, 0x14D, "Arrow Right"},
            {"Down", 116, 0x150, "Arrow Down"}, {"Super_L", 133, 0x15B, "Start"}, {"Super_R", 134, 0x15C, ""},
            {"Control_R", 105, 0x11D, ""}, {"Alt_R", 108, 0x138, ""}, {"KP_Enter", 104, 0x11C, ""},
            {"Delete", 119, 0x153, ""}, {"KP_Multiply", 63, 55, ""}, {"F1", 67, 59, ""}, {"F12", 96, 88, ""}};
        for (const auto &n : named)
            QTest::newRow(n.name) << n.keycode << n.scanCode << QString(n.keyId);
        for (unsigned unknown : {0u, 7u, 8u, 300u})
            QTest::addRow("unknown %u", unknown) << unknown << 0u << "";
    }
    void x11Keycodes()
    {
        QFETCH(unsigned, keycode);
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0, QString("x"));
        QTEST(ScanCodes::fromEvent(&event), "scanCode");
        QTEST(Keys::keyIdForScanCode(ScanCodes::fromEvent(&event)), "keyId");
    }

    // What a key types in practice: Caps Lock shares the A key's identifier
    // but types nothing of that key's caption.
    void keyNames_data()
    {
        QTest::addColumn<unsigned>("scanCode");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("name");
        QTest::newRow("A key") << 30u << false << "ش";
        QTest::newRow("A key with Shift") << 30u << true << Keys::caption(Keys::Layer::Shift, "R3_1");
        QTest::newRow("Caps Lock") << 58u << false << "R3_1";
        QTest::newRow("space") << 57u << false << " ";
        QTest::newRow("Shift") << 42u << true << "Shift";
        QTest::newRow("Backspace") << 14u << false << "";
    }
    void keyNames()
    {
        QFETCH(unsigned, scanCode);
        QFETCH(bool, shift);
        QTEST(ScanCodes::keyName(scanCode, shift), "name");
    }

    void macVirtualKeys_data()
    {
        QTest::addColumn<unsigned>("virtualKey");
        QTest::addColumn<unsigned>("scanCode");
        const struct { const char *name; unsigned virtualKey, scanCode; } keys[] = {
            {"A", 0x00, 30}, {"Z", 0x06, 44}, {"Q", 0x0C, 16}, {"5", 0x17, 6}, {"0", 0x1D, 11},
            {"quote", 0x27, 40}, {"slash", 0x2C, 53}, {"space", 0x31, 57}, {"grave", 0x32, 41},
            {"shift", 0x38, 42}, {"right shift", 0x3C, 54}, {"caps", 0x39, 58}, {"command", 0x37, 0x15B},
            {"left", 0x7B, 0x14B}, {"up", 0x7E, 0x148}, {"F5 unmapped", 0x60, 0}};
        for (const auto &k : keys)
            QTest::newRow(k.name) << k.virtualKey << k.scanCode;
    }
    void macVirtualKeys()
    {
        QFETCH(unsigned, virtualKey);
        QTEST(ScanCodes::fromMacVirtualKey(virtualKey), "scanCode");
    }

    void textFallbackWhenNoNativeCode()
    {
        Catalogues::apply("AR_ar_AR");
        auto codeFor = [](const QString &text) {
            QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 0, 0, 0, text);
            return ScanCodes::fromEvent(&event);
        };
        // "أ" is the Shift layer of the alef key
        const QList<QPair<QString, unsigned>> codes = {
            {"ش", 30}, {"ظ", 53}, {"أ", 35}, {" ", 57}, {"\r", 28}, {"€", 0}, {"", 0}};
        for (const auto &[text, code] : codes)
            QCOMPARE(codeFor(text), code);
        Catalogues::apply("AR_ar_EG");
        QCOMPARE(codeFor("ظ"), 44u);
    }
};

HARFORA_CORE_TEST_MAIN(TestScanCode)
#include "test_scancode.moc"
