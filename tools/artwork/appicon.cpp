#include "paintkit.h"
#include "pictures.h"

#include <QLinearGradient>

// The application icon: a blue tile holding a 2 x 2 index of pictures.

// The design on a 128-unit grid, painted through whatever transform the
// painter has. Soft shadows are blurred in device pixels, so their radius
// follows the scale; a vector file gets plain translucent shadows instead.
void paintAppIcon(QPainter &p, bool rasterShadows)
{
    using namespace Palette;
    const qreal scale = p.transform().m11();
    const auto shadow = [&](const QPainterPath &shape, qreal dy, int blur, int alpha) {
        if (rasterShadows) {
            softShadow(p, shape, QPointF(0, dy * scale), qRound(blur * scale), alpha);
        } else {
            p.fillPath(shape.translated(0, dy), withAlpha(Night, alpha / 3));
        }
    };

    const QRectF tile(8, 6, 112, 112);
    QPainterPath shape;
    shape.addRoundedRect(tile, 24, 24);
    shadow(shape, 3, 6, 90);

    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0xff4b8ee2));
    g.setColorAt(0.55, QColor(Deep));
    g.setColorAt(1, QColor(Navy));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);

    // Soft light along the upper edge.
    QLinearGradient sheen(tile.topLeft(), QPointF(tile.left(), tile.top() + 56));
    sheen.setColorAt(0, withAlpha(0xffffffff, 50));
    sheen.setColorAt(1, withAlpha(0xffffffff, 0));
    if (rasterShadows) {
        p.save();
        p.setClipPath(shape);
        p.fillRect(tile, sheen);
        p.restore();
    } else {
        p.fillPath(shape, sheen); // the same light without a clip, which SVG files lack
    }

    const Scene scenes[] = {Scene::Day, Scene::Lake, Scene::Meadow, Scene::Dusk};
    const qreal size = 38;
    const qreal gap = 8;
    const qreal x0 = tile.center().x() - size - gap / 2;
    const qreal y0 = tile.center().y() - size - gap / 2;
    for (int i = 0; i < 4; ++i) {
        const QRectF r(x0 + (i % 2) * (size + gap), y0 + (i / 2) * (size + gap), size, size);
        QPainterPath frame;
        frame.addRoundedRect(r, 4, 4);
        shadow(frame, 2, 4, 110);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Paper));
        p.drawPath(frame);
        const QRectF pic = r.adjusted(4, 4, -4, -4);
        drawScene(p, pic, scenes[i], true);
    }

    p.setPen(QPen(withAlpha(Night, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 23.5, 23.5);
}

QImage drawAppIcon128()
{
    return drawAppIcon(128);
}

QImage drawAppIcon(int size)
{
    QImage image = newCanvas(size, size, true);
    QPainter p(&image);
    prepare(p);
    if (size != 128)
        p.scale(size / 128.0, size / 128.0);
    paintAppIcon(p, true);
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

QImage drawAppIcon16()
{
    using namespace Palette;
    QImage image = newCanvas(16, 16, true);
    QPainter p(&image);
    prepare(p);

    // The tile and its 2 x 2 index, each picture a white frame around a
    // 3 x 3 scene: a sky and a hill, one with the sun.
    const QRectF tile(0.5, 0.5, 15, 15);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0xff4b8ee2));
    g.setColorAt(0.55, QColor(Deep));
    g.setColorAt(1, QColor(Navy));
    p.setPen(QPen(withAlpha(Night, 140), 1));
    p.setBrush(g);
    p.drawRoundedRect(tile, 3.5, 3.5);

    p.setRenderHint(QPainter::Antialiasing, false);
    const QRgb skies[] = {0xffb4d0f4, 0xffc9dcf5, 0xffd8e6f8, 0xfff9cf8f};
    const QRgb ground[] = {Mid, Deep, Bright, Navy};
    for (int i = 0; i < 4; ++i) {
        const QPoint o(2 + (i % 2) * 7, 2 + (i / 2) * 7);
        p.fillRect(QRect(o, QSize(5, 5)), QColor(Paper));
        p.fillRect(QRect(o + QPoint(1, 1), QSize(3, 2)), QColor(skies[i]));
        p.fillRect(QRect(o + QPoint(1, 3), QSize(3, 1)), QColor(ground[i]));
    }
    p.fillRect(QRect(5, 3, 1, 1), QColor(Amber));
    return image;
}
