#include "bmp.h"

#include "model/fileio.h"
#include "toolkit/emfdevice.h"

#include <QCryptographicHash>
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

// The picture is under a megabyte; anything far larger is not one the program wrote.
constexpr qsizetype kPictureLimit = qsizetype{64} * 1024 * 1024;
// The twin's header, with its description, is its first record: a few hundred bytes.
constexpr qsizetype kTwinHeaderLimit = qsizetype{4} * 1024;

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

QByteArray pictureDigest(const QByteArray& pictureBytes) {
    return QCryptographicHash::hash(pictureBytes, QCryptographicHash::Sha1).toHex();
}

QByteArray encodeBmp24(const QImage& source) {
    if (source.isNull() || source.width() <= 0 || source.height() <= 0) return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3U;
    const std::uint32_t pixelBytes = stride * height;
    const std::uint32_t fileBytes = kFileHeader + kInfoHeader + pixelBytes;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(fileBytes));
    out.append("BM", 2);
    put32(out, fileBytes);
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
        for (std::uint32_t x = 0; x < width; ++x) {
            char* pixel = dst + std::size_t{3} * x;
            pixel[0] = static_cast<char>(qBlue(line[x]));
            pixel[1] = static_cast<char>(qGreen(line[x]));
            pixel[2] = static_cast<char>(qRed(line[x]));
        }
        for (std::uint32_t pad = width * 3; pad < stride; ++pad) dst[pad] = 0;
    }
    return out;
}

bool savePicture(const QImage& image, const QString& path, QString* error, QByteArray* written) {
    const auto failed = [error](const QString& why) {
        if (error != nullptr) *error = why;
        return false;
    };
    const QByteArray bytes = encodeBmp24(image);
    if (bytes.isEmpty()) return failed(QStringLiteral("il disegno è vuoto"));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) return failed(folderFailure(folder));
    const QString why = model::writeWholeFile(path, bytes);
    if (!why.isEmpty()) return failed(why);
    if (written != nullptr) *written = bytes;
    return true;
}

QByteArray pictureFileDigest(const QString& path) {
    const model::FileBytes picture = model::readRegularFile(path, kPictureLimit);
    return picture.ok() && !picture.tooLong ? pictureDigest(picture.bytes) : QByteArray();
}

QString twinPictureName(const QByteArray& pictureDigest) {
    return QString::fromLatin1(kTwinPictureKey) + QLatin1Char(' ') +
           QString::fromLatin1(pictureDigest);
}

QString vectorTwinPath(const QString& picturePath) {
    const qsizetype slash = picturePath.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = picturePath.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the name (".jpg") or sits in a folder's name is no suffix.
    const qsizetype end = dot > slash + 1 ? dot : picturePath.size();
    return picturePath.left(end) + QStringLiteral("-stampa.emf");
}

bool saveVectorTwin(const QByteArray& twin, const QString& picturePath, QString* error) {
    const auto failed = [error](const QString& why) {
        if (error != nullptr) *error = why;
        return false;
    };
    if (twin.isEmpty()) return failed(QStringLiteral("il disegno è vuoto"));
    const QString why = model::writeWholeFile(vectorTwinPath(picturePath), twin);
    return why.isEmpty() || failed(why);
}

QString currentVectorTwin(const QString& picturePath) {
    const QString twinPath = vectorTwinPath(picturePath);
    const model::FileBytes twin = model::readRegularFile(twinPath, kTwinHeaderLimit);
    if (!twin.ok() && !twin.tooLong) return {};
    const std::optional<tk::EmfHeader> header = tk::readEmfHeader(twin.bytes);
    if (!header) return {};
    const QByteArray digest = pictureFileDigest(picturePath);
    return !digest.isEmpty() && header->picture == twinPictureName(digest) ? twinPath : QString();
}

}  // namespace zelmor::geometry
