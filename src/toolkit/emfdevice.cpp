#include "emfdevice.h"

#include <QImage>
#include <QLineF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace zelmor::tk {

namespace {

// Record types and values of the metafile format.
enum RecordType : quint32 {
    kHeader = 1,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kEof = 14,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kMoveToEx = 27,
    kSelectObject = 37,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kLineTo = 54,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kStretchDIBits = 81,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kExtCreatePen = 95,
};

constexpr quint32 kSignature = 0x464D4520;  // " EMF"
constexpr quint32 kVersion = 0x00010000;
constexpr quint32 kHeaderBytes = 108;    // with both header extensions
constexpr quint32 kMinHeaderBytes = 88;  // without them
constexpr quint32 kStockNullBrush = 0x80000005;
constexpr quint32 kStockNullPen = 0x80000008;
constexpr quint32 kTransparentBackground = 1;
constexpr quint32 kAlternate = 1;
constexpr quint32 kWinding = 2;
constexpr quint32 kPsGeometric = 0x00010000;
constexpr quint32 kSrcCopy = 0x00CC0020;

// GDI's page space holds coordinates of 28 bits.
constexpr qint64 kMaxCoordinate = (1 << 27) - 1;
// An image larger than this is scaled down to it before it is stored.
constexpr int kMaxImageSide = 8192;

// One record, built little-endian; finish() pads it to 4 bytes and writes its size.
class Record {
  public:
    explicit Record(quint32 type) {
        u32(type);
        u32(0);
    }
    Record& u32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        data_.append(b, 4);
        return *this;
    }
    // Appends the record, padded, to a file's bytes: one copy, the file growing geometrically.
    void appendTo(QByteArray& out) const {
        const auto length = static_cast<qsizetype>(data_.size());
        const qsizetype padded = (length + 3) & ~qsizetype{3};
        const qsizetype start = out.size();
        if (out.capacity() < start + padded) out.reserve(2 * (start + padded));
        out.resize(start + padded);
        char* dst = out.data() + start;
        std::memcpy(dst, data_.data(), static_cast<std::size_t>(length));
        std::memset(dst + length, 0, static_cast<std::size_t>(padded - length));
        qToLittleEndian(static_cast<quint32>(padded), dst + 4);
    }
    Record& i32(qint32 v) { return u32(static_cast<quint32>(v)); }
    Record& u16(quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        data_.append(b, 2);
        return *this;
    }
    Record& i16(qint16 v) { return u16(static_cast<quint16>(v)); }
    // Inclusive left, top, right, bottom.
    Record& rect(const QRect& r) {
        return i32(r.left()).i32(r.top()).i32(r.right()).i32(r.bottom());
    }
    Record& point(QPoint p, bool small) {
        if (small) return i16(static_cast<qint16>(p.x())).i16(static_cast<qint16>(p.y()));
        return i32(p.x()).i32(p.y());
    }
    Record& raw(const QByteArray& bytes) {
        data_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return *this;
    }
    QByteArray finish() const {
        QByteArray out;
        appendTo(out);
        return out;
    }

  private:
    std::string data_;
};

quint32 colorRef(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<quint32>(rgb.red()) | (static_cast<quint32>(rgb.green()) << 8) |
           (static_cast<quint32>(rgb.blue()) << 16);
}

bool fitsSmall(const std::vector<QPoint>& points) {
    return std::all_of(points.begin(), points.end(), [](QPoint p) {
        return p.x() >= SHRT_MIN && p.x() <= SHRT_MAX && p.y() >= SHRT_MIN && p.y() <= SHRT_MAX;
    });
}

// Whole device units, within GDI's range; nothing for a coordinate that is not a number.
std::optional<QPoint> toUnits(QPointF p) {
    if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return std::nullopt;
    const auto unit = [](qreal v) {
        const qreal c =
            std::clamp(v, -static_cast<qreal>(kMaxCoordinate), static_cast<qreal>(kMaxCoordinate));
        return static_cast<int>(std::lround(c));
    };
    return QPoint(unit(p.x()), unit(p.y()));
}

// The inclusive box of a primitive's points, grown by `reach` units for a pen; without a pen
// the right and bottom edges are outside (filled areas end before them).
QRect boxOf(const std::vector<QPoint>& points, int reach, bool stroked) {
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (QPoint p : points) {
        l = std::min(l, p.x());
        t = std::min(t, p.y());
        r = std::max(r, p.x());
        b = std::max(b, p.y());
    }
    if (stroked) return QRect(QPoint(l - reach, t - reach), QPoint(r + reach, b + reach));
    return QRect(QPoint(l, t), QPoint(std::max(l, r - 1), std::max(t, b - 1)));
}

