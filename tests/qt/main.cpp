// The Qt tests share one QApplication, on the offscreen platform unless told otherwise, with the
// settings and data folders in a temporary folder of their own.
#include "app/desktop.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication qapp(argc, argv);
    zelmor::app::prepareDesktop(qapp);
    return RUN_ALL_TESTS();
}
