// The program's icons in one style: a rounded tile with a soft vertical
// gradient and a white symbol with a darker outline.
#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

namespace {
using Symbol = std::function<void(QPainter &, qreal s)>; // draws in a 0..s square

QColor tone(const char *name) { return QColor(name); }

QImage tile(int size, QColor colour, const Symbol &symbol)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal m = size * 0.04;
    const QRectF box(m, m, size - 2 * m, size - 2 * m);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, colour.lighter(135));
    g.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(150), size * 0.03));
    p.setBrush(g);
    p.drawRoundedRect(box, size * 0.2, size * 0.2);
    // a gloss band across the top
    QLinearGradient gloss(0, m, 0, size * 0.5);
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(m * 2, m * 2, size - 4 * m, size * 0.45), size * 0.16, size * 0.16);
    symbol(p, size);
    return image;
}

void ink(QPainter &p, qreal s, const QColor &fill = Qt::white)
{
    p.setPen(QPen(QColor(40, 40, 60, 200), s * 0.025, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
}

void keyboardSymbol(QPainter &p, qreal s)
{
    ink(p, s);
    p.drawRoundedRect(QRectF(s * 0.14, s * 0.34, s * 0.72, s * 0.36), s * 0.05, s * 0.05);
    p.setBrush(QColor("#555a66"));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 6; ++col)
            p.drawRoundedRect(QRectF(s * (0.19 + col * 0.105 + row * 0.015), s * (0.38 + row * 0.085), s * 0.075,
                                     s * 0.06), s * 0.01, s * 0.01);
}

void bookSymbol(QPainter &p, qreal s)
{
    ink(p, s);
    QPainterPath left, right;
    left.moveTo(s * 0.5, s * 0.3);
    left.cubicTo(s * 0.38, s * 0.22, s * 0.24, s * 0.24, s * 0.16, s * 0.28);
    left.lineTo(s * 0.16, s * 0.76);
    left.cubicTo(s * 0.26, s * 0.72, s * 0.4, s * 0.72, s * 0.5, s * 0.8);
    left.closeSubpath();
    right = left * QTransform(-1, 0, 0, 1, s, 0);
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor("#7a8cc8"), s * 0.02));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(s * 0.22, s * (0.38 + i * 0.1)), QPointF(s * 0.44, s * (0.4 + i * 0.1)));
        p.drawLine(QPointF(s * 0.56, s * (0.4 + i * 0.1)), QPointF(s * 0.78, s * (0.38 + i * 0.1)));
    }
}

// The outline of a bold Arabic letter centred on a point.
QPainterPath letterPath(const QString &letter, int pixelSize, const QPointF &centre)
{
    QFont f("Noto Naskh Arabic");
    f.setPixelSize(pixelSize);
    f.setBold(true);
    QPainterPath path;
    path.addText(0, 0, f, letter);
    const QRectF r = path.boundingRect();
    path.translate(centre.x() - r.center().x(), centre.y() - r.center().y());
    return path;
}

void letterSymbol(QPainter &p, qreal s, const QString &letter)
{
    ink(p, s);
    p.drawPath(letterPath(letter, int(s * 0.42), QPointF(s * 0.5, s * 0.5)));
}

void keyCapSymbol(QPainter &p, qreal s, const QString &letter)
{
    ink(p, s);
    p.drawRoundedRect(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6), s * 0.1, s * 0.1);
    p.setBrush(QColor("#e8e8ee"));
    p.drawRoundedRect(QRectF(s * 0.27, s * 0.24, s * 0.46, s * 0.44), s * 0.08, s * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#2a3a7a"));
    p.drawPath(letterPath(letter, int(s * 0.3), QPointF(s * 0.5, s * 0.46)));
}

void joystickSymbol(QPainter &p, qreal s)
{
    ink(p, s);
    p.drawRoundedRect(QRectF(s * 0.2, s * 0.6, s * 0.6, s * 0.18), s * 0.06, s * 0.06);
    p.drawRect(QRectF(s * 0.46, s * 0.34, s * 0.08, s * 0.28));
    p.setBrush(QColor("#e8453c"));
    p.drawEllipse(QPointF(s * 0.5, s * 0.3), s * 0.11, s * 0.11);
    p.drawEllipse(QPointF(s * 0.7, s * 0.66), s * 0.045, s * 0.045);
}

