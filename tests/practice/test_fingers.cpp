#include "app/translate.h"
#include "practice/fingers.h"
#include "practice/handpicture.h"
#include "practice/handview.h"
#include "tests/support/testsupport.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsScene>
#include <QGraphicsView>

class TestFingers : public QObject
{
    Q_OBJECT
private slots:
    // The standard touch-typing chart: each finger owns a slanting column of keys, named here by
    // their US legends ("<" is the ISO key left of Z); the index fingers take two columns each, the
    // little fingers everything at the edges.
    void assignment_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("finger");
        QTest::addColumn<int>("hand");
        const QStringList zones = {"", "45RTFGVB", "3EDC", "2WSX", "`1QAZ<", "", "67YUHJNM", "8IK,", "9OL.", "0-=P[];'\\/"};
        // the physical keys by row, from the left, as the identifiers count them
        const QStringList rows = {"`1234567890-=", "QWERTYUIOP[]", "ASDFGHJKL;'\\", "<ZXCVBNM,./"};
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < rows[r].size(); ++c) {
                int zone = 0;
                while (zone < zones.size() && !zones[zone].contains(rows[r][c]))
                    ++zone;
                QVERIFY2(zone < zones.size(), qPrintable(rows[r].mid(c, 1)));
                QTest::addRow("R%d_%d %s", r + 1, c + 1, qPrintable(rows[r].mid(c, 1)))
                    << r + 1 << c + 1 << zone % 5 << zone / 5;
            }
            // finger -1 / hand -1: left unchanged
            QTest::addRow("row %d column 0", r + 1) << r + 1 << 0 << -1 << 0;
            QTest::addRow("row %d past the end", r + 1) << r + 1 << int(rows[r].size()) + 1 << -1 << 1;
        }
        QTest::newRow("space") << 5 << 5 << 0 << 0;
        QTest::newRow("row 5 other") << 5 << 4 << -1 << -1;
        QTest::newRow("row 0") << 0 << 0 << -1 << -1;
        QTest::newRow("row 6") << 6 << 1 << -1 << -1;
        QTest::newRow("negative column") << 2 << -3 << -1 << -1;
    }
    void assignment()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, finger);
        QFETCH(int, hand);
        int f = -1, h = -1;
        Fingers::assign(row, column, f, h);
        QCOMPARE(f, finger);
        QCOMPARE(h, hand);
    }

    void colours()
    {
        const QList<QPair<int, QString>> colours = {
            {0, ""}, {1, "#859399"}, {4, "#94ba6d"}, {5, "#FFF000"}, {6, "#00FF00"}, {7, ""}};
        for (const auto &[finger, name] : colours)
            QCOMPARE(Fingers::colour(finger), name.isEmpty() ? QColor() : QColor(name));
    }

    void handViewCircles_data()
    {
        QTest::addColumn<int>("mirror");
        QTest::addColumn<int>("finger");
        QTest::addColumn<QPointF>("corner");
        // view 200 wide, picture 199 x 173: sx 3, sy 4, offset (200 - 199) * 3 + 18 = 21
        QTest::newRow("right index") << 1 << 1 << QPointF(50 - 21, 23);
        QTest::newRow("right little") << 1 << 4 << QPointF(178 - 21, 49);
        QTest::newRow("left index") << -1 << 1 << QPointF(199 - 50, 23);
        QTest::newRow("left ring") << -1 << 3 << QPointF(199 - 140, 36);
    }
    void handViewCircles()
    {
        QFETCH(int, mirror);
        QFETCH(int, finger);
        QFETCH(QPointF, corner);
        HandView hand(nullptr, 10, 10, 220, 240);
        hand.Show(true);
        hand.SLOT_showhandinpop(mirror, finger);
        QVERIFY(hand.lastCircle());
        QCOMPARE(hand.lastCircle()->rect(), QRectF(corner, QSizeF(20, 20)));
        QCOMPARE(hand.lastCircle()->brush().color(), Fingers::colour(finger));
        QCOMPARE(hand.view()->scene()->items().size(), 2); // picture and circle only
        hand.SLOT_showhandinpop(-mirror, 0); // a missed space: the thumb, low in the picture
        QVERIFY(hand.lastCircle());
        QVERIFY(hand.lastCircle()->rect().top() > 173 / 2);
        QCOMPARE(hand.view()->scene()->items().size(), 2);
        hand.SLOT_showhandinpop(mirror, -1); // a character no key types: no finger left standing
        QVERIFY(!hand.lastCircle());
        QCOMPARE(hand.view()->scene()->items().size(), 1);
    }

    void showDoesNotTakeFocus()
    {
        QWidget typing;
        typing.show();
        typing.activateWindow();
        typing.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&typing));
        HandView hand(nullptr, 10, 10, 220, 240);
        hand.Show(true);
        QVERIFY(hand.isVisible());
        QCOMPARE(QApplication::activeWindow(), &typing);
    }
};

HARFORA_TEST_MAIN(TestFingers)
#include "test_fingers.moc"
