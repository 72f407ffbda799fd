// Random user actions on the data-entry and title-page windows (clicks, choices, scrolls,
// typing, Open and Save with their answers, closing a window, the exit and a new start),
// checking after each one what must always hold: the links keep their invariants, rows above the
// count are blank, the hint is one of the procedure's texts, the final step means a complete
// model, every control shows the document, and a current file goes with a model and holds what
// the program last read or wrote there. Every run plays a fixed list of seeds and one fresh seed;
// each seed is printed and named by its failures. ZELMOR_SEED=<seed> repeats one seed and
// ZELMOR_RANDOM_ACTIONS=<n> sets the length of each run.
#include "model/datafile.h"
#include "model/fileio.h"
#include "support/fixture.h"
#include "support/program.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>

using namespace zelmor;
using testsupport::Program;

namespace {

// The procedure's hints: fixed texts, and texts ending with a subsystem's number.
bool isProcedureHint(const QString& hint) {
    static const QStringList fixed{
        QStringLiteral("cliccare sul tasto della situazione endemica prescelta"),
        QStringLiteral("scegliere la tipologia della situazione superficiale"),
        QStringLiteral("scegliere la tipologia della situazione lineare"),
        QStringLiteral("scegliere la tipologia della situazione puntuale"),
        QStringLiteral("scegliere il valore della situazione endemica"),
        QStringLiteral("indicare il numero dei sottosistemi"),
        QStringLiteral("spuntare il sottosistema da indicare"),
        QStringLiteral("spuntare i rimanenti sottosistemi"),
        QStringLiteral("cliccare sulla tipologia della situazione particolare"),
        QStringLiteral("indicare i legami di ogni sottosistema"),
        QStringLiteral("correggere, archiviare i dati o disegnare il modello")};
    static const QRegularExpression numbered(QStringLiteral(
        "^(spuntare il sottosistema n\\.|scegliere la tipologia del sottosistema n\\.|scegliere "
        "il valore del sottosistema n\\.|indicare i sottosistemi legati al sottosistema n\\.) "
        "[1-9]$|^ri-spuntare il sottosistema n\\. [1-9] per inserire la tipologia$"));
    return fixed.contains(hint) || numbered.match(hint).hasMatch();
}

std::string describe(const model::ModelData& m) {
    std::string s = "count \"" + m.subsystemCount.toStdString() + "\"";
    for (int i = 0; i < 9; ++i) {
        const model::Subsystem& r = m.subsystems[static_cast<std::size_t>(i)];
        s += " | " + std::to_string(r.typology.value_or(0)) + " \"" + r.typologyText.toStdString() +
             "\" \"" + r.value.toStdString() + "\" \"" + r.links.toStdString() + "\"";
    }
    return s;
}

// Empty when everything holds; otherwise what does not.
std::string violation(const Program& p) {
    // A current file belongs to the model read from it or saved into it; nothing else writes
    // to it, so it still holds what the program last read or wrote.
    const model::Document& d = p.document();
    if (!d.fileName.isEmpty() && d.model.count() == 0) return "a current file without a model";
    if (!d.fileName.isEmpty() &&
        (!d.fileHeld || model::checkFile(d.fileName, *d.fileHeld) != model::FileCheck::Same))
        return "the current file holds other bytes than the program read or wrote";
    const entry::MenuForm* menu = p.z.app().formAs<entry::MenuForm>(QStringLiteral("menu"));
    if (menu == nullptr) return {};
    const model::ModelData& m = p.document().model;
    const int n = m.count();
    for (int i = 1; i <= 9; ++i) {
        const model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        if (i > n) {
            if (s != model::Subsystem{}) return "row " + std::to_string(i) + " above the count";
            continue;
        }
        std::vector<int> seen;
        for (int d : model::linkedNumbers(s.links)) {
            if (d == i) return "subsystem " + std::to_string(i) + " lists itself";
            if (d > n) return "subsystem " + std::to_string(i) + " names one above the count";
            if (std::find(seen.begin(), seen.end(), d) != seen.end())
                return "subsystem " + std::to_string(i) + " repeats " + std::to_string(d);
            seen.push_back(d);
        }
    }
    const QString hint = p.c("menu", "passo").text();
    if (!isProcedureHint(hint)) return "hint \"" + hint.toStdString() + "\"";
    const bool finalHint = hint.startsWith(QLatin1String("correggere"));
    if (menu->complete() != finalHint) return "complete against the hint";
    if (menu->complete() && !m.isComplete()) return "final step with an incomplete model";

    auto shows = [&](const char* window, const char* name, int index, const QString& value) {
        return p.c(window, name, index).text() == value;
    };
    if (!shows("menu", "sottosistemi", 0, m.subsystemCount) ||
        !shows("menu", "situazione", 0, m.endemicTypologyText) ||
        !shows("menu", "valore", 0, m.endemicValue))
        return "the endemic situation shown differs from the document";
    for (int i = 1; i <= 9; ++i) {
        const model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        if (!shows("menu", "tiposotto", i, s.typologyText) ||
            !shows("menu", "Combo1", i, s.value) || !shows("menu", "Label3", i, s.links))
            return "row " + std::to_string(i) + " shown differs from the document";
    }
    if (p.form("frontespizio") != nullptr) {
        const model::TitlePage& t = p.document().title;
        if (!shows("frontespizio", "progetto", 0, t.project) ||
            !shows("frontespizio", "località", 0, t.place) ||
            !shows("frontespizio", "committente", 0, t.client) ||
            !shows("frontespizio", "data", 0, t.date))
            return "the title page shown differs from the document";
        for (int i = 1; i <= 9; ++i) {
            if (!shows("frontespizio", "denominazione", i,
                       t.denominations[static_cast<std::size_t>(i - 1)]))
                return "denomination " + std::to_string(i) + " differs from the document";
        }
    }
    return {};
}

class RandomUser {
  public:
    RandomUser(Program& p, std::mt19937& rng, const QStringList& files)
        : p_(p), rng_(rng), files_(files) {}

