// The picture file: a 24-bit Windows bitmap, whatever the file's extension says, because the
// word processor recognises the format by content. Beside it, its print twin: the same drawing
// painted kPrintScale times finer, for the reports.
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

// The print twin: the drawing painted at kPrintScale (2528 x 1712 pixels for the 632 x 428
// picture), saved as a PNG at kPrintScale x 96 dots per inch, so that an office lays it out at
// the picture's size, only sharper. It records the SHA-1 of the picture file's bytes under
// kTwinPictureKey, so that a twin left from another drawing is never taken for this one's.
inline constexpr int kPrintScale = 4;
inline constexpr char kTwinPictureKey[] = "ZelmorPicture";

// The twin's file: the picture's path with its suffix replaced, "schemaZelmor.jpg" ->
// "schemaZelmor-stampa.png".
QString printTwinPath(const QString& picturePath);

// Writes the twin of the picture file at picturePath, which holds pictureBytes, whole or not at
// all, as savePicture does, into the picture's folder. On failure the previous twin is left as
// it was and error says why.
bool savePrintTwin(const QImage& twin, const QByteArray& pictureBytes, const QString& picturePath,
                   QString* error = nullptr);

// The twin to print for the picture at picturePath: its path when it is an ordinary file that
// records the SHA-1 of the picture file's current bytes; else empty (no twin, or the twin of
// another picture: another drawing, or a picture rewritten by a program that writes no twin),
// and the picture itself is printed. Reads the picture and the twin's first bytes only.
QString currentPrintTwin(const QString& picturePath);

// savePrintTwin on a thread of its own, one twin after the other in the order given, so that
// a drawing does not wait for the encoding (about 0.1 s); a failure is told on the terminal.
// currentPrintTwin and waitForPrintTwins wait for the twins being written.
void savePrintTwinLater(const QImage& twin, const QByteArray& pictureBytes,
                        const QString& picturePath);
void waitForPrintTwins();

}  // namespace zelmor::geometry
