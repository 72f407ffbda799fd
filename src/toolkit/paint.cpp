#include "paint.h"

#include "form.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zelmor::tk {

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QColor toQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

QRect pixelRect(const Rect& r) {
    const int x = twipsToPixels(r.left);
    const int y = twipsToPixels(r.top);
    return {x, y, std::max(0, twipsToPixels(r.left + r.width) - x),
            std::max(0, twipsToPixels(r.top + r.height) - y)};
}

ShapeLook shapeLook(const Control& c) {
    ShapeLook look;
    look.kind = c.shapeKind();
    look.borderWidth = c.borderWidth();
    look.borderColor = toQColor(c.borderColor());
    look.fillStyle = c.fillStyle();
    look.fillColor = toQColor(c.fillColor());
    if (c.backColor()) look.backColor = toQColor(*c.backColor());
    return look;
}

Qt::BrushStyle hatchPattern(FillStyle style) {
    switch (style) {
        case FillStyle::Horizontal:
            return Qt::HorPattern;
        case FillStyle::Vertical:
            return Qt::VerPattern;
        case FillStyle::UpwardDiagonal:
            return Qt::BDiagPattern;
        case FillStyle::DownwardDiagonal:
            return Qt::FDiagPattern;
        case FillStyle::Cross:
            return Qt::CrossPattern;
        case FillStyle::Solid:
        case FillStyle::Transparent:
            break;
    }
    return Qt::NoBrush;
}

void paintShape(QPainter& p, const QRect& outer, const ShapeLook& look) {
    if (outer.width() <= 0 || outer.height() <= 0) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int bw = std::max(0, look.borderWidth);
    const QRect inner = outer.adjusted(bw, bw, -bw, -bw);

    QBrush fill;
    if (look.fillStyle == FillStyle::Solid) {
        fill = QBrush(look.fillColor);
    } else if (look.fillStyle != FillStyle::Transparent) {
        fill = QBrush(look.fillColor, hatchPattern(look.fillStyle));
    }
    p.setBrushOrigin(outer.topLeft());

    if (look.kind == ShapeKind::Rectangle) {
        if (look.backColor) p.fillRect(inner, *look.backColor);
        if (fill.style() != Qt::NoBrush) p.fillRect(inner, fill);
        if (bw > 0) {
            // The border is four bands, so that it lies exactly inside the rectangle.
            const QColor c = look.borderColor;
            p.fillRect(QRect(outer.left(), outer.top(), outer.width(), bw), c);
            p.fillRect(QRect(outer.left(), outer.bottom() - bw + 1, outer.width(), bw), c);
            p.fillRect(QRect(outer.left(), outer.top(), bw, outer.height()), c);
            p.fillRect(QRect(outer.right() - bw + 1, outer.top(), bw, outer.height()), c);
        }
        p.restore();
        return;
    }

    // The border is the ring between the outer and the inner oval, and the interior is that
    // same inner oval: both are filled with one rasteriser, so they meet without a gap (a thick
    // pen's aliased stroke does not reach the interior's edge all round).
    QPainterPath interior;
    interior.addEllipse(QRectF(inner));
    if (!inner.isEmpty()) {
        if (look.backColor) p.fillPath(interior, *look.backColor);
        if (fill.style() != Qt::NoBrush) p.fillPath(interior, fill);
    }
    if (bw > 0) {
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addEllipse(QRectF(outer));
        if (!inner.isEmpty()) ring.addPath(interior);
        p.fillPath(ring, look.borderColor);
    }
    p.restore();
}

void paintLine(QPainter& p, QPoint from, QPoint to, int width, const QColor& color) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = std::max(1, width);
    QPen pen(color, w);
    pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(from, to);
    p.restore();
}

void paintClientArea(QPainter& p, const Form& form) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect area(0, 0, twipsToPixels(form.scaleWidth()), twipsToPixels(form.scaleHeight()));
    p.fillRect(area, toQColor(form.backColor()));
    form.paintBeneath(p);
    for (const auto& c : form.controls()) {
        if (!c->visible() || c->container() != nullptr) continue;
        if (c->kind() == ControlKind::Shape) {
            paintShape(p, pixelRect(c->geometry()), shapeLook(*c));
        } else if (c->kind() == ControlKind::Line) {
            paintLine(p, QPoint(twipsToPixels(c->x1()), twipsToPixels(c->y1())),
                      QPoint(twipsToPixels(c->x2()), twipsToPixels(c->y2())), c->borderWidth(),
                      toQColor(c->borderColor()));
        }
    }
    p.restore();
}

QImage grabClientArea(const Form& form) {
    // The drawing area's size in the window's own unit, converted to whole pixels.
    const int width = twipsToPixels(form.scaleWidth());
    const int height = twipsToPixels(form.scaleHeight());
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(toQColor(form.backColor()));
    QPainter p(&image);
    paintClientArea(p, form);
    return image;
}

}  // namespace zelmor::tk
