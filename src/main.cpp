// Zelmor on the desktop: the program's windows shown through Qt.
#include "shell/zelmorapp.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/qtservices.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    zelmor::qtui::prepareApplication(qapp);

    zelmor::qtui::QtMessageBox messages;
    zelmor::qtui::QtFileDialog files;
    zelmor::qtui::QtColorDialog colors;
    zelmor::qtui::QtPlatform platform;
    zelmor::shell::ZelmorApp program({&messages, &files, &colors, &platform});

    zelmor::qtui::QtBackend backend(program.app());
    program.app().setObserver(&backend);
    zelmor::qtui::runUserAction(program.app(), [&] { program.startup(); });
    return qapp.exec();
}
