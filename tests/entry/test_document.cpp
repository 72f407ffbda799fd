// Open brings both working windows to the state the file alone defines: the same file opened in
// a fresh program and over any earlier state gives the same controls, item for item, and the
// same document; a file whose first line cannot be read changes nothing; a complete file is
// saved back byte for byte.
#include "model/datafile.h"
#include "support/fixture.h"
#include "support/program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

using namespace zelmor;
using testsupport::Program;

namespace {

QString pick(std::mt19937& rng, const QStringList& list) {
    return list.at(static_cast<qsizetype>(rng() % static_cast<unsigned>(list.size())));
}

// A model the procedure could have built: valid typologies, values (a typed one among them),
// links that never name the subsystem itself, a number twice or one above the count.
model::ModelData makeModel(std::mt19937& rng, int kind, int n) {
    model::ModelData m;
    m.endemicKind = static_cast<model::EndemicKind>(kind);
    m.endemicTypology = static_cast<int>(rng() % 9) + 1;
    m.endemicTypologyText =
        (kind == 2 ? model::linearTypologies() : model::areaTypologies())[*m.endemicTypology - 1];
    m.endemicValue = pick(rng, model::valueItems());
    m.subsystemCount = QString::number(n);
    for (int i = 1; i <= n; ++i) {
        model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        s.typology = static_cast<int>(rng() % 9) + 1;
        s.typologyText = model::particularTypologies()[*s.typology - 1];
        s.value = rng() % 7 == 0 ? QStringLiteral("molto forte") : pick(rng, model::valueItems());
        std::vector<int> others;
        for (int j = 1; j <= n; ++j) {
            if (j != i && rng() % 3 == 0) others.push_back(j);
        }
        std::shuffle(others.begin(), others.end(), rng);
        s.links = model::linkText(others);
    }
    return m;
}

model::TitlePage makeTitle(std::mt19937& rng, int n) {
    static const QStringList words{
        QStringLiteral("Piano"),    QStringLiteral("città"), QStringLiteral("Forlì, centro"),
        QStringLiteral("variante"), QStringLiteral("è"),     QStringLiteral("zona 3")};
    auto text = [&](int count) {
        QStringList parts;
        for (int k = 0; k < count; ++k) parts << pick(rng, words);
        return parts.join(QLatin1Char(' '));
    };
    model::TitlePage t;
    t.project = text(3);
    t.place = text(2);
    t.studyType = text(2);
    t.client = text(2);
    t.town = rng() % 2 ? text(1) : QString();
    t.date = QStringLiteral("12/03/2026");
    t.attachments = text(3);
    for (int i = 0; i < n; ++i) t.denominations[static_cast<std::size_t>(i)] = text(1);
    return t;
}

struct DataFile {
    QString name;
    QByteArray bytes;
};

// Every kind and count whole; some of them cut after a later line; some broken on line 1.
std::vector<DataFile> corpus() {
    std::mt19937 rng(20261207);
    std::vector<DataFile> files;
    for (int kind = 1; kind <= 3; ++kind) {
        for (int n = 1; n <= 9; ++n) {
            const QByteArray bytes =
                model::writeDataFile(makeModel(rng, kind, n), makeTitle(rng, n));
            files.push_back({QStringLiteral("Zelmor-dati-k%1-n%2").arg(kind).arg(n), bytes});
            if ((kind + n) % 2 == 0) {
                // Cut after line 2..2n+2: the read breaks on a later line.
                const QList<QByteArray> lines = bytes.split('\n');
                const int keep = 1 + static_cast<int>(rng() % static_cast<unsigned>(2 * n + 1));
                QByteArray cut;
                for (int l = 0; l < keep; ++l) cut += lines[l] + '\n';
                files.push_back(
                    {QStringLiteral("Zelmor-dati-k%1-n%2-cut%3").arg(kind).arg(n).arg(keep), cut});
            }
        }
    }
    // Whole files whose typology caption is of another kind's table, as a save after a change
    // of kind writes them: no typology is chosen.
    files.push_back({QStringLiteral("Zelmor-dati-altro-tipo-1"),
                     "2,\"angolo nord-ovest\",6,\"\",\"1\"\r\n1,\"centrale\",\"forte\",\"con "
                     "nessuno\"\r\n\"Argine\",\"\",\"\"\r\n\"\",\"\",\"oggi\",\"\"\r\n\"\"\r\n"});
    files.push_back({QStringLiteral("Zelmor-dati-altro-tipo-2"),
                     "1,\"croce centrale\",9,\"medio\",\"2\"\r\n1,\"centrale\",\"forte\",\"con "
                     "2\"\r\n3,\"lato sud\",\"debole\",\"con nessuno\"\r\n\"Argine\",\"\",\"\"\r\n"
                     "\"\",\"\",\"oggi\",\"\"\r\n\"a\"\r\n\"b\"\r\n"});
    for (const char* first :
         {"1,\"totale\",1,\"medio\",\"+2\"\r\n", "7,\"totale\",1,\"medio\",\"1\"\r\n",
          "1,\"totale\",1,\"medio\",\"0\"\r\n", "", "\x89PNG\r\n\x1a\n"}) {
        files.push_back({QStringLiteral("Zelmor-dati-rotto-%1").arg(files.size()),
                         QByteArray(first) + "1,\"centrale\",\"forte\",\"con 2\"\r\n"});
    }
    return files;
}

// The states a user may leave the windows in before opening a file.
struct EarlierState {
    const char* what;
    std::function<void(Program&, const model::ModelData& fileModel, const QString& other)> reach;
};

std::vector<EarlierState> earlierStates() {
    std::mt19937 rng(7);
    const model::ModelData nine = makeModel(rng, 2, 9);
    const model::TitlePage nineTitle = makeTitle(rng, 9);
    return {
        {"half-entered model",
         [](Program& p, const model::ModelData&, const QString&) {
             p.click("menu", "endemica", 1);
             p.click("menu", "Option1", 2);
             p.choose("menu", "valore", 0, QStringLiteral("medio"));
             p.scroll(4);
             p.click("menu", "Check1", 1);
             p.click("menu", "Option3", 3);
             p.choose("menu", "Combo1", 1, QStringLiteral("forte"));
             p.click("menu", "Check1", 2);
         }},
        {"the same model entered by hand, title page typed",
         [](Program& p, const model::ModelData& m, const QString&) {
             p.enter(m);
             p.click("menu", "fin3");
             p.set("frontespizio", "progetto", 0, QStringLiteral("Altro progetto"));
             p.set("frontespizio", "allegati", 0, QStringLiteral("tavole"));
         }},
        {"the same model, its last subsystem waiting for a typology",
         [](Program& p, const model::ModelData& m, const QString&) {
             p.enter(m);
             if (const int n = m.count()) {
                 p.click("menu", "Check1", n);
                 p.click("menu", "Check1", n);
             }
         }},
        {"nine subsystems of another kind, every denomination typed",
         [nine, nineTitle](Program& p, const model::ModelData&, const QString&) {
             p.enter(nine);
             p.click("menu", "fin3");
             p.set("frontespizio", "progetto", 0, nineTitle.project);
             for (int i = 1; i <= 9; ++i)
                 p.set("frontespizio", "denominazione", i,
                       nineTitle.denominations[static_cast<std::size_t>(i - 1)]);
             p.click("menu", "correggo", 4);
             p.click("menu", "legami", 9);
         }},
        {"another kind chosen after a complete model",
         [nine](Program& p, const model::ModelData& m, const QString&) {
             p.enter(nine);
             p.click("menu", "endemica", m.endemicKind == model::EndemicKind::Puntuale ? 1 : 3);
         }},
        {"another file read only in part",
         [](Program& p, const model::ModelData&, const QString& other) { p.open(other); }},
    };
}

class OpenProperty : public testsupport::FolderTest {
  protected:
    QString write(const DataFile& f) { return FolderTest::write(f.name, f.bytes); }
};

TEST_F(OpenProperty, AFileGivesTheSameWindowsWhateverTheyShowedBefore) {
    const std::vector<DataFile> files = corpus();
    ASSERT_GE(files.size(), 30u);
    // An earlier file read only in part, for the last earlier state.
    const QString partial = write({QStringLiteral("Zelmor-dati-parziale"),
                                   QByteArray("3,\"lato sud\",3,\"forte\",\"3\"\r\n"
                                              "2,\"lato nord\",\"debole\",\"con 3\"\r\n")});
    int whole = 0;
    int broken = 0;
    int unread = 0;
    for (const DataFile& f : files) {
        SCOPED_TRACE(f.name.toStdString());
        const QString path = write(f);
        const model::DataFileContent content = model::readDataFile(f.bytes);
        const model::ModelData fileModel = content.model;

        Program fresh(dir.path());
        const auto before = testsupport::controlStates(fresh);
        fresh.open(path);
        const auto expected = testsupport::controlStates(fresh);
        const model::Document expectedDocument = fresh.document();
        const auto expectedStep = fresh.menu().step();
        if (content.headerRead) {
            EXPECT_EQ(fresh.menu().complete(), fileModel.isComplete());
        }

        if (!content.headerRead) {
            ++unread;
            EXPECT_EQ(expected, before);
        } else if (content.complete()) {
            ++whole;
            EXPECT_EQ(expectedDocument.fileName, path);
            // Saved back where it came from, without a dialog: the same bytes.
            fresh.click("menu", "salva");
            EXPECT_EQ(fresh.fakes.files.shown.size(), 1u);
            EXPECT_EQ(read(path), f.bytes);
        } else {
            ++broken;
            EXPECT_TRUE(expectedDocument.fileName.isEmpty());
        }

        for (const EarlierState& state : earlierStates()) {
            SCOPED_TRACE(state.what);
            Program p(dir.path());
            state.reach(p, fileModel, partial);
            write(f);  // the fresh program's save may have touched it
            const auto earlier = testsupport::controlStates(p);
            const model::Document earlierDocument = p.document();
            p.open(path);
            if (!content.headerRead) {
                EXPECT_EQ(testsupport::controlStates(p), earlier);
                EXPECT_EQ(p.document(), earlierDocument);
                continue;
            }
            const auto got = testsupport::controlStates(p);
            ASSERT_EQ(got.size(), expected.size());
            for (std::size_t k = 0; k < got.size(); ++k) EXPECT_EQ(got[k], expected[k]);
            EXPECT_EQ(p.document(), expectedDocument);
            EXPECT_EQ(p.menu().step(), expectedStep);
        }
    }
    EXPECT_GE(whole, 29);
    EXPECT_GE(broken, 10);
    EXPECT_GE(unread, 5);
}

// A model saved after a change of kind to one of another typology table opens as the window
// showed it when it was saved: the new kind chosen, its typology asked for, nothing after it open.
TEST_F(OpenProperty, AFileSavedAfterAChangeOfKindOpensAsTheWindowThatSavedIt) {
    std::mt19937 rng(27);
    for (const auto& [from, to] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{2, 3}}) {
        SCOPED_TRACE(testing::Message() << "kind " << from << " to " << to);
        const int n = static_cast<int>(rng() % 9) + 1;
        const QString path =
            dir.filePath(QStringLiteral("Zelmor-dati-tipo-%1-%2").arg(from).arg(to));
        Program saving(dir.path());
        saving.enter(makeModel(rng, from, n));
        ASSERT_TRUE(saving.menu().complete());
        saving.click("menu", "fin3");
        saving.set("frontespizio", "progetto", 0, QStringLiteral("Argine"));
        saving.click("menu", "endemica", to);
        saving.fakes.files.answers.push_back(path);
        saving.click("menu", "salva");
        ASSERT_EQ(saving.document().fileName, path);

        Program opening(dir.path());
        opening.open(path);
        EXPECT_EQ(opening.menu().step(), entry::MenuForm::Step::KindChosen);
        EXPECT_EQ(opening.menu().step(), saving.menu().step());
        EXPECT_EQ(opening.document().model, saving.document().model);
        EXPECT_EQ(opening.document().title, saving.document().title);
        const auto got = testsupport::controlStates(opening);
        const auto expected = testsupport::controlStates(saving);
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t k = 0; k < got.size(); ++k) EXPECT_EQ(got[k], expected[k]);
    }
}

}  // namespace
