// What happens before Qt connects to a display: the choice of Qt's platform plug-in, and what the
// user is told when there is no display to connect to.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace zelmor::app {

// Qt on a Wayland desktop tries its Wayland plug-in first and, when it is not installed (package
// qt6-wayland), says so on every start before it falls back on X11. The value QT_QPA_PLATFORM
// should take so that Qt tries only plug-ins that are there; empty: leave it as it is. A choice of
// the user's own (-platform, or a single QT_QPA_PLATFORM) is always left alone.
QByteArray platformChoice(const QStringList& arguments,
                          const std::function<QByteArray(const char*)>& environment,
                          bool waylandPluginThere);

// Whether Qt's Wayland plug-in is installed where Qt looks for its plug-ins.
bool waylandPluginThere();

// platformChoice with the real environment and plug-ins, put into the environment.
void choosePlatform(const QStringList& arguments);

// Held while Qt's application object is made. Qt ends a program that cannot reach a display with
// abort() and an English hint to reinstall it; the user is told instead, in Italian on one line,
// that the program needs a graphical session, and the program ends with status 1. Qt's other
// messages of that moment are passed on once the display is there.
class DisplayStart {
  public:
    DisplayStart();
    ~DisplayStart();
    DisplayStart(const DisplayStart&) = delete;
    DisplayStart& operator=(const DisplayStart&) = delete;
};

}  // namespace zelmor::app
