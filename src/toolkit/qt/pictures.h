// Pictures drawn in code, by name, on a 32 x 32 grid that is scaled to the size shown; the
// program registers its own with setPictures before building any window.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <map>

class QPainter;

namespace zelmor::qtui {

using PictureDrawing = void (*)(QPainter&);

void setPictures(std::map<QString, PictureDrawing> pictures);
bool hasPicture(const QString& name);
QStringList pictureNames();
// The picture stretched to size on a transparent ground; a null pixmap for an unknown name.
QPixmap picture(const QString& name, QSize size);
// An icon that draws the picture afresh at each size asked; a null icon for an unknown name.
QIcon pictureIcon(const QString& name);

}  // namespace zelmor::qtui
