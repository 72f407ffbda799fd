// Bringing the running copy to the front for a later start, with the start-up tokens the desktop
// gave that start (see singleinstance.h).
#pragma once

#include "app/singleinstance.h"
#include "toolkit/application.h"
#include "toolkit/qt/qtbackend.h"

#include <QByteArray>

class QWidget;

namespace zelmor::app {

// A later start's tokens bring this copy to the front: the dialog that waits for an answer, or
// else the window in front.
void comeToFront(qtui::QtBackend& backend, tk::Application& app,
                 const SingleInstance::Activation& activation);

// Activates `window` (a top-level window on the screen) as the desktop allows a program it has
// just started to: on Wayland with the activation token (Qt's Wayland plug-in takes it from
// XDG_ACTIVATION_TOKEN when the window asks for the focus), on X11 with the start-up id, whose
// time of the user's action the window manager weighs and whose launch feedback ends here.
void activateWithTokens(QWidget* window, const QByteArray& xdgActivationToken,
                        const QByteArray& startupId);

// The X11 part: the window's start-up id, the activation request with the id's time, and the end
// of the launch feedback. Nothing off X11, or when the program is built without xcb.
void activateOnX11(QWidget* window, const QByteArray& startupId);

}  // namespace zelmor::app
