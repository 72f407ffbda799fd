// The program's own pictures, drawn in code at whatever size they are shown: toolbar glyphs
// ("open", "save", "saveas", "delete", "print", "window-menu", "window-drawing", "window-title",
// "colour", "help", "tips", "support", "about", "check", "clear", "exit"), button pictures
// ("guide", "aid", "draw", "next", "erase") and the row marker ("arrow").
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace zelmor::qtui {

bool hasPicture(const QString& name);
QStringList pictureNames();
// The picture stretched to size on a transparent ground; a null pixmap for an unknown name.
QPixmap picture(const QString& name, QSize size);
// An icon that draws the picture afresh at each size asked; a null icon for an unknown name.
QIcon pictureIcon(const QString& name);

}  // namespace zelmor::qtui
