#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace zelmor::qtui {

Desktop desktopOf(const QScreen* screen) {
    Desktop d;
    if (screen != nullptr) {
        d.screen = screen->geometry();
        d.available = screen->availableGeometry();
    }
    d.wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
                !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return d;
}

QRect usableArea(const Desktop& desktop) {
    QRect area = desktop.available;
    if (desktop.wayland && area.height() == desktop.screen.height() &&
        area.height() > 2 * kUnreportedPanel) {
        area.setTop(area.top() + kUnreportedPanel);
    }
    return area;
}

QMargins expectedFrame(const Desktop& desktop, QMargins reported, bool titled) {
    if (titled && desktop.wayland && reported.isNull()) return kUnreportedFrame;
    return reported;
}

Placement fitWindow(const QRect& area, const QMargins& frame, QSize size, QPoint frameAt) {
    const QSize chrome(frame.left() + frame.right(), frame.top() + frame.bottom());
    Placement p;
    p.size = size.boundedTo(area.size() - chrome).expandedTo(QSize(1, 1));
    const QSize outer = p.size + chrome;
    p.frameAt = QPoint(std::clamp(frameAt.x(), area.left(),
                                  std::max(area.left(), area.right() + 1 - outer.width())),
                       std::clamp(frameAt.y(), area.top(),
                                  std::max(area.top(), area.bottom() + 1 - outer.height())));
    return p;
}

}  // namespace zelmor::qtui
