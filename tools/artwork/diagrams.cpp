#include "paintkit.h"
#include "pictures.h"

#include <array>

// 60 x 61 option pictures for the page-layout and packaging choices.

namespace {

constexpr Scene kCycle[] = {Scene::Day, Scene::Lake, Scene::Dusk,
                            Scene::Meadow};

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

    // Two source folders ...
    drawFolder(p, QRectF(3.5, 8.5, 20, 13), true);
    drawFolder(p, QRectF(36.5, 8.5, 20, 13), true);

    // ... copied into one folder that sits beside the page.
    drawPage(p, QRectF(38.5, 33.5, 17, 23));
    drawFolder(p, QRectF(4.5, 40.5, 26, 16), true);

    const QColor ink(Deep);
    drawArrow(p, QPointF(13.5, 24.5), QPointF(13.5, 30), QPointF(13.5, 36.5),
              ink, 1.6, 4.5);
    drawArrow(p, QPointF(44, 24.5), QPointF(36, 33), QPointF(23.5, 36.5), ink,
              1.6, 4.5);
    return image;
}

QImage drawPackagingNoCopy()
{
    using namespace Palette;
    QImage image = newCanvas(60, 61);
    QPainter p(&image);
    prepare(p);

    drawPage(p, QRectF(3.5, 17.5, 19, 26));

    const qreal folderX = 37.5;
    const std::array<qreal, 3> tops = {6.5, 26.5, 46.5};
    for (qreal top : tops)
        drawFolder(p, QRectF(folderX, top, 19, 11), true);

    // The page only points at the pictures where they already are.
    const QPointF from(26, 30.5);
    QPen dash(QColor(Deep), 1.2, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({2.0, 1.6});
    for (qreal top : tops) {
        const QPointF to(folderX - 2.5, top + 6);
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawLine(from, to - QPointF(2.5, 0) * 0.8);

        // Small open arrowhead at the folder.
        QPointF dir = to - from;
        dir /= std::hypot(dir.x(), dir.y());
        const QPointF normal(-dir.y(), dir.x());
        QPainterPath head;
        head.moveTo(to - dir * 3 + normal * 2.2);
        head.lineTo(to);
        head.lineTo(to - dir * 3 - normal * 2.2);
        p.setPen(QPen(QColor(Deep), 1.2, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(head);
    }
    p.setPen(QPen(QColor(0xffffffff), 1));
    p.setBrush(QColor(Amber));
    p.drawEllipse(from, 2.2, 2.2);
    return image;
}
