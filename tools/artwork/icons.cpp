#include "paintkit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

// Small link icons shown next to the "read me", "mail" and "web" entries.
// They are drawn on the pixel grid: 1 px strokes sit on half pixels.

QImage drawIconReadme()
{
    using namespace Palette;
    QImage image = newCanvas(30, 31);
    QPainter p(&image);
    prepare(p);

    const QRectF book(5.5, 2.5, 20, 26);

    // Back cover, visible below the page block.
    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(QColor(Deep));
    p.drawRoundedRect(book, 2, 2);

    // Page block.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Paper));
    p.drawRect(QRectF(8, 22, 17, 4));
    p.setPen(QPen(QColor(Rule), 1));
    p.drawLine(QPointF(9, 23.5), QPointF(25, 23.5));
    p.drawLine(QPointF(9, 25.5), QPointF(25, 25.5));

    // Front cover.
    QPainterPath cover;
    cover.addRoundedRect(QRectF(5.5, 2.5, 20, 19), 2, 2);
    QLinearGradient g(5, 2, 26, 22);
    g.setColorAt(0, QColor(0xff4d8ae0));
    g.setColorAt(1, QColor(Mid));
    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(g);
    p.drawPath(cover);

    // Spine.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Navy, 150));
    p.drawRect(QRectF(6, 3, 3, 25));
    p.setPen(QPen(withAlpha(0xffffffff, 90), 1));
    p.drawLine(QPointF(9.5, 3), QPointF(9.5, 21));

    // Title label.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(0xffffffff, 235));
    p.drawRoundedRect(QRectF(12, 7, 10, 2), 1, 1);
    p.setBrush(withAlpha(0xffffffff, 150));
    p.drawRoundedRect(QRectF(12, 11, 7, 2), 1, 1);

    // Ribbon bookmark.
    QPainterPath ribbon;
    ribbon.moveTo(19, 21);
    ribbon.lineTo(22, 21);
    ribbon.lineTo(22, 30);
    ribbon.lineTo(20.5, 28.5);
    ribbon.lineTo(19, 30);
    ribbon.closeSubpath();
    p.setBrush(QColor(Amber));
    p.drawPath(ribbon);

    return image;
}

QImage drawIconMail()
{
    using namespace Palette;
    QImage image = newCanvas(33, 31);
    QPainter p(&image);
    prepare(p);

    const QRectF env(2.5, 6.5, 28, 19);
    QPainterPath body;
    body.addRoundedRect(env, 2, 2);

    QLinearGradient g(env.topLeft(), env.bottomLeft());
    g.setColorAt(0, QColor(Bright));
    g.setColorAt(1, QColor(Deep));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(body);

    // Lower folds, slightly lighter.
    p.save();
    p.setClipPath(body);
    QPainterPath folds;
    folds.moveTo(env.bottomLeft());
    folds.lineTo(16.5, 15.5);
    folds.lineTo(env.bottomRight());
    p.setPen(QPen(withAlpha(0xffffffff, 80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(folds);

    // Top flap.
    QPainterPath flap;
    flap.moveTo(env.left(), env.top());
    flap.lineTo(16.5, 18);
    flap.lineTo(env.right(), env.top());
    flap.closeSubpath();
    QLinearGradient fg(env.topLeft(), QPointF(env.left(), 18));
    fg.setColorAt(0, QColor(0xff6a9fe6));
    fg.setColorAt(1, QColor(0xff4a86da));
    p.setBrush(fg);
    p.setPen(QPen(QColor(Navy), 1));
    p.drawPath(flap);
    p.restore();

    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);

    // Wax seal at the tip of the flap.
    p.setPen(QPen(QColor(AmberDeep), 1));
    p.setBrush(QColor(Amber));
    p.drawEllipse(QPointF(16.5, 17.5), 3, 3);

    return image;
}

QImage drawIconWeb()
{
    using namespace Palette;
    QImage image = newCanvas(32, 30);
    QPainter p(&image);
    prepare(p);

    const QPointF c(15.5, 14.5);
    const qreal r = 13.5;
    QPainterPath sphere;
    sphere.addEllipse(c, r, r);

    QRadialGradient g(c + QPointF(-5, -6), 19);
    g.setColorAt(0, QColor(0xff7fb0ee));
    g.setColorAt(0.55, QColor(Bright));
    g.setColorAt(1, QColor(Deep));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(sphere);

    p.save();
    p.setClipPath(sphere);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(0xffffffff, 185), 1));
    // Parallels.
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.setPen(QPen(withAlpha(0xffffffff, 140), 1));
    p.drawLine(QPointF(c.x() - r, c.y() - 7), QPointF(c.x() + r, c.y() - 7));
    p.drawLine(QPointF(c.x() - r, c.y() + 7), QPointF(c.x() + r, c.y() + 7));
    // Meridians.
    p.setPen(QPen(withAlpha(0xffffffff, 185), 1));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.setPen(QPen(withAlpha(0xffffffff, 140), 1));
    p.drawEllipse(c, 7, r);
    p.restore();

    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 0.5, r - 0.5);
    return image;
}