// The reference device of one axis: pixels and millimetres in exactly the ratio of the
// device's units to the frame's millimetres, as close to the frame's own size as they fit.
struct Reference {
    qint32 pixels;
    qint32 millimetres;
};
Reference referenceAxis(int units, int frameHundredths) {
    qint64 pixels = 100LL * units;
    qint64 mm = frameHundredths;
    const qint64 g = std::gcd(pixels, mm);
    pixels /= g;
    mm /= g;
    // Micrometres must fit as well.
    const qint64 limitMm = INT32_MAX / 1000;
    if (pixels > INT32_MAX || mm > limitMm) {
        // No exact ratio fits: the nearest with the frame's millimetres.
        mm = std::clamp<qint64>(frameHundredths / 100, 1, limitMm);
        pixels = std::clamp<qint64>(std::llround(static_cast<double>(units) * 100.0 *
                                                 static_cast<double>(mm) / frameHundredths),
                                    1, INT32_MAX);
        return {static_cast<qint32>(pixels), static_cast<qint32>(mm)};
    }
    const qint64 wantedMm = std::max<qint64>(1, frameHundredths / 100);
    qint64 k = std::max<qint64>(1, wantedMm / mm);
    k = std::min({k, INT32_MAX / pixels, limitMm / mm});
    return {static_cast<qint32>(pixels * k), static_cast<qint32>(mm * k)};
}

struct PenKey {
    bool null = true;
    quint32 style = 0;
    quint32 width = 0;
    quint32 color = 0;
    bool operator==(const PenKey&) const = default;
};

struct BrushKey {
    bool null = true;
    quint32 color = 0;
    bool operator==(const BrushKey&) const = default;
};

quint32 penStyleBits(const QPen& pen) {
    quint32 bits = kPsGeometric;
    switch (pen.style()) {
        case Qt::DashLine:
            bits |= 1;  // PS_DASH
            break;
        case Qt::DotLine:
            bits |= 2;  // PS_DOT
            break;
        case Qt::DashDotLine:
            bits |= 3;  // PS_DASHDOT
            break;
        case Qt::DashDotDotLine:
            bits |= 4;  // PS_DASHDOTDOT
            break;
        default:  // solid; a custom pattern too
            break;
    }
    switch (pen.capStyle()) {
        case Qt::FlatCap:
            bits |= 0x200;  // PS_ENDCAP_FLAT
            break;
        case Qt::SquareCap:
            bits |= 0x100;  // PS_ENDCAP_SQUARE
            break;
        default:  // PS_ENDCAP_ROUND
            break;
    }
    switch (pen.joinStyle()) {
        case Qt::MiterJoin:
        case Qt::SvgMiterJoin:
            bits |= 0x2000;  // PS_JOIN_MITER
            break;
        case Qt::BevelJoin:
            bits |= 0x1000;  // PS_JOIN_BEVEL
            break;
        default:  // PS_JOIN_ROUND
            break;
    }
    return bits;
}

PenKey penKey(const QPen& pen, const QTransform& t) {
    if (pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush || pen.color().alpha() == 0)
        return {};
    qreal w = pen.widthF();
    if (!pen.isCosmetic()) w *= std::sqrt(std::abs(t.determinant()));
    if (!std::isfinite(w)) w = 1;
    const auto units = static_cast<quint32>(
        std::clamp<qreal>(std::round(w), 1, static_cast<qreal>(kMaxCoordinate)));
    return {false, penStyleBits(pen), units, colorRef(pen.color())};
}

BrushKey brushKey(const QBrush& brush) {
    if (brush.style() != Qt::SolidPattern || brush.color().alpha() == 0) return {};
    return {false, colorRef(brush.color())};
}

// How far a pen reaches beyond the points it strokes.
int penReach(const PenKey& pen) {
    if (pen.null) return 0;
    const bool corners = (pen.style & 0x100) != 0 || (pen.style & 0xF000) == 0x2000;
    const double half = pen.width / 2.0 * (corners ? std::numbers::sqrt2 : 1.0);
    return static_cast<int>(std::ceil(half));
}

// One subpath in device units: its start, then runs of lines or of curves (three points per
// curve).
struct Run {
    bool curves = false;
    std::vector<QPoint> points;
};
struct Figure {
    QPoint start;
    std::vector<Run> runs;
    bool closed = false;
};

std::vector<QPoint> pointsOf(const std::vector<Figure>& figures) {
    std::vector<QPoint> all;
    for (const Figure& f : figures) {
        all.push_back(f.start);
        for (const Run& run : f.runs) all.insert(all.end(), run.points.begin(), run.points.end());
    }
    return all;
}

// The area of polygons, in square units.
qreal areaOf(const QList<QPolygonF>& polygons) {
    qreal area = 0;
    for (const QPolygonF& polygon : polygons) {
        qreal twice = 0;
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            const QPointF a = polygon.at(i);
            const QPointF b = polygon.at((i + 1) % polygon.size());
            twice += a.x() * b.y() - b.x() * a.y();
        }
        area += std::abs(twice) / 2;
    }
    return area;
}

}  // namespace

class EmfPaintEngine final : public QPaintEngine {
  public:
    explicit EmfPaintEngine(EmfDevice& device) : QPaintEngine(AllFeatures), device_(device) {}

