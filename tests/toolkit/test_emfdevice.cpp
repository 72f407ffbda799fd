// The metafile paint device: every file it writes is walked record by record (sizes, alignment,
// counts, objects), and what QPainter drew is read back from the records.
#include "toolkit/emfdevice.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace zelmor::tk;

namespace {

// Record types and values, as the format defines them.
enum : quint32 {
    kHeader = 1,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kEof = 14,
    kSetPolyFillMode = 19,
    kMoveTo = 27,
    kSelect = 37,
    kBrush = 39,
    kDelete = 40,
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
    kPen = 95,
    kNullBrush = 0x80000005,
    kNullPen = 0x80000008,
};

struct Pen {
    quint32 style = 0, width = 0, color = 0;
    bool null = true;
};

// One drawing record with the state it was drawn in.
struct Drawn {
    quint32 type = 0;
    std::vector<std::vector<QPoint>> figures;  // polylines, polygons or path figures
    std::vector<bool> closed;                  // path figures
    int curves = 0;                            // Bezier curves in a path
    Pen pen;
    std::optional<quint32> brush;  // colour
    quint32 fillMode = 1;
    QRect bounds;
};

struct Metafile {
    std::vector<std::string> faults;
    std::vector<quint32> types;
    std::vector<Drawn> drawn;
    EmfHeader header;
};

// Walks every record: type, size, alignment, the header's counts, EOF last, and every object
// used as GDI would (created in a free slot below nHandles, selected while alive, deleted once
// not selected); plays the drawing records back.
Metafile walk(const QByteArray& file) {
    Metafile m;
    const auto fault = [&](const std::string& what) { m.faults.push_back(what); };
    const auto header = readEmfHeader(file);
    if (!header) return {{"no header"}, {}, {}, {}};
    m.header = *header;
    std::map<quint32, Pen> pens;
    std::map<quint32, quint32> brushes;
    quint32 penSlot = 0, brushSlot = 0;  // 0: a stock object
    Drawn state;
    std::optional<Drawn> path;
    qsizetype at = 0;
    while (at < file.size()) {
        if (file.size() - at < 8) {
            fault("truncated record");
            return m;
        }
        const char* r = file.constData() + at;
        const auto u32 = [&](qsizetype o) { return qFromLittleEndian<quint32>(r + o); };
        const auto i32 = [&](qsizetype o) { return static_cast<qint32>(u32(o)); };
        const quint32 type = u32(0), size = u32(4);
        if (size < 8 || size % 4 != 0 || size > file.size() - at) {
            fault("bad size");
            return m;
        }
        m.types.push_back(type);
        const auto rect = [&](qsizetype o) {
            return QRect(QPoint(i32(o), i32(o + 4)), QPoint(i32(o + 8), i32(o + 12)));
        };
        // Points of a polyline-like record: 16-bit or 32-bit pairs from offset o.
        const auto points = [&](qsizetype o, quint32 n, bool small) {
            std::vector<QPoint> out;
            if (o + qsizetype(n) * (small ? 4 : 8) > qsizetype(size)) {
                fault("points beyond the record");
                return out;
            }
            for (qsizetype i = 0; i < qsizetype(n); ++i) {
                if (small)
                    out.emplace_back(qFromLittleEndian<qint16>(r + o + 4 * i),
                                     qFromLittleEndian<qint16>(r + o + 4 * i + 2));
                else
                    out.emplace_back(i32(o + 8 * i), i32(o + 8 * i + 4));
            }
            return out;
        };
        const bool small = type >= kPolygon16 && type <= kPolyPolyline16;
        Drawn d = state;
        d.type = type;
        switch (type) {
            case kPen:
            case kBrush: {
                const quint32 slot = u32(8);
                if (slot == 0 || slot >= m.header.handles) fault("slot out of range");
                if (pens.count(slot) || brushes.count(slot)) fault("slot in use");
                if (type == kPen) pens[slot] = {u32(28), u32(32), u32(40), false};
                if (type == kBrush) brushes[slot] = u32(16);
                break;
            }
            case kSelect: {
                const quint32 h = u32(8);
                if (h == kNullPen) {
                    penSlot = 0;
                    state.pen = {};
                } else if (h == kNullBrush) {
                    brushSlot = 0;
                    state.brush.reset();
                } else if (pens.count(h)) {
                    penSlot = h;
                    state.pen = pens[h];
                } else if (brushes.count(h)) {
                    brushSlot = h;
                    state.brush = brushes[h];
                } else {
                    fault("selected an object that does not exist");
                }
                break;
            }
            case kDelete:
                if (u32(8) == penSlot || u32(8) == brushSlot) fault("deleted a selected object");
                if (pens.erase(u32(8)) + brushes.erase(u32(8)) != 1) fault("deleted nothing");
                break;
            case kSetPolyFillMode:
                state.fillMode = u32(8);
                break;
            case kPolygon:
            case kPolygon16:
            case kPolyline:
            case kPolyline16:
                d.bounds = rect(8);
                d.figures.push_back(points(28, u32(24), small));
                m.drawn.push_back(d);
                break;
            case kPolyPolyline:
            case kPolyPolyline16: {
                d.bounds = rect(8);
                const quint32 n = u32(24);
                qsizetype o = 32 + 4 * qsizetype(n);
                for (qsizetype i = 0; i < qsizetype(n); ++i) {
                    d.figures.push_back(points(o, u32(32 + 4 * i), small));
                    o += qsizetype(u32(32 + 4 * i)) * (small ? 4 : 8);
                }
                if (o != size && o + 2 != size) fault("polypolyline size");
                m.drawn.push_back(d);
                break;
            }
            case kBeginPath:
                if (path) fault("nested path");
                path = Drawn();
                break;
            case kMoveTo:
            case kLineTo:
            case kPolylineTo:
            case kPolylineTo16:
            case kPolyBezierTo:
            case kPolyBezierTo16:
            case kCloseFigure: {
                if (!path) {
                    fault("figure outside a path");
                    return m;
                }
                if (type == kMoveTo) {
                    path->figures.push_back({QPoint(i32(8), i32(12))});
                    path->closed.push_back(false);
                } else if (path->figures.empty()) {
                    fault("no move before a segment");
                    return m;
                } else if (type == kCloseFigure) {
                    path->closed.back() = true;
                } else if (type == kLineTo) {
                    path->figures.back().emplace_back(i32(8), i32(12));
                } else {
                    const auto p =
                        points(28, u32(24), type == kPolylineTo16 || type == kPolyBezierTo16);
                    path->figures.back().insert(path->figures.back().end(), p.begin(), p.end());
                    if (type == kPolyBezierTo || type == kPolyBezierTo16)
                        path->curves += int(p.size() / 3);
                }
                break;
            }
            case kEndPath:
                if (!path) fault("end without a path");
                break;
            case kFillPath:
            case kStrokePath:
            case kStrokeAndFillPath:
                if (!path) {
                    fault("nothing to draw");
                    return m;
                }
                d.figures = path->figures;
                d.closed = path->closed;
                d.curves = path->curves;
                d.bounds = rect(8);
                m.drawn.push_back(d);
                path.reset();
                break;
            case kStretchDIBits:
                d.bounds = QRect(i32(24), i32(28), i32(72), i32(76));
                m.drawn.push_back(d);
                break;
            default:
                break;
        }
        at += size;
        if (type == kEof) break;
    }
    if (m.types.empty() || m.types.front() != kHeader) fault("no header first");
    if (m.types.empty() || m.types.back() != kEof) fault("no EOF last");
    if (at != file.size() || qsizetype(m.header.fileBytes) != file.size())
        fault("sizes do not sum to nBytes");
    if (m.types.size() != m.header.records) fault("record count");
    return m;
}

QByteArray paint(const std::function<void(QPainter&)>& draw, QSize size = {1000, 1000},
                 QSize frame = {1000, 1000}) {
    EmfDevice dev(size, frame, QStringLiteral("Zelmor"), QStringLiteral("ZelmorPicture 1"));
    QPainter p(&dev);
    draw(p);
    p.end();
    return dev.bytes();
}

std::vector<Drawn> drawnOf(const QByteArray& file) {
    const Metafile m = walk(file);
    EXPECT_TRUE(m.faults.empty()) << m.faults.front();
    return m.drawn;
}

int count(const QByteArray& file, quint32 type) {
    const auto types = walk(file).types;
    return int(std::count(types.begin(), types.end(), type));
}

TEST(EmfDevice, HeaderLaysThePictureOutAtItsFrame) {
    struct Case {
        QSize size, frame;
        std::function<void(QPainter&)> draw;
        QRect bounds;
    };
    const std::vector<Case> cases = {
        {{16720, 11320}, {16720, 11320}, [](QPainter&) {}, QRect()},
        {{16720, 11320},
         {16720, 11320},
         [](QPainter& p) { p.fillRect(QRect(10, 20, 100, 50), Qt::red); },
         QRect(QPoint(10, 20), QPoint(109, 69))},
        {{632, 428},
         {16720, 11320},
         [](QPainter& p) {
             p.setPen(QPen(Qt::black, 4));
             p.drawLine(100, 50, 300, 50);
         },
         QRect(QPoint(97, 47), QPoint(303, 53))},  // a square cap's corners
        {{1000, 500},
         {10001, 4999},
         [](QPainter& p) { p.fillRect(QRect(0, 0, 1000, 500), Qt::blue); },
         QRect(0, 0, 1000, 500)},
    };
    for (const Case& c : cases) {
        const QByteArray file = paint(c.draw, c.size, c.frame);
        const Metafile m = walk(file);
        ASSERT_TRUE(m.faults.empty()) << m.faults.front();
        const EmfHeader& h = m.header;
        EXPECT_EQ(h.frame, QRect(QPoint(0, 0), c.frame));
        EXPECT_EQ(h.bounds, c.bounds);
        EXPECT_EQ(h.application, QStringLiteral("Zelmor"));
        EXPECT_EQ(h.picture, QStringLiteral("ZelmorPicture 1"));
        // The reference device has exactly the device's units per millimetre of the frame.
        EXPECT_EQ(qint64(h.devicePixels.width()) * c.frame.width(),
                  qint64(h.deviceMillimetres.width()) * 100 * c.size.width());
        EXPECT_EQ(qint64(h.devicePixels.height()) * c.frame.height(),
                  qint64(h.deviceMillimetres.height()) * 100 * c.size.height());
        EXPECT_EQ(h.deviceMicrometres, h.deviceMillimetres * 1000);
    }
}

TEST(EmfDevice, ReadsHeadersAndRejectsWhatIsNoMetafile) {
    const QByteArray file = paint([](QPainter& p) { p.drawLine(0, 0, 10, 10); });
    const quint32 headerBytes = qFromLittleEndian<quint32>(file.constData() + 4);
    const auto prefix = readEmfHeader(file.left(headerBytes));
    ASSERT_TRUE(prefix);
    EXPECT_EQ(prefix->fileBytes, quint32(file.size()));
    EXPECT_EQ(prefix->picture, QStringLiteral("ZelmorPicture 1"));
    const auto patched = [&](int at, quint32 value) {
        QByteArray b = file;
        qToLittleEndian(value, b.data() + at);
        return b;
    };
    for (const QByteArray& bad :
         {QByteArray(),
          QByteArray("BM not a metafile at all, but long enough to hold a header of "
                     "eighty-eight bytes or more, surely"),
          file.left(headerBytes - 4), patched(0, 2), patched(40, 0x464D4521), patched(4, 80),
          patched(4, 110), patched(48, 16), patched(60, 1000)})
        EXPECT_FALSE(readEmfHeader(bad));
}

TEST(EmfDevice, FillsAndOutlinesComeBackWithTheirPensAndBrushes) {
    // A colour fill: a polygon of the rectangle's corners, no outline.
    auto d = drawnOf(paint([](QPainter& p) { p.fillRect(QRect(10, 20, 100, 50), Qt::red); }));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].type, quint32(kPolygon16));
    EXPECT_EQ(d[0].figures[0], (std::vector<QPoint>{{10, 20}, {110, 20}, {110, 70}, {10, 70}}));
    EXPECT_TRUE(d[0].pen.null);
    EXPECT_EQ(d[0].brush, 0x0000FFu);

    // Pens: width scaled by the transform, caps, joins and styles.
    struct PenCase {
        QPen pen;
        QTransform t;
        quint32 width, style;
    };
    const std::vector<PenCase> pens = {
        {QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin), QTransform::fromScale(2, 2),
         6, 0x12200},
        {QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin),
         QTransform().rotate(90).scale(2, 2), 6, 0x11100},
        {QPen(Qt::black, 2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin), QTransform::fromScale(1, 4),
         4, 0x10001},
        {QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap), {}, 1, 0x11202},
        {QPen(Qt::black, 0), QTransform::fromScale(5, 5), 1, 0x11100},
    };
    for (const PenCase& c : pens) {
        d = drawnOf(paint([&](QPainter& p) {
            p.setTransform(c.t);
            p.setPen(c.pen);
            p.drawLine(QPointF(1, 1), QPointF(50, 1));
        }));
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].type, quint32(kPolyline16));
        EXPECT_EQ(d[0].pen.width, c.width);
        EXPECT_EQ(d[0].pen.style, c.style);
    }
    QPen cosmetic(Qt::black, 3);
    cosmetic.setCosmetic(true);
    d = drawnOf(paint([&](QPainter& p) {
        p.scale(4, 4);
        p.setPen(cosmetic);
        p.drawLine(0, 0, 9, 9);
    }));
    EXPECT_EQ(d.at(0).pen.width, 3u);

    // A stroked and filled rectangle: one polygon with both; a hatch brush fills nothing.
    d = drawnOf(paint([](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 255), 2));
        p.setBrush(QColor(0, 255, 0));
        p.drawRect(QRectF(0, 0, 10, 10));
        p.setBrush(Qt::CrossPattern);
        p.drawRect(QRectF(20, 0, 10, 10));
    }));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].pen.color, 0xFF0000u);
    EXPECT_EQ(d[0].brush, 0x00FF00u);
    EXPECT_FALSE(d[1].brush);
}

