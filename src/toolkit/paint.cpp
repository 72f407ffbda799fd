#include "paint.h"

#include "form.h"

#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

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

namespace {

// One family of hatch lines, placed as Qt's 8x8 pattern places its pixels from the brush origin:
// one pixel wide, every 8 pixels, at the pattern's own offset. For the diagonals the offset is
// that of x + y (rising, "/") or x - y (falling, "\") of the pattern's pixels.
enum class HatchDirection { Horizontal, Vertical, Rising, Falling };
struct HatchLines {
    HatchDirection direction;
    int offset;
};
constexpr int kHatchPeriod = 8;

// The lines of Qt's patterns: HorPattern marks row 3, VerPattern column 4, BDiagPattern the
// pixels where x + y is 7, FDiagPattern those where x - y is 0, CrossPattern row 3 and column 4.
std::vector<HatchLines> hatchLines(FillStyle style) {
    switch (style) {
        case FillStyle::Horizontal:
            return {{HatchDirection::Horizontal, 3}};
        case FillStyle::Vertical:
            return {{HatchDirection::Vertical, 4}};
        case FillStyle::UpwardDiagonal:
            return {{HatchDirection::Rising, 7}};
        case FillStyle::DownwardDiagonal:
            return {{HatchDirection::Falling, 0}};
        case FillStyle::Cross:
            return {{HatchDirection::Horizontal, 3}, {HatchDirection::Vertical, 4}};
        case FillStyle::Solid:
        case FillStyle::Transparent:
            break;
    }
    return {};
}

int floorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// What says which line of a family a point lies on: its y, x, x + y or x - y.
qreal lineValue(HatchDirection direction, qreal x, qreal y) {
    switch (direction) {
        case HatchDirection::Horizontal:
            return y;
        case HatchDirection::Vertical:
            return x;
        case HatchDirection::Rising:
            return x + y;
        case HatchDirection::Falling:
            return x - y;
    }
    return 0;
}

// The hatch as lines through the centres of the pixels the pattern would mark, over `area` (in
// window pixels, the painter scaled); the caller clips them to the interior.
void paintHatchLines(QPainter& p, const QRectF& area, QPoint origin, const QColor& color,
                     FillStyle style) {
    const QRectF over = area.adjusted(-1, -1, 1, 1);
    for (const HatchLines& family : hatchLines(style)) {
        const HatchDirection d = family.direction;
        // As wide as the pattern's line across a row or a column: one pixel, so a diagonal is
        // 1/sqrt(2) across.
        const bool diagonal = d == HatchDirection::Rising || d == HatchDirection::Falling;
        p.setPen(QPen(color, diagonal ? 1 / std::numbers::sqrt2 : 1.0, Qt::SolidLine, Qt::FlatCap));
        // The pattern marks the pixels whose value is `base` modulo 8.
        const int base = static_cast<int>(lineValue(d, origin.x(), origin.y())) + family.offset;
        const std::array<qreal, 4> corners{
            lineValue(d, over.left(), over.top()), lineValue(d, over.right(), over.top()),
            lineValue(d, over.left(), over.bottom()), lineValue(d, over.right(), over.bottom())};
        const int low =
            static_cast<int>(std::floor(*std::min_element(corners.begin(), corners.end())));
        const int high =
            static_cast<int>(std::ceil(*std::max_element(corners.begin(), corners.end())));
        for (int v = base + kHatchPeriod * floorDiv(low - base, kHatchPeriod); v <= high;
             v += kHatchPeriod) {
            // The line through the centres of the pixels of value v.
            switch (d) {
                case HatchDirection::Horizontal:
                    p.drawLine(QLineF(over.left(), v + 0.5, over.right(), v + 0.5));
                    break;
                case HatchDirection::Vertical:
                    p.drawLine(QLineF(v + 0.5, over.top(), v + 0.5, over.bottom()));
                    break;
                case HatchDirection::Rising:  // centres' x + y = v + 1
                    p.drawLine(QLineF(v + 1 - over.top(), over.top(), v + 1 - over.bottom(),
                                      over.bottom()));
                    break;
                case HatchDirection::Falling:  // centres' x - y = v
                    p.drawLine(
                        QLineF(v + over.top(), over.top(), v + over.bottom(), over.bottom()));
                    break;
            }
        }
    }
}

enum class PointsAre { Corners, PixelCentres };

// The one rule of painting for print: the window's pixel geometry scaled up by `scale` and
// antialiased; at scale 1, the window itself, aliased. True for print.
bool atScale(QPainter& p, int scale, PointsAre points) {
    const bool print = scale > 1;
    p.setRenderHint(QPainter::Antialiasing, print);
    if (print) {
        if (points == PointsAre::PixelCentres) p.translate(scale / 2.0, scale / 2.0);
        p.scale(scale, scale);
    }
    return print;
}

}  // namespace

