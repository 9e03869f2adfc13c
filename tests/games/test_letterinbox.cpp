#include "app/translate.h"
#include "games/letterinbox.h"
#include "keyboard/keyids.h"
#include "tests/support/testsupport.h"

#include <QPainter>

#include <cmath>

// What one ball draws: inside its rectangle, its letter fitted and readable.
class TestLetterInBox : public QObject
{
    Q_OBJECT
    // A ball painted alone on an image with a margin of `margin` around it.
    static QImage painted(LetterInBox &ball, int margin, QColor ground)
    {
        QImage image(ball.size() + 2 * margin, ball.size() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
        image.fill(ground);
        QPainter painter(&image);
        painter.translate(margin, margin);
        ball.paint(&painter, nullptr, nullptr);
        return image;
    }
    static double luminance(QColor c)
    {
        auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    }
    static double contrast(QColor a, QColor b)
    {
        const double la = luminance(a), lb = luminance(b);
        return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
    }

private slots:
    void initTestCase() { translate::applyLanguage("AR_ar_AR"); }

    // Every caption a ball can carry, and the longest text ("Shift").
    void ballPaintsInsideItself_data()
    {
        QTest::addColumn<QString>("letter");
        for (const QString &id : Keys::characterKeyIds())
            for (Keys::Layer layer : {Keys::Layer::Plain, Keys::Layer::Shift}) {
                const QString caption = Keys::caption(layer, id);
                if (!caption.trimmed().isEmpty())
                    QTest::newRow(qPrintable(Keys::captionSource(layer, id))) << caption;
            }
        QTest::newRow("Shift") << "Shift";
    }
    void ballPaintsInsideItself()
    {
        QFETCH(QString, letter);
        const int margin = 80, size = 60; // room for what a ball might draw beside itself
        LetterInBox ball(0);
        ball.setSize(size);
        ball.setText(letter);
        // nothing outside the bounding rectangle, falling or lost
        for (bool lost : {false, true}) {
            if (lost)
                ball.setHit(false);
            const QImage image = painted(ball, margin, Qt::transparent);
            const QRect inside(margin, margin, size, size);
            for (int y = 0; y < image.height(); ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(line[x]) != 0 && !inside.contains(x, y))
                        QFAIL(qPrintable(QString("painted at %1,%2").arg(x).arg(y)));
            }
        }
        // the letter centred, clear of the rim, and dark on the light ball
        LetterInBox falling(0);
        falling.setSize(size);
        const QImage empty = painted(falling, 0, Qt::white);
        falling.setText(letter);
        const QImage drawn = painted(falling, 0, Qt::white);
        const QPointF centre(size / 2.0, size / 2.0);
        QRect ink;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                if (drawn.pixel(x, y) == empty.pixel(x, y))
                    continue;
                ink |= QRect(x, y, 1, 1);
                QVERIFY2(QLineF(centre, QPointF(x + 0.5, y + 0.5)).length() < size / 2.0 - 2, "touches the rim");
                QVERIFY2(contrast(falling.letterColour(), empty.pixelColor(x, y)) >= 4.5, "hard to read");
            }
        QVERIFY(!ink.isEmpty());
        QVERIFY2(QLineF(QRectF(ink).center(), centre).length() <= 2, "not centred");
    }
};

HARFORA_TEST_MAIN(TestLetterInBox)
#include "test_letterinbox.moc"
