#include "paintkit.h"

#include <QLinearGradient>
#include <QPaintEngine>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <vector>

QColor withAlpha(QRgb rgb, int alpha)
{
    QColor c(rgb);
    c.setAlpha(alpha);
    return c;
}

namespace {
int canvasScale = 1;
} // namespace

void setCanvasScale(int scale)
{
    canvasScale = std::max(1, scale);
}

QImage newCanvas(int width, int height, bool transparent)
{
    QImage image(width * canvasScale, height * canvasScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(canvasScale);
    image.fill(transparent ? Qt::transparent : Qt::white);
    return image;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

namespace {

// One horizontal and one vertical box blur over the alpha values.
void boxBlur(std::vector<float> &a, int w, int h, int r)
{
    std::vector<float> tmp(a.size());
    const float norm = 1.0f / float(2 * r + 1);
    for (int y = 0; y < h; ++y) {
        float sum = 0;
        for (int k = -r; k <= r; ++k)
            sum += a[y * w + std::clamp(k, 0, w - 1)];
        for (int x = 0; x < w; ++x) {
            tmp[y * w + x] = sum * norm;
            sum += a[y * w + std::clamp(x + r + 1, 0, w - 1)];
            sum -= a[y * w + std::clamp(x - r, 0, w - 1)];
        }
    }
    for (int x = 0; x < w; ++x) {
        float sum = 0;
        for (int k = -r; k <= r; ++k)
            sum += tmp[std::clamp(k, 0, h - 1) * w + x];
        for (int y = 0; y < h; ++y) {
            a[y * w + x] = sum * norm;
            sum += tmp[std::clamp(y + r + 1, 0, h - 1) * w + x];
            sum -= tmp[std::clamp(y - r, 0, h - 1) * w + x];
        }
    }
}

} // namespace

void softShadow(QPainter &p, const QPainterPath &shape, QPointF offset, int blurRadius, int alpha,
                QRgb tint)
{
    // Work in device pixels so that rotated shapes blur correctly; offset
    // and radius are in pixels of the picture, so they scale with a canvas
    // drawn at twice the size.
    const qreal ratio = p.device() ? p.device()->devicePixelRatio() : 1.0;
    const QPainterPath device = p.deviceTransform().map(shape).translated(offset * ratio);
    blurRadius = qRound(blurRadius * ratio);
    const int pad = blurRadius * 3 + 2;
    const QRect bounds = device.boundingRect().toAlignedRect().adjusted(-pad, -pad, pad, pad);

    QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing, true);
        mp.translate(-bounds.topLeft());
        mp.fillPath(device, Qt::black);
    }

    const int w = mask.width();
    const int h = mask.height();
    std::vector<float> a(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[size_t(y * w + x)] = float(qAlpha(line[x])) / 255.0f;
    }
    if (blurRadius > 0) {
        const int r = std::max(1, blurRadius / 2);
        for (int pass = 0; pass < 3; ++pass)
            boxBlur(a, w, h, r);
    }

    QImage shadow(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    const QColor c(tint);
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int al = std::clamp(int(a[size_t(y * w + x)] * float(alpha) + 0.5f), 0, 255);
            line[x] = qRgba(c.red() * al / 255, c.green() * al / 255, c.blue() * al / 255, al);
        }
    }

    shadow.setDevicePixelRatio(ratio);
    p.save();
    p.resetTransform();
    p.drawImage(QPointF(bounds.topLeft()) / ratio, shadow);
    p.restore();
}

namespace {

QPointF at(const QRectF &r, qreal fx, qreal fy)
{
    return {r.left() + fx * r.width(), r.top() + fy * r.height()};
}

QPainterPath ridge(const QRectF &r, std::initializer_list<QPointF> points)
{
    // A closed shape from the bottom-left corner over the given ridge
    // (fractions of the area) to the bottom-right corner.
    QPainterPath path;
    path.moveTo(r.left() - 1, r.bottom() + 1);
    for (const QPointF &pt : points)
        path.lineTo(at(r, pt.x(), pt.y()));
    path.lineTo(r.right() + 1, r.bottom() + 1);
    path.closeSubpath();
    return path;
}

QPainterPath hill(const QRectF &r, qreal leftY, qreal midX, qreal midY, qreal rightY)
{
    QPainterPath path;
    path.moveTo(r.left() - 1, r.bottom() + 1);
    path.lineTo(at(r, 0, leftY));
    path.quadTo(at(r, midX, midY), at(r, 1, rightY));
    path.lineTo(r.right() + 1, r.bottom() + 1);
    path.closeSubpath();
    return path;
}

void skyGradient(QPainter &p, const QRectF &r, QRgb top, QRgb bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(top));
    g.setColorAt(1, QColor(bottom));
    p.fillRect(r, g);
}

} // namespace

