// The program's start before its windows: the choice of Qt's platform plug-in, and the built
// program started as a user would start it, without a display, with one, and a second time.
#include "app/platform.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(Platform, QtTriesOnlyThePluginsThatAreThere) {
    const struct Row {
        const char* what;
        QStringList arguments;
        std::map<QByteArray, QByteArray> environment;
        bool wayland;  // the Wayland plug-in installed
        QByteArray choice;
    } rows[] = {
        {"X11 session", {}, {{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, false, ""},
        {"Wayland session, plug-in missing",
         {},
         {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}},
         false,
         "xcb"},
        {"Wayland session type alone",
         {},
         {{"DISPLAY", ":1"}, {"XDG_SESSION_TYPE", "wayland"}},
         false,
         "xcb"},
        {"Wayland session, plug-in there",
         {},
         {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}},
         true,
         ""},
        {"Wayland without X11: Qt says what is missing",
         {},
         {{"WAYLAND_DISPLAY", "wayland-0"}},
         false,
         ""},
        {"a list with the missing plug-in",
         {},
         {{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland;xcb"}},
         false,
         "xcb"},
        {"a list of Wayland plug-ins only",
         {},
         {{"QT_QPA_PLATFORM", "wayland-egl;wayland"}},
         false,
         ""},
        {"the user's single choice", {}, {{"QT_QPA_PLATFORM", "wayland"}}, false, ""},
        {"the user's choice on the command line",
         {"zelmor", "-platform", "wayland"},
         {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
         false,
         ""},
        {"no display at all", {}, {}, false, ""},
    };
    for (const Row& row : rows) {
        const QByteArray choice = zelmor::app::platformChoice(
            row.arguments,
            [&row](const char* name) {
                const auto found = row.environment.find(name);
                return found == row.environment.end() ? QByteArray() : found->second;
            },
            row.wayland);
        EXPECT_EQ(choice, row.choice) << row.what;
    }
}

// A display number that nothing serves.
QString unusedDisplay() {
    for (int n = 4000;; ++n) {
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            return QStringLiteral(":%1").arg(n);
    }
}

class Program : public zelmor::testsupport::FolderTest {
  protected:
    // An environment with nothing of this machine's session: a home and runtime folder of its
    // own, and `more`.
    QProcessEnvironment environment(const QStringList& more = {}) const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        for (const QString& entry : more) {
            env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        }
        return env;
    }
    QString runtime() const { return path(QStringLiteral("run")); }
    struct Ended {
        int status = -1;
        QByteArray out, err;
    };
    Ended run(const QStringList& arguments, const QProcessEnvironment& env) const {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ZELMOR_PROGRAM), arguments);
        if (!p.waitForFinished(30000)) p.kill();
        p.waitForFinished();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                p.readAllStandardOutput(), p.readAllStandardError()};
    }
};

TEST_F(Program, WithoutADisplayItSaysThatItNeedsAGraphicalSession) {
    const QString display = unusedDisplay();
    const struct Row {
        QStringList arguments;
        QStringList environment;
        int status;
        QByteArray out, err;
    } rows[] = {
        {{}, {}, 1, "", "zelmor: serve una sessione grafica (nessun display disponibile).\n"},
        {{QStringLiteral("/tmp/Zelmor-dati-A")},
         {QStringLiteral("DISPLAY=") + display},
         1,
         "",
         "zelmor: serve una sessione grafica (impossibile usare il display " + display.toUtf8() +
             ").\n"},
        {{QStringLiteral("-v")}, {}, 0, "Zelmor 4.4.5\n", ""},
    };
    for (const Row& row : rows) {
        const Ended ended = run(row.arguments, environment(row.environment));
        SCOPED_TRACE(row.arguments.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(ended.status, row.status);
        EXPECT_EQ(ended.out, row.out);
        EXPECT_EQ(ended.err, row.err);
    }
    EXPECT_TRUE(run({QStringLiteral("--help")}, environment()).out.startsWith("Uso: zelmor"));
}

// Offscreen, with the lock file a crash left empty: the program runs, and a second start hands
// over to it.
TEST_F(Program, RunsOffscreenAndASecondStartHandsOver) {
    ASSERT_TRUE(QDir().mkpath(runtime()));
    QFile(runtime()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner);
    QFile lock(runtime() + QStringLiteral("/zelmor.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();

    QProcess first;
    first.setProcessEnvironment(environment());
    first.start(QStringLiteral(ZELMOR_PROGRAM),
                {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    ASSERT_TRUE(first.waitForStarted());
    const QString socket = runtime() + QStringLiteral("/zelmor.socket");
    const QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(socket) && !deadline.hasExpired() &&
           first.state() == QProcess::Running) {
        QThread::msleep(50);
    }
    EXPECT_TRUE(QFileInfo::exists(socket)) << first.readAllStandardError().toStdString();
    const Ended second =
        run({QStringLiteral("-platform"), QStringLiteral("offscreen")}, environment());
    EXPECT_EQ(second.status, 0) << second.err.toStdString();
    first.terminate();
    if (!first.waitForFinished(20000)) first.kill();
    first.waitForFinished();
}

}  // namespace

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication qapp(argc, argv);
    return RUN_ALL_TESTS();
}
