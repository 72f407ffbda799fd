#include "platform.h"

#include <QDir>
#include <QLibraryInfo>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zelmor::app {

namespace {

bool isWayland(const QByteArray& plugin) {
    return plugin.startsWith("wayland");
}

}  // namespace

QByteArray platformChoice(const QStringList& arguments,
                          const std::function<QByteArray(const char*)>& environment,
                          bool waylandPluginThere) {
    if (waylandPluginThere) return {};
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("-platform")) return {};
    }
    const QByteArray chosen = environment("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        // A list is tried in order: the missing Wayland entries go, if anything is left.
        QList<QByteArray> plugins = chosen.split(';');
        if (plugins.size() < 2) return {};
        plugins.removeIf(isWayland);
        if (plugins.isEmpty() || plugins.size() == chosen.split(';').size()) return {};
        return plugins.join(';');
    }
    // Qt's own choice on a Wayland desktop is "wayland;xcb".
    const bool wayland =
        !environment("WAYLAND_DISPLAY").isEmpty() || environment("XDG_SESSION_TYPE") == "wayland";
    if (wayland && !environment("DISPLAY").isEmpty()) return QByteArrayLiteral("xcb");
    return {};
}

bool waylandPluginThere() {
    QStringList folders;
    const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!own.isEmpty()) folders << own;
    for (const QString& path :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        folders << path + QStringLiteral("/platforms");
    }
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    for (const QString& folder : folders) {
        if (!QDir(folder).entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

void choosePlatform(const QStringList& arguments) {
    const QByteArray choice = platformChoice(
        arguments, [](const char* name) { return qgetenv(name); }, waylandPluginThere());
    if (!choice.isEmpty()) qputenv("QT_QPA_PLATFORM", choice);
}

// ---- the start on a display ------------------------------------------------------------------

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>* held = nullptr;
bool passThrough = false;   // Qt's plug-in diagnostics asked for: its messages go out as they come
bool waylandThere = false;  // read before Qt starts, not while it fails

// The display the user meant, for the message: none when the session gives none.
QByteArray displayName() {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.contains("xcb") && !platform.contains("wayland"))
        return platform;
    QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    QByteArray x11 = qgetenv("DISPLAY");
    if (!x11.isEmpty() && (wayland.isEmpty() || platform.startsWith("xcb"))) return x11;
    return wayland;
}

[[noreturn]] void noDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool waylandAsked = platform.isEmpty()
                                  ? !qgetenv("WAYLAND_DISPLAY").isEmpty()
                                  : platform.startsWith("wayland") && !platform.contains("xcb");
    const QByteArray display = displayName();
    if (waylandAsked && !waylandThere) {
        std::fputs("zelmor: per una sessione grafica Wayland serve il pacchetto qt6-wayland.\n",
                   stderr);
    } else if (display.isEmpty()) {
        std::fputs("zelmor: serve una sessione grafica (nessun display disponibile).\n", stderr);
    } else {
        std::fprintf(stderr,
                     "zelmor: serve una sessione grafica (impossibile usare il display %s).\n",
                     display.constData());
    }
    std::fflush(stderr);
    // Qt's application object is half made: nothing of it may run any more.
    std::_Exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) noDisplay();
    if (passThrough) {
        previousHandler(type, context, text);
    } else {
        held->push_back({type, QByteArray(context.category), text});
    }
}

}  // namespace

DisplayStart::DisplayStart() {
    held = new std::vector<HeldMessage>;
    waylandThere = waylandPluginThere();
    previousHandler = qInstallMessageHandler(holdMessage);
    passThrough = previousHandler != nullptr && qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
}

DisplayStart::~DisplayStart() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& m : *held) {
        const QMessageLogContext context(nullptr, 0, nullptr,
                                         m.category.isEmpty() ? nullptr : m.category.constData());
        if (previousHandler != nullptr) {
            previousHandler(m.type, context, m.text);
        } else {
            qt_message_output(m.type, context, m.text);
        }
    }
    delete held;
    held = nullptr;
}

}  // namespace zelmor::app
