// Draws every picture of the program from code, so each can be redrawn at
// will: ./redraw.sh writes them into resources/images/.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "pictures.h"

namespace {
const QColor skin("#f2c79a"), skinShade("#dba77a"), outline("#8a5a3a"), nail("#fbe3d3");

struct Finger {
    QPointF base, tip;
    qreal width;
};

// One finger: an outlined round-capped stroke from the palm to the tip,
// with a nail near the tip.
void drawFinger(QPainter &p, const Finger &f)
{
    QPainterPath path;
    path.moveTo(f.base);
    path.lineTo(f.tip);
    p.setPen(QPen(outline, f.width + 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    QLinearGradient shade(f.base.x() - f.width / 2, 0, f.base.x() + f.width / 2, 0);
    shade.setColorAt(0, skinShade);
    shade.setColorAt(0.45, skin);
    shade.setColorAt(1, skinShade);
    p.setPen(QPen(QBrush(skin), f.width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    const QPointF along = (f.base - f.tip) / std::hypot(f.base.x() - f.tip.x(), f.base.y() - f.tip.y());
    const QPointF nailCentre = f.tip + along * (f.width * 0.15);
    p.save();
    p.translate(nailCentre);
    p.rotate(std::atan2(along.y(), along.x()) * 180 / M_PI + 90);
    p.setPen(QPen(skinShade, 1));
    p.setBrush(nail);
    p.drawRoundedRect(QRectF(-f.width * 0.3, -f.width * 0.35, f.width * 0.6, f.width * 0.7), 5, 5);
    p.restore();
}

// A right hand seen from above (back of the hand), fingers up, thumb left.
// The tips sit where the finger circles are drawn: index (42, 33),
// middle (92, 34), ring (132, 46), little (170, 59).
void drawRightHand(QPainter &p, qreal scale = 1.0, QPointF at = {})
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    const Finger fingers[] = {
        {{66, 110}, {43, 33}, 29}, {{94, 108}, {92, 33}, 30}, {{121, 110}, {132, 46}, 28}, {{146, 116}, {169, 60}, 24}};
    QPainterPath palm;
    palm.moveTo(52, 96);
    palm.cubicTo(90, 86, 130, 88, 160, 104);
    palm.cubicTo(172, 130, 166, 160, 158, 176);
    palm.lineTo(60, 176);
    palm.cubicTo(48, 150, 44, 120, 52, 96);
    const Finger thumb{{62, 150}, {16, 104}, 30};
    drawFinger(p, thumb);
    for (const Finger &f : fingers)
        drawFinger(p, f);
    QLinearGradient shade(40, 0, 175, 0);
    shade.setColorAt(0, skinShade);
    shade.setColorAt(0.5, skin);
    shade.setColorAt(1, skinShade);
    p.setPen(QPen(outline, 1.5));
    p.setBrush(shade);
    p.drawPath(palm);
    // knuckle creases
    p.setPen(QPen(skinShade.darker(115), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const Finger &f : fingers) {
        const QPointF k = f.base + (f.tip - f.base) * 0.42;
        p.drawLine(k + QPointF(-f.width * 0.25, 0), k + QPointF(f.width * 0.25, 0));
    }
    p.restore();
}

QImage canvas(int w, int h, QColor background = Qt::white)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(background);
    return image;
}

void save(const QImage &image, const QString &folder, const QString &name)
{
    const QString path = folder + "/" + name;
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, nullptr, 95))
        qFatal("cannot write %s", qPrintable(path));
}

QImage handPicture()
{
    QImage image = canvas(199, 173);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawRightHand(p);
    return image;
}

// Both hands resting on the home row of a small keyboard.
QImage handLocationPicture()
{
    QImage image = canvas(199, 173);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int keyRows = 4;
    for (int row = 0; row < keyRows; ++row)
        for (int column = 0; column < 12; ++column) {
            const QRectF key(4 + row * 4 + column * 15.5, 70 + row * 17, 13.5, 14);
            const bool home = row == 2 && (column <= 3 || (column >= 6 && column <= 9));
            p.setPen(QPen(QColor("#555"), 0.8));
            p.setBrush(home ? QColor("#e8af54") : QColor("#8c8f8c"));
            p.drawRoundedRect(key, 2.5, 2.5);
        }
    p.setBrush(QColor("#8c8f8c"));
    p.drawRoundedRect(QRectF(50, 138, 96, 13), 3, 3); // space bar
    // right hand on the right half, left hand mirrored on the left half
    drawRightHand(p, 0.52, QPointF(100, 84));
    p.save();
    p.translate(99, 0);
    p.scale(-1, 1);
    drawRightHand(p, 0.52, QPointF(0, 84));
    p.restore();
    return image;
}
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : "..";
    save(handPicture(), out, "hand3d1s.jpg");
    save(handLocationPicture(), out, "handlocationB.jpg");
    drawIcons(out);
    return 0;
}
