// Where a window may stand on the desktop. The window system tells the free part of the screen
// and the size of a window's frame; a Wayland compositor tells neither its panels nor, through
// XWayland, the frame it draws around a window, so that a window sized to what Qt reports
// would run off the screen there. The rule below allows for what is not told.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

namespace zelmor::qtui {

struct Desktop {
    QRect screen;          // the whole screen
    QRect available;       // the part the window system says is free
    bool wayland = false;  // a Wayland session, the program native or through XWayland
};

// What a panel of the common Wayland desktops takes, which their compositors do not report.
inline constexpr int kUnreportedPanel = 48;
// A frame of a Wayland compositor's own drawing around an XWayland window, when it does not
// say how large it is: its title bar and borders.
inline constexpr QMargins kUnreportedFrame{5, 36, 5, 5};

Desktop desktopOf(const QScreen* screen);

// The part of the screen a window may take: the free part, less a panel at the top where a
// Wayland session reports the whole screen as free.
QRect usableArea(const Desktop& desktop);

// The frame a titled window has: the one the window system reports, or, when a Wayland session
// reports none, the one its compositor draws.
QMargins expectedFrame(const Desktop& desktop, QMargins reported, bool titled);

struct Placement {
    QSize size;      // the window without its frame
    QPoint frameAt;  // the frame's top left corner
};

// A window of this size whose frame stands at frameAt, made smaller where frame and all do not
// fit the area, and moved into it.
Placement fitWindow(const QRect& area, const QMargins& frame, QSize size, QPoint frameAt);

}  // namespace zelmor::qtui
