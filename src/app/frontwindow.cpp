#include "frontwindow.h"

#include "toolkit/qt/formwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifdef ZELMOR_WITH_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace zelmor::app {

void comeToFront(qtui::QtBackend& backend, tk::Application& app,
                 const SingleInstance::Activation& activation) {
    QWidget* front = QApplication::activeModalWidget();
    if (front == nullptr && app.activeForm() != nullptr) front = backend.window(*app.activeForm());
    activateWithTokens(front, activation.xdgActivationToken, activation.startupId);
}

void activateWithTokens(QWidget* window, const QByteArray& xdgActivationToken,
                        const QByteArray& startupId) {
    if (!xdgActivationToken.isEmpty() && QGuiApplication::platformName().startsWith("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", xdgActivationToken);  // the plug-in takes it away again
    if (window == nullptr || !window->isVisible()) return;    // the next window shown takes it
    window->raise();
    window->activateWindow();
    if (!startupId.isEmpty()) activateOnX11(window, startupId);
}

#ifdef ZELMOR_WITH_XCB

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t found =
        reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// The time in an id such as "launcher-1234-host-app_TIME56789" (0, "now", when it has none).
std::uint32_t userTime(const QByteArray& startupId) {
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0) return 0;  // XCB_CURRENT_TIME
    bool number = false;
    const std::uint32_t time = startupId.mid(at + 5).toUInt(&number);
    return number ? time : 0;
}

}  // namespace

void activateOnX11(QWidget* widget, const QByteArray& startupId) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || widget == nullptr || widget->windowHandle() == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(widget->windowHandle()->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window,
                        atom(connection, "_NET_STARTUP_ID"), atom(connection, "UTF8_STRING"), 8,
                        static_cast<std::uint32_t>(startupId.size()), startupId.constData());

    // As a pager would ask, on behalf of the user's action at that time (EWMH, source 1 is an
    // application, which focus-stealing prevention judges by the time).
    xcb_client_message_event_t activate{};
    activate.response_type = XCB_CLIENT_MESSAGE;
    activate.format = 32;
    activate.window = window;
    activate.type = atom(connection, "_NET_ACTIVE_WINDOW");
    activate.data.data32[0] = 1;
    activate.data.data32[1] = userTime(startupId);
    activate.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&activate));

    // The launch is complete (startup-notification "remove"), sent in pieces of 20 bytes, the
    // final NUL included; the id is quoted, its quotes and backslashes escaped.
    QByteArray quoted = startupId;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    const QByteArray message = "remove: ID=\"" + quoted + "\"";
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype sent = 0; sent <= message.size(); sent += 20) {
        xcb_client_message_event_t piece{};
        piece.response_type = XCB_CLIENT_MESSAGE;
        piece.format = 8;
        piece.window = root;
        piece.type = sent == 0 ? begin : more;
        const qsizetype bytes = std::min<qsizetype>(20, message.size() + 1 - sent);
        std::memcpy(piece.data.data8, message.constData() + sent, static_cast<std::size_t>(bytes));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&piece));
    }
    xcb_flush(connection);
}

#else

void activateOnX11(QWidget* /*window*/, const QByteArray& /*startupId*/) {}

#endif

}  // namespace zelmor::app
