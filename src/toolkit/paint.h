// Painting of shapes, lines and whole drawing areas, shared by the Qt windows and by the
// headless capture, so that a captured picture has exactly the pixels the window shows.
// Everything is drawn without antialiasing at 15 twips per pixel.
//
// The same routines paint at an integer scale for print: every position and size is `scale`
// times the window's pixel geometry (figures touch and overlap exactly as on screen), widths
// grow with it, hatches are drawn as lines instead of 8x8 pixel patterns, and edges are
// antialiased. Scale 1 is the window itself.
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

// The Qt brush pattern of a hatch fill; Qt::NoBrush for solid and transparent fills.
Qt::BrushStyle hatchPattern(FillStyle style);

// The hatch is laid from the shape's own top-left corner. `pixels` is in window pixels.
void paintShape(QPainter& painter, const QRect& pixels, const ShapeLook& look, int scale = 1);
// Thick lines have round ends. Points name window pixels, the width is in window pixels.
void paintLine(QPainter& painter, QPoint from, QPoint to, int width, const QColor& color,
               int scale = 1);

// A window that paints its whole drawing area itself: its back colour, what the form paints
// beneath its controls, then its visible shapes and lines in collection order. Only controls
// that sit directly on the window are painted.
void paintClientArea(QPainter& painter, const Form& form, int scale = 1);
// The drawing area as an image of its size in whole pixels times `scale`, painted as above.
QImage grabClientArea(const Form& form, int scale = 1);

}  // namespace zelmor::tk