    // One action; returns what it was, for the report of a failure.
    std::string act() {
        if (p_.form("menu") == nullptr) {
            // The closing screen: a click starts again.
            p_.run([&] { p_.form("frmSplash")->click(); });
            return "click the closing screen";
        }
        // Whatever the action asks, an answer is ready; what is left is thrown away after.
        p_.fakes.messages.answers = {answer(), answer()};
        p_.fakes.files.answers = {fileAnswer(), fileAnswer()};
        p_.fakes.colors.answers = {std::nullopt};
        std::string done = oneAction();
        p_.fakes.messages.answers.clear();
        p_.fakes.files.answers.clear();
        p_.fakes.colors.answers.clear();
        p_.fakes.messages.shown.clear();
        p_.fakes.files.shown.clear();
        return done;
    }

  private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    tk::MessageResult answer() {
        return uniform(0, 1) ? tk::MessageResult::Yes : tk::MessageResult::No;
    }
    std::optional<QString> fileAnswer() {
        if (uniform(0, 5) == 0) return std::nullopt;
        return files_.at(uniform(0, static_cast<int>(files_.size()) - 1));
    }
    QString someText() {
        static const QStringList texts{QString(),
                                       QStringLiteral("medio"),
                                       QStringLiteral("forte"),
                                       QStringLiteral("debole"),
                                       QStringLiteral("molto forte"),
                                       QStringLiteral("Piano, centro"),
                                       QStringLiteral("Łódź – Kraków"),
                                       QString(61, QLatin1Char('x')),
                                       QStringLiteral("con 3")};
        return texts.at(uniform(0, static_cast<int>(texts.size()) - 1));
    }