TEST(EmfDevice, CurvesStayCurvesWithTheirFillRule) {
    // An ellipse, upright or turned: one closed figure of four Bezier curves, filled and
    // stroked at once.
    for (const bool turned : {false, true}) {
        const auto d = drawnOf(paint([turned](QPainter& p) {
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(Qt::yellow);
            p.translate(200, 150);
            if (turned) p.rotate(90);
            p.drawEllipse(QRectF(-100, -50, 200, 100));
        }));
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].type, quint32(kStrokeAndFillPath));
        EXPECT_EQ(d[0].curves, 4);
        EXPECT_EQ(d[0].closed, std::vector<bool>{true});
        EXPECT_EQ(d[0].figures[0].front(), turned ? QPoint(200, 250) : QPoint(300, 150));
        EXPECT_EQ(d[0].figures[0][6], turned ? QPoint(200, 50) : QPoint(100, 150));
        EXPECT_EQ(d[0].pen.width, 2u);
    }
    std::vector<Drawn> d;

    // A ring: two figures filled even-odd, no outline.
    d = drawnOf(paint([](QPainter& p) {
        QPainterPath ring;
        ring.addEllipse(QRectF(0, 0, 100, 100));
        ring.addEllipse(QRectF(25, 25, 50, 50));
        p.fillPath(ring, Qt::black);
    }));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].type, quint32(kFillPath));
    EXPECT_EQ(d[0].figures.size(), 2u);
    EXPECT_EQ(d[0].curves, 8);
    EXPECT_EQ(d[0].fillMode, 1u);  // ALTERNATE

    // Winding: kept where it fills as even-odd does; where it fills more (overlapping squares),
    // the filled area itself, so that readers that fill even-odd (LibreOffice) agree.
    const auto squares = [](int offset) {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        path.addRect(0, 0, 100, 100);
        path.addRect(offset, offset, 100, 100);
        return path;
    };
    d = drawnOf(paint([&](QPainter& p) { p.fillPath(squares(200), Qt::black); }));
    EXPECT_EQ(d.at(0).fillMode, 2u);
    EXPECT_EQ(d.at(0).figures.size(), 2u);
    d = drawnOf(paint([&](QPainter& p) { p.fillPath(squares(50), Qt::black); }));
    EXPECT_EQ(d.at(0).fillMode, 1u);
    EXPECT_EQ(d.at(0).figures.size(), 1u);

    // An open path, stroked and filled: filled closed, stroked open.
    d = drawnOf(paint([](QPainter& p) {
        QPainterPath open(QPointF(0, 100));
        open.lineTo(50, 0);
        open.lineTo(100, 100);
        p.setPen(QPen(Qt::red, 3));
        p.setBrush(Qt::white);
        p.drawPath(open);
    }));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].type, quint32(kFillPath));
    EXPECT_EQ(d[1].type, quint32(kStrokePath));
    EXPECT_EQ(d[1].closed, std::vector<bool>{false});
}

