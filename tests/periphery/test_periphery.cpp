// The windows around the program: the price-list reader on its own, then the catalogue, about,
// support and message windows driven without a display.
#include "periphery/emailform.h"
#include "periphery/informaform.h"
#include "periphery/pricelist.h"
#include "periphery/prodottiform.h"
#include "periphery/supportoclientiform.h"
#include "periphery/ufficioform.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace zelmor;
using periphery::PriceEntry;

namespace {

// A literal's bytes, NULs included.
template <std::size_t N>
QByteArray bytesOf(const char (&s)[N]) {
    return QByteArray(s, static_cast<qsizetype>(N - 1));
}

PriceEntry entry(const char* code, const char* description, const char* price) {
    return {QString::fromUtf8(code), QString::fromUtf8(description), QString::fromUtf8(price)};
}

// ---- the price list ------------------------------------------------------------------------

struct ParseRow {
    const char* what;
    QByteArray bytes;
    std::vector<PriceEntry> expected;
};

TEST(PriceList, ReadsWellFormedLinesAndSkipsEverythingElse) {
    const std::vector<ParseRow> rows = {
        {"one line with LF", "A1;Prodotto;490,00\n", {entry("A1", "Prodotto", "490,00")}},
        {"CR LF line ends",
         "A1;Uno;1,00\r\nB2;Due;2,00\r\n",
         {entry("A1", "Uno", "1,00"), entry("B2", "Due", "2,00")}},
        {"mixed line ends, no end on the last line",
         "A1;Uno;1,00\r\nB2;Due;2,00\nC3;Tre;3,00",
         {entry("A1", "Uno", "1,00"), entry("B2", "Due", "2,00"), entry("C3", "Tre", "3,00")}},
        {"comments and blank lines",
         "# listino\r\n\r\n   \r\n  # rientrato\r\n\tA1;Uno;1,00\r\n#B2;Due;2,00\r\n",
         {entry("A1", "Uno", "1,00")}},
        {"blanks around fields",
         "  A1 ;  Uno e mezzo  ; 1,50 \r\n",
         {entry("A1", "Uno e mezzo", "1,50")}},
        {"empty file", "", {}},
        {"only line ends", "\r\n\n\r\n", {}},
        {"too few fields", "A1;Uno\nA2\n", {}},
        {"too many fields", "A1;Uno;due;1,00\nA1;Uno;1,00;\n", {}},
        {"empty fields", ";Uno;1,00\nA1;;1,00\nA1;Uno;\nA1;   ;1,00\n;;\n", {}},
        {"prices that are not a decimal-comma number",
         "P1;x;490\nP2;x;490.00\nP3;x;49,5\nP4;x;49,500\nP5;x;-5,00\nP6;x;abc\n"
         "P7;x;,50\nP8;x;1 250,00\nP9;x;1,000,00\nP10;x;12.34,00\nP11;x;1.2500,00\n"
         "P12;x;1250,00 euro\nP13;x;EUR 1,00\n",
         {}},
        {"prices with thousands, cents, a euro sign",
         "P1;x;0,50\nP2;x;1.250,00\nP3;x;12.345.678,90\nP4;x;\x80 490,00\nP5;x;\x80"
         "490,00\n"
         "P6;x;1250,00\n",
         {entry("P1", "x", "0,50"), entry("P2", "x", "1.250,00"), entry("P3", "x", "12.345.678,90"),
          entry("P4", "x", "490,00"), entry("P5", "x", "490,00"), entry("P6", "x", "1250,00")}},
        {"Windows-1252 letters and the euro sign",
         "D1;Edizione per l'universit\xE0 e la citt\xE0;120,00\r\n"
         "D2;Buono da 50 \x80 \x96 validit\xE0 un anno;50,00\r\n",
         {entry("D1", "Edizione per l'università e la città", "120,00"),
          entry("D2", "Buono da 50 € – validità un anno", "50,00")}},
        {"digits of another script are no price",
         "\xEF\xBB\xBF"
         "P;x;\xD9\xA1,00\nQ;x;1,\xD9\xA1\xD9\xA1\n",
         {}},
        {"UTF-8 with its byte-order mark",
         "\xEF\xBB\xBF"
         "D1;Universit\xC3\xA0 \xE2\x82\xAC;1,00\r\n",
         {entry("D1", "Università €", "1,00")}},
        {"control characters inside a field",
         bytesOf("C1;de\x01sc;1,00\nC2;a\tb;1,00\nC3;nul\0lo;1,00\nC4;x\x81y;1,00\n"
                 "C5;x\x7Fy;1,00\nC6;ok;1,00\n"),
         {entry("C6", "ok", "1,00")}},
        {"a lone CR does not end a line", "A1;Uno;1,00\rB2;Due;2,00\r\n", {}},
        {"garbage lines among good ones",
         bytesOf("\xFF\xFE\x00\x01;\x02\n\x89PNG\r\n\x1A\nA1;Uno;1,00\n\xC0\xC1;\xF5;\xFF\n"
                 "B2;Due;2,00\n"),
         {entry("A1", "Uno", "1,00"), entry("B2", "Due", "2,00")}},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(periphery::parsePriceList(row.bytes), row.expected);
    }
}

TEST(PriceList, LongLinesUpToTheLimitOnly) {
    // "L;" + description + ";1,00" is the line without its end.
    const auto line = [](qsizetype length) {
        const qsizetype description = length - 2 - 5;
        return "L;" + QByteArray(description, 'd') + ";1,00";
    };
    const qsizetype limit = periphery::kMaxLineBytes;
    ASSERT_EQ(line(limit).size(), limit);
    // The CR of a CR LF end does not count towards the length.
    const auto read = periphery::parsePriceList(line(limit) + "\r\n" + line(limit + 1) + "\r\n" +
                                                line(20000) + "\nZ;z;9,99\n");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].description.size(), limit - 7);
    EXPECT_EQ(read[1], entry("Z", "z", "9,99"));
}

