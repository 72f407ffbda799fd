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

// One line of a hatch family as the pixels it marks: from the first to the last, inclusive.
struct HatchRun {
    QPoint first;
    QPoint last;
};

// The runs of one family over a rectangle of pixels (inclusive edges), the pattern laid from
// `origin`: exactly the pixels Qt's 8x8 pattern would mark there.
std::vector<HatchRun> hatchRuns(const HatchLines& family, const QRect& area, QPoint origin) {
    std::vector<HatchRun> runs;
    if (area.isEmpty()) return runs;
    const HatchDirection d = family.direction;
    const int left = area.left();
    const int right = area.right();
    const int top = area.top();
    const int bottom = area.bottom();
    // The pattern marks the pixels whose value is `base` modulo 8.
    const int base = static_cast<int>(lineValue(d, origin.x(), origin.y())) + family.offset;
    int low = 0;
    int high = 0;
    switch (d) {
        case HatchDirection::Horizontal:
            low = top, high = bottom;
            break;
        case HatchDirection::Vertical:
            low = left, high = right;
            break;
        case HatchDirection::Rising:
            low = left + top, high = right + bottom;
            break;
        case HatchDirection::Falling:
            low = left - bottom, high = right - top;
            break;
    }
    for (int v = base + kHatchPeriod * floorDiv(low - base + kHatchPeriod - 1, kHatchPeriod);
         v <= high; v += kHatchPeriod) {
        switch (d) {
            case HatchDirection::Horizontal:
                runs.push_back({{left, v}, {right, v}});
                break;
            case HatchDirection::Vertical:
                runs.push_back({{v, top}, {v, bottom}});
                break;
            case HatchDirection::Rising: {  // x + y = v, from the top down to the left
                const int y0 = std::max(top, v - right);
                const int y1 = std::min(bottom, v - left);
                if (y0 <= y1) runs.push_back({{v - y0, y0}, {v - y1, y1}});
                break;
            }
            case HatchDirection::Falling: {  // x - y = v, from the top down to the right
                const int y0 = std::max(top, left - v);
                const int y1 = std::min(bottom, right - v);
                if (y0 <= y1) runs.push_back({{v + y0, y0}, {v + y1, y1}});
                break;
            }
        }
    }
    return runs;
}

// The run as a line of the plane, in window pixels with corners at whole numbers: through the
// centres of its pixels, from where it enters its first pixel to where it leaves its last.
QLineF runLine(HatchDirection d, const HatchRun& r) {
    const qreal x0 = r.first.x();
    const qreal y0 = r.first.y();
    const qreal x1 = r.last.x();
    const qreal y1 = r.last.y();
    switch (d) {
        case HatchDirection::Horizontal:
            return {x0, y0 + 0.5, x1 + 1, y1 + 0.5};
        case HatchDirection::Vertical:
            return {x0 + 0.5, y0, x1 + 0.5, y1 + 1};
        case HatchDirection::Rising:
            return {x0 + 1, y0, x1, y1 + 1};
        case HatchDirection::Falling:
            return {x0, y0, x1 + 1, y1 + 1};
    }
    return {};
}

// The part of a line inside an ellipse, or nothing when it misses it.
std::optional<QLineF> insideEllipse(const QLineF& line, const QRectF& ellipse) {
    const qreal a = ellipse.width() / 2;
    const qreal b = ellipse.height() / 2;
    if (a <= 0 || b <= 0) return std::nullopt;
    const QPointF c = ellipse.center();
    // The line as p + t * d in the ellipse's unit circle.
    const qreal px = (line.x1() - c.x()) / a;
    const qreal py = (line.y1() - c.y()) / b;
    const qreal dx = line.dx() / a;
    const qreal dy = line.dy() / b;
    const qreal qa = dx * dx + dy * dy;
    const qreal qb = 2 * (px * dx + py * dy);
    const qreal qc = px * px + py * py - 1;
    const qreal disc = qb * qb - 4 * qa * qc;
    if (qa <= 0 || disc <= 0) return std::nullopt;
    const qreal root = std::sqrt(disc);
    const qreal t0 = std::max<qreal>(0, (-qb - root) / (2 * qa));
    const qreal t1 = std::min<qreal>(1, (-qb + root) / (2 * qa));
    if (t0 >= t1) return std::nullopt;
    return QLineF(line.pointAt(t0), line.pointAt(t1));
}

