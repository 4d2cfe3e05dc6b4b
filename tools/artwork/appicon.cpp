#include "paintkit.h"
#include "pictures.h"

#include <QLinearGradient>

// The application icon: a blue tile holding a 2 x 2 index of pictures.

QImage drawAppIcon128()
{
    using namespace Palette;
    QImage image = newCanvas(128, 128, true);
    QPainter p(&image);
    prepare(p);

    const QRectF tile(8, 6, 112, 112);
    QPainterPath shape;
    shape.addRoundedRect(tile, 24, 24);
    softShadow(p, shape, QPointF(0, 3), 6, 90);

    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0xff4b8ee2));
    g.setColorAt(0.55, QColor(Deep));
    g.setColorAt(1, QColor(Navy));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);

    // Soft light along the upper edge.
    p.save();
    p.setClipPath(shape);
    QLinearGradient sheen(tile.topLeft(), QPointF(tile.left(), tile.top() + 56));
    sheen.setColorAt(0, withAlpha(0xffffffff, 50));
    sheen.setColorAt(1, withAlpha(0xffffffff, 0));
    p.fillRect(tile, sheen);
    p.restore();

    const Scene scenes[] = {Scene::Day, Scene::Lake, Scene::Meadow, Scene::Dusk};
    const qreal size = 38;
    const qreal gap = 8;
    const qreal x0 = tile.center().x() - size - gap / 2;
    const qreal y0 = tile.center().y() - size - gap / 2;
    for (int i = 0; i < 4; ++i) {
        const QRectF r(x0 + (i % 2) * (size + gap), y0 + (i / 2) * (size + gap), size, size);
        QPainterPath frame;
        frame.addRoundedRect(r, 4, 4);
        softShadow(p, frame, QPointF(0, 2), 4, 110);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Paper));
        p.drawPath(frame);
        const QRectF pic = r.adjusted(4, 4, -4, -4);
        drawScene(p, pic, scenes[i], true);
    }

    p.setPen(QPen(withAlpha(Night, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 23.5, 23.5);
    return image;
}

namespace {

// At 32 px the scenes are redrawn by hand on a 9 x 9 grid so that they
// stay crisp: flat sky, one clear silhouette, one spot of colour.
void tinyScene(QPainter &p, QPoint o, int variant)
{
    using namespace Palette;
    auto poly = [&](std::initializer_list<QPointF> pts, QRgb colour) {
        QPainterPath path;
        bool first = true;
        for (const QPointF &pt : pts) {
            if (first)
                path.moveTo(o + pt);
            else
                path.lineTo(o + pt);
            first = false;
        }
        path.closeSubpath();
        p.fillPath(path, QColor(colour));
    };
    const QRect area(o, QSize(9, 9));
    switch (variant) {
    case 0: // Sun over mountains.
        p.fillRect(area, QColor(0xffb4d0f4));
        p.fillRect(QRect(o + QPoint(6, 1), QSize(2, 2)), QColor(Amber));
        poly({{0, 9}, {0, 6}, {3, 3}, {5, 5}, {6.5, 4}, {9, 6.5}, {9, 9}}, Mid);
        break;
    case 1: // Mountain and water.
        p.fillRect(area, QColor(0xffc9dcf5));
        poly({{0, 6}, {3.5, 2}, {6, 4.5}, {7, 3.5}, {9, 5.5}, {9, 6}}, Mid);
        p.fillRect(QRect(o + QPoint(0, 6), QSize(9, 3)), QColor(Deep));
        break;
    case 2: // Rolling hills.
        p.fillRect(area, QColor(0xffd8e6f8));
        p.fillRect(QRect(o + QPoint(1, 1), QSize(2, 2)), QColor(Amber));
        poly({{0, 9}, {0, 6}, {4, 4.5}, {9, 5.5}, {9, 9}}, Sky);
        poly({{0, 9}, {0, 7.5}, {5, 6}, {9, 7.5}, {9, 9}}, Bright);
        break;
    default: // Dusk.
        p.fillRect(area, QColor(0xfff9cf8f));
        p.fillRect(QRect(o + QPoint(3, 3), QSize(3, 3)), QColor(0xfff08f3a));
        poly({{0, 9}, {0, 5.5}, {3, 5}, {6, 6.5}, {9, 5}, {9, 9}}, Navy);
        break;
    }
}

} // namespace

QImage drawAppIcon32()
{
    using namespace Palette;
    QImage image = newCanvas(32, 32, true);
    QPainter p(&image);
    prepare(p);

    const QRectF tile(1, 1, 30, 30);
    QPainterPath shape;
    shape.addRoundedRect(tile, 7, 7);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0xff4b8ee2));
    g.setColorAt(0.55, QColor(Deep));
    g.setColorAt(1, QColor(Navy));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);

    for (int i = 0; i < 4; ++i) {
        const QRect r(4 + (i % 2) * 13, 4 + (i / 2) * 13, 11, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Paper));
        p.drawRoundedRect(QRectF(r), 1.5, 1.5);
        tinyScene(p, r.topLeft() + QPoint(1, 1), i);
    }

    p.setPen(QPen(withAlpha(Night, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 6.5, 6.5);
    return image;
}