QByteArray numberedLines(int count, int from = 1) {
    QByteArray out;
    for (int i = from; i < from + count; ++i) {
        out += QStringLiteral("P%1;Prodotto numero %1;%1,00\r\n").arg(i).toLatin1();
    }
    return out;
}

TEST(PriceList, AtMostTheEntryLimit) {
    const auto read = periphery::parsePriceList(numberedLines(500));
    ASSERT_EQ(read.size(), periphery::kMaxPriceEntries);
    EXPECT_EQ(read.front().code, QStringLiteral("P1"));
    EXPECT_EQ(read.back().code, QStringLiteral("P%1").arg(periphery::kMaxPriceEntries));
}

TEST(PriceList, OnlyTheFirstBytesAreReadAndALineCutByTheLimitIsDropped) {
    const qsizetype limit = periphery::kMaxPriceListBytes;
    const QByteArray good = "A1;Uno;1,00\n";
    // Comment lines of 64 bytes fill everything but the room left at the end.
    const auto filler = [](qsizetype size) {
        QByteArray out;
        while (out.size() + 64 <= size) out += "#" + QByteArray(62, '-') + "\n";
        const qsizetype rest = size - out.size();
        if (rest == 1) out += "\n";
        if (rest > 1) out += "#" + QByteArray(rest - 2, '-') + "\n";
        return out;
    };
    struct Row {
        const char* what;
        QByteArray bytes;
        std::vector<PriceEntry> expected;
    };
    const std::vector<Row> rows = {
        {"a last line ending right at the limit",
         filler(limit - good.size()) + good,
         {entry("A1", "Uno", "1,00")}},
        {"a last line without its end, right at the limit",
         filler(limit - good.size() + 1) + good.chopped(1),
         {entry("A1", "Uno", "1,00")}},
        // Here the file goes on: "1,00" would be read as "1,0" or "1" and is not the price.
        {"a line whose price the limit cuts",
         filler(limit - good.size() + 2) + good + "B2;Due;2,00\n",
         {}},
        {"a line that starts beyond the limit", filler(limit) + good, {}},
        {"a price cut right before its line end, the file going on",
         filler(limit - good.size() + 1) + good + "B2;Due;2,00\n",
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(periphery::parsePriceList(row.bytes), row.expected);
    }
}

TEST(PriceList, ArbitraryBytesGiveOnlyWellFormedEntries) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        // Some rounds lean towards the characters of the format, to make near-entries.
        const bool nearFormat = round % 2 == 1;
        QByteArray bytes;
        const int size = 1000 + round * 9000;
        for (int i = 0; i < size; ++i) {
            const int b = byte(random);
            bytes += nearFormat && b < 128 ? ";,0123456789\n\r#aZ "[b % 19] : static_cast<char>(b);
        }
        for (const PriceEntry& e : periphery::parsePriceList(bytes)) {
            EXPECT_FALSE(e.code.isEmpty());
            EXPECT_FALSE(e.description.isEmpty());
            EXPECT_TRUE(periphery::isPriceText(e.price)) << e.price.toStdString();
            for (const QString& field : {e.code, e.description}) {
                EXPECT_EQ(field, field.trimmed());
                for (QChar c : field) EXPECT_NE(c.category(), QChar::Other_Control);
                EXPECT_FALSE(field.contains(QLatin1Char(';')));
            }
        }
    }
}

