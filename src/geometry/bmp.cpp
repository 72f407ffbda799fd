#include "bmp.h"

#include "model/fileio.h"

#include <QDir>
#include <QFileInfo>

#include <cstdint>

namespace zelmor::geometry {

namespace {

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void put32(QByteArray& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((v >> shift) & 0xFF));
}

constexpr std::uint32_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

// Why the folder could not be made: the nearest part of its path that is there says it.
QString folderFailure(const QString& folder) {
    QFileInfo part(folder);
    while (!part.exists() && !part.isSymLink() && !part.isRoot())
        part = QFileInfo(part.absolutePath());
    const QString name = part.absoluteFilePath();
    if (part.isSymLink() && !part.exists())
        return QStringLiteral("%1 è un collegamento a %2, che non esiste")
            .arg(name, part.symLinkTarget());
    if (part.exists() && !part.isDir())
        return QStringLiteral("%1 è un file, non una cartella").arg(name);
    return QStringLiteral("impossibile creare la cartella %1 (accesso negato)").arg(folder);
}

}  // namespace

QByteArray encodeBmp24(const QImage& source) {
    if (source.isNull() || source.width() <= 0 || source.height() <= 0) return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3U;
    const std::uint32_t pixelBytes = stride * height;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(kFileHeader + kInfoHeader + pixelBytes));
    out.append("BM", 2);
    put32(out, kFileHeader + kInfoHeader + pixelBytes);
    put32(out, 0);  // two reserved words
    put32(out, kFileHeader + kInfoHeader);
    put32(out, kInfoHeader);
    put32(out, width);
    put32(out, height);  // positive: rows run bottom-up
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // no compression
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours

    const qsizetype rowStart = out.size();
    out.resize(rowStart + static_cast<qsizetype>(pixelBytes));
    char* data = out.data() + rowStart;
    for (std::uint32_t row = 0; row < height; ++row) {
        const auto* line =
            reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(height - 1 - row)));
        char* dst = data + static_cast<std::size_t>(row) * stride;
        std::uint32_t x = 0;
        for (; x < width; ++x) {
            dst[3 * x] = static_cast<char>(qBlue(line[x]));
            dst[3 * x + 1] = static_cast<char>(qGreen(line[x]));
            dst[3 * x + 2] = static_cast<char>(qRed(line[x]));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad) dst[pad] = 0;
    }
    return out;
}

bool savePicture(const QImage& image, const QString& path, QString* error) {
    const auto failed = [error](const QString& why) {
        if (error != nullptr) *error = why;
        return false;
    };
    const QByteArray bytes = encodeBmp24(image);
    if (bytes.isEmpty()) return failed(QStringLiteral("il disegno è vuoto"));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) return failed(folderFailure(folder));
    const QString why = model::writeWholeFile(path, bytes);
    return why.isEmpty() || failed(why);
}

}  // namespace zelmor::geometry
