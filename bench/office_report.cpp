// What a full report costs in LibreOffice Writer, against merely opening an empty document
// (start, show, a new document): on a warm office, already running from an earlier report; on
// a cold one, started for the report; and the first report on an office started ahead by
// prepare(), as the program starts it when the user shows the title page or draws a model.
// The office runs hidden on a temporary profile; closing the documents, ending the office and
// waiting for the start ahead are not timed.
//
// The model is the heaviest one (nine zones, each linked with every other, all 24 points), drawn
// as the drawing window draws it: the report inserts its vector twin (EMF). The same report with
// a 2528 x 1712 PNG in the picture's place, the print twin of earlier versions, is the yardstick
// for the picture's cost. A report's time includes its PDF copy, finished.
//
// Counters: bridge_calls, the remote calls one report makes; doc_bytes and pdf_bytes, the size
// of the saved document and of its PDF copy. At the end the ratios are printed, and where the
// time of a warm full report goes, operation by operation.

#include "drawing/disegnoform.h"
#include "geometry/bmp.h"
#include "reports/officewordprocessor.h"
#include "reports/reports.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QUrl>

#include <chrono>
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

    QString pngPicture;
    QString pngSavePath;

    Report() {
        model.endemicKind = model::EndemicKind::Puntuale;
        model.endemicTypology = 1;  // all 24 points
        model.endemicTypologyText = model::areaTypologies().at(0);
        model.endemicValue = model::valueItems().at(2);
        model.subsystemCount = QStringLiteral("9");
        for (int i = 0; i < model::kMaxSubsystems; ++i) {
            model::Subsystem& s = model.subsystems[static_cast<std::size_t>(i)];
            s.typology = i + 1;
            s.typologyText = model::particularTypologies().at(i);
            s.value = model::valueItems().at(i % 3);
            std::vector<int> others;
            for (int j = 1; j <= model::kMaxSubsystems; ++j)
                if (j != i + 1) others.push_back(j);
            s.links = model::linkText(others);
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

        // The picture as the drawing window stores it (a 24-bit BMP under a .jpg name) and its
        // vector twin beside it.
        picture = gScratch->filePath(QStringLiteral("modello.jpg"));
        QByteArray written;
        geometry::savePicture(drawing::renderModel(model), picture, nullptr, &written);
        geometry::saveVectorTwin(
            drawing::encodeModel(
                model, drawing::PictureFormat::Emf,
                {QString(), geometry::twinPictureName(geometry::pictureDigest(written))}),
            picture);
        savePath = gScratch->filePath(QStringLiteral("Relazione.doc"));

        // The yardstick: the same drawing four times finer as a PNG at 384 dpi, in its place.
        QImage fine = drawing::renderModel(model, 4);
        fine.setDotsPerMeterX(4 * 3780);
        fine.setDotsPerMeterY(4 * 3780);
        pngPicture = gScratch->filePath(QStringLiteral("modello-png.png"));
        QImageWriter png(pngPicture, "png");
        png.write(fine);
        pngSavePath = gScratch->filePath(QStringLiteral("RelazionePng.doc"));
    }
};

const Report& report() {
    static const Report r;
    return r;
}

