// The picture file: a 24-bit Windows bitmap, whatever the file's extension says, because the
// word processor recognises the format by content. Beside it, its vector twin: the same drawing
// as an Enhanced Metafile, for the reports.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zelmor::geometry {

// The image as an uncompressed 24-bit bottom-up BMP (BITMAPINFOHEADER, rows padded to 4 bytes,
// 96 dots per inch). An empty image gives an empty array.
QByteArray encodeBmp24(const QImage& image);

// Writes the picture whole or not at all: the folder is created when missing, the bytes go to
// a temporary file beside the target, which then replaces it. On failure the previous file is
// left as it was, and error says why, in the user's words. When saved, `written` (if given)
// receives the bytes the file now holds.
bool savePicture(const QImage& image, const QString& path, QString* error = nullptr,
                 QByteArray* written = nullptr);

// What identifies a picture file's content, for the twin and for the reports: the SHA-1 of its
// bytes, in lower-case hex.
QByteArray pictureDigest(const QByteArray& pictureBytes);
// The digest of the file at path as it is now; empty when it is no ordinary file of a picture's
// size that can be read whole.
QByteArray pictureFileDigest(const QString& path);

// The vector twin: the same drawing as an Enhanced Metafile, which an office keeps as a vector
// picture in its documents and their PDF copies, laid out at the picture's size on paper. Its
// header's description names the picture it was drawn beside: kTwinPictureKey, a blank and the
// SHA-1 of the picture file's bytes, so that a twin left from another drawing is never taken
// for this one's.
inline constexpr char kTwinPictureKey[] = "ZelmorPicture";

// The name that ties a twin to the picture file's bytes, from their digest (pictureDigest).
QString twinPictureName(const QByteArray& pictureDigest);

// The twin's file: the picture's path with its suffix replaced, "schemaZelmor.jpg" ->
// "schemaZelmor-stampa.emf".
QString vectorTwinPath(const QString& picturePath);

// Writes the twin's bytes beside the picture at picturePath, whole or not at all, as
// savePicture does. On failure the previous twin is left as it was and error says why.
bool saveVectorTwin(const QByteArray& twin, const QString& picturePath, QString* error = nullptr);

// The twin to print for the picture at picturePath: its path when it is an ordinary file whose
// header names the picture file's current bytes; else empty (no twin, or the twin of another
// picture: another drawing, or a picture rewritten by a program that writes no twin), and the
// picture itself is printed. Reads the picture and the twin's header only.
QString currentVectorTwin(const QString& picturePath);

}  // namespace zelmor::geometry
