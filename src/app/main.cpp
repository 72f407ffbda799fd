// Zelmor on the desktop: the program's windows shown through Qt, the splash music through
// FluidSynth, the reports in LibreOffice Writer.
#include "app/commandline.h"
#include "app/desktop.h"
#include "app/frontwindow.h"
#include "app/platform.h"
#include "app/singleinstance.h"
#include "app/zelmorapp.h"
#include "music/fluidmusic.h"
#include "reports/officewordprocessor.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/qtservices.h"

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <iostream>
#include <optional>

namespace {

// Help and version need no display: answered before Qt connects to one.
int answerWithoutWindows(const zelmor::app::CommandLine& line) {
    using Action = zelmor::app::CommandLine::Action;
    const std::string text = line.output.toStdString();
    if (line.action == Action::Error) {
        std::cerr << text;
        return 1;
    }
    std::cout << text;
    return 0;
}

// A file handed over by a later start waits while a dialog of this copy waits for the user, so
// that it never runs in the middle of another command.
void openHandedOver(QApplication& qapp, zelmor::app::ZelmorApp& program, const QString& file) {
    // After a message being read, or a report being written.
    if (QApplication::activeModalWidget() != nullptr || program.app().busy()) {
        QTimer::singleShot(250, &qapp,
                           [&qapp, &program, file] { openHandedOver(qapp, program, file); });
        return;
    }
    zelmor::qtui::runUserAction(program.app(), [&] { program.openFile(file); });
}

int gSignalSocket[2] = {-1, -1};

// A session's end (SIGTERM, SIGHUP) or Ctrl+C ends the program as a normal end does, so that the
// office it started goes with it; a second signal ends it at once.
void quitOnSignals(QApplication& qapp) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalSocket) != 0) return;
    auto* notifier = new QSocketNotifier(gSignalSocket[0], QSocketNotifier::Read, &qapp);
    QObject::connect(notifier, &QSocketNotifier::activated, &qapp, [notifier] {
        char signal = 0;
        if (::read(gSignalSocket[0], &signal, 1) < 0) {
            // Read or not, the signal came: the program ends.
        }
        notifier->setEnabled(false);
        QCoreApplication::exit(0);  // every event loop, a message box's too (its "No")
    });
    struct sigaction action {};
    action.sa_handler = [](int) {
        const int saved = errno;
        const char signal = 1;
        if (::write(gSignalSocket[1], &signal, 1) < 0) {
            // Nothing to do in a signal handler: the loop is told or it is not.
        }
        errno = saved;
    };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(signal, &action, nullptr);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Before any thread: a pipe or socket whose other end has gone (an office that died while a
    // report writes to it) gives a failed write, not the program's end.
    zelmor::reports::ignoreBrokenPipes();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QFile::decodeName(argv[i]);
    const zelmor::app::CommandLine line = zelmor::app::parseCommandLine(arguments);
    if (line.action != zelmor::app::CommandLine::Action::Run) return answerWithoutWindows(line);

    // Read before Qt takes them out of the environment: they go to the running copy, if any.
    const auto activation = zelmor::app::SingleInstance::Activation::fromEnvironment();
    zelmor::app::choosePlatform(arguments);
    std::optional<zelmor::app::DisplayStart> displayStart(std::in_place);
    QApplication qapp(argc, argv);
    displayStart.reset();
    quitOnSignals(qapp);
    zelmor::app::prepareDesktop(qapp);

    // One copy per user: a later start hands its file over and ends without a window.
    zelmor::app::SingleInstance instance(
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    switch (instance.start(line.file, activation)) {
        case zelmor::app::SingleInstance::Outcome::HandedOver:
            return 0;
        case zelmor::app::SingleInstance::Outcome::NoAnswer:
            std::cerr << "zelmor: " << instance.problem().toStdString() << '\n';
            return 1;
        case zelmor::app::SingleInstance::Outcome::Running:
            if (!instance.problem().isEmpty())
                std::cerr << "zelmor: " << instance.problem().toStdString() << '\n';
            break;
    }

    zelmor::qtui::QtServices desktop;
    zelmor::music::FluidSynthPlayer::Options musicOptions;
    musicOptions.setUpWhenAsked = true;  // once the splash is painted
    zelmor::music::FluidSynthPlayer music(musicOptions);
    // The splash works the same without music; the terminal says why it is silent.
    music.reportProblem(
        [](const QString& why) { std::cerr << "zelmor: " << why.toStdString() << '\n'; });
    // Reports open in LibreOffice Writer windows, which stay open for the user.
    const auto writer = zelmor::reports::makeOfficeWordProcessor(/*hidden=*/false);
    zelmor::app::ZelmorApp program(desktop.services(), &music, writer.get());

    zelmor::qtui::QtBackend backend(program.app());
    program.app().setObserver(&backend);
    if (!line.file.isEmpty()) program.openFile(line.file);  // waits for the data-entry window
    zelmor::qtui::runUserAction(program.app(), [&] { program.startup(); });
    zelmor::app::setUpMusicAfterSplash(backend, program.app(), music);
    instance.setActivationHandler([&backend, &program](const auto& tokens) {
        zelmor::app::comeToFront(backend, program.app(), tokens);
    });
    instance.setHandler(
        [&qapp, &program](const QString& file) { openHandedOver(qapp, program, file); });
    const int status = qapp.exec();
    program.app().setObserver(nullptr);
    return status;
}