// Forwards to the office back-end and adds up the time of each kind of operation.
class Stopwatch final : public reports::WordProcessor {
  public:
    explicit Stopwatch(reports::OfficeWordProcessor& word) : word_(&word) {}
    void start() override {
        time("start", [&] { word_->start(); });
    }
    void show() override {
        time("show", [&] { word_->show(); });
    }
    void addDocument() override {
        time("add document", [&] { word_->addDocument(); });
    }
    void fontName(const QString& n) override {
        time("font", [&] { word_->fontName(n); });
    }
    void fontSize(int p) override {
        time("font", [&] { word_->fontSize(p); });
    }
    void type(const QString& t) override {
        time("type", [&] { word_->type(t); });
    }
    void appendParagraph() override {
        time("paragraph", [&] { word_->appendParagraph(); });
    }
    void paragraphText(const QString& t) override {
        time("paragraph", [&] { word_->paragraphText(t); });
    }
    void paragraphFontSize(int p) override {
        time("paragraph", [&] { word_->paragraphFontSize(p); });
    }
    void addTable(int r, int c) override {
        time("table", [&] { word_->addTable(r, c); });
    }
    void tableFontSize(int p) override {
        time("table", [&] { word_->tableFontSize(p); });
    }
    void cell(int r, int c, const QString& t) override {
        time("table", [&] { word_->cell(r, c, t); });
    }
    void autoformat(int f) override {
        time("table look", [&] { word_->autoformat(f); });
    }
    void addPicture(const QString& p, const reports::PictureWords& w) override {
        time("picture", [&] { word_->addPicture(p, w); });
    }
    int countPages() override {
        int pages = 0;
        time("page count", [&] { pages = word_->countPages(); });
        return pages;
    }
    void justifyAll() override {
        time("justify", [&] { word_->justifyAll(); });
    }
    QString save(const QString& p) override {
        QString saved;
        time("save .doc", [&] { saved = word_->save(p); });
        return saved;
    }
    void describe(const QString& t, const QString& a) override {
        time("properties", [&] { word_->describe(t, a); });
    }
    std::optional<int> finishedPages() override {
        std::optional<int> pages;
        time("page count", [&] { pages = word_->finishedPages(); });
        return pages;
    }
    void typeset(const reports::Typesetting& how) override {
        if (typesetting) time("typesetting", [&] { word_->typeset(how); });
    }
    void replaceLast(const QString& f, const QString& t) override {
        time("page count", [&] { word_->replaceLast(f, t); });
    }
    // Written after the report returns: timed here until it is done.
    void exportPdf(const QString& p) override {
        time("PDF export", [&] {
            word_->exportPdf(p);
            word_->settle();
        });
    }
    void setLateFailureHandler(std::function<void(const reports::WordError&)> h) override {
        word_->setLateFailureHandler(std::move(h));
    }
    void prepare() override { word_->prepare(); }

    std::map<std::string, double> millis;  // by kind of operation
    bool typesetting = true;               // false: the report as it was before its typesetting
    int reports = 0;

  private:
    template <typename F>
    void time(const char* what, F&& f) {
        const auto started = std::chrono::steady_clock::now();
        f();
        millis[what] +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
    }
    reports::OfficeWordProcessor* word_;
};

Stopwatch& stopwatch() {
    static Stopwatch watch(word());
    return watch;
}

// A report, its PDF copy finished.
void writeFull() {
    const Report& r = report();
    reports::writeFullReport(word(), r.model, r.page, r.texts, r.picture, r.savePath);
    word().settle();
}

void writeFullPng() {
    const Report& r = report();
    reports::writeFullReport(word(), r.model, r.page, r.texts, r.pngPicture, r.pngSavePath);
    word().settle();
}

void writeFullTimed() {
    const Report& r = report();
    reports::writeFullReport(stopwatch(), r.model, r.page, r.texts, r.picture, r.savePath);
    word().settle();
    ++stopwatch().reports;
}

