#include "paintkit.h"
#include "pictures.h"

#include <QFont>
#include <QLinearGradient>

namespace {

// The pill-shaped body shared by the three navigation buttons (89 x 36).
void buttonBase(QPainter &p)
{
    using namespace Palette;
    prepare(p);
    const QRectF pill(3.5, 2.5, 82, 29);
    QPainterPath shape;
    shape.addRoundedRect(pill, 14.5, 14.5);

    softShadow(p, shape, QPointF(0, 1.5), 3, 80);

    QLinearGradient body(pill.topLeft(), pill.bottomLeft());
    body.setColorAt(0.0, QColor(0xff5794e4));
    body.setColorAt(0.5, QColor(Bright));
    body.setColorAt(1.0, QColor(Deep));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shape);

    // Restrained gloss over the upper half.
    const QRectF shine(8, 4, 73, 12);
    QLinearGradient gloss(shine.topLeft(), shine.bottomLeft());
    gloss.setColorAt(0, withAlpha(0xffffffff, 95));
    gloss.setColorAt(1, withAlpha(0xffffffff, 8));
    p.setBrush(gloss);
    p.drawRoundedRect(shine, 6, 6);

    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

// Two chevrons side by side; direction -1 points left, +1 points right.
void doubleChevron(QPainter &p, int direction)
{
    const QPointF centre(44.5, 17);
    const qreal halfH = 5.5;
    const qreal depth = 5.5;
    const qreal gap = 6.5;

    auto chevrons = [&](QPointF shift) {
        QPainterPath path;
        for (int i = 0; i < 2; ++i) {
            const qreal tipX = centre.x() + direction * (depth / 2 + gap / 2 - i * gap);
            const qreal backX = tipX - direction * depth;
            path.moveTo(QPointF(backX, centre.y() - halfH) + shift);
            path.lineTo(QPointF(tipX, centre.y()) + shift);
            path.lineTo(QPointF(backX, centre.y() + halfH) + shift);
        }
        return path;
    };

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(Palette::Night, 90), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevrons(QPointF(0, 1)));
    p.setPen(QPen(QColor(0xffffffff), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(chevrons(QPointF(0, 0)));
}

} // namespace

QImage drawButtonBack()
{
    QImage image = newCanvas(89, 36);
    QPainter p(&image);
    buttonBase(p);
    doubleChevron(p, -1);
    return image;
}

QImage drawButtonFore()
{
    QImage image = newCanvas(89, 36);
    QPainter p(&image);
    buttonBase(p);
    doubleChevron(p, +1);
    return image;
}

QImage drawButtonFin()
{
    QImage image = newCanvas(89, 36);
    QPainter p(&image);
    buttonBase(p);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(14);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("FIN"));
    const QRectF wb = word.boundingRect();
    word.translate(44.5 - wb.center().x(), 17 - wb.center().y());

    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Palette::Night, 90));
    p.drawPath(word.translated(0, 1));
    p.setBrush(QColor(0xffffffff));
    p.drawPath(word);
    return image;
}