    std::string oneAction() {
        const int i = uniform(1, 9);
        auto click = [&](const char* w, const char* name, int index) {
            const bool done = p_.click(w, name, index);
            return std::string(done ? "click " : "(unreachable) ") + w + "." + name + "(" +
                   std::to_string(index) + ")";
        };
        switch (uniform(0, 30)) {
            case 0:
                return click("menu", "endemica", uniform(1, 3));
            case 1:
            case 2:
                return click("menu", uniform(0, 1) ? "Option1" : "Option2", i);
            case 3:
            case 4:
                return click("menu", "Option3", i);
            case 5: {
                const QString v = someText();
                p_.choose("menu", "valore", 0, v);
                return "valore \"" + v.toStdString() + "\"";
            }
            case 6:
            case 7:
                p_.scroll(i);
                return "scroll " + std::to_string(i);
            case 8:
            case 9:
            case 10:
                return click("menu", "Check1", i);
            case 11:
            case 12: {
                const QString v = someText();
                p_.choose("menu", "Combo1", i, v);
                return "Combo1(" + std::to_string(i) + ") \"" + v.toStdString() + "\"";
            }
            case 13:
            case 14:
            case 15:
                return click("menu", "legami", i);
            case 16:
            case 17:
                return click("menu", "dopo", 0);
            case 18:
                return click("menu", "correggo", i);
            case 19:
                return click(uniform(0, 1) ? "menu" : "frontespizio", "apri", 0);
            case 20:
                return click(uniform(0, 1) ? "menu" : "frontespizio", "salva", 0);
            case 21:
                return click(uniform(0, 1) ? "menu" : "frontespizio", "salvanome", 0);
            case 22:
                return click("menu", uniform(0, 1) ? "controlla" : "aiuto", 0);
            case 23:
                if (uniform(0, 9) == 0) return click("menu", "cancelladati", 0);
                return click("menu", "fin3", 0);
            case 24:
            case 25: {
                static const char* const fields[] = {"progetto", "località", "committente", "data"};
                const char* field = fields[uniform(0, 3)];
                const QString v = someText();
                p_.set("frontespizio", field, 0, v);
                return std::string("frontespizio.") + field + " \"" + v.toStdString() + "\"";
            }
            case 26: {
                const QString v = someText();
                p_.set("frontespizio", "denominazione", i, v);
                return "denominazione(" + std::to_string(i) + ") \"" + v.toStdString() + "\"";
            }
            case 27:
                return click("frontespizio", uniform(0, 1) ? "cancella" : "controllodati", 0);
            case 28:
                // The exit, answered Yes or No.
                if (uniform(0, 19) == 0) return click("menu", "uscita", 0);
                return click("menu", "fin3", 0);
            case 29: {
                // Closed from the title bar, answered Yes or No when it asks.
                const char* w = uniform(0, 1) ? "menu" : "frontespizio";
                if (p_.form(w) == nullptr || !p_.form(w)->visible())
                    return std::string("(unreachable) close ") + w;
                p_.run([&] { p_.z.app().close(QString::fromLatin1(w)); });
                return std::string("close ") + w;
            }
            default:
                return click("frontespizio", "fin1", 0);
        }
    }