// The same report with no page setting (outline, closing kept together, footer): the report
// as it was before it was set for its reader, apart from its tables and its PDF/A copy.
void writeFullUntypeset() {
    static Stopwatch untypeset(word());
    untypeset.typesetting = false;
    const Report& r = report();
    reports::writeFullReport(untypeset, r.model, r.page, r.texts, r.picture, r.savePath);
    word().settle();
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

enum class Office { Warm, Cold, Prepared };

void countBytes(benchmark::State& state, const QString& document) {
    const QFileInfo doc(document);
    state.counters["doc_bytes"] = static_cast<double>(doc.size());
    state.counters["pdf_bytes"] = static_cast<double>(
        QFileInfo(doc.dir().filePath(doc.completeBaseName() + QStringLiteral(".pdf"))).size());
}

template <void (*Write)()>
void measure(benchmark::State& state, Office office) {
    if (office == Office::Warm) warmUp();
    long long calls = 0;
    for (auto _ : state) {
        if (office != Office::Warm) {
            state.PauseTiming();
            word().shutdown();
            if (office == Office::Prepared) {
                word().prepare();
                word().settle();
            }
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
    measure<writeFull>(state, Office::Warm);
    countBytes(state, report().savePath);
}
void BM_FullReportWarmUntypeset(benchmark::State& state) {
    measure<writeFullUntypeset>(state, Office::Warm);
    countBytes(state, report().savePath);
}
void BM_FullReportWarmPngPicture(benchmark::State& state) {
    measure<writeFullPng>(state, Office::Warm);
    countBytes(state, report().pngSavePath);
}
void BM_FullReportWarmByOperation(benchmark::State& state) {
    measure<writeFullTimed>(state, Office::Warm);
}
void BM_EmptyDocumentWarm(benchmark::State& state) {
    measure<writeEmpty>(state, Office::Warm);
}
void BM_FullReportPrepared(benchmark::State& state) {
    measure<writeFull>(state, Office::Prepared);
}
void BM_FullReportCold(benchmark::State& state) {
    measure<writeFull>(state, Office::Cold);
}
void BM_EmptyDocumentCold(benchmark::State& state) {
    measure<writeEmpty>(state, Office::Cold);
}

BENCHMARK(BM_FullReportWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FullReportWarmUntypeset)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FullReportWarmPngPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FullReportWarmByOperation)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);
BENCHMARK(BM_EmptyDocumentWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_FullReportPrepared)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
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
    std::printf("%s: %.2f (%.1f ms / %.1f ms)\n", what, f->second / e->second, f->second,
                e->second);
}

void printBreakdown() {
    const Stopwatch& watch = stopwatch();
    if (watch.reports == 0) return;
    double total = 0;
    for (const auto& [what, ms] : watch.millis) total += ms;
    std::printf("where a warm full report's time goes (%d reports, %.1f ms each):\n", watch.reports,
                total / watch.reports);
    for (const auto& [what, ms] : watch.millis)
        std::printf("  %-12s %7.2f ms  %4.1f %%\n", what.c_str(), ms / watch.reports,
                    100 * ms / total);
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 2;
    // ZELMOR_BENCH_KEEP=1 keeps the reports written, to look at them.
    if (qEnvironmentVariableIsSet("ZELMOR_BENCH_KEEP")) {
        scratch.setAutoRemove(false);
        std::fprintf(stderr, "reports kept in %s\n", qPrintable(scratch.path()));
    }
    gScratch = &scratch;
    // The office gets a profile of its own, thrown away at the end.
    qputenv("UserInstallation", QUrl::fromLocalFile(scratch.filePath(QStringLiteral("profile")))
                                    .toString(QUrl::FullyEncoded)
                                    .toUtf8());
    // The drawing is painted as the program paints it, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    int result = 0;
    try {
        benchmark::RunSpecifiedBenchmarks(&reporter);
        printRatio(reporter, "full report / empty document, warm office", "BM_FullReportWarm",
                   "BM_EmptyDocumentWarm");
        printRatio(reporter, "full report / the same without its page setting, warm",
                   "BM_FullReportWarm", "BM_FullReportWarmUntypeset");
        printRatio(reporter, "full report with the vector twin / with a 2528 x 1712 PNG, warm",
                   "BM_FullReportWarm", "BM_FullReportWarmPngPicture");
        printRatio(reporter, "first full report on an office started ahead / warm full report",
                   "BM_FullReportPrepared", "BM_FullReportWarm");
        printRatio(reporter, "full report / empty document, cold office", "BM_FullReportCold",
                   "BM_EmptyDocumentCold");
        printBreakdown();
        word().shutdown();
    } catch (const reports::WordError& e) {
        std::fprintf(stderr, "office: %s\n", e.what());
        result = 1;
    }
    benchmark::Shutdown();
    gScratch = nullptr;
    return result;
}