TEST(PriceList, TheShippedListIsReadWhole) {
    QFile file(QStringLiteral(ZELMOR_RESOURCES_DIR "/listino.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // Every line, comments included, ends in CR LF.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // Every product line is read: nothing is silently dropped.
    int productLines = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith('#')) ++productLines;
    }
    const auto read = periphery::parsePriceList(bytes);
    EXPECT_EQ(static_cast<int>(read.size()), productLines);
    EXPECT_GE(read.size(), 8u);
    EXPECT_LE(read.size(), 15u);
    // Windows-1252, not UTF-8: the accented letters are single bytes.
    EXPECT_FALSE(bytes.contains("\xC3"));
    EXPECT_TRUE(bytes.contains("\xE0"));
    QStringList codes;
    for (const PriceEntry& e : read) {
        EXPECT_FALSE(codes.contains(e.code)) << e.code.toStdString();
        codes.append(e.code);
        EXPECT_LE(e.description.size(), 60) << e.description.toStdString();
    }
}

// ---- the windows ---------------------------------------------------------------------------

class Periphery : public testsupport::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        if (HasFatalFailure()) return;
        fakes.platform.folder = dir.path();
        add<periphery::InformaForm>("informa");
        add<periphery::SupportoClientiForm>("supportoclienti");
        add<periphery::ProdottiForm>("prodotti");
        add<periphery::EmailForm>("emailform");
        add<periphery::UfficioForm>("ufficio");
    }

    template <class F>
    void add(const char* name) {
        app.registerForm(QString::fromLatin1(name),
                         [this](tk::Application& a) { return std::make_unique<F>(a, shared); });
    }

    tk::Form& show(const char* name) {
        tk::Form* f = nullptr;
        run([&] { f = &app.show(QString::fromLatin1(name)); });
        return *f;
    }
    tk::Form* loaded(const char* name) { return app.form(QString::fromLatin1(name)); }

    void writeList(const QByteArray& bytes) {
        ASSERT_TRUE(writeFile(path(QStringLiteral("listino.txt")), bytes));
    }
    // As at start-up: loaded, not shown.
    periphery::ProdottiForm& loadCatalogue() {
        run([&] { app.load(QStringLiteral("prodotti")); });
        return *app.formAs<periphery::ProdottiForm>(QStringLiteral("prodotti"));
    }
    // The rows the catalogue shows: code, description and price of each visible row, in order;
    // the hidden rows must all come after the visible ones.
    QStringList shownRows(const tk::Form& w) {
        QStringList out;
        bool hiddenSeen = false;
        for (int i = 1; i <= periphery::ProdottiForm::kRows; ++i) {
            const tk::Control& code = w.at(QStringLiteral("codice"), i);
            const tk::Control& description = w.at(QStringLiteral("descrizione"), i);
            const tk::Control& price = w.at(QStringLiteral("prezzo"), i);
            EXPECT_EQ(code.visible(), description.visible()) << i;
            EXPECT_EQ(code.visible(), price.visible()) << i;
            if (!code.visible()) {
                hiddenSeen = true;
                continue;
            }
            EXPECT_FALSE(hiddenSeen) << "row " << i << " shown below a hidden row";
            out.append(code.text() + QLatin1Char('|') + description.text() + QLatin1Char('|') +
                       price.text());
        }
        return out;
    }
    static QStringList numberedRows(int from, int to) {
        QStringList out;
        for (int i = from; i <= to; ++i) {
            out.append(QStringLiteral("P%1|Prodotto numero %1|€ %1,00").arg(i));
        }
        return out;
    }

    shared::ModZelmor shared{app};
};

