// One full guided entry of a 9-subsystem model through the menu window, headless: every
// click runs its rules and their cascades exactly as in the program.
#include "app/zelmorapp.h"
#include "entry/menuform.h"
#include "toolkit/testing/fakes.h"

#include <benchmark/benchmark.h>

using namespace zelmor;

namespace {

void enterNineSubsystems(app::ZelmorApp& z) {
    tk::Application& app = z.app();
    auto* menu = app.formAs<entry::MenuForm>(QStringLiteral("menu"));
    auto click = [&](const char* name, int index = 0) {
        app.dispatch([&] { menu->at(QString::fromLatin1(name), index).click(); });
    };
    auto choose = [&](const char* name, int index, const char* item) {
        app.dispatch(
            [&] { menu->at(QString::fromLatin1(name), index).choose(QString::fromLatin1(item)); });
    };
    click("endemica", 1);
    click("Option1", 1);
    choose("valore", 0, "medio");
    app.dispatch([&] { menu->at(QStringLiteral("VScroll1")).setValue(9); });
    for (int i = 1; i <= 9; ++i) {
        click("Check1", i);
        click("Option3", i);
        choose("Combo1", i, "forte");
    }
    // Every subsystem linked to every other.
    for (int i = 1; i <= 9; ++i) {
        for (int j = 1; j <= 9; ++j) {
            if (j != i) click("legami", j);
        }
        click("dopo");
    }
}

void BM_GuidedEntryNineSubsystems(benchmark::State& state) {
    tk::testing::FakeServices fakes;
    app::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform});
    z.app().dispatch([&] { z.startup(); });
    for (auto _ : state) {
        enterNineSubsystems(z);
        auto* menu = z.app().formAs<entry::MenuForm>(QStringLiteral("menu"));
        if (!menu->complete()) state.SkipWithError("the entry did not reach the final step");
        // A fresh window for the next round, as "C&ancella dati immessi" gives.
        z.app().dispatch([&] { menu->cancelladati_Click(); });
    }
}
BENCHMARK(BM_GuidedEntryNineSubsystems)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