    bool begin(QPaintDevice* /*pdev*/) override {
        device_.bytes_.clear();
        body_.clear();
        body_.reserve(qsizetype{1} << 16);
        bodyRecords_ = 0;
        slots_.assign(1, true);  // slot 0 is the metafile's own
        maxSlot_ = 0;
        pen_ = QPen();
        brush_ = QBrush();
        transform_ = QTransform();
        setClip(std::nullopt);
        clipEnabled_ = false;
        selectedPen_ = {};
        selectedPenSlot_ = 0;
        penIsStock_ = false;
        selectedBrush_ = {};
        selectedBrushSlot_ = 0;
        selectedBrushKept_ = false;
        brushes_.clear();
        brushIsStock_ = false;
        fillMode_ = kAlternate;
        bounds_.reset();
        lines_.clear();
        linesPen_ = {};
        linesBounds_ = QRect();
        // Qt draws styled lines with transparent gaps.
        write(Record(kSetBkMode).u32(kTransparentBackground));
        setActive(true);
        return true;
    }

    bool end() override {
        flushLines();
        device_.bytes_ = file();
        setActive(false);
        return true;
    }

    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        // The transform first: a clip comes in the coordinates of the transform sent with it.
        if (dirty & DirtyTransform) transform_ = state.transform();
        if (dirty & (DirtyClipPath | DirtyClipRegion)) {
            // Both come when everything is sent again: the one that was set.
            const bool region = (dirty & DirtyClipRegion) &&
                                (!(dirty & DirtyClipPath) || state.clipPath().isEmpty());
            QPainterPath area;
            if (region) {
                area.addRegion(state.clipRegion());
            } else {
                area = state.clipPath();
            }
            area = transform_.map(area);
            switch (state.clipOperation()) {
                case Qt::NoClip:
                    setClip(std::nullopt);
                    break;
                case Qt::ReplaceClip:
                    setClip(area);
                    break;
                case Qt::IntersectClip:
                    setClip(clip_ ? clip_->intersected(area) : area);
                    break;
            }
        }
        if (dirty & DirtyClipEnabled) clipEnabled_ = state.isClipEnabled();
        // Hints, opacity and composition are not recorded.
    }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;

    void drawRects(const QRectF* rects, int count) override {
        flushLines();
        for (int i = 0; i < count; ++i) {
            const QRectF& r = rects[i];
            const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
            polygon(corners, 4, Qt::OddEvenFill);
        }
    }

    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QPointF ends[2] = {lines[i].p1(), lines[i].p2()};
            polyline(ends, 2);
        }
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (mode == PolylineMode) {
            polyline(points, count);
            return;
        }
        flushLines();
        polygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }

    void drawEllipse(const QRectF& r) override {
        // Upright and unclipped, an ellipse's four curves are written straight from its box,
        // without a path of Qt's in between: a model has a thousand of them.
        if (!clipping() && transform_.type() <= QTransform::TxScale) {
            const PenKey pen = penKey(pen_, transform_);
            const BrushKey brush = brushKey(brush_);
            if (pen.null && brush.null) return;
            const QRectF box = transform_.mapRect(r);
            std::vector<Figure> figures(1);
            if (ellipseFigure(box, figures.front())) {
                flushLines();
                closedFigures(figures, pen, brush);
                return;
            }
        }
        QPainterPath path;
        path.addEllipse(r);
        drawPath(path);
    }

    void drawPath(const QPainterPath& path) override {
        flushLines();
        const PenKey pen = penKey(pen_, transform_);
        const BrushKey brush = brushKey(brush_);
        if (pen.null && brush.null) return;
        const QPainterPath device = transform_.map(path);
        if (!finite(device)) return;
        if (!clipping()) {
            devicePath(device, pen, brush);
            return;
        }
        // Clipped by geometry: the fill's area and the pen's outline within the clip, both
        // filled.
        if (!brush.null) devicePath(device.intersected(*clip_), {}, brush);
        if (!pen.null) {
            QPainterPathStroker stroker(pen_);
            stroker.setWidth(pen.width);
            const QPainterPath outline = stroker.createStroke(device).intersected(*clip_);
            devicePath(outline, {}, BrushKey{false, pen.color});
        }
    }

    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags /*flags*/) override {
        flushLines();
        const QRect source = sr.toAlignedRect().intersected(image.rect());
        if (source.isEmpty()) return;
        const QRectF mapped = transform_.mapRect(r);
        const auto topLeft = toUnits(mapped.topLeft());
        const auto bottomRight = toUnits(mapped.bottomRight());
        if (!topLeft || !bottomRight) return;
        const QRect dest(*topLeft,
                         QSize(bottomRight->x() - topLeft->x(), bottomRight->y() - topLeft->y()));
        if (dest.width() <= 0 || dest.height() <= 0) return;
        QImage pixels = image.copy(source);
        if (pixels.width() >= pixels.height() && pixels.width() > kMaxImageSide) {
            pixels = pixels.scaledToWidth(kMaxImageSide, Qt::SmoothTransformation);
        } else if (pixels.height() > kMaxImageSide) {
            pixels = pixels.scaledToHeight(kMaxImageSide, Qt::SmoothTransformation);
        }
        pixels = pixels.convertToFormat(QImage::Format_ARGB32);
        const int w = pixels.width();
        const int h = pixels.height();
        const int rowBytes = (w * 3 + 3) / 4 * 4;
        QByteArray bits(static_cast<qsizetype>(rowBytes) * h, '\0');
        // Bottom-up rows of blue, green, red, over white.
        for (int y = 0; y < h; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
            char* out = bits.data() + static_cast<qsizetype>(rowBytes) * (h - 1 - y);
            for (int x = 0; x < w; ++x) {
                const int a = qAlpha(line[x]);
                const auto over = [a](int c) {
                    return static_cast<char>((c * a + 255 * (255 - a)) / 255);
                };
                char* pixel = out + static_cast<qsizetype>(3) * x;
                pixel[0] = over(qBlue(line[x]));
                pixel[1] = over(qGreen(line[x]));
                pixel[2] = over(qRed(line[x]));
            }
        }
        constexpr quint32 kFixed = 80;      // the record up to its bitmap header
        constexpr quint32 kInfoBytes = 40;  // BITMAPINFOHEADER
        const auto bitsBytes = static_cast<quint32>(bits.size());
        Record rec(kStretchDIBits);
        rec.rect(dest)
            .i32(dest.left())
            .i32(dest.top())
            .i32(0)  // the whole source
            .i32(0)
            .i32(w)
            .i32(h)
            .u32(kFixed)
            .u32(kInfoBytes)
            .u32(kFixed + kInfoBytes)
            .u32(bitsBytes)
            .u32(0)  // DIB_RGB_COLORS
            .u32(kSrcCopy)
            .i32(dest.width())
            .i32(dest.height());
        // BITMAPINFOHEADER: size, width, height, planes, bits, BI_RGB, image bytes,
        // resolution, colours.
        rec.u32(kInfoBytes).i32(w).i32(h).u16(1).u16(24).u32(0).u32(bitsBytes);
        rec.i32(0).i32(0).u32(0).u32(0);
        rec.raw(bits);
        write(rec);
        addBounds(dest);
    }

    Type type() const override { return User; }

  private:
    void write(const Record& rec) {
        rec.appendTo(body_);
        ++bodyRecords_;
    }

    void addBounds(const QRect& box) { bounds_ = bounds_ ? bounds_->united(box) : box; }

    // Objects: the lowest free slot; the header counts up to the highest one used.
    quint32 allocateSlot() {
        auto it = std::find(slots_.begin() + 1, slots_.end(), false);
        if (it == slots_.end()) it = slots_.insert(slots_.end(), false);
        *it = true;
        const auto slot = static_cast<quint32>(it - slots_.begin());
        maxSlot_ = std::max(maxSlot_, slot);
        return slot;
    }
    void release(quint32 slot) {
        if (slot == 0) return;
        write(Record(kDeleteObject).u32(slot));
        slots_[slot] = false;
    }

    // A pen or brush is created only when it differs from the selected one; the one it
    // replaces is deleted once the new one is selected.
    void selectPen(const PenKey& pen) {
        if (pen.null) {
            if (penIsStock_) return;
            write(Record(kSelectObject).u32(kStockNullPen));
            release(selectedPenSlot_);
            selectedPenSlot_ = 0;
            selectedPen_ = {};
            penIsStock_ = true;
            return;
        }
        if (selectedPenSlot_ != 0 && pen == selectedPen_) return;
        const quint32 slot = allocateSlot();
        write(Record(kExtCreatePen)
                  .u32(slot)
                  .u32(0)  // no bitmap
                  .u32(0)
                  .u32(0)
                  .u32(0)
                  .u32(pen.style)
                  .u32(pen.width)
                  .u32(0)  // BS_SOLID
                  .u32(pen.color)
                  .u32(0)    // hatch
                  .u32(0));  // no style entries
        write(Record(kSelectObject).u32(slot));
        release(selectedPenSlot_);
        selectedPenSlot_ = slot;
        selectedPen_ = pen;
        penIsStock_ = false;
    }

    void selectBrush(const BrushKey& brush) {
        if (brush.null) {
            if (brushIsStock_) return;
            write(Record(kSelectObject).u32(kStockNullBrush));
            if (!selectedBrushKept_) release(selectedBrushSlot_);
            selectedBrushSlot_ = 0;
            selectedBrushKept_ = false;
            selectedBrush_ = {};
            brushIsStock_ = true;
            return;
        }
        if (selectedBrushSlot_ != 0 && brush == selectedBrush_) return;
        // A drawing alternates a handful of colours (a black disc under a green one, a
        // thousand times): the first brushes of each colour are kept and selected again.
        const auto cached = brushes_.find(brush.color);
        const bool keep = cached != brushes_.end() || brushes_.size() < kKeptBrushes;
        quint32 slot = 0;
        if (cached != brushes_.end()) {
            slot = cached->second;
        } else {
            slot = allocateSlot();
            write(Record(kCreateBrushIndirect)
                      .u32(slot)
                      .u32(0 /* BS_SOLID */)
                      .u32(brush.color)
                      .u32(0));
            if (keep) brushes_.emplace(brush.color, slot);
        }
        write(Record(kSelectObject).u32(slot));
        if (!selectedBrushKept_) release(selectedBrushSlot_);
        selectedBrushSlot_ = slot;
        selectedBrushKept_ = keep;
        selectedBrush_ = brush;
        brushIsStock_ = false;
    }

    void setFillMode(quint32 mode) {
        if (mode == fillMode_) return;
        write(Record(kSetPolyFillMode).u32(mode));
        fillMode_ = mode;
    }

    void writePoly(quint32 small, quint32 large, const QRect& box,
                   const std::vector<QPoint>& points) {
        const bool fits = fitsSmall(points);
        Record rec(fits ? small : large);
        rec.rect(box).u32(static_cast<quint32>(points.size()));
        for (QPoint p : points) rec.point(p, fits);
        write(rec);
    }

    // The clip in device coordinates, and its edges for cutting lines.
    void setClip(std::optional<QPainterPath> clip) {
        clip_ = std::move(clip);
        clipEdges_.clear();
        clipFlat_ = QPainterPath();
        if (!clip_) return;
        for (const QPolygonF& polygon : clip_->toSubpathPolygons()) {
            clipFlat_.addPolygon(polygon);
            for (qsizetype i = 0; i + 1 < polygon.size(); ++i)
                clipEdges_.emplace_back(polygon.at(i), polygon.at(i + 1));
            if (!polygon.isClosed() && polygon.size() > 2)
                clipEdges_.emplace_back(polygon.last(), polygon.first());
        }
        clipFlat_.setFillRule(clip_->fillRule());
    }
    bool clipping() const { return clipEnabled_ && clip_.has_value(); }

    // The pieces of the segment a-b (device coordinates) inside the clip, as parameters along
    // it.
    std::vector<std::pair<qreal, qreal>> inside(QPointF a, QPointF b) const {
        std::vector<qreal> cuts{0, 1};
        const QPointF d = b - a;
        for (const QLineF& edge : clipEdges_) {
            const QPointF e = edge.p2() - edge.p1();
            const qreal den = d.x() * e.y() - d.y() * e.x();
            if (den == 0) continue;  // parallel: crossings come from the neighbouring edges
            const QPointF w = edge.p1() - a;
            const qreal t = (w.x() * e.y() - w.y() * e.x()) / den;
            const qreal u = (w.x() * d.y() - w.y() * d.x()) / den;
            if (t > 0 && t < 1 && u >= 0 && u <= 1) cuts.push_back(t);
        }
        std::sort(cuts.begin(), cuts.end());
        std::vector<std::pair<qreal, qreal>> pieces;
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            const qreal t0 = cuts[i];
            const qreal t1 = cuts[i + 1];
            if (t1 - t0 <= 1e-12) continue;
            if (!clipFlat_.contains(a + d * ((t0 + t1) / 2))) continue;
            if (!pieces.empty() && pieces.back().second == t0) {
                pieces.back().second = t1;
            } else {
                pieces.emplace_back(t0, t1);
            }
        }
        return pieces;
    }

    // Lines (a polyline is one line of several points) are gathered while the pen stays the
    // same, and written as one record; clipped, a line falls into its pieces within the clip.
    void polyline(const QPointF* points, int count) {
        const PenKey pen = penKey(pen_, transform_);
        if (pen.null || count < 2) return;
        if (!lines_.empty() && !(pen == linesPen_)) flushLines();
        linesPen_ = pen;
        std::vector<QPointF> device;
        device.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            const QPointF p = transform_.map(points[i]);
            if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return;
            device.push_back(p);
        }
        const auto units = [](const std::vector<QPointF>& line) {
            std::vector<QPoint> out;
            out.reserve(line.size());
            for (QPointF p : line) out.push_back(*toUnits(p));
            return out;
        };
        if (!clipping()) {
            addLine(units(device));
            return;
        }
        std::vector<QPointF> piece;
        for (std::size_t i = 0; i + 1 < device.size(); ++i) {
            const QPointF a = device[i];
            const QPointF d = device[i + 1] - a;
            for (const auto& [t0, t1] : inside(a, device[i + 1])) {
                if (!piece.empty() && (t0 > 0 || piece.back() != a)) {
                    addLine(units(piece));
                    piece.clear();
                }
                if (piece.empty()) piece.push_back(a + d * t0);
                piece.push_back(t1 == 1 ? device[i + 1] : a + d * t1);
            }
            if (!piece.empty() && piece.back() != device[i + 1]) {
                addLine(units(piece));
                piece.clear();
            }
        }
        if (piece.size() > 1) addLine(units(piece));
    }

    void addLine(std::vector<QPoint> points) {
        const QRect box = boxOf(points, penReach(linesPen_), true);
        linesBounds_ = lines_.empty() ? box : linesBounds_.united(box);
        lines_.push_back(std::move(points));
    }

    void flushLines() {
        if (lines_.empty()) return;
        selectPen(linesPen_);
        if (lines_.size() == 1) {
            writePoly(kPolyline16, kPolyline, linesBounds_, lines_.front());
        } else {
            std::vector<QPoint> all;
            for (const auto& line : lines_) all.insert(all.end(), line.begin(), line.end());
            const bool fits = fitsSmall(all);
            Record rec(fits ? kPolyPolyline16 : kPolyPolyline);
            rec.rect(linesBounds_)
                .u32(static_cast<quint32>(lines_.size()))
                .u32(static_cast<quint32>(all.size()));
            for (const auto& line : lines_) rec.u32(static_cast<quint32>(line.size()));
            for (QPoint p : all) rec.point(p, fits);
            write(rec);
        }
        addBounds(linesBounds_);
        lines_.clear();
    }

    // Rectangles and polygons: one polygon record, unless the winding rule or a clip needs a
    // path.
    void polygon(const QPointF* points, int count, Qt::FillRule rule) {
        const PenKey pen = penKey(pen_, transform_);
        const BrushKey brush = brushKey(brush_);
        if ((pen.null && brush.null) || count < 2) return;
        if (clipping() || (rule == Qt::WindingFill && !brush.null)) {
            QPainterPath path;
            path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
            path.closeSubpath();
            path.setFillRule(rule);
            if (clipping() || windingFillsMore(transform_.map(path))) {
                drawPath(path);
                return;
            }
        }
        std::vector<QPoint> units;
        units.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            const auto unit = toUnits(transform_.map(points[i]));
            if (!unit) return;
            units.push_back(*unit);
        }
        // A fill alone of no area shows nothing.
        if (pen.null) {
            const QRect b = boxOf(units, 0, true);
            if (b.width() <= 1 || b.height() <= 1) return;
        }
        const QRect box = boxOf(units, penReach(pen), !pen.null);
        selectPen(pen);
        selectBrush(brush);
        if (!brush.null) setFillMode(rule == Qt::WindingFill ? kWinding : kAlternate);
        writePoly(kPolygon16, kPolygon, box, units);
        addBounds(box);
    }

    // Whether the winding rule fills more of the path (device coordinates) than the even-odd
    // rule does, by more than a unit of area.
    static bool windingFillsMore(const QPainterPath& path) {
        QPainterPath evenOdd = path;
        evenOdd.setFillRule(Qt::OddEvenFill);
        const QPainterPath more = path.subtracted(evenOdd);
        return !more.isEmpty() && areaOf(more.toFillPolygons()) > 1;
    }

    // A path in device coordinates, filled and stroked as Qt does.
    void devicePath(const QPainterPath& path, const PenKey& pen, const BrushKey& brush) {
        if (pen.null && brush.null) return;
        std::vector<Figure> figures;
        if (!figuresOf(path, figures)) return;
        const quint32 mode = path.fillRule() == Qt::WindingFill ? kWinding : kAlternate;
        // LibreOffice fills every path even-odd: where the winding rule fills more, the area
        // is filled as a path of its own (without crossings, its curves flattened), and the
        // outline stroked apart.
        if (!brush.null && mode == kWinding && windingFillsMore(path)) {
            std::vector<Figure> area;
            if (figuresOf(path.simplified(), area)) fillPath(area, brush, kAlternate);
            if (!pen.null) strokePath(figures, pen);
            return;
        }
        const bool open =
            std::any_of(figures.begin(), figures.end(), [](const Figure& f) { return !f.closed; });
        // GDI closes open figures for a fill and for a stroke-and-fill, Qt strokes them open:
        // such a path is filled and stroked in two brackets.
        if (!brush.null && !pen.null && open) {
            fillPath(figures, brush, mode);
            strokePath(figures, pen);
        } else {
            closedFigures(figures, pen, brush, mode);
        }
    }

    // Figures that need no care for their fill rule or open ends, filled and stroked at once.
    void closedFigures(const std::vector<Figure>& figures, const PenKey& pen, const BrushKey& brush,
                       quint32 mode = kAlternate) {
        if (!brush.null && !pen.null) {
            selectPen(pen);
            selectBrush(brush);
            setFillMode(mode);
            const QRect box = boxOf(pointsOf(figures), penReach(pen), true);
            bracket(figures);
            write(Record(kStrokeAndFillPath).rect(box));
            addBounds(box);
        } else if (!brush.null) {
            fillPath(figures, brush, mode);
        } else {
            strokePath(figures, pen);
        }
    }

    // An ellipse in its box (device coordinates) as Qt draws it: four curves from the right end
    // of its axis, anticlockwise on the screen.
    static bool ellipseFigure(const QRectF& box, Figure& figure) {
        constexpr qreal kappa = 0.5522847498307936;
        const qreal cx = box.center().x();
        const qreal cy = box.center().y();
        const qreal rx = box.width() / 2;
        const qreal ry = box.height() / 2;
        const QPointF points[13] = {
            {cx + rx, cy}, {cx + rx, cy - kappa * ry}, {cx + kappa * rx, cy - ry},
            {cx, cy - ry}, {cx - kappa * rx, cy - ry}, {cx - rx, cy - kappa * ry},
            {cx - rx, cy}, {cx - rx, cy + kappa * ry}, {cx - kappa * rx, cy + ry},
            {cx, cy + ry}, {cx + kappa * rx, cy + ry}, {cx + rx, cy + kappa * ry},
            {cx + rx, cy},
        };
        Run curves{true, {}};
        curves.points.reserve(12);
        for (int i = 0; i < 13; ++i) {
            const auto unit = toUnits(points[i]);
            if (!unit) return false;
            if (i == 0) {
                figure.start = *unit;
            } else {
                curves.points.push_back(*unit);
            }
        }
        figure.runs.push_back(std::move(curves));
        figure.closed = true;
        return true;
    }

    static bool finite(const QPainterPath& path) {
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (!std::isfinite(e.x) || !std::isfinite(e.y)) return false;
        }
        return true;
    }

    // The path's subpaths in whole units; false when it has none to draw.
    static bool figuresOf(const QPainterPath& path, std::vector<Figure>& figures) {
        Figure current;
        bool started = false;
        const auto finish = [&] {
            if (started && !current.runs.empty()) {
                current.closed = current.runs.back().points.back() == current.start;
                figures.push_back(std::move(current));
            }
            current = Figure();
        };
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const auto p = toUnits(QPointF(e.x, e.y));
            if (!p) return false;
            if (e.type == QPainterPath::MoveToElement || !started) {
                finish();
                current.start = *p;
                started = true;
            } else if (e.type == QPainterPath::CurveToDataElement && !current.runs.empty()) {
                current.runs.back().points.push_back(*p);  // a curve's points stay together
            } else {
                const bool curve = e.type == QPainterPath::CurveToElement;
                if (current.runs.empty() || current.runs.back().curves != curve)
                    current.runs.push_back({curve, {}});
                current.runs.back().points.push_back(*p);
            }
        }
        finish();
        return !figures.empty();
    }

    void bracket(const std::vector<Figure>& figures) {
        write(Record(kBeginPath));
        for (const Figure& f : figures) {
            write(Record(kMoveToEx).i32(f.start.x()).i32(f.start.y()));
            for (const Run& run : f.runs) {
                if (!run.curves && run.points.size() == 1) {
                    write(Record(kLineTo).i32(run.points[0].x()).i32(run.points[0].y()));
                    continue;
                }
                writePoly(run.curves ? kPolyBezierTo16 : kPolylineTo16,
                          run.curves ? kPolyBezierTo : kPolylineTo, boxOf(run.points, 0, true),
                          run.points);
            }
            if (f.closed) write(Record(kCloseFigure));
        }
        write(Record(kEndPath));
    }

    void fillPath(const std::vector<Figure>& figures, const BrushKey& brush, quint32 mode) {
        selectBrush(brush);
        setFillMode(mode);
        const QRect box = boxOf(pointsOf(figures), 0, false);
        bracket(figures);
        write(Record(kFillPath).rect(box));
        addBounds(box);
    }

    void strokePath(const std::vector<Figure>& figures, const PenKey& pen) {
        selectPen(pen);
        const QRect box = boxOf(pointsOf(figures), penReach(pen), true);
        bracket(figures);
        write(Record(kStrokePath).rect(box));
        addBounds(box);
    }

    QByteArray file() const {
        // The description: the application, the picture, each ended by a null, and a final null.
        const QString description =
            device_.application_ + QChar(0) + device_.picture_ + QChar(0) + QChar(0);
        QByteArray text(description.size() * 2, '\0');
        qToLittleEndian<quint16>(description.utf16(), description.size(), text.data());

        const QSize size = device_.size_;
        const QSize frame = device_.frame_;
        const Reference rx = referenceAxis(size.width(), frame.width());
        const Reference ry = referenceAxis(size.height(), frame.height());

        Record eof(kEof);
        eof.u32(0).u32(16).u32(20);  // no palette; where it would be; this record's size
        const QByteArray eofBytes = eof.finish();

        Record header(kHeader);
        header.rect(bounds_.value_or(QRect()))
            .rect(QRect(0, 0, frame.width(), frame.height()))
            .u32(kSignature)
            .u32(kVersion);
        const qsizetype headerBytes = kHeaderBytes + (text.size() + 3) / 4 * 4;
        const qsizetype total = headerBytes + body_.size() + eofBytes.size();
        header.u32(static_cast<quint32>(total))
            .u32(bodyRecords_ + 2)
            .u16(static_cast<quint16>(std::min<quint32>(maxSlot_ + 1, 0xFFFF)))
            .u16(0)
            .u32(static_cast<quint32>(description.size()))
            .u32(kHeaderBytes)
            .u32(0)  // no palette
            .i32(rx.pixels)
            .i32(ry.pixels)
            .i32(rx.millimetres)
            .i32(ry.millimetres)
            .u32(0)  // no pixel format
            .u32(0)
            .u32(0)  // no OpenGL
            .i32(rx.millimetres * 1000)
            .i32(ry.millimetres * 1000)
            .raw(text);
        QByteArray out = header.finish();
        out.append(body_);
        out.append(eofBytes);
        return out;
    }

    EmfDevice& device_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;

    QByteArray body_;
    quint32 bodyRecords_ = 0;
    std::vector<bool> slots_;
    quint32 maxSlot_ = 0;
    PenKey selectedPen_;
    quint32 selectedPenSlot_ = 0;
    bool penIsStock_ = false;  // the stock null pen is selected
    BrushKey selectedBrush_;
    quint32 selectedBrushSlot_ = 0;
    bool selectedBrushKept_ = false;      // one of brushes_, never deleted
    std::map<quint32, quint32> brushes_;  // colour -> slot
    static constexpr std::size_t kKeptBrushes = 32;
    bool brushIsStock_ = false;
    quint32 fillMode_ = kAlternate;
    std::optional<QRect> bounds_;       // nothing drawn yet
    std::optional<QPainterPath> clip_;  // device coordinates
    bool clipEnabled_ = false;
    std::vector<QLineF> clipEdges_;
    QPainterPath clipFlat_;

    std::vector<std::vector<QPoint>> lines_;
    PenKey linesPen_;
    QRect linesBounds_;
};