void paintShape(QPainter& p, const QRect& outer, const ShapeLook& look, int scale) {
    if (outer.width() <= 0 || outer.height() <= 0) return;
    p.save();
    // A hatch for print becomes lines, as the pattern brushes are device-pixel bitmaps that do
    // not scale.
    const bool print = atScale(p, scale, PointsAre::Corners);
    const int bw = std::max(0, look.borderWidth);
    const QRect inner = outer.adjusted(bw, bw, -bw, -bw);
    const bool hatched =
        look.fillStyle != FillStyle::Solid && look.fillStyle != FillStyle::Transparent;
    const bool drawnHatch = print && hatched;

    QBrush fill;
    if (look.fillStyle == FillStyle::Solid) {
        fill = QBrush(look.fillColor);
    } else if (hatched && !print) {
        fill = QBrush(look.fillColor, hatchPattern(look.fillStyle));
    }
    p.setBrushOrigin(outer.topLeft());

    if (look.kind == ShapeKind::Rectangle) {
        if (look.backColor) p.fillRect(inner, *look.backColor);
        if (fill.style() != Qt::NoBrush) p.fillRect(inner, fill);
        if (drawnHatch && !inner.isEmpty()) {
            p.save();
            p.setClipRect(inner, Qt::IntersectClip);
            paintHatchLines(p, QRectF(inner), outer.topLeft(), look.fillColor, look.fillStyle);
            p.restore();
        }
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
    // pen's aliased stroke does not reach the interior's edge all round). Antialiased, two
    // edges on one curve would each let the background show through half their pixels: there
    // the interior reaches under the middle of the ring, which covers its edge.
    QPainterPath interior;
    const qreal under = print ? bw / 2.0 : 0.0;
    interior.addEllipse(QRectF(inner).adjusted(-under, -under, under, under));
    if (!inner.isEmpty()) {
        if (look.backColor) p.fillPath(interior, *look.backColor);
        if (fill.style() != Qt::NoBrush) p.fillPath(interior, fill);
        if (drawnHatch) {
            p.save();
            p.setClipPath(interior, Qt::IntersectClip);
            paintHatchLines(p, interior.boundingRect(), outer.topLeft(), look.fillColor,
                            look.fillStyle);
            p.restore();
        }
    }
    if (bw > 0) {
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addEllipse(QRectF(outer));
        if (!inner.isEmpty()) ring.addEllipse(QRectF(inner));
        p.fillPath(ring, look.borderColor);
    }
    p.restore();
}

void paintLine(QPainter& p, QPoint from, QPoint to, int width, const QColor& color, int scale) {
    p.save();
    // An aliased line runs through the centres of the pixels its points name: scaled up, the
    // points are those pixels' centres.
    atScale(p, scale, PointsAre::PixelCentres);
    const int w = std::max(1, width);
    QPen pen(color, w);
    pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(from, to);
    p.restore();
}

void paintClientArea(QPainter& p, const Form& form, int scale) {
    const int k = std::max(1, scale);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect area(0, 0, k * twipsToPixels(form.scaleWidth()),
                     k * twipsToPixels(form.scaleHeight()));
    p.fillRect(area, toQColor(form.backColor()));
    form.paintBeneath(p, k);
    for (const auto& c : form.controls()) {
        if (!c->visible() || c->container() != nullptr) continue;
        if (c->kind() == ControlKind::Shape) {
            paintShape(p, pixelRect(c->geometry()), shapeLook(*c), k);
        } else if (c->kind() == ControlKind::Line) {
            paintLine(p, QPoint(twipsToPixels(c->x1()), twipsToPixels(c->y1())),
                      QPoint(twipsToPixels(c->x2()), twipsToPixels(c->y2())), c->borderWidth(),
                      toQColor(c->borderColor()), k);
        }
    }
    p.restore();
}

QImage grabClientArea(const Form& form, int scale) {
    // The drawing area's size in the window's own unit, converted to whole pixels.
    const int k = std::max(1, scale);
    const int width = k * twipsToPixels(form.scaleWidth());
    const int height = k * twipsToPixels(form.scaleHeight());
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(toQColor(form.backColor()));
    QPainter p(&image);
    paintClientArea(p, form, k);
    return image;
}

}  // namespace zelmor::tk
