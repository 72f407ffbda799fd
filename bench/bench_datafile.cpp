// Saving and opening a full data file (nine subsystems), the largest the program writes.
#include "model/datafile.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zelmor::model;

struct NineSubsystems {
    ModelData model;
    TitlePage title;

    NineSubsystems() {
        model.endemicKind = EndemicKind::Lineare;
        model.endemicTypologyText = linearTypologies().at(1);
        model.endemicTypology = 2;
        model.endemicValue = valueItems().at(2);
        model.subsystemCount = QStringLiteral("9");
        for (int i = 0; i < kMaxSubsystems; ++i) {
            Subsystem& s = model.subsystems[static_cast<std::size_t>(i)];
            s.typology = i + 1;
            s.typologyText = particularTypologies().at(i);
            s.value = valueItems().at(i % 3);
            s.links = linkText({(i + 1) % 9 + 1, (i + 4) % 9 + 1});
            title.denominations[static_cast<std::size_t>(i)] =
                QStringLiteral("Sottosistema \"%1\" della località, più a nord").arg(i + 1);
        }
        title.project = QStringLiteral("Variante al piano regolatore \"Borgo Nuovo\"");
        title.place = QStringLiteral("località Cà Bianca");
        title.studyType = QStringLiteral("studio di impatto ambientale");
        title.client = QStringLiteral("Comune di Forlì");
        title.town = QStringLiteral("Città di Castello");
        title.date = QStringLiteral("12/03/1999");
        title.attachments = QStringLiteral("tavole 1-4, relazione");
    }
};

void BM_WriteNineSubsystems(benchmark::State& state) {
    const NineSubsystems data;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray out = writeDataFile(data.model, data.title);
        bytes += static_cast<std::size_t>(out.size());
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_WriteNineSubsystems);

void BM_ReadNineSubsystems(benchmark::State& state) {
    const NineSubsystems data;
    const QByteArray file = writeDataFile(data.model, data.title);
    for (auto _ : state) {
        const DataFileContent c = readDataFile(file);
        if (!c.complete()) state.SkipWithError("the file did not read whole");
        benchmark::DoNotOptimize(c.denominationsRead);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * file.size());
}
BENCHMARK(BM_ReadNineSubsystems);

// Opening a large file that is not a data file must cost no more than a pass over its bytes.
void BM_ReadLargeJunk(benchmark::State& state) {
    const QByteArray junk(state.range(0), '"');
    for (auto _ : state) {
        const DataFileContent c = readDataFile(junk);
        benchmark::DoNotOptimize(c.error);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * junk.size());
}
BENCHMARK(BM_ReadLargeJunk)->Arg(1 << 20)->Arg(16 << 20);

}  // namespace

BENCHMARK_MAIN();