TEST(EmfDevice, RecordsAreSmallWhereCoordinatesFitAndObjectsAreReused) {
    const QByteArray file = paint(
        [](QPainter& p) {
            p.setPen(QPen(Qt::black, 10));
            for (int i = 0; i < 10; ++i) p.drawLine(i * 10, 0, i * 10, 100);  // one batch
            p.setPen(QPen(Qt::black, 20));
            p.drawLine(0, 0, 40000, 10);
            p.drawEllipse(QRectF(30000, 0, 10000, 100));
            p.drawEllipse(QRectF(0, 0, 100, 100));
            for (int i = 0; i < 50; ++i) {
                p.setPen(QPen(QColor(i, 0, 0), 1 + i % 3));
                p.setBrush(QColor(0, i, 0));
                p.drawRect(i, i, 10, 10);
            }
        },
        {50000, 1000}, {50000, 1000});
    const auto d = drawnOf(file);
    ASSERT_GE(d.size(), 4u);
    EXPECT_EQ(d[0].type, quint32(kPolyPolyline16));
    EXPECT_EQ(d[0].figures.size(), 10u);
    EXPECT_EQ(d[1].type, quint32(kPolyline));
    EXPECT_EQ(d[1].figures[0].back(), QPoint(40000, 10));
    EXPECT_EQ(count(file, kPolyBezierTo), 1);
    EXPECT_EQ(count(file, kPolyBezierTo16), 1);
    // A pen per change, each replaced one deleted, the slots reused. The first 32 brushes'
    // colours are kept to be selected again; the later ones go when replaced.
    EXPECT_EQ(count(file, kPen), 52);
    EXPECT_EQ(count(file, kBrush), 50);
    EXPECT_EQ(count(file, kDelete), 51 + (50 - 32 - 1));
    EXPECT_LE(walk(file).header.handles, 32 + 4);

    // Two colours in turn: two brushes, selected again and again.
    const QByteArray discs = paint(
        [](QPainter& p) {
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 20; ++i) {
                p.setBrush(i % 2 == 0 ? Qt::black : Qt::green);
                p.drawEllipse(QRectF(i, 0, 10, 10));
            }
        },
        {1000, 1000}, {1000, 1000});
    EXPECT_EQ(count(discs, kBrush), 2);
    EXPECT_EQ(count(discs, kDelete), 0);
}

