// A paint device that records what a QPainter draws as an Enhanced Metafile (EMF), so that a
// word processor keeps the drawing as vectors: lines, rectangles, ellipses, polygons and paths,
// with their pens and solid brushes. The office (LibreOffice) lays the picture out at the frame
// given here.
//
// How QPainter's model becomes records:
// - One logical unit is one device unit (map mode MM_TEXT); the header's reference device has
//   exactly the device's units per millimetre, so the picture spans the frame on paper. Frame
//   and bounds are inclusive rectangles, as the format has them (a frame of w x h hundredths
//   is stored as 0..w-1, 0..h-1), which is what makes LibreOffice place it at exactly w x h.
// - The painter's transform is applied here: lines stay lines, curves stay Bezier curves, and a
//   pen's width is scaled by the transform's scale (the square root of its determinant). A
//   cosmetic pen keeps its width in device units; a zero-width pen is one unit wide.
// - Pens: geometric pens with Qt's caps and joins; Qt's dash, dot, dash-dot and dash-dot-dot
//   lines become GDI's styled lines (their dash lengths are the reader's); custom dash patterns
//   are drawn solid.
// - Brushes: solid only. Hatch, dense, gradient and texture brushes fill nothing (LibreOffice
//   paints a hatched EMF brush as a solid one, which would hide what lies beneath).
// - Colours are opaque: alpha is ignored, except that a fully transparent pen or brush draws
//   nothing. Antialiasing hints, opacity and composition modes are ignored.
// - Clipping is not recorded as clip records: the painter's clip is applied by geometry. Lines
//   (hatches, above all) are cut into the pieces that lie within it and stay lines (a round or
//   square cap at a cut still reaches past it); a filled or outlined shape under a clip becomes
//   its area and its pen's outline within the clip, filled, curves flattened. Images are not
//   clipped.
// - A path filled by the winding rule, where that fills more than the even-odd rule would, is
//   filled as its area without crossings (curves flattened): LibreOffice fills every path
//   even-odd, whatever the record for the fill mode says.
// - Images (drawImage, drawPixmap) become 24-bit DIBs over white; under a rotation they fill the
//   bounding box of their rotated rectangle. Text becomes filled glyph outlines.
// - Coordinates are rounded to whole units and limited to +-2^27 (GDI's coordinate space); a
//   primitive with a coordinate that is not a number is left out. The 16-bit records are used
//   where every coordinate of a record fits them.
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

namespace zelmor::tk {

class EmfPaintEngine;

// A paint device that records what a QPainter draws as an Enhanced Metafile.
class EmfDevice : public QPaintDevice {
  public:
    // `size`: the drawing surface in device units (the painter's coordinates at identity
    // transform); `frame`: the same surface's size on paper in 1/100 mm (the header's rclFrame).
    // `application` and `picture` become the header's description ("application\0picture\0\0").
    // A size or frame that is not positive is taken as 1 unit, or as the size at 96 dpi.
    EmfDevice(QSize size, QSize frameHundredthMm, const QString& application,
              const QString& picture);
    ~EmfDevice() override;
    EmfDevice(const EmfDevice&) = delete;
    EmfDevice& operator=(const EmfDevice&) = delete;

    QPaintEngine* paintEngine() const override;
    // The whole file, once the painter has ended; empty before that (or if nothing was begun).
    // Painting the device again starts a new file.
    QByteArray bytes() const { return bytes_; }

    QSize size() const { return size_; }
    QSize frameHundredthMm() const { return frame_; }

  protected:
    int metric(
        PaintDeviceMetric metric) const override;  // width/height = size, dpi from size/frame

  private:
    friend class EmfPaintEngine;
    QSize size_;
    QSize frame_;
    QString application_;
    QString picture_;
    QByteArray bytes_;
    std::unique_ptr<EmfPaintEngine> engine_;
};

struct EmfHeader {
    QRect bounds;  // rclBounds, device units
    QRect frame;   // rclFrame, 1/100 mm
    quint32 fileBytes = 0;
    quint32 records = 0;
    quint16 handles = 0;
    QString application;  // the description's two strings
    QString picture;
    QSize devicePixels;  // szlDevice
    QSize deviceMillimetres;
    QSize deviceMicrometres;  // szlMicrometers; empty when the header has no such extension
};

// The header of an EMF file's bytes (only the first record is needed; a prefix of the file
// holding the header is enough); nothing when they are no EMF (wrong type, signature, sizes).
std::optional<EmfHeader> readEmfHeader(const QByteArray& bytes);

}  // namespace zelmor::tk