void drawScene(QPainter &p, const QRectF &area, Scene scene, bool detailed)
{
    using namespace Palette;
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    // SVG files are written without clipping: the shapes are cut to the
    // area instead.
    const bool cutShapes = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::SVG;
    QPainterPath areaShape;
    areaShape.addRect(area);
    const auto drawShape = [&](const QPainterPath &shape) {
        p.drawPath(cutShapes ? shape.intersected(areaShape) : shape);
    };
    p.setPen(Qt::NoPen);
    const qreal h = area.height();

    switch (scene) {
    case Scene::Day: {
        skyGradient(p, area, 0xff8fbaf0, 0xffe3edf9);
        p.setBrush(QColor(Amber));
        p.drawEllipse(at(area, 0.73, 0.30), 0.12 * h, 0.12 * h);
        if (detailed) {
            p.setBrush(QColor(0xff6e9fdf));
            drawShape(ridge(area, {{0, 0.72},
                                   {0.22, 0.46},
                                   {0.38, 0.62},
                                   {0.56, 0.40},
                                   {0.80, 0.66},
                                   {1, 0.56}}));
        }
        p.setBrush(QColor(Deep));
        drawShape(hill(area, 0.80, 0.45, 0.58, 0.86));
        break;
    }
    case Scene::Dusk: {
        skyGradient(p, area, 0xfff7c77f, 0xfffdebcf);
        p.setBrush(QColor(0xfff08f3a));
        p.drawEllipse(at(area, 0.38, 0.62), 0.17 * h, 0.17 * h);
        if (detailed) {
            p.setBrush(QColor(Mid));
            drawShape(
                    ridge(area, {{0, 0.60}, {0.18, 0.50}, {0.42, 0.68}, {0.66, 0.42}, {1, 0.64}}));
        }
        p.setBrush(QColor(Navy));
        drawShape(hill(area, 0.86, 0.55, 0.66, 0.78));
        break;
    }
    case Scene::Lake: {
        skyGradient(p, area, 0xffbcd5f3, 0xffeef4fb);
        p.setBrush(QColor(Mid));
        drawShape(ridge(area, {{0, 0.62}, {0.30, 0.30}, {0.48, 0.48}, {0.64, 0.36}, {1, 0.62}}));
        if (detailed) {
            // Snow on the highest peak.
            p.setBrush(QColor(Mist));
            QPainterPath snow;
            snow.moveTo(at(area, 0.300, 0.300));
            snow.lineTo(at(area, 0.360, 0.360));
            snow.lineTo(at(area, 0.330, 0.385));
            snow.lineTo(at(area, 0.300, 0.360));
            snow.lineTo(at(area, 0.270, 0.390));
            snow.lineTo(at(area, 0.244, 0.360));
            snow.closeSubpath();
            drawShape(snow);
        }
        QRectF water = area;
        water.setTop(area.top() + 0.62 * h);
        QLinearGradient g(water.topLeft(), water.bottomLeft());
        g.setColorAt(0, QColor(0xff6a9fe3));
        g.setColorAt(1, QColor(Deep));
        p.fillRect(water, g);
        if (detailed) {
            // A faint reflection of the light along the shore.
            QRectF shore = water;
            shore.setHeight(std::max(1.0, h * 0.05));
            p.fillRect(shore, withAlpha(0xffffffff, 70));
        }
        break;
    }
    case Scene::Meadow: {
        skyGradient(p, area, 0xffd6e4f6, 0xfff4f8fd);
        p.setBrush(QColor(Amber));
        p.drawEllipse(at(area, 0.26, 0.30), 0.10 * h, 0.10 * h);
        p.setBrush(QColor(Sky));
        drawShape(hill(area, 0.66, 0.70, 0.34, 0.62));
        p.setBrush(QColor(Bright));
        drawShape(hill(area, 0.76, 0.30, 0.52, 0.90));
        break;
    }
    }
    p.restore();
}