TEST(EmfDevice, ClipsLinesAndShapesByGeometry) {
    const auto d = drawnOf(paint([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
        p.save();
        p.setClipRect(QRect(100, 100, 200, 100));
        p.drawLine(0, 150, 500, 150);
        QPainterPath oval;
        oval.addEllipse(QRectF(100, 100, 200, 100));
        p.setClipPath(oval, Qt::IntersectClip);
        p.drawLine(0, 150, 500, 150);
        p.fillRect(QRect(0, 0, 1000, 1000), Qt::blue);
        p.restore();
        p.drawLine(0, 150, 500, 150);
    }));
    ASSERT_EQ(d.size(), 3u);
    ASSERT_EQ(d[0].figures.size(), 2u);  // the two clipped lines, one batch
    EXPECT_EQ(d[0].figures[0], (std::vector<QPoint>{{100, 150}, {300, 150}}));
    const std::vector<QPoint>& inOval = d[0].figures[1];
    EXPECT_NEAR(inOval.front().x(), 100, 2);
    EXPECT_NEAR(inOval.back().x(), 300, 2);
    EXPECT_EQ(d[1].type, quint32(kFillPath));  // the fill within the oval
    EXPECT_TRUE(QRect(99, 99, 203, 103).contains(d[1].bounds));
    EXPECT_EQ(d[2].figures[0], (std::vector<QPoint>{{0, 150}, {500, 150}}));  // restored
}

