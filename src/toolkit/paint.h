// Painting of shapes, lines and whole drawing areas, shared by the Qt windows and by the
// headless capture, so that a captured picture has exactly the pixels the window shows.
// Everything is drawn without antialiasing at 15 twips per pixel.
//
// Hatches are line segments clipped by the figure's own geometry, never pattern brushes, so that
// the same routines paint any device: at scale 1 the window itself, pixel for pixel; at any other
// scale smooth, for print and for vector files (which keep no brush patterns and may ignore a
// painter's clip): every position and size is `scale` times the window's pixel geometry
// (figures touch and overlap exactly as on screen), widths grow with it, edges are antialiased.
#pragma once

#include "control.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <optional>

namespace zelmor::tk {

class Form;

// Twips to pixels, rounded to the nearest pixel: the one conversion of a length or position.
int twipsToPixels(int twips);
// A rectangle in twips to pixels: both edges are rounded, so that rectangles that touch in twips
// touch on screen (the width is not rounded on its own).
QRect pixelRect(const Rect& twips);
QColor toQColor(Color c);

// A rectangle or oval: a border of whole pixels inside its rectangle, an optional opaque
// background and a fill that may be a hatch over the transparent interior.
struct ShapeLook {
    ShapeKind kind = ShapeKind::Rectangle;
    int borderWidth = 1;
    QColor borderColor = Qt::black;
    FillStyle fillStyle = FillStyle::Transparent;
    QColor fillColor = Qt::black;
    std::optional<QColor> backColor;  // none: transparent
    bool operator==(const ShapeLook&) const = default;
};
ShapeLook shapeLook(const Control& shape);

// The hatch is laid from the shape's own top-left corner. `pixels` is in window pixels.
void paintShape(QPainter& painter, const QRect& pixels, const ShapeLook& look, qreal scale = 1);
// Thick lines have round ends. Points name window pixels, the width is in window pixels.
void paintLine(QPainter& painter, QPoint from, QPoint to, int width, const QColor& color,
               qreal scale = 1);

// A window that paints its whole drawing area itself: its back colour, what the form paints
// beneath its controls, then its visible shapes and lines in collection order. Only controls
// that sit directly on the window are painted.
void paintClientArea(QPainter& painter, const Form& form, qreal scale = 1);
// The drawing area as an image of its size in pixels times `scale` (rounded), painted as above.
QImage grabClientArea(const Form& form, qreal scale = 1);

}  // namespace zelmor::tk