namespace {

// A frame side for a device side at 96 dpi, when none is given.
int frameAt96Dpi(int units) {
    return static_cast<int>(std::clamp<double>(std::round(units * 2540.0 / 96), 1, INT_MAX));
}

}  // namespace

EmfDevice::EmfDevice(QSize size, QSize frame, const QString& application, const QString& picture)
    : size_(std::max(1, size.width()), std::max(1, size.height())),
      frame_(frame.width() > 0 ? frame.width() : frameAt96Dpi(size_.width()),
             frame.height() > 0 ? frame.height() : frameAt96Dpi(size_.height())),
      application_(application),
      picture_(picture),
      engine_(std::make_unique<EmfPaintEngine>(*this)) {}

EmfDevice::~EmfDevice() = default;

QPaintEngine* EmfDevice::paintEngine() const {
    return engine_.get();
}

int EmfDevice::metric(PaintDeviceMetric metric) const {
    const auto dpi = [](int units, int hundredths) {
        return std::max(1, static_cast<int>(std::lround(units * 2540.0 / hundredths)));
    };
    switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return static_cast<int>(std::lround(frame_.width() / 100.0));
        case PdmHeightMM:
            return static_cast<int>(std::lround(frame_.height() / 100.0));
        case PdmNumColors:
            return 1 << 24;
        case PdmDepth:
            return 24;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return dpi(size_.width(), frame_.width());
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return dpi(size_.height(), frame_.height());
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}

