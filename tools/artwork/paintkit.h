// Shared colours and drawing helpers for the Vintora artwork.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace Palette {
// Blues, from darkest to lightest.
inline constexpr QRgb Night = 0xff0f2744;
inline constexpr QRgb Navy = 0xff163b68;
inline constexpr QRgb Deep = 0xff1d4e89;
inline constexpr QRgb Mid = 0xff2b65ad;
inline constexpr QRgb Bright = 0xff3a7bd5;
inline constexpr QRgb Sky = 0xff8db6ea;
inline constexpr QRgb Pale = 0xffd6e4f6;
inline constexpr QRgb Mist = 0xffeef4fb;

// The single warm accent.
inline constexpr QRgb Amber = 0xfff2a541;
inline constexpr QRgb AmberDeep = 0xffd9862a;
inline constexpr QRgb AmberLight = 0xfffbd79a;

// Neutrals.
inline constexpr QRgb Ink = 0xff24344a;
inline constexpr QRgb Slate = 0xff66778e;
inline constexpr QRgb Rule = 0xffb9c6d6;
inline constexpr QRgb Paper = 0xffffffff;
} // namespace Palette

QColor withAlpha(QRgb rgb, int alpha);

// Every picture is drawn at its size in pixels; at a canvas scale of 2 the
// canvas has twice as many pixels each way and a device pixel ratio of 2, so
// the same drawing code gives the picture for screens at 200 %.
void setCanvasScale(int scale);

// A canvas of the given size (in pixels at scale 1), filled white or left
// transparent.
QImage newCanvas(int width, int height, bool transparent = false);

// Sets up a painter the way every picture wants it.
void prepare(QPainter &p);

// Paints a soft, blurred shadow of the given shape.
void softShadow(QPainter &p, const QPainterPath &shape, QPointF offset, int blurRadius, int alpha,
                QRgb tint = Palette::Night);

// A small landscape used inside every "photo": a few variations.
enum class Scene { Day, Dusk, Lake, Meadow };
void drawScene(QPainter &p, const QRectF &area, Scene scene, bool detailed = true);

// A white-bordered print showing a scene, optionally rotated about its
// centre, with a soft shadow.
void drawPrint(QPainter &p, const QRectF &rect, qreal angle, Scene scene, qreal border);

// A tiny picture thumbnail for the diagram icons: framed scene.
void drawThumb(QPainter &p, const QRectF &rect, Scene scene);

// A folder; its body occupies the given rectangle (the tab sits on top).
void drawFolder(QPainter &p, const QRectF &rect, bool withPicture);

// A web page with a dog-eared corner and a little grid of thumbnails.
void drawPage(QPainter &p, const QRectF &rect);

// The miniature browser window used by the layout pictures.
// Returns the white content rectangle.
QRectF drawMiniBrowser(QPainter &p, const QRectF &rect);

// A gently curved arrow from start to end, bending towards control, with a
// filled head at the end.
void drawArrow(QPainter &p, QPointF start, QPointF control, QPointF end, const QColor &color,
               qreal width, qreal headLength);
