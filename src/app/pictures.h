// The program's own pictures, drawn in code on a 32 x 32 grid: toolbar glyphs ("open", "save",
// "saveas", "delete", "print", "window-menu", "window-drawing", "window-title", "colour",
// "help", "tips", "support", "about", "check", "clear", "exit"), button pictures ("guide",
// "aid", "draw", "next", "erase", "close") and the row marker ("arrow"). The Qt display draws them
// at whatever size they are shown.
#pragma once

#include <QString>

#include <map>

class QPainter;

namespace zelmor::app {

using PictureDrawing = void (*)(QPainter&);

const std::map<QString, PictureDrawing>& pictures();

}  // namespace zelmor::app
