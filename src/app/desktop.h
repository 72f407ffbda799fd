// What the program sets on Qt before its first window: its names (which place its settings and
// data folders), the form runtime's look, and its own pictures. For the programs that show the
// windows on a display (the program, the screenshot tool, the Qt tests); they link zelmor_qt.
#pragma once

#include "app/names.h"
#include "app/pictures.h"
#include "toolkit/qt/pictures.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>
#include <QIcon>

namespace zelmor::app {

inline void prepareDesktop(QApplication& qapp) {
    setProgramNames();
    qtui::prepareApplication(qapp);
    qtui::setPictures(pictures());
    // The windows' icon, and the desktop entry (it.zelmor.Zelmor.desktop) they belong to.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/it.zelmor.Zelmor.png").arg(size),
                     QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zelmor.Zelmor"));
}

}  // namespace zelmor::app