std::optional<EmfHeader> readEmfHeader(const QByteArray& bytes) {
    const auto u32 = [&](qsizetype at) {
        return qFromLittleEndian<quint32>(bytes.constData() + at);
    };
    const auto i32 = [&](qsizetype at) { return static_cast<qint32>(u32(at)); };
    if (bytes.size() < kMinHeaderBytes) return std::nullopt;
    const quint32 recordBytes = u32(4);
    if (u32(0) != kHeader || u32(40) != kSignature || recordBytes < kMinHeaderBytes ||
        recordBytes % 4 != 0 || recordBytes > static_cast<quint64>(bytes.size()))
        return std::nullopt;
    EmfHeader h;
    const auto rect = [&](qsizetype at) {
        return QRect(QPoint(i32(at), i32(at + 4)), QPoint(i32(at + 8), i32(at + 12)));
    };
    h.bounds = rect(8);
    h.frame = rect(24);
    h.fileBytes = u32(48);
    h.records = u32(52);
    h.handles = qFromLittleEndian<quint16>(bytes.constData() + 56);
    if (h.fileBytes < recordBytes) return std::nullopt;
    const quint32 chars = u32(60);
    const quint32 offset = u32(64);
    if (chars > 0) {
        if (offset < kMinHeaderBytes || offset > recordBytes ||
            static_cast<quint64>(chars) * 2 > recordBytes - offset)
            return std::nullopt;
        std::vector<char16_t> text(chars);
        qFromLittleEndian<quint16>(bytes.constData() + offset, chars, text.data());
        const QStringList parts = QString::fromUtf16(text.data(), chars).split(QChar(0));
        if (!parts.empty()) h.application = parts.at(0);
        if (parts.size() > 1) h.picture = parts.at(1);
    }
    h.devicePixels = QSize(i32(72), i32(76));
    h.deviceMillimetres = QSize(i32(80), i32(84));
    if (recordBytes >= kHeaderBytes && (chars == 0 || offset >= kHeaderBytes))
        h.deviceMicrometres = QSize(i32(100), i32(104));
    return h;
}

}  // namespace zelmor::tk
