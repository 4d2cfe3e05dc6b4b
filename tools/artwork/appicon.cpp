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

    const Scene scenes[] = {Scene::Day, Scene::Lake, Scene::Meadow,
                            Scene::Dusk};
    const qreal size = 38;
    const qreal gap = 8;
    const qreal x0 = tile.center().x() - size - gap / 2;
    const qreal y0 = tile.center().y() - size - gap / 2;
    for (int i = 0; i < 4; ++i) {
        const QRectF r(x0 + (i % 2) * (size + gap), y0 + (i / 2) * (size + gap),
                       size, size);
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

    const Scene scenes[] = {Scene::Day, Scene::Lake, Scene::Meadow,
                            Scene::Dusk};
    for (int i = 0; i < 4; ++i) {
        const QRectF r(5 + (i % 2) * 12, 5 + (i / 2) * 12, 10, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Paper));
        p.drawRoundedRect(r, 1.5, 1.5);
        drawScene(p, r.adjusted(1, 1, -1, -1), scenes[i], false);
    }

    p.setPen(QPen(withAlpha(Night, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 6.5, 6.5);
    return image;
}
