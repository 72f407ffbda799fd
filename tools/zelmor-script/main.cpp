// zelmor-script: runs scenario files against the headless program and reports what did not hold.
#include "app/commandline.h"
#include "app/names.h"
#include "app/zelmorapp.h"
#include "drawing/disegnoform.h"
#include "reports/officewordprocessor.h"
#include "reports/recordingwordprocessor.h"
#include "scriptrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <iostream>
#include <memory>
#include <optional>

namespace {

// The whole program, as main.cpp builds it, but on the runner's queued services. The reports go
// to the recording word processor, or to the office when one is given.
class ZelmorHost : public zelmor::script::Host {
  public:
    ZelmorHost(const zelmor::tk::Application::Services& services,
               zelmor::script::Recorders& recorders, zelmor::reports::OfficeWordProcessor* office)
        : music_(recorders.music, recorders.musicFiles),
          recording_(recorders.word, recorders.pages),
          office_(office),
          program_(services, &music_,
                   office != nullptr ? static_cast<zelmor::reports::WordProcessor*>(office)
                                     : &recording_) {}
    // What the office finishes after a report (the PDF copy) is written into this scenario's
    // folder, which goes next: it is waited for.
    ~ZelmorHost() override {
        if (office_ == nullptr) return;
        try {
            office_->settle();
        } catch (const zelmor::reports::WordError&) {
        }
    }
    ZelmorHost(const ZelmorHost&) = delete;
    ZelmorHost& operator=(const ZelmorHost&) = delete;
    zelmor::tk::Application& app() override { return program_.app(); }
    void startup() override { program_.startup(); }
    // Read as the program reads its command line, the current folder being the scenario's.
    void setFileArgument(const QString& path) override {
        const zelmor::app::CommandLine line =
            zelmor::app::parseCommandLine({QStringLiteral("zelmor"), QStringLiteral("--"), path});
        if (line.action != zelmor::app::CommandLine::Action::Run)
            throw zelmor::script::ScriptFailure(line.output.trimmed());
        program_.openFile(line.file);
    }
    std::vector<zelmor::script::DrawnPrimitive> lastDrawing() override {
        using zelmor::geometry::LinkKind;
        using zelmor::script::DrawnPrimitive;
        const auto* window =
            program_.app().formAs<zelmor::drawing::DisegnoForm>(QStringLiteral("disegno"));
        if (window == nullptr)
            throw zelmor::script::ScriptFailure(QStringLiteral("the window disegno is not loaded"));
        std::vector<DrawnPrimitive> out;
        for (const zelmor::geometry::LinkPrimitive& p : window->links()) {
            switch (p.kind) {
                case LinkKind::Segment:
                    out.push_back({DrawnPrimitive::Kind::Segment, p.x1, p.y1, p.x2, p.y2});
                    break;
                case LinkKind::Box:
                    out.push_back({DrawnPrimitive::Kind::Box, p.x1, p.y1, p.x2, p.y2});
                    break;
                case LinkKind::Circle:
                    out.push_back({DrawnPrimitive::Kind::Circle, p.x1, p.y1, p.r, 0});
                    break;
            }
        }
        return out;
    }

  private:
    zelmor::music::RecordingMusicPlayer music_;
    zelmor::reports::RecordingWordProcessor recording_;
    zelmor::reports::OfficeWordProcessor* office_;
    zelmor::app::ZelmorApp program_;
};

void print(const QString& line) {
    std::cout << line.toStdString() << '\n' << std::flush;
}

int usage() {
    std::cerr
        << "usage: zelmor-script [--keep] [--office] [--prefix DIR] FILE...\n"
           "  --keep        leave each scenario's temporary folder in place and print its "
           "path\n"
           "  --office      use the office back-end; 'expect word' checks are skipped\n"
           "  --prefix DIR  take the music, tips, price list and office plugin from the\n"
           "                tree installed under DIR, as DIR/bin/zelmor finds them; {program}\n"
           "                is the installed data folder\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    zelmor::app::setProgramNames();  // the installed data folder is named after the program

    zelmor::script::Options options;
    options.resources = QStringLiteral(ZELMOR_RESOURCES_DIR);
    QStringList files;
    bool onlyFiles = false;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!onlyFiles && arg == QLatin1String("--")) {
            onlyFiles = true;
        } else if (!onlyFiles && arg == QLatin1String("--keep")) {
            options.keep = true;
        } else if (!onlyFiles && arg == QLatin1String("--office")) {
            options.office = true;
        } else if (!onlyFiles && arg == QLatin1String("--prefix")) {
            if (i + 1 >= args.size()) return usage();
            options.installedBin = QDir(args.at(++i)).absoluteFilePath(QStringLiteral("bin"));
            if (!QFileInfo(options.installedBin).isDir()) {
                std::cerr << "zelmor-script: no installed program in "
                          << options.installedBin.toStdString() << '\n';
                return 2;
            }
        } else if (!onlyFiles && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            usage();
            return 0;
        } else if (!onlyFiles && arg.startsWith(QLatin1Char('-'))) {
            std::cerr << "zelmor-script: unknown option " << arg.toStdString() << '\n';
            return usage();
        } else {
            files << arg;
        }
    }
    if (files.isEmpty()) return usage();
    // One office serves every file of the run, with hidden documents, on a profile of its own
    // unless one is given ($UserInstallation), so that the office it ends is its own.
    std::unique_ptr<zelmor::reports::OfficeWordProcessor> office;
    std::optional<QTemporaryDir> profile;
    if (options.office) {
        if (!qEnvironmentVariableIsSet("UserInstallation")) {
            profile.emplace();
            qputenv("UserInstallation", QUrl::fromLocalFile(profile->path()).toEncoded());
        }
        const QString plugin = options.installedBin.isEmpty()
                                   ? QString()
                                   : zelmor::reports::officePluginPath(options.installedBin);
        office = zelmor::reports::makeOfficeWordProcessor(/*hidden=*/true, plugin);
    }

    const zelmor::script::Runner runner(
        [&office](const zelmor::tk::Application::Services& services,
                  zelmor::script::Recorders& recorders) {
            return std::make_unique<ZelmorHost>(services, recorders, office.get());
        },
        options);

    int passed = 0;
    int failed = 0;
    for (const QString& file : files) {
        const zelmor::script::Outcome outcome = runner.runFile(file);
        if (!outcome.keptDir.isEmpty())
            print(QStringLiteral("%1: kept %2").arg(file, outcome.keptDir));
        if (outcome.passed) {
            ++passed;
        } else {
            ++failed;
            print(outcome.failure);
        }
    }
    print(QStringLiteral("%1 passed, %2 failed").arg(passed).arg(failed));
    if (office) {
        try {
            office->shutdown();
        } catch (const zelmor::reports::WordError&) {
            // Already gone: nothing to end.
        }
    }
    return failed == 0 ? 0 : 1;
}
