#include "paintkit.h"
#include "pictures.h"

#include <array>

// 60 x 61 option pictures for the page-layout and packaging choices.

namespace {

constexpr Scene kCycle[] = {Scene::Day, Scene::Lake, Scene::Dusk, Scene::Meadow};

Scene sceneAt(int i)
{
    return kCycle[i % 4];
}

} // namespace

QImage drawLayoutTable()
{
    QImage image = newCanvas(60, 61);
    QPainter p(&image);
    prepare(p);
    drawMiniBrowser(p, QRectF(1, 3, 58, 55));

    // Three by three, equal cells, equal gaps.
    const int xs[] = {6, 23, 40};
    const int ys[] = {15, 29, 43};
    int n = 0;
    for (int y : ys)
        for (int x : xs)
            drawThumb(p, QRectF(x, y, 14, 11), sceneAt(n++));
    return image;
}

QImage drawLayoutGeneric()
{
    QImage image = newCanvas(60, 61);
    QPainter p(&image);
    prepare(p);
    drawMiniBrowser(p, QRectF(1, 3, 58, 55));

    // Pictures keep their own proportions and simply flow along the rows.
    const std::array<QRectF, 8> cells = {{
            {5, 14, 17, 13},
            {25, 18, 11, 9},
            {39, 15, 16, 11},
            {5, 31, 10, 13},
            {18, 30, 21, 15},
            {42, 33, 13, 9},
            {5, 47, 15, 8},
            {23, 48, 10, 7},
    }};
    int n = 0;
    for (const QRectF &r : cells)
        drawThumb(p, r, sceneAt(n++ + 1));
    return image;
}

QImage drawPackagingCopy()
{
    using namespace Palette;
    QImage image = newCanvas(60, 61);
    QPainter p(&image);
    prepare(p);

    // The output place: the page and the folder it gets.
    p.setPen(QPen(QColor(Pale), 1));
    p.setBrush(QColor(Mist));
    p.drawRoundedRect(QRectF(1.5, 30.5, 57, 29), 3, 3);
    drawPage(p, QRectF(37.5, 34.5, 17, 23));
    drawFolder(p, QRectF(4.5, 40.5, 26, 16), true);

    // Two source folders, both copied into the new one.
    drawFolder(p, QRectF(3.5, 8.5, 20, 13), true);
    drawFolder(p, QRectF(36.5, 8.5, 20, 13), true);

    const QColor ink(Deep);
    drawArrow(p, QPointF(14, 24), QPointF(14, 30), QPointF(14, 36), ink, 2, 5);
    drawArrow(p, QPointF(46, 24), QPointF(42, 34), QPointF(26, 35.5), ink, 2, 5);
    return image;
}

QImage drawPackagingNoCopy()
{
    using namespace Palette;
    QImage image = newCanvas(60, 61);
    QPainter p(&image);
    prepare(p);

    drawPage(p, QRectF(3.5, 19.5, 19, 26));

    const qreal folderX = 37.5;
    const std::array<qreal, 3> tops = {6.5, 26.5, 46.5};
    for (qreal top : tops)
        drawFolder(p, QRectF(folderX, top, 19, 11), true);

    // The page only points at the pictures where they already are:
    // dashed references, branching from the page to each folder.
    const qreal bus = 29.5;
    const qreal tip = folderX - 1;
    QPen dash(QColor(Deep), 1, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({2.0, 2.0});
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(23, 32.5), QPointF(bus, 32.5));
    p.drawLine(QPointF(bus, tops.front() + 6), QPointF(bus, tops.back() + 6));
    for (qreal top : tops) {
        const qreal y = top + 6;
        p.setPen(dash);
        p.drawLine(QPointF(bus + 0.5, y), QPointF(tip - 3, y));

        QPainterPath head;
        head.moveTo(tip, y);
        head.lineTo(tip - 3.5, y - 2.5);
        head.lineTo(tip - 3.5, y + 2.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(Deep));
        p.drawPath(head);
    }
    return image;
}