TEST(EmfDevice, SurvivesWhatItCannotDraw) {
    EmfDevice idle(QSize(100, 100), QSize(100, 100), QString(), QString());
    EXPECT_TRUE(idle.bytes().isEmpty());

    EmfDevice dev(QSize(0, -5), QSize(), QString(), QString());
    QPainter p(&dev);
    QPainter second;
    EXPECT_FALSE(second.begin(&dev));
    const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    p.drawLine(QLineF(0, 0, nan, 1));
    p.drawLine(QLineF(0, 0, 1e12, -1e12));
    p.drawPath(QPainterPath());
    p.setBrush(Qt::red);
    p.drawRect(QRectF(0, 0, 0, 10));
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    p.drawImage(QRectF(10, 10, 20, 10), image);
    p.end();
    const QByteArray file = dev.bytes();
    const auto d = drawnOf(file);
    ASSERT_EQ(d.size(), 3u);  // the huge line, the degenerate rectangle's outline, the image
    EXPECT_EQ(d[0].figures[0].back(), QPoint((1 << 27) - 1, -(1 << 27) + 1));
    EXPECT_EQ(d[2].type, quint32(kStretchDIBits));
    EXPECT_EQ(d[2].bounds, QRect(10, 10, 20, 10));
    // The DIB: 24 bits, bottom-up, blue-green-red, transparency over white.
    EXPECT_EQ(file.mid(file.size() - 20 - 8, 6), QByteArray("\x00\x00\xff\xff\xff\xff", 6));
    EXPECT_EQ(walk(file).header.frame.size(), QSize(26, 26));  // one unit at 96 dpi

    // Painting again starts a new file.
    QPainter again(&dev);
    again.end();
    EXPECT_TRUE(drawnOf(dev.bytes()).empty());
}

}  // namespace
