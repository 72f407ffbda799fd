// zelmor-shot: plays a scenario on the real Qt windows and saves a picture of every window that
// is visible at its end, to look at what the user would see in that state. With --office the
// reports go to LibreOffice Writer, whose windows stay open after the run. With --hold SECONDS
// the windows stay on the screen that long before the pictures are taken (for a screenshot of
// the desktop, frames and all), and each window's place on the screen is printed.
#include "app/desktop.h"
#include "app/zelmorapp.h"
#include "reports/officewordprocessor.h"
#include "reports/recordingwordprocessor.h"
#include "scriptrunner.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QStringList>
#include <QThread>

#include <iostream>
#include <memory>

namespace {

class ShotHost : public zelmor::script::Host {
  public:
    ShotHost(const zelmor::tk::Application::Services& services,
             zelmor::script::Recorders& recorders, QString folder,
             zelmor::reports::WordProcessor* office, int holdSeconds)
        : holdSeconds_(holdSeconds),
          music_(recorders.music, recorders.musicFiles),
          recording_(recorders.word, recorders.pages),
          program_(services, &music_, office != nullptr ? office : &recording_),
          backend_(program_.app()),
          folder_(std::move(folder)) {
        program_.app().setObserver(&backend_);
        backend_.setEndAction([] {});
    }
    ~ShotHost() override {
        QCoreApplication::processEvents();
        hold();
        for (zelmor::tk::Form* form : program_.app().loadedForms()) {
            QWidget* w = backend_.window(*form);
            if (w == nullptr || !form->visible()) continue;
            const QString path = QDir(folder_).filePath(form->name() + QStringLiteral(".png"));
            if (w->grab().save(path)) std::cout << path.toStdString() << '\n';
        }
        program_.app().setObserver(nullptr);
    }
    zelmor::tk::Application& app() override { return program_.app(); }
    void startup() override { program_.startup(); }

  private:
    // The windows stay up, the event loop running, while the desktop is looked at.
    void hold() {
        if (holdSeconds_ <= 0) return;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < holdSeconds_ * qint64{1000}) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(20);
        }
        for (zelmor::tk::Form* form : program_.app().loadedForms()) {
            QWidget* w = backend_.window(*form);
            if (w == nullptr || !form->visible()) continue;
            const QRect frame = w->frameGeometry();
            const QRect inner = w->geometry();
            const QRect free = w->screen() != nullptr ? w->screen()->availableGeometry() : QRect();
            const QRect whole = w->screen() != nullptr ? w->screen()->geometry() : QRect();
            std::cout << form->name().toStdString() << ": frame " << frame.x() << ',' << frame.y()
                      << ' ' << frame.width() << 'x' << frame.height() << ", window " << inner.x()
                      << ',' << inner.y() << ' ' << inner.width() << 'x' << inner.height()
                      << ", free " << free.x() << ',' << free.y() << ' ' << free.width() << 'x'
                      << free.height() << " of " << whole.width() << 'x' << whole.height() << '\n';
        }
    }

    int holdSeconds_;
    zelmor::music::RecordingMusicPlayer music_;
    zelmor::reports::RecordingWordProcessor recording_;
    zelmor::app::ZelmorApp program_;
    zelmor::qtui::QtBackend backend_;
    QString folder_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    zelmor::app::prepareDesktop(qapp);
    QStringList args = QCoreApplication::arguments();
    std::unique_ptr<zelmor::reports::OfficeWordProcessor> office;
    if (args.size() > 1 && args.at(1) == QLatin1String("--office")) {
        office = zelmor::reports::makeOfficeWordProcessor(/*hidden=*/false);
        args.removeAt(1);
    }
    int holdSeconds = 0;
    if (args.size() > 2 && args.at(1) == QLatin1String("--hold")) {
        holdSeconds = args.at(2).toInt();
        args.remove(1, 2);
    }
    if (args.size() != 3) {
        std::cerr << "usage: zelmor-shot [--office] [--hold SECONDS] SCENARIO OUTPUT-FOLDER\n";
        return 2;
    }
    const QString folder = QDir(args.at(2)).absolutePath();
    QDir().mkpath(folder);
    zelmor::script::Options options;
    options.resources = QStringLiteral(ZELMOR_RESOURCES_DIR);
    const zelmor::script::Runner runner(
        [folder, &office, holdSeconds](const zelmor::tk::Application::Services& services,
                                       zelmor::script::Recorders& recorders) {
            return std::make_unique<ShotHost>(services, recorders, folder, office.get(),
                                              holdSeconds);
        },
        options);
    const zelmor::script::Outcome outcome = runner.runFile(args.at(1));
    if (!outcome.passed) std::cerr << outcome.failure.toStdString() << '\n';
    return outcome.passed ? 0 : 1;
}
