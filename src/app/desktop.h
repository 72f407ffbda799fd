// What the program sets on Qt before its first window: its names (which place its settings and
// data folders), the form runtime's look, and its own pictures. For the programs that show the
// windows on a display (the program, the screenshot tool, the Qt tests); they link zelmor_qt.
#pragma once

#include "app/names.h"
#include "app/pictures.h"
#include "music/fluidmusic.h"
#include "shared/windows.h"
#include "toolkit/application.h"
#include "toolkit/qt/pictures.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace zelmor::app {

inline void prepareDesktop(QApplication& qapp) {
    setProgramNames();
    qtui::prepareApplication(qapp);
    qtui::setPictures(pictures());
    // The windows' icon, and the desktop entry (it.zelmor.Zelmor.desktop) they belong to. Title
    // bars and window lists use the small sizes; every size given is decoded and sent to the
    // display with every window, so the large ones (for the menus, from the icon theme) stay out.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/it.zelmor.Zelmor.png").arg(size),
                     QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("it.zelmor.Zelmor"));
}

// Calls `then` once from the event loop, after `widget` has been painted for the first time, or
// after `latestMs` milliseconds if it is not painted by then (a window kept hidden).
inline void afterFirstPaint(QWidget* widget, std::function<void()> then, int latestMs) {
    class Watch : public QObject {
      public:
        using QObject::QObject;
        std::function<void()> then;
        bool eventFilter(QObject* /*watched*/, QEvent* event) override {
            if (event->type() == QEvent::Paint) fire();
            return false;
        }
        void fire() {
            if (!then) return;
            // After the paint has been done, not before it.
            QTimer::singleShot(0, qApp, std::exchange(then, nullptr));
            deleteLater();
        }
    };
    auto* watch = new Watch(qApp);
    watch->then = std::move(then);
    widget->installEventFilter(watch);
    QTimer::singleShot(latestMs, watch, [watch] { watch->fire(); });
}

// The music, made with setUpWhenAsked, sets up once the splash is on the screen: on two cores its
// set-up (the sound library and the sound font) would otherwise delay the splash's first paint.
inline void setUpMusicAfterSplash(qtui::QtBackend& backend, tk::Application& app,
                                  music::FluidSynthPlayer& music) {
    const tk::Form* splash = app.form(QString::fromLatin1(shared::window::kSplash));
    if (splash == nullptr || backend.window(*splash) == nullptr) {
        music.startSetUp();
        return;
    }
    afterFirstPaint(
        backend.window(*splash)->clientArea(), [&music] { music.startSetUp(); }, 1000);
}

}  // namespace zelmor::app
