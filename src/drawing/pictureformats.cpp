#include "pictureformats.h"

#include "toolkit/emfdevice.h"
#include "toolkit/paint.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace zelmor::drawing {

namespace {

constexpr qreal kWindowDpi = 96;
constexpr qreal kMmPerInch = 25.4;
// SVG and PDF coordinates in tenths of a window pixel: fine enough for every edge, small enough
// for short numbers.
constexpr qreal kVectorScale = 10;
// EMF coordinates in 1/100 mm, the unit of its frame.
constexpr qreal kEmfUnitsPerInch = 2540;
constexpr qreal kPngDpi = 300;

QSize pixelSize(const tk::Form& window) {
    return {tk::twipsToPixels(window.scaleWidth()), tk::twipsToPixels(window.scaleHeight())};
}

QByteArray svg(const tk::Form& window, const PictureText& text) {
    const QSize pixels = pixelSize(window);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    const QSize size = (QSizeF(pixels) * kVectorScale).toSize();
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(static_cast<int>(kWindowDpi * kVectorScale));
    generator.setTitle(text.title);
    generator.setDescription(text.words);
    QPainter painter(&generator);
    tk::paintClientArea(painter, window, kVectorScale);
    painter.end();
    return bytes;
}

QByteArray pdf(const tk::Form& window, const PictureText& text) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(
            QPageSize(paperSize(window), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(static_cast<int>(kWindowDpi * kVectorScale));
        writer.setTitle(text.title);
        writer.setCreator(QStringLiteral("Zelmor"));
        QPainter painter(&writer);
        tk::paintClientArea(painter, window, kVectorScale);
    }
    return bytes;
}

QByteArray emf(const tk::Form& window, const PictureText& text) {
    const QSize pixels = pixelSize(window);
    const qreal scale = kEmfUnitsPerInch / kWindowDpi;
    const QSize units = (QSizeF(pixels) * scale).toSize();
    tk::EmfDevice device(units, units, QStringLiteral("Zelmor"), text.description);
    QPainter painter(&device);
    tk::paintClientArea(painter, window, scale);
    painter.end();
    return device.bytes();
}

QByteArray png(const tk::Form& window, const PictureText& text) {
    QImage image = tk::grabClientArea(window, kPngDpi / kWindowDpi);
    const int dotsPerMetre = static_cast<int>(std::lround(kPngDpi / kMmPerInch * 1000));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!text.title.isEmpty()) writer.setText(QStringLiteral("Title"), text.title);
    if (!text.words.isEmpty()) writer.setText(QStringLiteral("Description"), text.words);
    if (!writer.write(image)) return {};
    return bytes;
}

}  // namespace

QSizeF paperSize(const tk::Form& window) {
    return QSizeF(pixelSize(window)) * (kMmPerInch / kWindowDpi);
}

QByteArray encodeDrawing(const tk::Form& window, PictureFormat format, const PictureText& text) {
    if (pixelSize(window).isEmpty()) return {};
    switch (format) {
        case PictureFormat::Svg:
            return svg(window, text);
        case PictureFormat::Pdf:
            return pdf(window, text);
        case PictureFormat::Emf:
            return emf(window, text);
        case PictureFormat::Png:
            return png(window, text);
    }
    return {};
}

std::optional<PictureFormat> formatOfName(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("svg")) return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf")) return PictureFormat::Pdf;
    if (suffix == QLatin1String("emf")) return PictureFormat::Emf;
    if (suffix == QLatin1String("png")) return PictureFormat::Png;
    return std::nullopt;
}

}  // namespace zelmor::drawing