void gearSymbol(QPainter &p, qreal s)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a = i * M_PI / teeth;
        const qreal r = (i % 2 == 0) ? s * 0.3 : s * 0.24;
        const QPointF pt(s * 0.5 + r * std::cos(a), s * 0.5 + r * std::sin(a));
        i == 0 ? gear.moveTo(pt) : gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(s * 0.5, s * 0.5), s * 0.1, s * 0.1);
    gear.setFillRule(Qt::OddEvenFill);
    ink(p, s);
    p.drawPath(gear);
}

void studentSymbol(QPainter &p, qreal s)
{
    ink(p, s);
    p.drawEllipse(QPointF(s * 0.5, s * 0.42), s * 0.14, s * 0.14);
    p.drawChord(QRectF(s * 0.24, s * 0.58, s * 0.52, s * 0.4), 0, 180 * 16);
    QPolygonF cap(QVector<QPointF>{{s * 0.26, s * 0.28}, {s * 0.5, s * 0.18}, {s * 0.74, s * 0.28}, {s * 0.5, s * 0.38}});
    p.setBrush(QColor("#333a55"));
    p.drawPolygon(cap);
}

void graphSymbol(QPainter &p, qreal s)
{
    ink(p, s);
    const qreal heights[] = {0.25, 0.4, 0.32, 0.52};
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(s * (0.2 + i * 0.155), s * (0.78 - heights[i]), s * 0.11, s * heights[i]));
}

void userKeySymbol(QPainter &p, qreal s)
{
    ink(p, s);
    p.drawEllipse(QPointF(s * 0.36, s * 0.36), s * 0.14, s * 0.14);
    p.drawChord(QRectF(s * 0.14, s * 0.52, s * 0.44, s * 0.4), 0, 180 * 16);
    p.setBrush(QColor("#f2c94c"));
    p.drawEllipse(QPointF(s * 0.66, s * 0.58), s * 0.1, s * 0.1);
    QPolygonF shaft(QVector<QPointF>{{s * 0.7, s * 0.64}, {s * 0.84, s * 0.8}, {s * 0.8, s * 0.84}, {s * 0.76, s * 0.8},
                    {s * 0.73, s * 0.83}, {s * 0.64, s * 0.7}});
    p.drawPolygon(shaft);
}

void arrowSymbol(QPainter &p, qreal s, qreal angle)
{
    p.save();
    p.translate(s / 2, s / 2);
    p.rotate(angle);
    QPolygonF arrow(QVector<QPointF>{{-s * 0.26, -s * 0.1}, {s * 0.02, -s * 0.1}, {s * 0.02, -s * 0.24}, {s * 0.28, 0},
                    {s * 0.02, s * 0.24}, {s * 0.02, s * 0.1}, {-s * 0.26, s * 0.1}});
    ink(p, s);
    p.drawPolygon(arrow);
    p.restore();
}

void pauseSymbol(QPainter &p, qreal s)
{
    ink(p, s);
    p.drawRoundedRect(QRectF(s * 0.3, s * 0.26, s * 0.14, s * 0.48), s * 0.03, s * 0.03);
    p.drawRoundedRect(QRectF(s * 0.56, s * 0.26, s * 0.14, s * 0.48), s * 0.03, s * 0.03);
}

