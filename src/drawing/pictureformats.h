// The drawing area of a window that paints itself, written in the file formats other programs
// take: all from the one painting routine (tk::paintClientArea), so that every copy of the
// model is the window's drawing. Vector formats keep the picture's size on paper, the window's
// pixels at 96 dots per inch (16.72 x 11.32 cm for the drawing window's 632 x 428).
#pragma once

#include "toolkit/form.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <optional>

namespace zelmor::drawing {

enum class PictureFormat { Svg, Pdf, Emf, Png };

// What a format keeps beside the drawing: a title (SVG, PDF, PNG), for the EMF the name of the
// picture the file stands for (its header's description), and the drawing told in words, its
// text alternative (SVG's description, PNG's "Description").
struct PictureText {
    QString title;
    QString description;
    QString words{};
};

// The drawing area's size on paper, in millimetres.
QSizeF paperSize(const tk::Form& window);

// The whole file: SVG, PDF and EMF as vector drawings at the paper size, PNG at 300 dots per
// inch. Empty when the drawing area is empty.
QByteArray encodeDrawing(const tk::Form& window, PictureFormat format,
                         const PictureText& text = {});

// The format of a file name's suffix (".svg", ".pdf", ".emf", ".png", in any case); nothing for
// any other name.
std::optional<PictureFormat> formatOfName(const QString& fileName);

}  // namespace zelmor::drawing
