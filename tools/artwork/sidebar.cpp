#include "paintkit.h"
#include "pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

// The left-hand band of the wizard window: 185 x 354.
// The program prints its version in white near the bottom right, so the
// lowest strip stays dark and quiet.
QImage drawSidebar()
{
    using namespace Palette;
    QImage image = newCanvas(185, 354);
    QPainter p(&image);
    prepare(p);
    const QRectF all(0, 0, 185, 354);

    QLinearGradient base(0, 0, 0, 354);
    base.setColorAt(0.00, QColor(0xff3f82da));
    base.setColorAt(0.45, QColor(Deep));
    base.setColorAt(0.80, QColor(Navy));
    base.setColorAt(1.00, QColor(Night));
    p.fillRect(all, base);

    // Large, faint rings give the surface some depth.
    p.setPen(Qt::NoPen);
    QRadialGradient glow(QPointF(40, 40), 190);
    glow.setColorAt(0, withAlpha(0xffffffff, 46));
    glow.setColorAt(1, withAlpha(0xffffffff, 0));
    p.setBrush(glow);
    p.drawRect(all);

    p.setBrush(Qt::NoBrush);
    const QPointF ringCentre(166, 118);
    p.setPen(QPen(withAlpha(0xffffffff, 18), 24));
    p.drawEllipse(ringCentre, 100, 100);
    p.setPen(QPen(withAlpha(0xffffffff, 14), 1.2));
    p.drawEllipse(ringCentre, 132, 132);

    // A loose stack of three prints.
    drawPrint(p, QRectF(20, 78, 88, 68), -13, Scene::Dusk, 4.5);
    drawPrint(p, QRectF(80, 64, 88, 68), 9, Scene::Lake, 4.5);
    drawPrint(p, QRectF(44, 118, 100, 76), -2.5, Scene::Day, 5);

    // The product name.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(38);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.6);
    QPainterPath name;
    name.addText(0, 0, font, QStringLiteral("Vintora"));
    const QRectF nb = name.boundingRect();
    const qreal baseline = 264;
    name.translate(std::round((185 - nb.width()) / 2 - nb.left()), baseline);

    softShadow(p, name, QPointF(0, 2), 4, 90);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xffffffff));
    p.drawPath(name);

    // Accent rule and a short line about what the program makes.
    p.setBrush(QColor(Amber));
    p.drawRoundedRect(QRectF(92.5 - 16, baseline + 14, 32, 3), 1.5, 1.5);

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(small);
    p.setPen(withAlpha(0xffd6e4f6, 230));
    p.drawText(QRectF(0, baseline + 24, 185, 18), Qt::AlignCenter,
               QStringLiteral("picture index pages"));

    return image;
}
