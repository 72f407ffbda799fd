// startup_probe: the program as main.cpp builds it (Qt windows, FluidSynth music), timed, or a
// bare Qt window to compare it with. It prints one line and quits.
//
//   startup_probe LAUNCH_NS
//     splash  from the launch time (ns since the epoch, taken just before exec) to the splash
//             painted;
//     menu    from the same launch time to the data-entry window painted after a click;
//     click   from the click on the splash to the data-entry window painted;
//     rss     resident memory (VmRSS, MB) when the data-entry window is painted;
//     hwm     the peak resident memory (VmHWM, MB) by then;
//     settled-rss  VmRSS again once the music has been set up (its thread may still be loading
//             the sound font when the window is painted);
//     cpu     the main thread's CPU time (ms) by the time the splash is painted.
//   startup_bare LAUNCH_NS (this file built with STARTUP_PROBE_BARE, linked with Qt alone)
//     bare    from the launch time to a QApplication's one QLabel painted; rss, hwm and the
//             main thread's cpu then.
//
// bench/startup.sh launches both in turn under xvfb-run and reports the medians and ratios.
#ifndef STARTUP_PROBE_BARE
#include "app/desktop.h"
#include "app/zelmorapp.h"
#include "music/fluidmusic.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/qtservices.h"

#include <QMouseEvent>
#endif

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM"); -1 when it cannot be read.
double statusMb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string key;
    double kb = 0;
    std::string unit;
    while (status >> key) {
        if (key == field + ":" && status >> kb >> unit) return kb / 1024.0;
        std::getline(status, key);
    }
    return -1;
}

// Main-thread CPU time in milliseconds: the part of the start-up that is the program's own work,
// apart from waiting, and from other processes when the machine is busy.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::string memory() {
    // STARTUP_PROBE_SMAPS=FILE keeps the memory map of that moment, for looking into.
    if (const char* keep = std::getenv("STARTUP_PROBE_SMAPS")) {
        std::ifstream from("/proc/self/smaps");
        std::ofstream(keep) << from.rdbuf();
    }
    char line[64];
    std::snprintf(line, sizeof line, "rss %.1f hwm %.1f", statusMb("VmRSS"), statusMb("VmHWM"));
    return line;
}

// Calls back once, after the first paint of a widget has been handled.
class FirstPaint : public QObject {
  public:
    FirstPaint(QWidget* widget, std::function<void()> then) : then_(std::move(then)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && then_) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [then = std::move(then_)] { then(); });
        }
        return false;
    }

  private:
    std::function<void()> then_;
};

}  // namespace

#ifdef STARTUP_PROBE_BARE

int main(int argc, char* argv[]) {
    const qint64 launched = argc > 1 ? std::stoll(argv[1]) : nowNs();
    QApplication qapp(argc, argv);
    QLabel label(QStringLiteral("Zelmor"));
    FirstPaint watch(&label, [&] {
        const double cpu = threadCpuMs();
        std::printf("bare %.1f %s cpu %.1f\n", (nowNs() - launched) / 1e6, memory().c_str(), cpu);
        QApplication::exit(0);
    });
    label.show();
    return qapp.exec();
}

#else

int main(int argc, char* argv[]) {
    const qint64 launched = argc > 1 ? std::stoll(argv[1]) : nowNs();
    QApplication qapp(argc, argv);
    zelmor::app::prepareDesktop(qapp);

    zelmor::qtui::QtServices desktop;
    zelmor::music::FluidSynthPlayer::Options musicOptions;
    musicOptions.setUpWhenAsked = true;  // once the splash is painted
    zelmor::music::FluidSynthPlayer music(musicOptions);
    zelmor::app::ZelmorApp program(desktop.services(), &music);
    zelmor::qtui::QtBackend backend(program.app());
    program.app().setObserver(&backend);
    backend.setEndAction([] {});

    qint64 splashAt = 0;
    qint64 clickAt = 0;
    double splashCpu = 0;
    std::unique_ptr<FirstPaint> watchMenu;
    zelmor::qtui::runUserAction(program.app(), [&] { program.startup(); });
    zelmor::app::setUpMusicAfterSplash(backend, program.app(), music);
    zelmor::tk::Form* splash = program.app().form(QStringLiteral("frmSplash"));
    QWidget* splashArea = backend.window(*splash)->clientArea();
    FirstPaint watchSplash(splashArea, [&] {
        splashAt = nowNs();
        splashCpu = threadCpuMs();
        clickAt = nowNs();
        const QPointF at(300, 300);
        QMouseEvent press(QEvent::MouseButtonPress, at, splashArea->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, splashArea->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(splashArea, &press);
        QApplication::sendEvent(splashArea, &release);
        zelmor::tk::Form* menu = program.app().form(QStringLiteral("menu"));
        if (menu == nullptr) {
            std::fprintf(stderr, "startup_probe: the click did not open the menu\n");
            QApplication::exit(1);
            return;
        }
        watchMenu = std::make_unique<FirstPaint>(backend.window(*menu)->clientArea(), [&] {
            const qint64 menuAt = nowNs();
            const std::string mem = memory();
            music.problem();  // waits until the music is set up
            std::printf("splash %.1f menu %.1f click %.1f %s settled-rss %.1f cpu %.1f\n",
                        (splashAt - launched) / 1e6, (menuAt - launched) / 1e6,
                        (menuAt - clickAt) / 1e6, mem.c_str(), statusMb("VmRSS"), splashCpu);
            QApplication::exit(0);
        });
    });
    const int status = qapp.exec();
    program.app().setObserver(nullptr);
    return status;
}

#endif