TEST_F(Periphery, CatalogueIsLoadedHiddenAtItsSizeAndShowsTheList) {
    writeList(
        "# prova\r\nZEL-PRO;Zelmor professionale;490,00\r\nZEL-DID;Edizione per l'universit\xE0"
        ";1.250,00\r\nrotta;senza prezzo\r\n");
    tk::Form& w = loadCatalogue();
    EXPECT_FALSE(w.visible());
    EXPECT_EQ(w.caption(), QStringLiteral("Zelmor: catalogo prodotti"));
    EXPECT_EQ(w.width(), 9600);
    EXPECT_EQ(w.height(), 6825);
    // Opened on 75 % of the 15360 x 11520 screen, centred; the fixed size keeps the corner.
    EXPECT_EQ(w.left(), (15360 - 15360 * 3 / 4) / 2);
    EXPECT_EQ(w.top(), (11520 - 11520 * 3 / 4) / 2);
    EXPECT_EQ(shownRows(w), QStringList({QStringLiteral("ZEL-PRO|Zelmor professionale|€ 490,00"),
                                         QStringLiteral("ZEL-DID|Edizione per l'università|€ "
                                                        "1.250,00")}));
    EXPECT_FALSE(w.at(QStringLiteral("VScroll1")).visible());
    EXPECT_FALSE(w.at(QStringLiteral("nondisponibile")).visible());
    EXPECT_TRUE(w.at(QStringLiteral("titoloCodice")).visible());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(Periphery, CatalogueScrollBarOnlyBeyondTwelveAndScrollingShowsTheRightRows) {
    struct Row {
        int entries;
        bool bar;
        int barMaximum;
    };
    for (const Row& row :
         {Row{1, false, 1}, Row{12, false, 1}, Row{13, true, 2}, Row{30, true, 19}}) {
        SCOPED_TRACE(row.entries);
        writeList(numberedLines(row.entries));
        run([&] { app.unload(QStringLiteral("prodotti")); });
        tk::Form& w = loadCatalogue();
        const tk::Control& bar = w.at(QStringLiteral("VScroll1"));
        EXPECT_EQ(bar.visible(), row.bar);
        EXPECT_EQ(bar.value(), 1);
        if (row.bar) {
            EXPECT_EQ(bar.minimum(), 1);
            EXPECT_EQ(bar.maximum(), row.barMaximum);
        }
        EXPECT_EQ(shownRows(w), numberedRows(1, std::min(row.entries, 12)));
    }

    // 30 entries: the bar's value is the first entry shown.
    tk::Form& w = *loaded("prodotti");
    tk::Control& bar = w.at(QStringLiteral("VScroll1"));
    struct Step {
        int set;
        int first;
    };
    for (const Step& s : {Step{5, 5}, Step{19, 19}, Step{2, 2}, Step{100, 19}, Step{-3, 1}}) {
        SCOPED_TRACE(s.set);
        run([&] { bar.setValue(s.set); });
        EXPECT_EQ(bar.value(), s.first);
        EXPECT_EQ(shownRows(w), numberedRows(s.first, s.first + 11));
    }
}

TEST_F(Periphery, CatalogueWithoutAListSaysSoAndNothingElse) {
    struct Row {
        const char* what;
        std::function<void()> prepare;
    };
    const QString path = QDir(dir.path()).filePath(QStringLiteral("listino.txt"));
    const std::vector<Row> rows = {
        {"no file", [] {}},
        {"an empty file", [&] { writeList(QByteArray()); }},
        {"only comments", [&] { writeList("# niente\r\n\r\n"); }},
        {"nothing well formed",
         [&] { writeList(bytesOf("a;b\r\n\xFF\xFE\x00\x00;;;\r\nx;y;1.00\r\n")); }},
        {"a folder of that name", [&] { ASSERT_TRUE(QDir().mkpath(path)); }},
        {"no program folder", [&] { fakes.platform.folder.clear(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QFile::remove(path);
        QDir(path).removeRecursively();
        fakes.platform.folder = dir.path();
        row.prepare();
        run([&] { app.unload(QStringLiteral("prodotti")); });
        tk::Form& w = loadCatalogue();
        EXPECT_TRUE(shownRows(w).isEmpty());
        EXPECT_TRUE(w.at(QStringLiteral("nondisponibile")).visible());
        EXPECT_FALSE(w.at(QStringLiteral("VScroll1")).visible());
        EXPECT_FALSE(w.at(QStringLiteral("titoloDescrizione")).visible());
        EXPECT_TRUE(fakes.messages.shown.empty());
        click(show("prodotti"), "chiudi");
    }
}

TEST_F(Periphery, CatalogueOfAHugeFileShowsItsFirstEntries) {
    writeList(numberedLines(40000));  // about 1.3 MB
    tk::Form& w = loadCatalogue();
    EXPECT_EQ(shownRows(w), numberedRows(1, 12));
    const tk::Control& bar = w.at(QStringLiteral("VScroll1"));
    EXPECT_EQ(bar.maximum(), static_cast<int>(periphery::kMaxPriceEntries) - 11);
}

TEST_F(Periphery, CatalogueCloseHidesItAndItKeepsWhatItRead) {
    writeList(numberedLines(3));
    tk::Form& w = loadCatalogue();
    // The window it is opened from stays on the screen, so the program goes on.
    show("supportoclienti");
    show("prodotti");
    EXPECT_TRUE(w.visible());
    click(w, "chiudi");
    EXPECT_FALSE(w.visible());
    ASSERT_EQ(loaded("prodotti"), &w);

    // Shown again it is the same window, not read again; a new load reads the file anew.
    writeList(numberedLines(5));
    EXPECT_EQ(&show("prodotti"), &w);
    EXPECT_EQ(shownRows(w), numberedRows(1, 3));
    run([&] { app.unload(QStringLiteral("prodotti")); });
    EXPECT_EQ(shownRows(show("prodotti")), numberedRows(1, 5));
}

TEST_F(Periphery, CatalogueKeepsItsRowsInProportionWhenResized) {
    writeList(numberedLines(20));
    tk::Form& w = show("prodotti");
    const tk::Rect before = w.at(QStringLiteral("prezzo"), 12).geometry();
    const tk::Rect barBefore = w.at(QStringLiteral("VScroll1")).geometry();
    run([&] { w.setScaleSize(w.scaleWidth() * 2, w.scaleHeight() * 2); });
    const tk::Rect after = w.at(QStringLiteral("prezzo"), 12).geometry();
    EXPECT_EQ(after,
              (tk::Rect{before.left * 2, before.top * 2, before.width * 2, before.height * 2}));
    EXPECT_EQ(w.at(QStringLiteral("VScroll1")).geometry().left, barBefore.left * 2);
}

TEST(InformaYears, RangeEndsWithTheYearCodesLastTwoDigits) {
    struct Row {
        const char* code;
        const char* range;
    };
    for (const Row& row :
         {Row{"281211", "1999-2011"}, Row{"010125", "1999-2025"}, Row{"99", "1999-2099"},
          Row{"", "1999"}, Row{"7", "1999"}, Row{"28121x", "1999"}, Row{"2812 1", "1999"}}) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(periphery::InformaForm::yearRange(QString::fromLatin1(row.code)),
                  QString::fromLatin1(row.range));
    }
}

TEST_F(Periphery, AboutShowsTheProductTextsCentredAndFollowsTheirChanges) {
    tk::Form& w = show("informa");
    EXPECT_EQ(w.caption(), QStringLiteral("Informazioni su Zelmor"));
    EXPECT_FALSE(w.hasMenuBar());
    EXPECT_EQ(w.borderStyle(), tk::Form::BorderStyle::FixedSingle);
    EXPECT_EQ(w.width(), 6300);
    EXPECT_EQ(w.height(), 4200);
    EXPECT_EQ(w.left(), (15360 - 6300) / 2);
    EXPECT_EQ(w.top(), (11520 - 4200) / 2);
    const tk::Control& name = w.at(QStringLiteral("nome"));
    EXPECT_EQ(name.text(), QStringLiteral("Zelmor"));
    EXPECT_EQ(name.font().name, QStringLiteral("Arial Black"));
    EXPECT_TRUE(name.font().bold);
    EXPECT_EQ(w.at(QStringLiteral("sottotitolo")).text(), shared.product().subtitle);
    EXPECT_EQ(w.at(QStringLiteral("versione")).text(),
              QStringLiteral("Versione 4.04.05 del 14/02/99"));
    EXPECT_TRUE(w.at(QStringLiteral("copyright")).text().contains(QStringLiteral("© 1999-2011")));
    EXPECT_EQ(w.at(QStringLiteral("Image1")).picture(), QStringLiteral("about"));

    click(w, "ok");
    EXPECT_EQ(loaded("informa"), nullptr);

    // New values are read when the window is loaded again.
    shared::Product edition = shared.product();
    edition.yearCode = QStringLiteral("150630");
    edition.version = QStringLiteral("4.05.00");
    shared.setProduct(edition);
    tk::Form& again = show("informa");
    EXPECT_TRUE(
        again.at(QStringLiteral("copyright")).text().contains(QStringLiteral("© 1999-2030")));
    EXPECT_EQ(again.at(QStringLiteral("versione")).text(),
              QStringLiteral("Versione 4.05.00 del 14/02/99"));
}

TEST_F(Periphery, AboutTellsTheOfficeOrThatItIsNotSet) {
    struct Row {
        const char* what;
        const char* name;
        const char* address;
        const char* first;   // nullptr: the note that no office is set
        const char* second;  // nullptr: the second line hidden
    };
    const std::vector<Row> rows = {
        {"both", "Ufficio tecnico di prova", "Piazza Esempio 3", "Ufficio tecnico di prova",
         "Piazza Esempio 3"},
        {"name only", "Ufficio tecnico di prova", "", "Ufficio tecnico di prova", nullptr},
        {"address only", "", "Piazza Esempio 3", "Piazza Esempio 3", nullptr},
        {"blanks only", "  ", " ", nullptr, nullptr},
        {"neither", "", "", nullptr, nullptr},
    };
    QString note;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fakes.platform.settings[QStringLiteral("ufficio/nome")] = QString::fromUtf8(row.name);
        fakes.platform.settings[QStringLiteral("ufficio/indirizzo")] =
            QString::fromUtf8(row.address);
        shared.loadOfficeData();
        tk::Form& w = show("informa");
        const tk::Control& first = w.at(QStringLiteral("ufficio"));
        const tk::Control& second = w.at(QStringLiteral("indirizzo"));
        EXPECT_TRUE(first.visible());
        if (row.first != nullptr) {
            EXPECT_EQ(first.text(), QString::fromUtf8(row.first));
        } else {
            // One line that names the settings, the same whichever way they are missing.
            EXPECT_TRUE(first.text().contains(QStringLiteral("impostazioni")));
            EXPECT_FALSE(first.text().contains(QLatin1Char('\r')));
            EXPECT_FALSE(first.text().contains(QLatin1Char('\n')));
            if (note.isEmpty()) note = first.text();
            EXPECT_EQ(first.text(), note);
        }
        EXPECT_EQ(second.visible(), row.second != nullptr);
        if (row.second != nullptr) {
            EXPECT_EQ(second.text(), QString::fromUtf8(row.second));
        }
        click(w, "ok");
        EXPECT_EQ(loaded("informa"), nullptr);
    }
}

// Settings that cannot be written (a read-only file) are told, and nothing typed is lost.
TEST_F(Periphery, OfficeDataThatCannotBeStoredAreToldAndKeptInTheWindow) {
    fakes.platform.settings[QStringLiteral("ufficio/nome")] = QStringLiteral("Studio Rossi");
    shared.loadOfficeData();
    fakes.platform.settingsReadOnly = true;
    tk::Form& about = show("informa");
    click(about, "cmdufficio");
    tk::Form* office = loaded("ufficio");
    ASSERT_NE(office, nullptr);
    run([&] { office->at(QStringLiteral("nome")).setText(QStringLiteral("Studio Bianchi")); });
    click(*office, "ok");
    ASSERT_EQ(fakes.messages.shown.size(), 1U);
    EXPECT_EQ(fakes.messages.shown[0].icon, tk::MessageIcon::Critical);
    EXPECT_TRUE(fakes.messages.shown[0].text.contains(QStringLiteral("impostazioni")));
    EXPECT_EQ(loaded("ufficio"), office);
    EXPECT_EQ(office->at(QStringLiteral("nome")).text(), QStringLiteral("Studio Bianchi"));
    EXPECT_EQ(shared.office().name, QStringLiteral("Studio Rossi"));
    EXPECT_EQ(about.at(QStringLiteral("ufficio")).text(), QStringLiteral("Studio Rossi"));
}

TEST_F(Periphery, SmallWindowsStayOnASmallScreen) {
    fakes.platform.screenW = 4500;
    fakes.platform.screenH = 3000;
    for (const char* name : {"informa", "supportoclienti", "emailform", "ufficio"}) {
        SCOPED_TRACE(name);
        tk::Form& w = show(name);
        EXPECT_EQ(w.left(), 0);
        EXPECT_EQ(w.top(), 0);
    }
}

TEST_F(Periphery, SupportListsWhereToLookAndOpensTheCatalogue) {
    writeList(numberedLines(2));
    // As at start-up: the catalogue is loaded, hidden.
    tk::Form& catalogue = loadCatalogue();
    tk::Form& w = show("supportoclienti");
    EXPECT_EQ(w.caption(), QStringLiteral("Zelmor: supporto prodotto"));
    EXPECT_EQ(w.width(), 7200);
    EXPECT_EQ(w.height(), 4800);
    EXPECT_EQ(w.left(), (15360 - 7200) / 2);
    EXPECT_EQ(w.top(), (11520 - 4800) / 2);

    // The items name the program's own commands and windows as they are called.
    QString all;
    for (int i = 1; i <= periphery::SupportoClientiForm::kItems; ++i) {
        EXPECT_EQ(w.at(QStringLiteral("numero"), i).text(), QString::number(i));
        all += w.at(QStringLiteral("voce"), i).text() + QLatin1Char('\n');
    }
    tk::Form& about = show("informa");
    for (const QString& wanted :
         {QStringLiteral("Guida in linea"), QStringLiteral("Suggerimenti..."), about.caption(),
          QStringLiteral("Zelmor-dati-"), QStringLiteral("referente tecnico")}) {
        EXPECT_TRUE(all.contains(wanted)) << wanted.toStdString();
    }
    EXPECT_TRUE(w.at(QStringLiteral("versione")).text().contains(shared.product().version));

    click(w, "listino");
    EXPECT_TRUE(catalogue.visible());
    EXPECT_EQ(loaded("prodotti"), &catalogue);
    EXPECT_EQ(app.activeForm(), &catalogue);
    EXPECT_EQ(shownRows(catalogue), numberedRows(1, 2));

    click(w, "chiudi");
    EXPECT_EQ(loaded("supportoclienti"), nullptr);
    EXPECT_TRUE(catalogue.visible());
}

TEST_F(Periphery, SupportOpensTheCatalogueWhenNotYetLoaded) {
    tk::Form& w = show("supportoclienti");
    click(w, "listino");
    ASSERT_NE(loaded("prodotti"), nullptr);
    EXPECT_TRUE(loaded("prodotti")->visible());
    EXPECT_TRUE(loaded("prodotti")->at(QStringLiteral("nondisponibile")).visible());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(Periphery, MessageWindowTakesSubjectAndTextAndCloses) {
    tk::Form& w = show("emailform");
    EXPECT_EQ(w.caption(), QStringLiteral("Zelmor: messaggio al supporto"));
    EXPECT_EQ(w.left(), (15360 - w.width()) / 2);
    EXPECT_EQ(w.top(), (11520 - w.height()) / 2);
    tk::Control& subject = w.at(QStringLiteral("oggetto"));
    tk::Control& text = w.at(QStringLiteral("messaggio"));
    EXPECT_EQ(subject.kind(), tk::ControlKind::TextBox);
    EXPECT_EQ(text.kind(), tk::ControlKind::TextBox);
    run([&] { subject.setText(QStringLiteral("Disegno")); });
    run([&] { text.setText(QStringLiteral("Il disegno non si apre.")); });
    EXPECT_EQ(subject.text(), QStringLiteral("Disegno"));
    click(w, "chiudi");
    EXPECT_EQ(loaded("emailform"), nullptr);
    // Opened again it is empty.
    EXPECT_TRUE(show("emailform").at(QStringLiteral("oggetto")).text().isEmpty());
}

// Every visible control lies inside its window's drawing area (or its frame), and no two
// visible controls of the same container overlap.
TEST_F(Periphery, EveryWindowIsLaidOutWithinItselfWithoutOverlaps) {
    writeList(numberedLines(20));
    for (const char* name : {"informa", "supportoclienti", "prodotti", "emailform", "ufficio"}) {
        SCOPED_TRACE(name);
        const tk::Form& w = show(name);
        std::vector<const tk::Control*> shown;
        for (const auto& c : w.controls()) {
            if (c->visible() && c->hasGeometry()) shown.push_back(c.get());
        }
        for (const tk::Control* c : shown) {
            SCOPED_TRACE(c->displayName().toStdString());
            const tk::Rect& r = c->geometry();
            const int areaWidth = c->container() ? c->container()->width() : w.scaleWidth();
            const int areaHeight = c->container() ? c->container()->height() : w.scaleHeight();
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_GT(r.width, 0);
            EXPECT_GT(r.height, 0);
            EXPECT_LE(r.left + r.width, areaWidth);
            EXPECT_LE(r.top + r.height, areaHeight);
            for (const tk::Control* o : shown) {
                if (o == c || o->container() != c->container()) continue;
                const tk::Rect& q = o->geometry();
                const bool apart = r.left + r.width <= q.left || q.left + q.width <= r.left ||
                                   r.top + r.height <= q.top || q.top + q.height <= r.top;
                EXPECT_TRUE(apart) << "overlaps " << o->displayName().toStdString();
            }
        }
    }
}

}  // namespace
