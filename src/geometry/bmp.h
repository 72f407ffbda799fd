// The picture file: a 24-bit Windows bitmap, whatever the file's extension says, because the
// word processor recognises the format by content.
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
// left as it was, and error says why, in the user's words.
bool savePicture(const QImage& image, const QString& path, QString* error = nullptr);

}  // namespace zelmor::geometry