    Program& p_;
    std::mt19937& rng_;
    const QStringList& files_;
};

// The runs: a fixed list of seeds, the same on every run, and one seed drawn afresh each time.
struct Seed {
    bool fresh = false;
    unsigned value = 0;  // of a fixed seed
};

void PrintTo(const Seed& s, std::ostream* os) {
    if (s.fresh) {
        *os << "a fresh seed";
    } else {
        *os << "seed " << s.value;
    }
}

// Short runs of the fixed seeds, each of which reaches the final step at least twenty times (the
// first such seeds from 1; the check at the end wants it once), and a long run of the fresh seed,
// as long as it takes for a fresh run to reach it: in one run in a thousand it has not done so
// after 15,000 actions. A longer run repeats a shorter one of its seed and goes on from there,
// so that ZELMOR_SEED with the fresh run's length repeats any failure. Should a change of the
// program leave a fixed run without the final step, take the next seed that reaches it.
constexpr unsigned kFixedSeeds[] = {2, 4, 6, 7, 9, 14, 18, 19, 21, 23, 24, 27};
constexpr int kFixedActions = 1000;
constexpr int kFreshActions = 20000;

std::vector<Seed> seeds() {
    std::vector<Seed> out;
    for (unsigned s : kFixedSeeds) out.push_back({false, s});
    out.push_back({true, 0});
    return out;
}

std::string seedName(const ::testing::TestParamInfo<Seed>& info) {
    return info.param.fresh ? std::string("fresh") : "seed_" + std::to_string(info.param.value);
}

class RandomActions : public testsupport::FolderTest, public ::testing::WithParamInterface<Seed> {};

// ZELMOR_SEED=<seed> repeats that one seed, in the fresh run; the fixed ones are skipped.
TEST_P(RandomActions, TheDocumentsRulesHoldAfterEveryAction) {
    const QByteArray seedText = qgetenv("ZELMOR_SEED");
    if (!seedText.isEmpty() && !GetParam().fresh) GTEST_SKIP() << "ZELMOR_SEED repeats one seed";
    const unsigned seed = !GetParam().fresh    ? GetParam().value
                          : seedText.isEmpty() ? std::random_device{}()
                                               : seedText.toUInt();
    const QByteArray countText = qgetenv("ZELMOR_RANDOM_ACTIONS");
    const int actions = !countText.isEmpty() ? countText.toInt()
                        : GetParam().fresh   ? kFreshActions
                                             : kFixedActions;
    std::cout << "random actions: ZELMOR_SEED=" << seed << " ZELMOR_RANDOM_ACTIONS=" << actions
              << std::endl;
    RecordProperty("seed", std::to_string(seed));
    SCOPED_TRACE("ZELMOR_SEED=" + std::to_string(seed));

    const QStringList files{
        write("Zelmor-dati-intero",
              "2,\"croce centrale\",9,\"forte\",\"3\"\r\n1,\"centrale\",\"forte\",\"con 2-3\"\r\n"
              "2,\"lato nord\",\"medio\",\"con 1\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n"
              "\"P\",\"L\",\"S\"\r\n\"C\",\"T\",\"D\",\"A\"\r\n\"uno\"\r\n\"due\"\r\n\"tre\"\r\n"),
        write("Zelmor-dati-parziale",
              "3,\"lato sud\",3,\"medio\",\"4\"\r\n1,\"centrale\",\"forte\",\"con 4-1-2\"\r\n"),
        write("Zelmor-dati-guasto", "1,\"totale\",1,\"medio\",\"+2\"\r\n"),
        write("lettera.txt", "Gentile signora,\r\n"),
        path("Zelmor-dati-salvato"),
    };

    std::mt19937 rng(seed);
    Program p(dir.path());
    RandomUser user(p, rng, files);
    std::vector<std::string> recent;
    int reached = 0;
    int finals = 0;
    for (int k = 0; k < actions; ++k) {
        const std::string done = user.act();
        if (done.rfind("(unreachable)", 0) != 0) ++reached;
        if (const auto* menu = p.z.app().formAs<entry::MenuForm>(QStringLiteral("menu")))
            finals += menu->complete() ? 1 : 0;
        recent.push_back(done);
        if (recent.size() > 12) recent.erase(recent.begin());
        const std::string wrong = violation(p);
        if (!wrong.empty()) {
            std::string trail;
            for (const std::string& r : recent) trail += "\n  " + r;
            FAIL() << "after action " << k + 1 << " (ZELMOR_SEED=" << seed << "): " << wrong
                   << "\nlast actions:" << trail << "\nmodel: " << describe(p.document().model);
        }
    }
    std::cout << "random actions: " << reached << " reached their control, " << finals
              << " ended on the final step" << std::endl;
    // A run where nothing could be reached would prove nothing.
    EXPECT_GT(reached, actions / 3);
    EXPECT_GT(finals, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomActions, ::testing::ValuesIn(seeds()), seedName);

}  // namespace
