// Zelmor on the desktop: the program's windows shown through Qt, the splash music through
// FluidSynth, the reports in LibreOffice Writer.
#include "app/desktop.h"
#include "app/zelmorapp.h"
#include "music/fluidmusic.h"
#include "reports/officewordprocessor.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/qtservices.h"

#include <QApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    zelmor::app::prepareDesktop(qapp);

    zelmor::qtui::QtServices desktop;
    zelmor::music::FluidSynthPlayer music;
    // The splash works the same without music; the terminal says why it is silent.
    music.reportProblem(
        [](const QString& why) { std::cerr << "zelmor: " << why.toStdString() << '\n'; });
    // Reports open in LibreOffice Writer windows, which stay open for the user.
    const auto writer = zelmor::reports::makeOfficeWordProcessor(/*hidden=*/false);
    zelmor::app::ZelmorApp program(desktop.services(), &music, writer.get());

    zelmor::qtui::QtBackend backend(program.app());
    program.app().setObserver(&backend);
    zelmor::qtui::runUserAction(program.app(), [&] { program.startup(); });
    const int status = qapp.exec();
    program.app().setObserver(nullptr);
    return status;
}