void drawPrint(QPainter &p, const QRectF &rect, qreal angle, Scene scene, qreal border)
{
    p.save();
    p.translate(rect.center());
    p.rotate(angle);
    const QRectF local(-rect.width() / 2, -rect.height() / 2, rect.width(), rect.height());

    QPainterPath outline;
    outline.addRoundedRect(local, 1.5, 1.5);
    softShadow(p, outline, QPointF(0, 3), 7, 110);

    p.setPen(Qt::NoPen);
    QLinearGradient paper(local.topLeft(), local.bottomRight());
    paper.setColorAt(0, QColor(0xffffffff));
    paper.setColorAt(1, QColor(0xffeef2f7));
    p.setBrush(paper);
    p.drawPath(outline);

    const QRectF picture = local.adjusted(border, border, -border, -border);
    drawScene(p, picture, scene, true);
    p.setPen(QPen(withAlpha(Palette::Night, 40), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(picture);
    p.restore();
}

void drawThumb(QPainter &p, const QRectF &rect, Scene scene)
{
    drawScene(p, rect, scene, rect.height() >= 14);
    p.setPen(QPen(withAlpha(Palette::Navy, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
}

void drawFolder(QPainter &p, const QRectF &rect, bool withPicture)
{
    using namespace Palette;
    const QColor edge(0xffb06a1e);
    const qreal tabH = std::max(2.0, std::round(rect.height() * 0.16));
    const qreal tabW = std::round(rect.width() * 0.42);
    const qreal lift = std::round(rect.height() * 0.26);

    // Back panel with its tab.
    QPainterPath back;
    back.moveTo(rect.left(), rect.bottom() - 1);
    back.lineTo(rect.left(), rect.top() - tabH + 1);
    back.quadTo(rect.left(), rect.top() - tabH, rect.left() + 1, rect.top() - tabH);
    back.lineTo(rect.left() + tabW - 2, rect.top() - tabH);
    back.lineTo(rect.left() + tabW, rect.top());
    back.lineTo(rect.right() - 1, rect.top());
    back.quadTo(rect.right(), rect.top(), rect.right(), rect.top() + 1);
    back.lineTo(rect.right(), rect.bottom() - 1);
    back.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(QColor(AmberDeep));
    p.drawPath(back);

    if (withPicture) {
        // A print peeking out of the folder, kept on the pixel grid.
        const qreal pw = std::round(rect.width() * 0.56);
        const QRectF print(rect.left() + std::round((rect.width() - pw) / 2), rect.top() - tabH - 1,
                           pw, tabH + lift + 2);
        p.setPen(QPen(QColor(0xff8a9bb0), 1));
        p.setBrush(QColor(Paper));
        p.drawRect(print);
        const QRectF inner = print.adjusted(1.5, 1.5, -1.5, 0);
        QLinearGradient sky(inner.topLeft(), inner.bottomLeft());
        sky.setColorAt(0, QColor(0xff9cc2f1));
        sky.setColorAt(1, QColor(Bright));
        p.setPen(Qt::NoPen);
        p.fillRect(inner, sky);
        p.setBrush(QColor(Amber));
        const qreal sun = std::max(1.2, inner.width() * 0.11);
        p.drawEllipse(QPointF(inner.right() - sun - 1.5, inner.top() + sun + 1), sun, sun);
    }

    // Front panel, a little lower, so that the back panel shows above it.
    QPainterPath front;
    front.addRoundedRect(QRectF(rect.left(), rect.top() + lift, rect.width(), rect.height() - lift),
                         1.5, 1.5);
    QLinearGradient g(rect.topLeft() + QPointF(0, lift), rect.bottomLeft());
    g.setColorAt(0, QColor(0xfff8c06a));
    g.setColorAt(1, QColor(Amber));
    p.setPen(QPen(edge, 1));
    p.setBrush(g);
    p.drawPath(front);
    // A soft highlight along the top edge of the front panel.
    p.setPen(QPen(withAlpha(0xffffffff, 140), 1));
    p.drawLine(QPointF(rect.left() + 1.5, rect.top() + lift + 1),
               QPointF(rect.right() - 1.5, rect.top() + lift + 1));
}

void drawPage(QPainter &p, const QRectF &rect)
{
    using namespace Palette;
    const qreal fold = std::round(rect.width() * 0.3);
    QPainterPath sheet;
    sheet.moveTo(rect.topLeft());
    sheet.lineTo(rect.right() - fold, rect.top());
    sheet.lineTo(rect.right(), rect.top() + fold);
    sheet.lineTo(rect.bottomRight());
    sheet.lineTo(rect.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(QColor(Slate), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(Paper));
    p.drawPath(sheet);

    QPainterPath ear;
    ear.moveTo(rect.right() - fold, rect.top());
    ear.lineTo(rect.right() - fold, rect.top() + fold);
    ear.lineTo(rect.right(), rect.top() + fold);
    ear.closeSubpath();
    p.setBrush(QColor(Pale));
    p.setPen(QPen(QColor(Slate), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.drawPath(ear);

    // Heading bar and a 2 x 2 grid of thumbnails.
    const qreal left = rect.left() + 2.5;
    p.setPen(QPen(QColor(Deep), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(left, rect.top() + 3.5),
               QPointF(rect.right() - fold - 1.5, rect.top() + 3.5));

    // The cells are filled, not stroked, so they sit on whole pixels.
    const int gap = 2;
    const int inside = int(rect.width()) - 4; // one pixel of paper each side
    const int cell = (inside - gap) / 2;
    const int gridW = 2 * cell + gap;
    const int x0 = int(std::floor(rect.left())) + 1 + (int(rect.width()) - gridW) / 2;
    const int y0 = int(std::floor(rect.top() + fold)) + 2;
    p.setPen(Qt::NoPen);
    const QRgb shades[4] = {Bright, Amber, Sky, Mid};
    for (int i = 0; i < 4; ++i) {
        const QRect cellRect(x0 + (i % 2) * (cell + gap), y0 + (i / 2) * (cell + gap), cell, cell);
        if (cellRect.bottom() >= rect.bottom() - 1)
            break;
        p.fillRect(cellRect, QColor(shades[i]));
    }
}

QRectF drawMiniBrowser(QPainter &p, const QRectF &rect)
{
    using namespace Palette;
    const QRectF outer = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(outer, 2.5, 2.5);

    softShadow(p, frame, QPointF(0, 1), 2, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Paper));
    p.drawPath(frame);

    const qreal barH = 8;
    const QRectF bar(rect.left(), rect.top(), rect.width(), barH);
    p.save();
    p.setClipPath(frame);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, QColor(Bright));
    g.setColorAt(1, QColor(Deep));
    p.fillRect(bar, g);
    p.restore();

    // Window buttons and the address field.
    p.setBrush(QColor(Amber));
    p.drawEllipse(QPointF(rect.left() + 4.5, rect.top() + 4.5), 1.3, 1.3);
    p.setBrush(withAlpha(0xffffffff, 170));
    p.drawEllipse(QPointF(rect.left() + 8.5, rect.top() + 4.5), 1.3, 1.3);
    p.setBrush(withAlpha(0xffffffff, 235));
    p.drawRoundedRect(QRectF(rect.left() + 13, rect.top() + 3, rect.width() - 17, 3), 1.5, 1.5);

    p.setPen(QPen(QColor(Navy), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);

    return QRectF(rect.left() + 1, rect.top() + barH, rect.width() - 2, rect.height() - barH - 1);
}

void drawArrow(QPainter &p, QPointF start, QPointF control, QPointF end, const QColor &color,
               qreal width, qreal headLength)
{
    // Direction of travel at the tip of the quadratic curve.
    QPointF dir = end - control;
    const qreal len = std::hypot(dir.x(), dir.y());
    dir /= len;
    const QPointF normal(-dir.y(), dir.x());
    const QPointF base = end - dir * headLength;
    const QPointF shaftEnd = end - dir * (headLength * 0.7);

    QPainterPath shaft;
    shaft.moveTo(start);
    shaft.quadTo(control, shaftEnd);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);

    const qreal half = headLength * 0.62;
    QPainterPath head;
    head.moveTo(end);
    head.lineTo(base + normal * half);
    head.lineTo(base - normal * half);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(head);
}
