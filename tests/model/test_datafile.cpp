#include "datafile_samples.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

namespace zelmor::model {
namespace {

using namespace samples;
using namespace Qt::StringLiterals;

// ---------------------------------------------------------------------------------------------
// The classic layout

TEST(DataFileWrite, ExampleIsTheClassicLayoutByteForByte) {
    EXPECT_EQ(writeDataFile(exampleModel(), exampleTitle()), exampleBytes());
}

TEST(DataFileRead, ExampleReadsWhole) {
    const DataFileContent c = readDataFile(exampleBytes());
    ASSERT_TRUE(c.complete()) << c.error->reason.toStdString();
    EXPECT_TRUE(c.headerRead);
    EXPECT_EQ(c.count, 2);
    EXPECT_EQ(c.subsystemsRead, 2);
    EXPECT_TRUE(c.titleRead);
    EXPECT_EQ(c.denominationsRead, 2);
    EXPECT_EQ(c.model, exampleModel());
    EXPECT_EQ(c.title, exampleTitle());
}

// Small models whose bytes follow from the layout rules.
TEST(DataFileWrite, LayoutRules) {
    struct Row {
        const char* what;
        ModelData model;
        TitlePage title;
        QByteArray expected;
    };
    ModelData unchosen;
    unchosen.subsystemCount = u"1"_s;
    ModelData quoted = unchosen;
    quoted.endemicTypologyText = u"a\"b"_s;
    TitlePage accented;
    accented.place = u"località"_s;
    accented.town = u"è"_s;
    accented.project = u"Łódź ≠ €"_s;
    ModelData noCount = exampleModel();
    noCount.subsystemCount.clear();
    ModelData badCount = exampleModel();
    badCount.subsystemCount = u"-4"_s;

    const std::vector<Row> rows = {
        {"empty numbers write nothing, an unchosen subsystem writes empty texts",
         unchosen,
         {},
         crlfLines({R"(,"",,"","1")", R"(,"","","")", R"("","","")", R"("","","","")", R"("")"})},
        {"a quote inside a text is doubled",
         quoted,
         {},
         crlfLines(
             {R"(,"a""b",,"","1")", R"(,"","","")", R"("","","")", R"("","","","")", R"("")"})},
        {"accented letters are single bytes, unknown characters question marks", unchosen, accented,
         crlfLines({R"(,"",,"","1")", R"(,"","","")",
                    // Split so that the escape ends before the 'd'.
                    "\"?\xF3"  // NOLINT(bugprone-suspicious-missing-comma)
                    "d? ? \x80\",\"localit\xE0\",\"\"",
                    "\"\",\"\xE8\",\"\",\"\"", R"("")"})},
        {"no count: no subsystem lines", noCount, exampleTitle(),
         crlfLines({R"(1,"lato nord",2,"medio","")", R"("A","B","C")", R"("D","E","F","G")"})},
        {"negative count: no subsystem lines",
         badCount,
         {},
         crlfLines({R"(1,"lato nord",2,"medio","-4")", R"("","","")", R"("","","","")"})},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(writeDataFile(row.model, row.title), row.expected) << row.what;
    }
}

// ---------------------------------------------------------------------------------------------
// Round trips: whatever the program can hold comes back the same.

struct RoundTripRow {
    const char* what;
    ModelData model;
    TitlePage title;
};

std::vector<RoundTripRow> roundTripRows() {
    std::vector<RoundTripRow> rows;

    {
        ModelData m;
        m.endemicKind = model::EndemicKind::Puntuale;
        m.endemicTypologyText = u"totale"_s;
        m.endemicTypology = 1;
        m.endemicValue = u"debole"_s;
        m.subsystemCount = u"1"_s;
        m.subsystems[0] = {5, u"lato ovest"_s, u"medio"_s, u"con nessuno"_s};
        TitlePage t = exampleTitle();
        t.denominations[1].clear();
        rows.push_back({"one subsystem", m, t});
    }
    rows.push_back({"nine subsystems", nineModel(), nineTitle()});
    {
        ModelData m;
        m.endemicKind = model::EndemicKind::Lineare;
        m.subsystemCount = u"4"_s;
        rows.push_back({"nothing chosen beyond kind and count", m, {}});
    }
    {
        ModelData m = nineModel();
        m.subsystemCount = u"5"_s;
        m.endemicTypology.reset();
        m.subsystems[1] = {};
        m.subsystems[2].typology.reset();
        TitlePage t = nineTitle();
        t.attachments.clear();
        t.denominations[0].clear();
        rows.push_back({"some subsystems chosen, some not", m, t});
    }
    rows.push_back({"data beyond the count is left out",
                    [] {
                        ModelData m = nineModel();
                        m.subsystemCount = u"2"_s;
                        // Links name only subsystems within the count.
                        m.subsystems[0].links = u"con 2"_s;
                        return m;
                    }(),
                    nineTitle()});
    {
        ModelData m = exampleModel();
        m.endemicTypologyText = u"\""_s;
        m.endemicValue = u"\"\""_s;
        m.subsystems[0].typologyText = u"\"inizio"_s;
        m.subsystems[0].value = u"fine\""_s;
        m.subsystems[0].links = u"a\",\"b"_s;
        m.subsystems[1].value = u"\"\r\n\""_s;
        m.subsystems[1].links = u"x\"\"\"y"_s;
        TitlePage t = exampleTitle();
        t.project = u"Il \"Borgo\", nuovo"_s;
        t.place = u"\",\""_s;
        t.denominations[1] = u"\"\"\""_s;
        rows.push_back({"quotes anywhere in texts", m, t});
    }
    {
        ModelData m = exampleModel();
        m.endemicTypologyText = u"prima riga\r\nseconda riga"_s;
        m.endemicValue = u"\n"_s;
        m.subsystems[0].value = u"\r"_s;
        m.subsystems[1].links = u"a,b,,c"_s;
        TitlePage t = exampleTitle();
        t.studyType = u","_s;
        t.date = u"\r\n\r\n"_s;
        rows.push_back({"line ends and commas inside texts", m, t});
    }
    {
        ModelData m = exampleModel();
        m.endemicTypologyText = u"località"_s;
        m.endemicValue = u"è"_s;
        m.subsystems[0].value = u"€ – “più” … Ÿ"_s;
        TitlePage t = exampleTitle();
        t.client = u"Società àèìòù ÀÈÌÒÙ é ç ñ ß"_s;
        rows.push_back({"accented letters and code page symbols", m, t});
    }
    {
        ModelData m = exampleModel();
        m.endemicTypology = std::numeric_limits<int>::min();
        m.subsystems[0].typology = 9;
        TitlePage t = exampleTitle();
        rows.push_back({"smallest endemic typology", m, t});
        m.endemicTypology = std::numeric_limits<int>::max();
        rows.push_back({"largest endemic typology", m, t});
        m.endemicTypology = 0;
        rows.push_back({"endemic typology none", m, t});
    }
    {
        ModelData m = exampleModel();
        m.subsystemCount = u" 3 "_s;
        m.subsystems[2] = {2, u"lato nord"_s, u"forte"_s, u"con 1-2"_s};
        TitlePage t = exampleTitle();
        t.denominations[2] = u"terzo"_s;
        rows.push_back({"count typed with blanks", m, t});
    }
    {
        ModelData m = exampleModel();
        m.endemicTypologyText = QString(QChar(0)) + u"\x1A\t\x7F"_s + QChar(0x81) + QChar(0x9D);
        TitlePage t = exampleTitle();
        t.project = QString(200000, u'x');
        rows.push_back({"control characters and a long text", m, t});
    }
    return rows;
}

TEST(DataFileRoundTrip, ReadsBackWhatWasWritten) {
    for (const RoundTripRow& row : roundTripRows()) {
        SCOPED_TRACE(row.what);
        const QByteArray written = writeDataFile(row.model, row.title);
        const DataFileContent c = readDataFile(written);
        ASSERT_TRUE(c.complete()) << c.error->reason.toStdString();
        EXPECT_EQ(c.count, row.model.count());
        EXPECT_EQ(c.subsystemsRead, row.model.count());
        EXPECT_EQ(c.denominationsRead, row.model.count());
        EXPECT_EQ(c.model, savedPart(row.model));
        EXPECT_EQ(c.title, savedPart(row.title, row.model.count()));
        EXPECT_EQ(writeDataFile(c.model, c.title), written);
    }
}

// ---------------------------------------------------------------------------------------------
// Reading files that are not exactly what this program writes, but carry the whole model.

TEST(DataFileRead, ToleratedVariations) {
    struct Row {
        const char* what;
        QByteArray bytes;
        TitlePage title = exampleTitle();
    };
    TitlePage oldQuotes = exampleTitle();
    oldQuotes.project = u"Il \"Borgo\" nuovo"_s;
    oldQuotes.place = u"5\" e 1/2"_s;
    oldQuotes.denominations[1] = u"\"fine"_s;

    QByteArray lfOnly = exampleBytes();
    lfOnly.replace("\r\n", "\n");
    QByteArray crOnly = exampleBytes();
    crOnly.replace("\r\n", "\r");
    QByteArray mixed = exampleBytes();
    mixed.replace("\r\n\"A\"", "\n\"A\"").replace("\r\n\"H\"", "\r\"H\"");

    const std::vector<Row> rows = {
        {"line ends without CR", lfOnly},
        {"line ends without LF", crOnly},
        {"mixed line ends", mixed},
        {"last line without line end", exampleBytes().chopped(2)},
        {"lines after the last denomination", exampleBytes() + "altro\r\n,,,,\r\n\"\r\n"},
        {"blank lines after the last denomination", exampleBytes() + "\r\n\r\n"},
        {"quotes of older files, written as they were",
         crlfLines({R"(1,"lato nord",2,"medio","2")", R"(6,"angolo nord-ovest","forte","con 2")",
                    R"(1,"centrale","debole","con nessuno")",
                    R"("Il "Borgo" nuovo","5" e 1/2","C")", R"("D","E","F","G")", R"("H")",
                    R"(""fine")"}),
         oldQuotes},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const DataFileContent c = readDataFile(row.bytes);
        ASSERT_TRUE(c.complete()) << c.error->reason.toStdString();
        EXPECT_EQ(c.model, exampleModel());
        EXPECT_EQ(c.title, row.title);
    }
}

// ---------------------------------------------------------------------------------------------
// Files that cannot be read whole: where reading stops, why, and what was kept.

QByteArray exampleLines(int first, int last) {
    const QList<QByteArray> lines = exampleBytes().split('\n');
    QByteArray out;
    for (int i = first; i <= last; ++i) out += lines[i - 1] + '\n';
    return out;
}

QByteArray exampleUpTo(int lines) {
    return lines == 0 ? QByteArray() : exampleLines(1, lines);
}

QByteArray exampleWith(int line, const QByteArray& replacement) {
    return exampleUpTo(line - 1) + replacement + "\r\n" + exampleLines(line + 1, 7);
}

struct BadRow {
    const char* what;
    QByteArray bytes;
    int line;
    const char* reason;  // a part of the message
    bool headerRead;
    int subsystemsRead;
    bool titleRead;
    int denominationsRead;
    ModelData model = exampleModel();  // what the parts read so far hold
};

std::vector<BadRow> badRows() {
    const QByteArray header = R"(,"lato nord",2,"medio","2")";
    auto withKind = [&](const char* kind) { return exampleWith(1, kind + header); };
    auto withCount = [](const char* count) {
        return exampleWith(1, QByteArray(R"(1,"lato nord",2,"medio",)") + count);
    };
    auto withTypology = [](const char* typology) {
        return exampleWith(2, typology + QByteArray(R"(,"angolo nord-ovest","forte","con 2")"));
    };
    ModelData countThree = exampleModel();
    countThree.subsystemCount = u"3"_s;

    return {
        {"empty file",
         {},
         1,
         "fine del file prima dei dati della situazione endemica",
         false,
         0,
         false,
         0},
        {"only a line end", "\r\n", 1, "mancano dei campi", false, 0, false, 0},
        {"binary junk", QByteArray("\0\xFF\x01,\"\0\x02", 7), 1, "virgolette non chiuse", false, 0,
         false, 0},
        {"a long line of junk", QByteArray(1 << 22, 'x'), 1, "mancano dei campi", false, 0, false,
         0},
        {"a long line of commas", QByteArray(1 << 22, ','), 1, "troppi campi", false, 0, false, 0},
        {"header with four fields", exampleWith(1, R"(1,"lato nord",2,"medio")"), 1,
         "mancano dei campi", false, 0, false, 0},
        {"header with six fields", exampleWith(1, R"(1,"lato nord",2,"medio","2","x")"), 1,
         "troppi campi", false, 0, false, 0},
        {"kind empty", withKind(""), 1, "tipo della situazione endemica non valido", false, 0,
         false, 0},
        {"kind 0", withKind("0"), 1, "tipo della situazione endemica non valido", false, 0, false,
         0},
        {"kind 4", withKind("4"), 1, "tipo della situazione endemica non valido", false, 0, false,
         0},
        {"kind quoted", withKind("\"1\""), 1, "campo 1: manca il numero", false, 0, false, 0},
        {"kind with a blank", withKind(" 1"), 1, "campo 1: manca il numero", false, 0, false, 0},
        {"kind a word", withKind("A"), 1, "campo 1: manca il numero", false, 0, false, 0},
        {"NUL after the kind", exampleWith(1, QByteArray("1\0", 2) + header), 1,
         "campo 1: manca il numero", false, 0, false, 0},
        {"typology text without quotes", exampleWith(1, R"(1,lato nord,2,"medio","2")"), 1,
         "campo 2: manca il testo tra virgolette", false, 0, false, 0},
        {"endemic typology a word", exampleWith(1, R"(1,"lato nord",x,"medio","2")"), 1,
         "campo 3: manca il numero", false, 0, false, 0},
        {"endemic typology too large", exampleWith(1, R"(1,"lato nord",2147483648,"medio","2")"), 1,
         "campo 3: manca il numero", false, 0, false, 0},
        {"endemic typology too small", exampleWith(1, R"(1,"lato nord",-2147483649,"medio","2")"),
         1, "campo 3: manca il numero", false, 0, false, 0},
        {"endemic typology wrapping to 2 in 64 bits",
         exampleWith(1, R"(1,"lato nord",18446744073709551618,"medio","2")"), 1,
         "campo 3: manca il numero", false, 0, false, 0},
        {"endemic typology a bare minus", exampleWith(1, R"(1,"lato nord",-,"medio","2")"), 1,
         "campo 3: manca il numero", false, 0, false, 0},
        {"count 0", withCount(R"("0")"), 1, "numero dei sottosistemi non valido", false, 0, false,
         0},
        {"count 10", withCount(R"("10")"), 1, "numero dei sottosistemi non valido", false, 0, false,
         0},
        {"count empty", withCount(R"("")"), 1, "numero dei sottosistemi non valido", false, 0,
         false, 0},
        {"count a word", withCount(R"("due")"), 1, "numero dei sottosistemi non valido", false, 0,
         false, 0},
        {"count without quotes", withCount("2"), 1, "campo 5: manca il testo tra virgolette", false,
         0, false, 0},
        {"count larger than the lines", withCount(R"("3")"), 4, "mancano dei campi", true, 2, false,
         0, countThree},
        {"ends after the header", exampleUpTo(1), 2, "fine del file prima del sottosistema 1", true,
         0, false, 0},
        {"subsystem with three fields", exampleWith(3, R"(1,"centrale","debole")"), 3,
         "mancano dei campi", true, 1, false, 0},
        {"subsystem with five fields", exampleWith(2, R"(6,"angolo nord-ovest","forte","con 2",)"),
         2, "troppi campi", true, 0, false, 0},
        {"subsystem blank line", exampleWith(3, ""), 3, "mancano dei campi", true, 1, false, 0},
        {"subsystem typology quoted", withTypology("\"6\""), 2, "campo 1: manca il numero", true, 0,
         false, 0},
        {"subsystem typology a word", withTypology("sei"), 2, "campo 1: manca il numero", true, 0,
         false, 0},
        {"subsystem typology 0", withTypology("0"), 2, "tipologia del sottosistema non valida",
         true, 0, false, 0},
        {"subsystem typology 10", withTypology("10"), 2, "tipologia del sottosistema non valida",
         true, 0, false, 0},
        {"subsystem typology negative", withTypology("-6"), 2,
         "tipologia del sottosistema non valida", true, 0, false, 0},
        {"subsystem text without quotes", exampleWith(3, R"(1,"centrale",debole,"con nessuno")"), 3,
         "campo 3: manca il testo tra virgolette", true, 1, false, 0},
        {"ends after the subsystems", exampleUpTo(3), 4,
         "fine del file prima dei dati del frontespizio", true, 2, false, 0},
        {"ends after the first title line", exampleUpTo(4), 5,
         "fine del file prima dei dati del frontespizio", true, 2, false, 0},
        {"first title line short", exampleWith(4, R"("A","B")"), 4, "mancano dei campi", true, 2,
         false, 0},
        {"second title line long", exampleWith(5, R"("D","E","F","G","X")"), 5, "troppi campi",
         true, 2, false, 0},
        {"title text without quotes", exampleWith(5, R"("D",E,"F","G")"), 5,
         "campo 2: manca il testo tra virgolette", true, 2, false, 0},
        {"older file: a quote then a comma inside a text",
         exampleWith(4, R"("Il "Borgo", nuovo","B","C")"), 4, "troppi campi", true, 2, false, 0},
        {"denomination without quotes", exampleWith(6, "H"), 6,
         "campo 1: manca il testo tra virgolette", true, 2, true, 0},
        {"two denominations on one line", exampleWith(6, R"("H","I")"), 6, "troppi campi", true, 2,
         true, 0},
        {"ends before a denomination", exampleUpTo(6), 7,
         "fine del file prima della denominazione del sottosistema 2", true, 2, true, 1},
        {"quotes never closed", exampleUpTo(6) + "\"I\r\n", 7, "virgolette non chiuse", true, 2,
         true, 1},
    };
}

TEST(DataFileRead, StopsAtTheFirstBadLineAndKeepsWhatCameBefore) {
    for (const BadRow& row : badRows()) {
        SCOPED_TRACE(row.what);
        const DataFileContent c = readDataFile(row.bytes);
        ASSERT_FALSE(c.complete());
        EXPECT_EQ(c.error->line, row.line);
        const QString prefix = u"riga %1: "_s.arg(row.line);
        EXPECT_TRUE(c.error->reason.startsWith(prefix)) << c.error->reason.toStdString();
        EXPECT_TRUE(c.error->reason.contains(QString::fromUtf8(row.reason)))
            << c.error->reason.toStdString();
        EXPECT_EQ(c.headerRead, row.headerRead);
        EXPECT_EQ(c.subsystemsRead, row.subsystemsRead);
        EXPECT_EQ(c.titleRead, row.titleRead);
        EXPECT_EQ(c.denominationsRead, row.denominationsRead);

        // The parts reported as read hold the file's data; the others stay empty.
        ModelData expected;
        if (row.headerRead) {
            expected = row.model;
            for (int i = row.subsystemsRead; i < kMaxSubsystems; ++i) expected.subsystems[i] = {};
            EXPECT_EQ(c.count, row.model.count());
        }
        EXPECT_EQ(c.model, expected);
        TitlePage title;
        if (row.titleRead) title = exampleTitle();
        for (int i = row.denominationsRead; i < kMaxSubsystems; ++i) title.denominations[i] = {};
        EXPECT_EQ(c.title, title);
    }
}

// What a partly read file yields can always be saved and read back whole.
TEST(DataFileRead, PartlyReadModelsSaveAndReloadWhole) {
    for (const BadRow& row : badRows()) {
        if (!row.headerRead) continue;
        SCOPED_TRACE(row.what);
        const DataFileContent first = readDataFile(row.bytes);
        const QByteArray written = writeDataFile(first.model, first.title);
        const DataFileContent second = readDataFile(written);
        ASSERT_TRUE(second.complete()) << second.error->reason.toStdString();
        EXPECT_EQ(second.model, first.model);
        EXPECT_EQ(second.title, first.title);
    }
}

}  // namespace
}  // namespace zelmor::model
