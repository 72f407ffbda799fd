// What the program sets on Qt before its first window: its names (which place its settings and
// data folders), the form runtime's look, and its own pictures. For the programs that show the
// windows on a display (the program, the screenshot tool, the Qt tests); they link zelmor_qt.
#pragma once

#include "app/names.h"
#include "app/pictures.h"
#include "toolkit/qt/pictures.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>

namespace zelmor::app {

inline void prepareDesktop(QApplication& qapp) {
    setProgramNames();
    qtui::prepareApplication(qapp);
    qtui::setPictures(pictures());
}

}  // namespace zelmor::app
