// The title-page window without a display: the date it starts with, the file commands against
// the data-entry window's, the toolbar's dispatch and the colour dialog.
#include "titlepage/frontespizioform.h"

#include "model/datafile.h"
#include "support/programtest.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

TEST(LongDate, ItalianWeekdayDayShortMonthYear) {
    struct Row {
        QDate date;
        const char* text;
    } rows[] = {
        {QDate(2026, 12, 7), "lunedì, 7 dic 2026"},   {QDate(2026, 12, 8), "martedì, 8 dic 2026"},
        {QDate(2027, 1, 6), "mercoledì, 6 gen 2027"}, {QDate(2027, 2, 4), "giovedì, 4 feb 2027"},
        {QDate(2027, 3, 5), "venerdì, 5 mar 2027"},   {QDate(2027, 4, 10), "sabato, 10 apr 2027"},
        {QDate(2027, 5, 9), "domenica, 9 mag 2027"},  {QDate(2024, 6, 30), "domenica, 30 giu 2024"},
        {QDate(2024, 7, 1), "lunedì, 1 lug 2024"},    {QDate(2024, 8, 15), "giovedì, 15 ago 2024"},
        {QDate(2024, 9, 2), "lunedì, 2 set 2024"},    {QDate(2024, 10, 31), "giovedì, 31 ott 2024"},
        {QDate(2024, 11, 1), "venerdì, 1 nov 2024"},  {QDate(2000, 2, 29), "martedì, 29 feb 2000"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(titlepage::longDate(r.date), QString::fromUtf8(r.text)) << r.text;
    }
    EXPECT_EQ(titlepage::longDate(QDate()), QString());
}

class TitlePageTest : public testsupport::ProgramTest {
  protected:
    void beforeStart() override { fakes.platform.date = QDate(2026, 12, 7); }

    titlepage::FrontespizioForm& title() {
        return *program.app().formAs<titlepage::FrontespizioForm>(QStringLiteral("frontespizio"));
    }
    // What a file holds, or a mark that it cannot be read.
    static QByteArray read(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void writeFile(const QString& p, const QByteArray& bytes) {
        ASSERT_TRUE(FolderTest::writeFile(p, bytes)) << p.toStdString();
    }
    std::size_t messages() const { return fakes.messages.shown.size(); }
};

// A model that the guided procedure could have produced, and a title page of printable text
// with the letters of an Italian keyboard (no double quotes, which the file cannot carry).
struct Sample {
    model::ModelData model;
    model::TitlePage title;
};

Sample randomSample(QRandomGenerator& rng) {
    static const QString letters =
        QStringLiteral("abcdefghilmnopqrstuvzàèéìòù ABC,.;:'-/0123456789");
    const auto text = [&](int maxLen) {
        QString s;
        const int n = static_cast<int>(rng.bounded(maxLen + 1));
        for (int i = 0; i < n; ++i) s += letters.at(static_cast<int>(rng.bounded(letters.size())));
        return s;
    };
    Sample s;
    model::ModelData& m = s.model;
    const int kind = static_cast<int>(rng.bounded(1, 4));
    m.endemicKind = static_cast<model::EndemicKind>(kind);
    const QStringList& typologies = kind == 2 ? model::linearTypologies() : model::areaTypologies();
    const int endemic = static_cast<int>(rng.bounded(1, 10));
    m.endemicTypology = endemic;
    m.endemicTypologyText = typologies.at(endemic - 1);
    m.endemicValue = model::valueItems().at(static_cast<int>(rng.bounded(3)));
    const int n = static_cast<int>(rng.bounded(1, 10));
    m.subsystemCount = QString::number(n);
    for (int i = 1; i <= n; ++i) {
        model::Subsystem& sub = m.subsystems[static_cast<std::size_t>(i - 1)];
        const int t = static_cast<int>(rng.bounded(1, 10));
        sub.typology = t;
        sub.typologyText = model::particularTypologies().at(t - 1);
        sub.value = model::valueItems().at(static_cast<int>(rng.bounded(3)));
        std::vector<int> links;
        for (int j = 1; j <= n; ++j) {
            if (j != i && rng.bounded(3) == 0) links.push_back(j);
        }
        sub.links = model::linkText(links);
    }
    model::TitlePage& t = s.title;
    t.project = text(60);
    if (t.project.isEmpty()) t.project = QStringLiteral("progetto");
    t.place = text(60);
    t.studyType = text(60);
    t.client = text(60);
    t.town = text(60);
    t.date = text(60);
    t.attachments = text(60);
    for (int i = 0; i < n; ++i) t.denominations[static_cast<std::size_t>(i)] = text(25);
    return s;
}

// Whatever the data, a file opened in the title page is written back byte for byte by the
// title page's "save as" and by the data-entry window's, so the two windows write one layout.
TEST_F(TitlePageTest, BothWindowsWriteTheSameBytesForTheSameData) {
    QRandomGenerator rng(20261207);
    for (int round = 0; round < 40; ++round) {
        const Sample s = randomSample(rng);
        const QByteArray original = model::writeDataFile(s.model, s.title);
        const QString source = path("Zelmor-dati-sorgente");
        writeFile(source, original);

        fakes.files.answers.push_back(source);
        click(round % 2 == 0 ? "menu" : "frontespizio", "apri");
        if (round == 0) click("menu", "fin3");
        ASSERT_TRUE(menu().complete()) << original.toStdString();
        EXPECT_EQ(title().titlePage().project, s.title.project);

        fakes.files.answers.push_back(path("Zelmor-dati-F"));
        click("frontespizio", "salvanome");
        fakes.files.answers.push_back(path("Zelmor-dati-M"));
        click("menu", "salvanome");
        EXPECT_EQ(read(path("Zelmor-dati-F")), original) << "round " << round;
        EXPECT_EQ(read(path("Zelmor-dati-M")), original) << "round " << round;
        ASSERT_EQ(messages(), 0U) << fakes.messages.shown.front().text.toStdString();
    }
}

// The data-entry window's "Salva" writes the current file whichever window made it current;
// only a name chosen later in its own dialog (a deleted file, say) takes its place.
TEST_F(TitlePageTest, SaveWithoutDialogWritesTheCurrentFileOfEitherWindow) {
    Sample s;
    {
        QRandomGenerator rng(7);
        s = randomSample(rng);
    }
    const QByteArray bytes = model::writeDataFile(s.model, s.title);
    writeFile(path("Zelmor-dati-A"), bytes);
    writeFile(path("Zelmor-dati-B"), bytes);

    fakes.files.answers.push_back(path("Zelmor-dati-A"));
    click("menu", "apri");
    click("menu", "fin3");
    fakes.files.answers.push_back(path("Zelmor-dati-B"));
    click("frontespizio", "apri");
    QFile::remove(path("Zelmor-dati-A"));
    QFile::remove(path("Zelmor-dati-B"));
    click("menu", "salva");
    EXPECT_EQ(read(path("Zelmor-dati-B")), bytes);
    EXPECT_FALSE(QFile::exists(path("Zelmor-dati-A")));

    // A fresh data-entry window (after its clear command) saves to the current file too, not to
    // the bare "Zelmor-dati-" its dialog starts with.
    click("menu", "cancelladati");
    fakes.files.answers.push_back(path("Zelmor-dati-B"));
    click("frontespizio", "apri");
    QFile::remove(path("Zelmor-dati-B"));
    click("menu", "salva");
    EXPECT_EQ(read(path("Zelmor-dati-B")), bytes);
    EXPECT_EQ(fakes.files.shown.size(), 3U);  // the three opens, no save dialog

    // The deleted file, chosen last in the data-entry window's dialog, is where it saves.
    writeFile(path("Zelmor-dati-C"), "x");
    fakes.files.answers.push_back(path("Zelmor-dati-C"));
    click("menu", "eliminare");
    click("menu", "salva");
    EXPECT_EQ(read(path("Zelmor-dati-C")), bytes);
    EXPECT_EQ(program.shared().document().fileName, path("Zelmor-dati-C"));
    EXPECT_EQ(messages(), 0U);
}

// The data-entry window's save needs a project: the title page is loaded hidden to look, and
// shown with the refusal.
TEST_F(TitlePageTest, MenuSaveLooksAtAHiddenTitlePageAndShowsItWhenTheProjectIsMissing) {
    writeFile(path("Zelmor-dati-1"),
              "1,\"totale\",1,\"medio\",\"1\"\r\n1,\"centrale\",\"forte\",\"con nessuno\"\r\n"
              "\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\"\r\n\"d\"\r\n");
    EXPECT_FALSE(program.app().isLoaded(QStringLiteral("frontespizio")));
    fakes.files.answers.push_back(path("Zelmor-dati-1"));
    click("menu", "apri");
    ASSERT_TRUE(program.app().isLoaded(QStringLiteral("frontespizio")));
    EXPECT_FALSE(title().visible());
    EXPECT_EQ(title().at(QStringLiteral("denominazione"), 1).text(), QStringLiteral("d"));
    // Its load ran before the file filled it: the office data and hint are there.
    EXPECT_EQ(title().at(QStringLiteral("passo")).text(),
              QStringLiteral("digitare i dati in ogni campo"));

    run([&] { program.app().unload(QStringLiteral("frontespizio")); });
    click("menu", "salva");
    ASSERT_EQ(messages(), 1U);
    EXPECT_EQ(fakes.messages.shown[0].text,
              QStringLiteral("Attenzione: immettere i dati del progetto."));
    EXPECT_EQ(fakes.messages.shown[0].icon, tk::MessageIcon::Critical);
    ASSERT_TRUE(program.app().isLoaded(QStringLiteral("frontespizio")));
    EXPECT_TRUE(title().visible());
    EXPECT_EQ(title().at(QStringLiteral("data")).text(), QString::fromUtf8("lunedì, 7 dic 2026"));
    EXPECT_TRUE(fakes.files.shown.size() == 1U);  // no save dialog
}

// A separator stands for the button after it and an index out of range for the first one.
TEST_F(TitlePageTest, ToolbarSeparatorsAndStrayIndexesDispatchLikeTheirNeighbours) {
    click("menu", "fin3");
    struct Row {
        int index;
        const char* expectation;
    } rows[] = {
        {0, "open"},    {22, "open"}, {-5, "open"},  {1, "open"},   {5, "report"},  {7, "menu"},
        {11, "colour"}, {13, "none"}, {18, "check"}, {10, "where"}, {9, "refused"},
    };
    for (const Row& r : rows) {
        const std::size_t files = fakes.files.shown.size();
        const std::size_t colours = fakes.colors.shownWith.size();
        const std::size_t shown = messages();
        run([&] { program.app().hide(QStringLiteral("menu")); });
        if (std::string(r.expectation) == "open") fakes.files.answers.push_back(std::nullopt);
        if (std::string(r.expectation) == "colour") fakes.colors.answers.push_back(std::nullopt);
        run([&] { title().Toolbar1_ButtonClick(r.index); });
        const std::string e = r.expectation;
        EXPECT_EQ(fakes.files.shown.size() - files, e == "open" ? 1U : 0U) << r.index;
        EXPECT_EQ(fakes.colors.shownWith.size() - colours, e == "colour" ? 1U : 0U) << r.index;
        // The full report, without a model, refuses and brings the data-entry window forward.
        EXPECT_EQ(menu().visible(), e == "menu" || e == "report") << r.index;
        const bool message = e == "check" || e == "where" || e == "refused" || e == "report";
        ASSERT_EQ(messages() - shown, message ? 1U : 0U) << r.index;
        if (!message) continue;
        const QString text = fakes.messages.shown.back().text;
        const QString wanted = e == "check" ? QString::fromUtf8("Non è stato immesso alcun dato.")
                               : e == "where"
                                   ? QStringLiteral("E' questa la finestra Frontespizio.")
                               : e == "report" ? QStringLiteral(
                                                     "Non esistono dati del modello da stampare: "
                                                     "immetterli nella finestra Menu o aprire un "
                                                     "file archiviato.")
                                               : QStringLiteral(
                                                     "Per poter visualizzare il disegno di "
                                                     "un modello bisogna immettere tutti "
                                                     "i dati necessari.");
        EXPECT_EQ(text, wanted) << r.index;
    }
    EXPECT_FALSE(program.app().isLoaded(QStringLiteral("disegno")));
}

// The colour dialog opens on the colour last chosen in this window (black at first); the choice
// colours this window only and becomes the program's last colour.
TEST_F(TitlePageTest, ColourDialogRemembersThisWindowsChoice) {
    click("menu", "fin3");
    fakes.colors.answers = {tk::Color{10, 20, 30}, std::nullopt, tk::Color{40, 50, 60}};
    click("frontespizio", "colorare");
    click("frontespizio", "colorare");
    click("frontespizio", "colorare");
    ASSERT_EQ(fakes.colors.shownWith.size(), 3U);
    EXPECT_EQ(fakes.colors.shownWith[0], (tk::Color{0, 0, 0}));
    EXPECT_EQ(fakes.colors.shownWith[1], (tk::Color{10, 20, 30}));
    EXPECT_EQ(fakes.colors.shownWith[2], (tk::Color{10, 20, 30}));
    EXPECT_EQ(title().backColor(), (tk::Color{40, 50, 60}));
    EXPECT_EQ(program.shared().lastBackColor, (tk::Color{40, 50, 60}));
    EXPECT_EQ(menu().backColor(), tk::colors::kLightGrey);
    EXPECT_EQ(title().at(QStringLiteral("Label2")).backColor(), tk::colors::kYellow);
}

// The keyboard walks the fields top to bottom, then the denominations.
TEST_F(TitlePageTest, TabOrderRunsDownTheLeftColumnThenTheDenominations) {
    click("menu", "fin3");
    std::vector<std::pair<int, QString>> order;
    for (const auto& c : title().controls()) {
        if (c->tabIndex() >= 0) order.emplace_back(c->tabIndex(), c->displayName());
    }
    std::sort(order.begin(), order.end());
    QStringList names;
    for (const auto& [i, name] : order) names << name;
    EXPECT_EQ(names.join(QLatin1Char(' ')),
              QString::fromUtf8("progetto località tipostudio committente luogo data allegati "
                                "denominazione(1) denominazione(2) denominazione(3) "
                                "denominazione(4) denominazione(5) denominazione(6) "
                                "denominazione(7) denominazione(8) denominazione(9)"));
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i].first, static_cast<int>(i));
}

}  // namespace