// The hatch as line segments clipped by the figure's geometry, so that every device gets the
// same lines: on the window, one-pixel aliased lines over exactly the pixels Qt's pattern
// brush marks (`area` the rectangle's interior in pixels, inclusive, the painter unscaled);
// smooth, lines through those pixels' centres, one pixel across (a diagonal 1/sqrt(2)), ending
// on the rectangle's edges or on `oval` when given (the painter scaled to window pixels).
void paintHatch(QPainter& p, const QRect& area, const std::optional<QRectF>& oval, QPoint origin,
                const QColor& color, FillStyle style, bool smooth) {
    for (const HatchLines& family : hatchLines(style)) {
        const HatchDirection d = family.direction;
        const bool diagonal = d == HatchDirection::Rising || d == HatchDirection::Falling;
        if (!smooth) {
            p.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
            for (const HatchRun& r : hatchRuns(family, area, origin)) p.drawLine(r.first, r.last);
            continue;
        }
        p.setPen(QPen(color, diagonal ? 1 / std::numbers::sqrt2 : 1.0, Qt::SolidLine, Qt::FlatCap));
        for (const HatchRun& r : hatchRuns(family, area, origin)) {
            const QLineF line = runLine(d, r);
            if (!oval) {
                p.drawLine(line);
            } else if (const auto part = insideEllipse(line, *oval)) {
                p.drawLine(*part);
            }
        }
    }
}

enum class PointsAre { Corners, PixelCentres };

// The one rule of smooth painting: the window's pixel geometry scaled by `scale` and
// antialiased; at scale 1, the window itself, aliased. True when smooth.
bool atScale(QPainter& p, qreal scale, PointsAre points) {
    const bool smooth = scale != 1;
    p.setRenderHint(QPainter::Antialiasing, smooth);
    if (smooth) {
        if (points == PointsAre::PixelCentres) p.translate(scale / 2.0, scale / 2.0);
        p.scale(scale, scale);
    }
    return smooth;
}

}  // namespace

void paintShape(QPainter& p, const QRect& outer, const ShapeLook& look, qreal scale) {
    if (outer.width() <= 0 || outer.height() <= 0) return;
    p.save();
    const bool smooth = atScale(p, scale, PointsAre::Corners);
    const int bw = std::max(0, look.borderWidth);
    const QRect inner = outer.adjusted(bw, bw, -bw, -bw);
    const bool hatched =
        look.fillStyle != FillStyle::Solid && look.fillStyle != FillStyle::Transparent;
    const QPoint origin = outer.topLeft();

    if (look.kind == ShapeKind::Rectangle) {
        if (look.backColor) p.fillRect(inner, *look.backColor);
        if (look.fillStyle == FillStyle::Solid) p.fillRect(inner, look.fillColor);
        if (hatched && !inner.isEmpty()) {
            p.save();
            // A smooth diagonal's square end pokes out a quarter pixel where there is no
            // border to cover it: devices that clip cut it.
            if (smooth) p.setClipRect(inner, Qt::IntersectClip);
            paintHatch(p, inner, std::nullopt, origin, look.fillColor, look.fillStyle, smooth);
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
    // pen's aliased stroke does not reach the interior's edge all round). Smooth, two edges on
    // one curve would each let the background show through half their pixels: there the
    // interior reaches under the middle of the ring, which covers its edge.
    const qreal under = smooth ? bw / 2.0 : 0.0;
    const QRectF interiorOval = QRectF(inner).adjusted(-under, -under, under, under);
    QPainterPath interior;
    interior.addEllipse(interiorOval);
    if (!inner.isEmpty()) {
        if (look.backColor) p.fillPath(interior, *look.backColor);
        if (look.fillStyle == FillStyle::Solid) p.fillPath(interior, look.fillColor);
        if (hatched) {
            p.save();
            if (smooth) {
                paintHatch(p, interiorOval.toAlignedRect(), interiorOval, origin, look.fillColor,
                           look.fillStyle, true);
            } else {
                // On the window the rasteriser's own edge of the oval decides, as it did for
                // the pattern brush: the runs reach past it and the oval clips them.
                p.setClipPath(interior, Qt::IntersectClip);
                paintHatch(p, inner.adjusted(-1, -1, 1, 1), std::nullopt, origin, look.fillColor,
                           look.fillStyle, false);
            }
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

void paintLine(QPainter& p, QPoint from, QPoint to, int width, const QColor& color, qreal scale) {
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

void paintClientArea(QPainter& p, const Form& form, qreal scale) {
    const qreal k = scale > 0 ? scale : 1;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF area(0, 0, k * twipsToPixels(form.scaleWidth()),
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

QImage grabClientArea(const Form& form, qreal scale) {
    // The drawing area's size in the window's own unit, converted to whole pixels.
    const qreal k = scale > 0 ? scale : 1;
    const int width = static_cast<int>(std::lround(k * twipsToPixels(form.scaleWidth())));
    const int height = static_cast<int>(std::lround(k * twipsToPixels(form.scaleHeight())));
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(toQColor(form.backColor()));
    QPainter p(&image);
    paintClientArea(p, form, k);
    return image;
}

}  // namespace zelmor::tk
