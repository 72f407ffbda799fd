// The heaviest drawing: nine zones, each linked with every other (72 link figures), drawn,
// captured and saved as the picture file and its vector twin; the same command writing no twin;
// and each stage alone, to see where the time goes. Nothing runs in the background: the CPU time
// is the whole command's.
#include "app/zelmorapp.h"
#include "drawing/disegnoform.h"
#include "drawing/pictureformats.h"
#include "geometry/bmp.h"
#include "geometry/layout.h"
#include "geometry/links.h"
#include "toolkit/paint.h"
#include "toolkit/testing/fakes.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace zelmor;

model::ModelData heaviest() {
    model::ModelData m;
    m.endemicKind = model::EndemicKind::Puntuale;
    m.endemicTypology = 1;  // all 24 points
    m.endemicValue = QStringLiteral("forte");
    m.subsystemCount = QStringLiteral("9");
    for (int i = 1; i <= 9; ++i) {
        std::vector<int> others;
        for (int j = 1; j <= 9; ++j)
            if (j != i) others.push_back(j);
        model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        s.typology = i;
        s.value = model::valueItems().at(i % 3);
        s.links = model::linkText(others);
    }
    return m;
}

// The whole program without a display, its document holding the heaviest model.
struct Program {
    QTemporaryDir tmp;
    tk::testing::FakeServices fakes;
    app::ZelmorApp z{{&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}};

    Program() {
        fakes.platform.data = tmp.path();
        z.app().dispatch([this] { z.startup(); });
        z.shared().document().model = heaviest();
    }
    void draw() {
        z.app().dispatch([this] { drawing::DisegnoForm::startDrawing(z.app()); });
    }
    // The command as it was before it wrote a twin: a new window, the figures, the capture, the
    // picture file and its digest for the reports.
    void drawWithoutTwin() {
        z.app().dispatch([this] {
            z.app().unload(QStringLiteral("disegno"));
            auto& w = dynamic_cast<drawing::DisegnoForm&>(z.app().load(QStringLiteral("disegno")));
            z.app().show(w.name());
            const model::ModelData drawn = z.shared().currentModel();
            w.showModel(drawn);
            QByteArray saved;
            if (!geometry::savePicture(tk::grabClientArea(w), z.shared().picturePath(), nullptr,
                                       &saved))
                failed = true;
            z.shared().setDrawnPicture({drawn, geometry::pictureDigest(saved)});
            z.shared().prepareWordProcessor();
        });
    }
    bool failed = false;
    drawing::DisegnoForm& window() {
        return *z.app().formAs<drawing::DisegnoForm>(QStringLiteral("disegno"));
    }
};

void BM_DrawHeaviestModel(benchmark::State& state) {
    Program p;
    for (auto _ : state) {
        p.draw();
        benchmark::DoNotOptimize(p.window().picture().constBits());
    }
    if (!p.fakes.messages.shown.empty()) state.SkipWithError("the drawing failed");
    state.counters["links"] = static_cast<double>(p.window().links().size());
}
BENCHMARK(BM_DrawHeaviestModel)->Unit(benchmark::kMillisecond);

void BM_DrawHeaviestModelWithoutTwin(benchmark::State& state) {
    Program p;
    for (auto _ : state) p.drawWithoutTwin();
    if (p.failed || !p.fakes.messages.shown.empty()) state.SkipWithError("the drawing failed");
}
BENCHMARK(BM_DrawHeaviestModelWithoutTwin)->Unit(benchmark::kMillisecond);

void BM_LayoutAndLinks(benchmark::State& state) {
    const model::ModelData m = heaviest();
    for (auto _ : state) {
        benchmark::DoNotOptimize(geometry::layoutModel(m));
        benchmark::DoNotOptimize(geometry::linkPrimitives(m));
    }
}
BENCHMARK(BM_LayoutAndLinks)->Unit(benchmark::kMicrosecond);

void BM_PaintAndCapture(benchmark::State& state) {
    Program p;
    p.draw();
    for (auto _ : state) benchmark::DoNotOptimize(tk::grabClientArea(p.window()));
}
BENCHMARK(BM_PaintAndCapture)->Unit(benchmark::kMillisecond);

void BM_EncodeBmp(benchmark::State& state) {
    Program p;
    p.draw();
    const QImage picture = p.window().picture();
    for (auto _ : state) benchmark::DoNotOptimize(geometry::encodeBmp24(picture));
}
BENCHMARK(BM_EncodeBmp)->Unit(benchmark::kMillisecond);

void BM_SavePicture(benchmark::State& state) {
    Program p;
    p.draw();
    const QImage picture = p.window().picture();
    const QString path = p.tmp.path() + QStringLiteral("/bench/schemaZelmor.jpg");
    for (auto _ : state) {
        if (!geometry::savePicture(picture, path)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SavePicture)->Unit(benchmark::kMillisecond);

// What the vector twin adds to a drawing: its painting into EMF records, then its file written.
void BM_EncodeVectorTwin(benchmark::State& state) {
    Program p;
    p.draw();
    for (auto _ : state)
        benchmark::DoNotOptimize(drawing::encodeDrawing(p.window(), drawing::PictureFormat::Emf));
    state.counters["bytes"] =
        static_cast<double>(drawing::encodeDrawing(p.window(), drawing::PictureFormat::Emf).size());
}
BENCHMARK(BM_EncodeVectorTwin)->Unit(benchmark::kMillisecond);

void BM_SaveVectorTwin(benchmark::State& state) {
    Program p;
    p.draw();
    const QByteArray twin = drawing::encodeDrawing(p.window(), drawing::PictureFormat::Emf);
    const QString path = p.z.shared().picturePath();  // its folder made by the drawing
    for (auto _ : state) {
        if (!geometry::saveVectorTwin(twin, path)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveVectorTwin)->Unit(benchmark::kMillisecond);

// The copies the user takes away: the clipboard's SVG and 300-dpi PNG, the exported PDF.
void BM_EncodeForTheUser(benchmark::State& state) {
    Program p;
    p.draw();
    const auto format = static_cast<drawing::PictureFormat>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(drawing::encodeDrawing(p.window(), format));
    state.counters["bytes"] =
        static_cast<double>(drawing::encodeDrawing(p.window(), format).size());
}
BENCHMARK(BM_EncodeForTheUser)
    ->Arg(static_cast<int>(drawing::PictureFormat::Svg))
    ->Arg(static_cast<int>(drawing::PictureFormat::Pdf))
    ->Arg(static_cast<int>(drawing::PictureFormat::Png))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
