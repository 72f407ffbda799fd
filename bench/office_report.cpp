// What a full report costs in LibreOffice Writer, against merely opening an empty document
// (start, show, a new document): on a warm office, already running from an earlier report, and
// on a cold one, started for the report. The office runs hidden on a temporary profile; closing
// the documents and ending the office between cold runs are not timed.
//
// Counters: bridge_calls, the remote calls one report makes. At the end the two ratios
// full/empty (warm and cold) are printed.

#include "geometry/bmp.h"
#include "reports/officewordprocessor.h"
#include "reports/reports.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace zelmor;

QTemporaryDir* gScratch = nullptr;

reports::OfficeWordProcessor& word() {
    static std::unique_ptr<reports::OfficeWordProcessor> word =
        reports::makeOfficeWordProcessor(true);
    return *word;
}

struct Report {
    model::ModelData model;
    model::TitlePage page;
    reports::ReportTexts texts{QStringLiteral("Zelmor"),
                               QStringLiteral("composizioni di modelli logici aspaziali"),
                               QStringLiteral("Studio Tecnico Associato"),
                               QStringLiteral("via del Corso 12, 60121 Ancona")};
    QString picture;
    QString savePath;

    Report() {
        model.endemicKind = 1;
        model.endemicTypology = 1;
        model.endemicTypologyText = model::areaTypologies().at(0);
        model.endemicValue = model::valueItems().at(1);
        model.subsystemCount = QStringLiteral("9");
        for (int i = 0; i < model::kMaxSubsystems; ++i) {
            model::Subsystem& s = model.subsystems[static_cast<std::size_t>(i)];
            s.typology = i + 1;
            s.typologyText = model::particularTypologies().at(i);
            s.value = model::valueItems().at(i % 3);
            s.links = model::linkText({(i + 1) % 9 + 1, (i + 4) % 9 + 1});
            page.denominations[static_cast<std::size_t>(i)] =
                QStringLiteral("zona %1 del territorio").arg(i + 1);
        }
        page.project = QStringLiteral("Variante al piano regolatore \"Borgo Nuovo\"");
        page.place = QStringLiteral("località Cà Bianca");
        page.studyType = QStringLiteral("studio di impatto ambientale");
        page.client = QStringLiteral("Comune di Forlì");
        page.town = QStringLiteral("Ancona");
        page.date = QStringLiteral("lunedì, 7 dic 2026");
        page.attachments = QStringLiteral("tavole 1-4");

        // A model picture as the drawing window stores it: a 24-bit BMP under a .jpg name.
        QImage image(632, 428, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        for (int i = 0; i < model::kMaxSubsystems; ++i) {
            const QRect zone(20 + (i % 3) * 200, 20 + (i / 3) * 130, 180, 110);
            painter.fillRect(zone, QColor::fromHsv(i * 40, 160, 230));
            painter.setPen(QPen(Qt::black, 1 + i % 3));
            painter.drawRect(zone);
        }
        painter.end();
        picture = gScratch->filePath(QStringLiteral("modello.jpg"));
        geometry::savePicture(image, picture);
        savePath = gScratch->filePath(QStringLiteral("Relazione.doc"));
    }
};

const Report& report() {
    static const Report r;
    return r;
}

void writeFull() {
    const Report& r = report();
    reports::writeFullReport(word(), r.model, r.page, r.texts, r.picture, r.savePath);
}

void writeEmpty() {
    word().start();
    word().show();
    word().addDocument();
}

// A running office before the timing starts, or none.
void warmUp() {
    writeEmpty();
    word().closeDocument();
}

template <void (*Write)()>
void measure(benchmark::State& state, bool cold) {
    if (!cold) warmUp();
    long long calls = 0;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            word().shutdown();
            state.ResumeTiming();
        }
        const long long before = word().bridgeCalls();
        Write();
        calls += word().bridgeCalls() - before;
        state.PauseTiming();
        word().closeDocument();
        state.ResumeTiming();
    }
    state.counters["bridge_calls"] =
        benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
}

void BM_FullReportWarm(benchmark::State& state) {
    measure<writeFull>(state, false);
}
void BM_EmptyDocumentWarm(benchmark::State& state) {
    measure<writeEmpty>(state, false);
}
void BM_FullReportCold(benchmark::State& state) {
    measure<writeFull>(state, true);
}
void BM_EmptyDocumentCold(benchmark::State& state) {
    measure<writeEmpty>(state, true);
}

BENCHMARK(BM_FullReportWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EmptyDocumentWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_FullReportCold)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_EmptyDocumentCold)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The console report, and the time per iteration of every benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

void printRatio(const RatioReporter& reporter, const char* what, const std::string& full,
                const std::string& empty) {
    const auto f = reporter.times.find(full);
    const auto e = reporter.times.find(empty);
    if (f == reporter.times.end() || e == reporter.times.end() || e->second <= 0) return;
    std::printf("full report / empty document, %s office: %.1f (%.1f ms / %.1f ms)\n", what,
                f->second / e->second, f->second, e->second);
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 2;
    gScratch = &scratch;
    // The office gets a profile of its own, thrown away at the end.
    qputenv("UserInstallation", QUrl::fromLocalFile(scratch.filePath(QStringLiteral("profile")))
                                    .toString(QUrl::FullyEncoded)
                                    .toUtf8());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    int result = 0;
    try {
        benchmark::RunSpecifiedBenchmarks(&reporter);
        printRatio(reporter, "warm", "BM_FullReportWarm", "BM_EmptyDocumentWarm");
        printRatio(reporter, "cold", "BM_FullReportCold", "BM_EmptyDocumentCold");
        word().shutdown();
    } catch (const reports::WordError& e) {
        std::fprintf(stderr, "office: %s\n", e.what());
        result = 1;
    }
    benchmark::Shutdown();
    gScratch = nullptr;
    return result;
}