void gamePicture(QPainter &p, qreal s, bool space)
{
    // sky and falling letter balls
    QLinearGradient sky(0, 0, 0, s);
    sky.setColorAt(0, space ? QColor("#101848") : QColor("#ffef7a"));
    sky.setColorAt(1, space ? QColor("#3a2a78") : QColor("#ff8a3c"));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.14, s * 0.14);
    if (space) {
        p.setBrush(Qt::white);
        const QPointF stars[] = {{0.2, 0.2}, {0.75, 0.15}, {0.6, 0.35}, {0.3, 0.7}, {0.85, 0.6}, {0.15, 0.5}};
        for (const QPointF &st : stars)
            p.drawEllipse(QPointF(s * st.x(), s * st.y()), s * 0.012, s * 0.012);
    }
    const struct { qreal x, y, r; const char *letter; } balls[] = {
        {0.3, 0.3, 0.13, "ب"}, {0.64, 0.48, 0.15, "س"}, {0.36, 0.72, 0.12, "ت"}};
    for (const auto &b : balls) {
        QRadialGradient g(QPointF(s * (b.x - 0.04), s * (b.y - 0.04)), s * b.r * 1.3);
        g.setColorAt(0, QColor(255, 255, 240));
        g.setColorAt(0.4, QColor(215, 132, 10));
        g.setColorAt(1, QColor(235, 0, 9));
        p.setBrush(g);
        p.setPen(QPen(QColor(120, 20, 10), s * 0.01));
        p.drawEllipse(QPointF(s * b.x, s * b.y), s * b.r, s * b.r);
        QFont f("Noto Naskh Arabic");
        f.setPixelSize(int(s * b.r * 1.1));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(s * (b.x - b.r), s * (b.y - b.r), s * 2 * b.r, s * 2 * b.r), Qt::AlignCenter,
                   QString::fromUtf8(b.letter));
    }
}

void save(const QImage &image, const QString &folder, const QString &name)
{
    const QString path = folder + "/" + name;
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path))
        qFatal("cannot write %s", qPrintable(path));
}
}

void drawIcons(const QString &out)
{
    const QColor blue = tone("#5b7fd6"), green = tone("#5cb85c"), orange = tone("#f0963c"),
                 purple = tone("#9b6bd6"), teal = tone("#3bb3b0"), grey = tone("#7d8799"), red = tone("#e0594f");
    save(tile(80, blue, bookSymbol), out, "icons/typing.png");
    save(tile(80, green, keyboardSymbol), out, "icons/typing-jpg.png");
    save(tile(80, orange, joystickSymbol), out, "icons/Joystick-icon1.png");
    save(tile(80, purple, studentSymbol), out, "icons/student1.png");
    save(tile(80, teal, graphSymbol), out, "icons/graph-icon.png");
    save(tile(80, grey, gearSymbol), out, "icons/Setting-icon.png");
    save(tile(64, tone("#e8af54"), userKeySymbol), out, "icons/user-login-icon.png");
    save(tile(64, green, [](QPainter &p, qreal s) { keyCapSymbol(p, s, QString::fromUtf8("ش")); }), out,
         "icons/learn1.PNG");
    save(tile(64, orange, [](QPainter &p, qreal s) { letterSymbol(p, s, QString::fromUtf8("ب")); }), out,
         "icons/login-icon.png");
    save(tile(32, blue, [](QPainter &p, qreal s) { arrowSymbol(p, s, 0); }), out, "rightarrow32.png");
    save(tile(32, blue, [](QPainter &p, qreal s) { arrowSymbol(p, s, 180); }), out, "leftarrow32.png");
    save(tile(80, blue, [](QPainter &p, qreal s) { arrowSymbol(p, s, 180); }), out, "icons/navigate-left-icon.png");
    save(tile(80, blue, [](QPainter &p, qreal s) { arrowSymbol(p, s, 0); }), out, "icons/navigate-right-icon.png");
    save(tile(80, green, [](QPainter &p, qreal s) { arrowSymbol(p, s, -90); }), out, "icons/navigate-up-icon.png");
    save(tile(80, red, pauseSymbol), out, "icons/pause-icon.png");
    // the program's own icon, for the window and the desktop menu
    const Symbol harfora = [](QPainter &p, qreal s) { keyCapSymbol(p, s, QString::fromUtf8("ح")); };
    save(tile(256, tone("#e8af54"), harfora), out, "icons/harfora.png");
    // the window's icon: a title bar or task bar shows it at 48 pixels at most, and a
    // small picture is decoded at start-up in a fraction of the large one's time and memory
    save(tile(48, tone("#e8af54"), harfora), out, "icons/harfora-48.png");
    for (bool space : {false, true}) {
        QImage image(124, 124, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        gamePicture(p, 124, space);
        p.end();
        save(image, out, space ? "game_space_keys_124_ar.png" : "game_falling_keys_124_ar.png");
    }
}
