// startup_probe: the program as main.cpp builds it (Qt windows, FluidSynth music), timed.
// It prints three figures in milliseconds and quits:
//   splash  from the launch time given as argument (ns since the epoch) to the splash painted;
//   menu    from the same launch time to the data-entry window painted after a click;
//   click   from the click on the splash to the data-entry window painted.
// bench/startup.sh launches it repeatedly under xvfb-run and reports the medians.
#include "app/desktop.h"
#include "app/zelmorapp.h"
#include "music/fluidmusic.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/qtservices.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
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

int main(int argc, char* argv[]) {
    const qint64 launched = argc > 1 ? std::stoll(argv[1]) : nowNs();
    QApplication qapp(argc, argv);
    zelmor::app::prepareDesktop(qapp);

    zelmor::qtui::QtServices desktop;
    zelmor::music::FluidSynthPlayer music;
    zelmor::app::ZelmorApp program(desktop.services(), &music);
    zelmor::qtui::QtBackend backend(program.app());
    program.app().setObserver(&backend);
    backend.setEndAction([] {});

    qint64 splashAt = 0;
    qint64 clickAt = 0;
    std::unique_ptr<FirstPaint> watchMenu;
    zelmor::qtui::runUserAction(program.app(), [&] { program.startup(); });
    zelmor::tk::Form* splash = program.app().form(QStringLiteral("frmSplash"));
    QWidget* splashArea = backend.window(*splash)->clientArea();
    FirstPaint watchSplash(splashArea, [&] {
        splashAt = nowNs();
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
            std::printf("splash %.1f menu %.1f click %.1f\n", (splashAt - launched) / 1e6,
                        (menuAt - launched) / 1e6, (menuAt - clickAt) / 1e6);
            QApplication::exit(0);
        });
    });
    const int status = qapp.exec();
    program.app().setObserver(nullptr);
    return status;
}
