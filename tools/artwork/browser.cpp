#include "paintkit.h"
#include "pictures.h"

#include <QFont>
#include <QLinearGradient>

// An empty browser window, 220 x 200. The program lays its own white
// preview (217 x 161) over the content area at (2, 32), so everything
// drawn here stays in the chrome around it.

namespace {

constexpr QRect kContent(2, 32, 217, 161);

void drawWindowControls(QPainter &p)
{
    p.setPen(QPen(QColor(0xffffffff), 1.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    // Minimise.
    p.drawLine(QPointF(181, 12.5), QPointF(188, 12.5));
    // Maximise.
    p.drawRect(QRectF(194.5, 5.5, 7, 7));
    // Close.
    p.setPen(QPen(QColor(0xffffffff), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(207.5, 5.5), QPointF(214.5, 12.5));
    p.drawLine(QPointF(214.5, 5.5), QPointF(207.5, 12.5));
}

void drawTab(QPainter &p, QRgb face)
{
    using namespace Palette;
    QPainterPath tab;
    tab.moveTo(6, 17);
    tab.quadTo(9, 17, 9, 14);
    tab.lineTo(9, 7);
    tab.quadTo(9, 4, 12, 4);
    tab.lineTo(96, 4);
    tab.quadTo(99, 4, 99, 7);
    tab.lineTo(99, 14);
    tab.quadTo(99, 17, 102, 17);
    tab.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(face));
    p.drawPath(tab);

    // Site icon: a tiny index of thumbnails.
    p.setBrush(QColor(Bright));
    p.drawRect(QRectF(15, 7, 3, 3));
    p.drawRect(QRectF(19, 11, 3, 3));
    p.setBrush(QColor(Amber));
    p.drawRect(QRectF(19, 7, 3, 3));
    p.setBrush(QColor(Sky));
    p.drawRect(QRectF(15, 11, 3, 3));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(QColor(Ink));
    p.drawText(QRectF(26, 4, 56, 13), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("index.html"));

    p.setPen(QPen(QColor(Slate), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(88.5, 8.5), QPointF(92.5, 12.5));
    p.drawLine(QPointF(92.5, 8.5), QPointF(88.5, 12.5));
}

void drawToolbar(QPainter &p)
{
    using namespace Palette;
    const QColor glyph(Slate);
    const QColor dim(Rule);

    // Back, forward, reload.
    auto arrow = [&](qreal x, int dir, const QColor &c) {
        p.setPen(QPen(c, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(x - 4 * dir, 24.5), QPointF(x + 4 * dir, 24.5));
        QPainterPath head;
        head.moveTo(x - 1 * dir, 21.5);
        head.lineTo(x - 4 * dir, 24.5);
        head.lineTo(x - 1 * dir, 27.5);
        p.drawPath(head);
    };
    arrow(11, 1, glyph);
    arrow(25, -1, dim);

    p.setPen(QPen(glyph, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(35.5, 20.5, 8, 8), 100 * 16, 290 * 16);
    QPainterPath tip;
    tip.moveTo(41.8, 19.6);
    tip.lineTo(42.2, 22.8);
    tip.lineTo(39.0, 22.4);
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    p.drawPath(tip);

    // Address field.
    const QRectF field(51.5, 19.5, 160, 10);
    p.setPen(QPen(QColor(0xffaebcce), 1));
    p.setBrush(QColor(Paper));
    p.drawRoundedRect(field, 5, 5);

    // A small page symbol, then the address.
    QPainterPath page;
    page.moveTo(57.5, 21.5);
    page.lineTo(60.5, 21.5);
    page.lineTo(62.5, 23.5);
    page.lineTo(62.5, 27.5);
    page.lineTo(57.5, 27.5);
    page.closeSubpath();
    p.setPen(QPen(glyph, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(QColor(Ink));
    p.drawText(QRectF(67, 19.5, 120, 10), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("index.html"));
}

} // namespace

QImage drawBrowserWindow()
{
    using namespace Palette;
    QImage image = newCanvas(220, 200);
    QPainter p(&image);
    prepare(p);

    const QRectF outer(0.5, 0.5, 219, 199);
    QPainterPath window;
    window.addRoundedRect(outer, 4, 4);

    const QRgb toolbarTop = 0xfff5f8fc;
    p.save();
    p.setClipPath(window);
    // Frame and toolbar colour everywhere first.
    QLinearGradient chrome(0, 17, 0, 31);
    chrome.setColorAt(0, QColor(toolbarTop));
    chrome.setColorAt(1, QColor(0xffe4eaf2));
    p.fillRect(QRectF(0, 17, 220, 183), QColor(0xffe4eaf2));
    p.fillRect(QRectF(0, 17, 220, 14), chrome);

    // Title bar.
    QLinearGradient title(0, 0, 0, 17);
    title.setColorAt(0, QColor(0xff4486dc));
    title.setColorAt(1, QColor(Deep));
    p.fillRect(QRectF(0, 0, 220, 17), title);
    p.restore();

    drawTab(p, toolbarTop);
    drawWindowControls(p);
    drawToolbar(p);

    // Toolbar edge, status bar, then the page itself.
    p.save();
    p.setClipPath(window);
    p.fillRect(QRect(0, 31, 220, 1), QColor(0xffa9b7c8));
    p.fillRect(QRect(0, 193, 220, 1), QColor(0xffc3ceda));
    p.fillRect(QRect(0, 194, 220, 6), QColor(0xffeef2f7));
    p.restore();
    p.fillRect(kContent, Qt::white);

    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(window);
    return image;
}
