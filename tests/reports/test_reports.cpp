// The reports as the recording word processor sees them: the operations, in order, with their
// texts; the full report's file name; and the log's quoting, which the scenario runner reads.
#include "geometry/bmp.h"
#include "reports/columnwidths.h"
#include "reports/recordingwordprocessor.h"
#include "reports/reports.h"
#include "scriptparser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <numeric>

#include <gtest/gtest.h>

using namespace zelmor;
using reports::RecordingWordProcessor;
using reports::WordError;

namespace {

reports::ReportTexts texts() {
    return {QStringLiteral("Zelmor"), QStringLiteral("composizioni di modelli logici aspaziali"),
            QStringLiteral("Studio Rossi"), QStringLiteral("via Roma 1, Parma")};
}

model::ModelData modelOf(int n) {
    model::ModelData m;
    m.endemicKind = model::EndemicKind::Lineare;
    m.endemicTypologyText = QStringLiteral("longitudinale nord");
    m.endemicTypology = 1;
    m.endemicValue = QStringLiteral("forte");
    m.subsystemCount = QString::number(n);
    for (int i = 1; i <= n; ++i) {
        model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        s.typology = i;
        s.typologyText = QStringLiteral("tipo %1").arg(i);
        s.value = QStringLiteral("medio");
        s.links = i == 1 ? QStringLiteral("con nessuno") : QStringLiteral("con 1");
    }
    return m;
}

struct Recorder {
    QStringList log;
    int pages = 1;
    RecordingWordProcessor word{log, pages};
    // The strings of the "type" lines, joined, as the scenarios' "expect word typed" reads them.
    QString typed() const {
        QString out;
        for (const QString& line : log) {
            const auto t = script::tokenize(line.toUtf8());
            if (t.size() == 2 && t[0].bytes == "type") out += QString::fromUtf8(t[1].bytes);
        }
        return out;
    }
    // The lines from the first one that starts with prefix.
    QStringList from(const QString& prefix) const {
        for (qsizetype i = 0; i < log.size(); ++i)
            if (log[i].startsWith(prefix)) return log.mid(i);
        return {};
    }
};

}  // namespace

TEST(ModelDataReport, OneSubsystemWritesTheHeadingAndTwoTables) {
    Recorder r;
    reports::writeModelData(r.word, modelOf(1), texts());
    const QStringList expected = {
        "start",
        "show",
        "add document",
        "font name \"Century Gothic\"",
        "font size 20",
        "type \"Zelmor\\r\"",
        "font size 16",
        "type \"composizioni di modelli logici aspaziali\\r\\r\"",
        "font size 12",
        "type \"DATI\\r\"",
        "append paragraph",
        "add table 5 2",
        "table font size 10",
        "cell 1 1 \"dati\"",
        "cell 1 2 \"valori\"",
        "cell 2 1 \"situazione endemica\"",
        "cell 2 2 \"lineare\"",
        "cell 3 1 \"tipologia\"",
        "cell 3 2 \"longitudinale nord\"",
        "cell 4 1 \"valore\"",
        "cell 4 2 \"forte\"",
        "cell 5 1 \"numero di sottosistemi\"",
        "cell 5 2 \"1\"",
        "autoformat 9",
        "append paragraph",
        "add table 2 4",
        "table font size 10",
        "cell 1 1 \"n. sottosistema\"",
        "cell 1 2 \"tipologia\"",
        "cell 1 3 \"valore\"",
        "cell 1 4 \"legami tra sottosistemi\"",
        "cell 2 1 \" 1\"",
        "cell 2 2 \"tipo 1\"",
        "cell 2 3 \"medio\"",
        "cell 2 4 \"con nessuno\"",
        "autoformat 9",
    };
    EXPECT_EQ(r.log, expected);
}

TEST(ModelDataReport, NineSubsystemsAndTheKindNames) {
    Recorder r;
    reports::writeModelData(r.word, modelOf(9), texts());
    EXPECT_TRUE(r.log.contains("add table 10 4"));
    EXPECT_TRUE(r.log.contains("cell 10 1 \" 9\""));
    EXPECT_TRUE(r.log.contains("cell 10 2 \"tipo 9\""));
    EXPECT_FALSE(r.log.contains("cell 11 1 \" 10\""));
    EXPECT_EQ(r.log.last(), "autoformat 9");

    // The second row's kind: 2 and 3 have names of their own; everything else is "superficiale".
    const std::pair<std::optional<int>, const char*> kinds[] = {
        {1, "superficiale"}, {2, "lineare"},     {3, "puntuale"}, {std::nullopt, "superficiale"},
        {0, "superficiale"}, {7, "superficiale"}};
    for (const auto& [kind, name] : kinds) {
        Recorder k;
        model::ModelData m = modelOf(2);
        m.endemicKind = kind ? std::optional(static_cast<model::EndemicKind>(*kind)) : std::nullopt;
        reports::writeModelData(k.word, m, texts());
        EXPECT_TRUE(k.log.contains(QStringLiteral("cell 2 2 \"%1\"").arg(name)))
            << (kind ? *kind : -1);
    }
}

TEST(TitlePageReport, FieldsOfficeAndDenominations) {
    Recorder r;
    model::TitlePage page;
    page.project = QStringLiteral("Piano \"centro\"");
    page.place = QStringLiteral("Borgo");
    page.client = QStringLiteral("Comune");
    page.date = QStringLiteral("martedì, 8 dic 2026");
    page.denominations[0] = QStringLiteral("centro storico");
    page.denominations[2] = QStringLiteral("parco");
    reports::writeTitlePageData(r.word, page, 3,
                                {QStringLiteral("centrale"), QStringLiteral("lato nord")}, texts());
    const QStringList head = r.log.mid(0, 11);
    EXPECT_EQ(head, (QStringList{"start", "show", "add document", "font name \"Century Gothic\"",
                                 "font size 20", "type \"Zelmor\\r\"", "font size 16",
                                 "type \"composizioni di modelli logici aspaziali\\r\\r\"",
                                 "font size 12", "type \"Dati generali\\r\"", "append paragraph"}));
    const QStringList first = r.from("add table 10 2");
    ASSERT_GE(first.size(), 23);
    EXPECT_EQ(first[1], "table font size 10");
    const QStringList cells = first.mid(2, 20);
    EXPECT_EQ(cells[2], "cell 2 1 \"progetto\"");
    EXPECT_EQ(cells[3], "cell 2 2 \"Piano \\\"centro\\\"\"");
    EXPECT_EQ(cells[5], "cell 3 2 \"Borgo\"");
    EXPECT_EQ(cells[7], "cell 4 2 \"\"");  // an empty field is an empty cell
    EXPECT_EQ(cells[13], "cell 7 2 \"martedì, 8 dic 2026\"");
    EXPECT_EQ(cells[16], "cell 9 1 \"studio tecnico\"");
    EXPECT_EQ(cells[17], "cell 9 2 \"Studio Rossi\"");
    EXPECT_EQ(cells[19], "cell 10 2 \"via Roma 1, Parma\"");
    EXPECT_EQ(first[22], "autoformat 9");

    const QStringList second = r.from("add table 4 3");
    EXPECT_EQ(second.mid(2),
              (QStringList{"cell 1 1 \"n. sottosistema\"", "cell 1 2 \"tipologia\"",
                           "cell 1 3 \"denominazione\"", "cell 2 1 \" 1\"", "cell 2 2 \"centrale\"",
                           "cell 2 3 \"centro storico\"", "cell 3 1 \" 2\"",
                           "cell 3 2 \"lato nord\"", "cell 3 3 \"\"", "cell 4 1 \" 3\"",
                           "cell 4 2 \"\"", "cell 4 3 \"parco\"", "autoformat 9"}));

    // An empty title page still gives ten rows; nine subsystems give ten rows below.
    Recorder empty;
    reports::writeTitlePageData(empty.word, model::TitlePage{}, 9, {}, texts());
    EXPECT_TRUE(empty.log.contains("add table 10 2"));
    EXPECT_TRUE(empty.log.contains("add table 10 3"));
    EXPECT_TRUE(empty.log.contains("cell 2 2 \"\""));
    EXPECT_TRUE(empty.log.contains("cell 10 1 \" 9\""));
}

// A picture as the drawing writes it: a bitmap under a ".jpg" name.
QString writePicture(const QString& path) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    return image.save(path, "BMP") ? path : QString();
}

// A field that would make a table row longer than Writer lays out in time stops the report before
// anything is written, naming the field; one at the limit is printed whole. The body's fields
// (the full report's title page) have no such limit.
TEST(ReportCells, AFieldTooLongForItsCellIsNamedBeforeAnythingIsWritten) {
    QTemporaryDir dir;
    const QString picture = writePicture(dir.filePath(QStringLiteral("schema.jpg")));
    ASSERT_FALSE(picture.isEmpty());
    const QString longest(reports::kMaxCellText, QLatin1Char('a'));
    const QString tooLong = longest + QLatin1Char('a');
    struct Case {
        bool fullReport;
        QString model::TitlePage::*field;  // else the denomination of subsystem 2
        const char* name;
    } cases[] = {
        {false, &model::TitlePage::project, "progetto"},
        {false, &model::TitlePage::attachments, "allegati alla relazione"},
        {false, nullptr, "denominazione 2"},
        {true, nullptr, "denominazione 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& text : {longest, tooLong}) {
            model::TitlePage page;
            if (c.field != nullptr) {
                page.*c.field = text;
            } else {
                page.denominations[1] = text;
            }
            Recorder r;
            try {
                if (c.fullReport) {
                    reports::writeFullReport(r.word, modelOf(2), page, texts(), picture,
                                             dir.filePath(QStringLiteral("r.doc")));
                } else {
                    reports::writeTitlePageData(r.word, page, 2, {}, texts());
                }
                EXPECT_EQ(text, longest);
                EXPECT_TRUE(r.log.join(QLatin1Char('\n')).contains(text));
            } catch (const WordError& e) {
                EXPECT_EQ(text, tooLong);
                EXPECT_EQ(e.kind(), WordError::Kind::CellTooLong);
                EXPECT_EQ(e.detail(), QString::fromUtf8(c.name));
                EXPECT_TRUE(r.log.isEmpty()) << r.log.first().toStdString();
            }
        }
    }
    // The full report's title page takes a long project in its text.
    Recorder r;
    model::TitlePage page;
    page.project = tooLong;
    reports::writeFullReport(r.word, modelOf(2), page, texts(), picture,
                             dir.filePath(QStringLiteral("lungo.doc")));
    EXPECT_TRUE(r.typed().contains(tooLong));
}

TEST(PictureReport, InsertsThePictureAloneAndStopsBeforeStartingWhenItIsMissingOrDamaged) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("schemaZelmor.jpg"));
    using Kind = WordError::Kind;
    const struct {
        const char* content;  // nullptr: no file
        Kind kind;
    } rows[] = {
        {nullptr, Kind::PictureMissing},
        {"", Kind::PictureUnreadable},
        {"BM", Kind::PictureUnreadable},
        {"Not a picture", Kind::PictureUnreadable},
    };
    for (const auto& row : rows) {
        QFile::remove(picture);
        if (row.content != nullptr) {
            QFile f(picture);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(row.content);
        }
        for (const bool full : {false, true}) {
            Recorder r;
            try {
                if (full) {
                    reports::writeFullReport(r.word, modelOf(1), {}, texts(), picture,
                                             dir.filePath(QStringLiteral("x.doc")));
                } else {
                    reports::writeModelPicture(r.word, picture, modelOf(1), texts());
                }
                ADD_FAILURE() << "no error for " << (row.content ? row.content : "no file");
            } catch (const WordError& e) {
                EXPECT_EQ(e.kind(), row.kind);
                EXPECT_EQ(e.detail(), picture);
            }
            // Nothing opened in the office: no half-written document is left there.
            EXPECT_TRUE(r.log.isEmpty()) << r.log.join('\n').toStdString();
        }
    }

    QFile::remove(picture);
    ASSERT_FALSE(writePicture(picture).isEmpty());
    Recorder ok;
    reports::writeModelPicture(ok.word, picture, modelOf(1), texts());
    EXPECT_EQ(ok.log, (QStringList{"start", "show", "add document",
                                   "add picture " + reports::quoted(picture)}));
}

// The picture goes beside the model it was drawn from only: the same model, and the same bytes
// in the file (written again or not), whoever wrote them.
TEST(PictureReport, ThePictureMustBeTheOneDrawnFromTheModelBesideIt) {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("schemaZelmor.jpg"));
    ASSERT_FALSE(writePicture(picture).isEmpty());
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const reports::DrawnPicture drawn{modelOf(2), geometry::pictureDigest(bytes)};
    using Kind = WordError::Kind;
    const struct {
        const char* what;
        std::optional<reports::DrawnPicture> drawn;
        model::ModelData model;
        QByteArray content;  // empty: the file as drawn
        std::optional<Kind> error;
    } rows[] = {
        {"drawn from this model", drawn, modelOf(2), {}, std::nullopt},
        {"the same bytes written again", drawn, modelOf(2), bytes, std::nullopt},
        {"not drawn in this run", std::nullopt, modelOf(2), {}, Kind::PictureStale},
        {"drawn from another model", drawn, modelOf(3), {}, Kind::PictureStale},
        {"rewritten since", drawn, modelOf(2), bytes + "x", Kind::PictureStale},
        {"no digest recorded",
         reports::DrawnPicture{modelOf(2), {}},
         modelOf(2),
         {},
         Kind::PictureStale},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QFile out(picture);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(row.content.isEmpty() ? bytes : row.content);
        out.close();
        try {
            reports::requireDrawnPicture(picture, row.drawn, row.model);
            EXPECT_FALSE(row.error.has_value());
        } catch (const WordError& e) {
            EXPECT_EQ(std::optional(e.kind()), row.error);
            EXPECT_EQ(e.detail(), picture);
        }
    }
    // A missing file is told as one not saved yet, whatever was drawn.
    QFile::remove(picture);
    try {
        reports::requireDrawnPicture(picture, drawn, modelOf(2));
        ADD_FAILURE() << "no error for a missing picture";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::PictureMissing);
    }
}

TEST(FullReport, TitlePageTextsTablesClosingBlockAndSave) {
    QTemporaryDir dir;
    const QString picture = writePicture(dir.filePath(QStringLiteral("schema.jpg")));
    ASSERT_FALSE(picture.isEmpty());
    const QString target = dir.filePath(QStringLiteral("bin-RelazioneZelmor-Comune.doc"));

    model::TitlePage page;
    page.project = QStringLiteral("Piano");
    page.place = QStringLiteral("Borgo");
    page.studyType = QStringLiteral("analisi");
    page.client = QStringLiteral("Comune");
    page.town = QStringLiteral("Parma");
    page.date = QStringLiteral("lunedì, 7 dic 2026");
    page.attachments = QStringLiteral("planimetrie");
    for (int i = 0; i < 9; ++i)
        page.denominations[static_cast<std::size_t>(i)] = QStringLiteral("zona %1").arg(i + 1);

    Recorder r;
    r.pages = 4;
    reports::writeFullReport(r.word, modelOf(9), page, texts(), picture, target);

    const QChar cr(13);
    const QString titlePage =
        "Zelmor\rcomposizioni di modelli logici aspaziali\r\rprogetto: Piano\rlocalità: Borgo\r"
        "tipologia di studio: analisi\r\r\r\r\r\r\rprogettista: Studio Rossi\r"
        "committente: Comune\r\rParma: lunedì, 7 dic 2026\r" +
        QString(20, cr) + "Studio Rossi\rvia Roma 1, Parma\f";
    const QString body = "Criteri di elaborazione\r\r" + reports::kTextT1 + cr + reports::kTextT2 +
                         cr + reports::kTextT3 + QString(4, cr) + "\fAnalisi del grafico\r\r" +
                         reports::kTextT4 + cr + reports::kTextT5 + cr + reports::kTextT6 + cr +
                         "Si riportano i dati inseriti nella elaborazione.\r\r";
    EXPECT_EQ(r.typed(), titlePage + body);

    // Fonts: 24 and 14 on the title page, 16 and 12 for headings and texts.
    const QStringList sizes = r.log.filter(QRegularExpression("^font size"));
    EXPECT_EQ(sizes, (QStringList{"font size 24", "font size 14", "font size 16", "font size 12",
                                  "font size 16", "font size 12"}));
    // The picture comes in its own appended paragraph, right after the explanatory texts.
    const QStringList pic = r.from("append paragraph");
    ASSERT_GE(pic.size(), 3);
    EXPECT_EQ(pic[1], "add picture " + reports::quoted(picture));
    EXPECT_EQ(pic[2], "type \"\\x0c\"");

    const QStringList first = r.from("add table 5 2");
    EXPECT_TRUE(first.contains("cell 5 2 \"9\""));
    const QStringList second = r.from("add table 10 5");
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(second.mid(2, 5),
              (QStringList{"cell 1 1 \"n. sottosistema\"", "cell 1 2 \"tipologia\"",
                           "cell 1 3 \"denominazione\"", "cell 1 4 \"valore\"",
                           "cell 1 5 \"legami tra sottosistemi\""}));
    EXPECT_TRUE(second.contains("cell 10 1 \" 9\""));
    EXPECT_TRUE(second.contains("cell 10 3 \"zona 9\""));
    EXPECT_TRUE(second.contains("cell 2 5 \"con nessuno\""));

    // The page count is taken before the closing block, which is written into the last paragraph.
    const QStringList tail = r.log.mid(r.log.size() - 7);
    EXPECT_EQ(tail[0], "autoformat 9");
    EXPECT_EQ(tail[1], "append paragraph");
    EXPECT_EQ(tail[2], "paragraph font size 12");
    EXPECT_EQ(tail[3], "count pages");
    EXPECT_EQ(tail[4],
              "paragraph text " +
                  reports::quoted("\r\rLa presente relazione è composta di n. 4 pagine.\r"
                                  "Si allegano: planimetrie\r\rParma: lunedì, 7 dic 2026\r\r"
                                  "il progettista\r(Studio Rossi)"));
    EXPECT_EQ(tail[5], "justify all");
    EXPECT_EQ(tail[6], "save " + reports::quoted(target));
    EXPECT_TRUE(QFileInfo(target).isFile());
}

// The recording word processor, with the finishing touches it leaves out of its log written
// into a log of their own.
class Finisher final : public reports::WordProcessor {
  public:
    explicit Finisher(RecordingWordProcessor& word) : word_(&word) {}
    void start() override { word_->start(); }
    void show() override { word_->show(); }
    void addDocument() override { word_->addDocument(); }
    void fontName(const QString& n) override { word_->fontName(n); }
    void fontSize(int p) override { word_->fontSize(p); }
    void type(const QString& t) override {
        paragraphs += t.split(QRegularExpression(QStringLiteral("[\r\f]")));
        word_->type(t);
    }
    void appendParagraph() override { word_->appendParagraph(); }
    void paragraphText(const QString& t) override {
        paragraphs += t.split(QChar(13));
        word_->paragraphText(t);
    }
    void paragraphFontSize(int p) override { word_->paragraphFontSize(p); }
    void addTable(int r, int c) override { word_->addTable(r, c); }
    void tableFontSize(int p) override { word_->tableFontSize(p); }
    void cell(int r, int c, const QString& t) override { word_->cell(r, c, t); }
    void autoformat(int f) override { word_->autoformat(f); }
    void addPicture(const QString& p, const reports::PictureWords& w) override {
        word_->addPicture(p, w);
    }
    int countPages() override { return word_->countPages(); }
    void justifyAll() override {
        finishing << QStringLiteral("justify all");
        word_->justifyAll();
    }
    QString save(const QString& p) override {
        finishing << QStringLiteral("save");
        return word_->save(p);
    }
    void describe(const QString& t, const QString&) override { title = t; }
    void typeset(const reports::Typesetting& how) override {
        finishing << QStringLiteral("typeset");
        typesetting = how;
    }
    std::optional<int> finishedPages() override {
        finishing << QStringLiteral("finished pages");
        return std::nullopt;
    }
    void replaceLast(const QString&, const QString&) override {}
    void exportPdf(const QString&) override { finishing << QStringLiteral("export"); }
    void setLateFailureHandler(std::function<void(const WordError&)>) override {}
    void prepare() override {}

    QStringList paragraphs;  // every paragraph's text as written, in order
    QStringList finishing;   // the finishing operations, in order
    QString title;
    reports::Typesetting typesetting;

  private:
    RecordingWordProcessor* word_;
};

// Set for its reader once every text is written and before its pages are counted for good:
// the two headings and the closing block are the report's own paragraphs, the title page has no
// footer, and the title is short however long the project.
TEST(FullReport, IsTypesetBeforeItsPagesAreCountedWithAShortTitle) {
    QTemporaryDir dir;
    const QString picture = writePicture(dir.filePath(QStringLiteral("schema.jpg")));
    ASSERT_FALSE(picture.isEmpty());
    for (const QString& project :
         {QString(), QStringLiteral("Piano"),
          QStringLiteral("Piano di recupero del borgo antico, ").repeated(6),
          QStringLiteral("Pianoparticolareggiato").repeated(5)}) {
        SCOPED_TRACE(project.toStdString());
        model::TitlePage page;
        page.project = project;
        page.attachments = QStringLiteral("tavole");
        Recorder r;
        Finisher word(r.word);
        reports::writeFullReport(word, modelOf(3), page, texts(), picture,
                                 dir.filePath(QStringLiteral("r.doc")));
        EXPECT_EQ(word.finishing,
                  (QStringList{"justify all", "typeset", "finished pages", "save", "export"}));
        const reports::Typesetting& how = word.typesetting;
        EXPECT_EQ(how.headings, (QStringList{"Criteri di elaborazione", "Analisi del grafico"}));
        for (const QString& heading : how.headings) EXPECT_EQ(word.paragraphs.count(heading), 1);
        ASSERT_FALSE(how.keptFrom.isEmpty());
        QStringList closing;
        for (const QString& p : word.paragraphs)
            if (p.startsWith(how.keptFrom) || !closing.isEmpty()) closing << p;
        EXPECT_EQ(closing, (QStringList{"La presente relazione è composta di n. 1 pagine.",
                                        "Si allegano: tavole", "", ": ", "", "il progettista",
                                        "(Studio Rossi)"}));
        EXPECT_TRUE(how.titlePage);
        EXPECT_EQ(how.footer, QStringLiteral("pagina %1 di %2"));

        const QString whole = project.isEmpty() ? QStringLiteral("Relazione Zelmor")
                                                : QStringLiteral("Relazione Zelmor – ") + project;
        if (whole.size() <= 80) {
            EXPECT_EQ(word.title, whole);
        } else {
            EXPECT_LE(word.title.size(), 80);
            EXPECT_GE(word.title.size(), 40);
            ASSERT_TRUE(word.title.endsWith(QChar(0x2026)));
            const QString kept = word.title.chopped(1);
            EXPECT_TRUE(whole.startsWith(kept));
            // Cut after a word, where there is one to cut after.
            if (project.contains(QLatin1Char(' '))) {
                EXPECT_TRUE(whole.mid(kept.size()).startsWith(QLatin1Char(' ')) ||
                            whole.mid(kept.size()).startsWith(QLatin1Char(',')));
            }
        }
    }
}

TEST(FullReport, AFailedSaveNamesTheFile) {
    QTemporaryDir dir;
    const QString picture = writePicture(dir.filePath(QStringLiteral("schema.jpg")));
    ASSERT_FALSE(picture.isEmpty());
    // A folder where the file should go: the save cannot be done.
    const QString blocked = dir.filePath(QStringLiteral("blocked.doc"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("blocked.doc")));
    Recorder r;
    try {
        reports::writeFullReport(r.word, modelOf(1), {}, texts(), picture, blocked);
        FAIL() << "the save should fail";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), WordError::Kind::SaveFailed);
        EXPECT_EQ(e.detail(), blocked);
    }
}

TEST(FullReport, FileNameStaysInTheReportsFolder) {
    const QString folder = QStringLiteral("/home/anna/Documenti/Zelmor");
    EXPECT_EQ(reports::fullReportPath(folder, QStringLiteral("Comune di Parma")),
              "/home/anna/Documenti/Zelmor/RelazioneZelmor-Comune di Parma.doc");
    EXPECT_EQ(reports::fullReportPath(folder, QString()),
              "/home/anna/Documenti/Zelmor/RelazioneZelmor-.doc");
    EXPECT_EQ(reports::fullReportPath(folder + "//", QStringLiteral("x")),
              "/home/anna/Documenti/Zelmor/RelazioneZelmor-x.doc");
    // Whatever the client, the report is one file in the reports folder.
    const QStringList clients = {"../x",
                                 "a/b",
                                 "../../etc/passwd",
                                 "/",
                                 "a\\b",
                                 "x\ny",
                                 "C:\\Lavori\\<Rossi>",
                                 "Alfa: \"Beta\" | Gamma?*",
                                 QString(QChar(0)) + "z",
                                 QString(300, 'e'),
                                 QString(200, QChar(0x00E8)),
                                 "..",
                                 "."};
    for (const QString& client : clients) {
        const QString path = reports::fullReportPath(folder, client);
        const QFileInfo info(path);
        EXPECT_EQ(QDir::cleanPath(info.absolutePath()), folder) << path.toStdString();
        EXPECT_TRUE(info.fileName().startsWith("RelazioneZelmor-")) << path.toStdString();
        EXPECT_TRUE(info.fileName().endsWith(".doc"));
        EXPECT_LE(info.fileName().toUtf8().size(), 255);
        for (const QChar c : info.fileName()) {
            EXPECT_GE(c.unicode(), 0x20) << path.toStdString();
            // Refused by the file systems of USB sticks and Windows shares.
            EXPECT_FALSE(QStringLiteral("\\:*?\"<>|").contains(c)) << path.toStdString();
        }
    }
    const struct {
        const char* client;
        const char* part;
    } parts[] = {
        {"a/b", "a-b"},
        {"Rossi & C. s.r.l.", "Rossi & C. s.r.l."},
        {"Ditta \"Alfa\": lotto 3/4", "Ditta -Alfa-- lotto 3-4"},
        {"a\\b*c?d<e>f|g", "a-b-c-d-e-f-g"},
        {"x\ny\tz", "x-y-z"},
        {"Città di Ñandú", "Città di Ñandú"},
    };
    for (const auto& p : parts)
        EXPECT_EQ(reports::safeFileNamePart(QString::fromUtf8(p.client)),
                  QString::fromUtf8(p.part));
    // A cut never leaves half of a character pair behind.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8F\xA0");
    QString many;
    for (int i = 0; i < 60; ++i) many += emoji;
    const QString cut = reports::safeFileNamePart(many);
    EXPECT_LE(cut.toUtf8().size(), 150);
    EXPECT_EQ(cut.size() % 2, 0);
    EXPECT_FALSE(cut.back().isHighSurrogate());
}

TEST(HelpPrints, OnePageIsHeadingTitleAndBodyLeftUnsaved) {
    Recorder r;
    reports::writeHelpPage(
        r.word, texts(), {QStringLiteral("STAMPA"), QStringLiteral("Primo.\rSecondo \"tra\" & x")});
    const QStringList expected = {
        "start",
        "show",
        "add document",
        "font name \"Century Gothic\"",
        "font size 20",
        "type \"Zelmor\\r\"",
        "font size 16",
        "type \"composizioni di modelli logici aspaziali\\r\\r\\r\"",
        "type \"Guida: STAMPA\\r\\r\"",
        "font size 12",
        "type \"Primo.\\rSecondo \\\"tra\\\" & x\\r\"",
        "justify all",
    };
    EXPECT_EQ(r.log, expected);
}

TEST(HelpPrints, TheGuideBreaksPagesBetweenBodiesOnlyAndSavesAtTheEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zelmor-guida.doc"));
    for (int n : {1, 2, 7}) {
        std::vector<reports::HelpText> pages;
        for (int i = 1; i <= n; ++i)
            pages.push_back(
                {QStringLiteral("TITOLO %1").arg(i), QStringLiteral("corpo %1").arg(i)});
        Recorder r;
        reports::writeGuide(r.word, texts(), pages, path);
        const QString typed = r.typed();
        EXPECT_EQ(typed.count(QChar(12)), n - 1) << n;
        EXPECT_TRUE(typed.endsWith(QStringLiteral("corpo %1").arg(n))) << n;
        // Each page after the first starts right after a break.
        for (int i = 2; i <= n; ++i)
            EXPECT_TRUE(typed.contains(
                QStringLiteral("corpo %1\r\fGuida: TITOLO %2\r\r").arg(i - 1).arg(i)))
                << n;
        // The first title keeps the heading's size; from its body on everything is at 12.
        const QStringList sizes = r.log.filter(QRegularExpression(QStringLiteral("^font size")));
        EXPECT_EQ(sizes, (QStringList{"font size 20", "font size 16", "font size 12"})) << n;
        const auto firstTitle = r.log.indexOf("type \"Guida: TITOLO 1\\r\\r\"");
        EXPECT_EQ(r.log.value(firstTitle + 1), "font size 12");
        EXPECT_EQ(r.log.mid(r.log.size() - 2),
                  (QStringList{"justify all", "save " + reports::quoted(path)}));
    }
}

TEST(HelpPrints, TheGuideNamesTheFileInTheReportsFolderAndReportsAFailedSave) {
    EXPECT_EQ(reports::guidePath(QStringLiteral("/home/anna/Zelmor"), QStringLiteral("Zelmor")),
              "/home/anna/Zelmor/Zelmor-guida.doc");
    EXPECT_EQ(reports::guidePath(QStringLiteral("/home/anna/Zelmor//"), QStringLiteral("Zelmor")),
              "/home/anna/Zelmor/Zelmor-guida.doc");
    EXPECT_EQ(reports::guidePath(QStringLiteral("/"), QStringLiteral("Zelmor")),
              "/Zelmor-guida.doc");

    QTemporaryDir dir;
    const QString blocked = dir.filePath(QStringLiteral("guida.doc"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("guida.doc")));
    Recorder r;
    try {
        reports::writeGuide(r.word, texts(), {{"A", "a"}, {"B", "b"}}, blocked);
        FAIL() << "the save should fail";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), WordError::Kind::SaveFailed);
        EXPECT_EQ(e.detail(), blocked);
    }
    EXPECT_TRUE(r.log.contains("justify all"));
}

TEST(RecordingLog, EveryStringReadsBackThroughTheScenarioTokenizer) {
    auto* rng = QRandomGenerator::global();
    const QString pool = QStringLiteral("ab \"\\\r\n\t\f\x01\x7f àèìòù€’ ()-:.,");
    for (int round = 0; round < 500; ++round) {
        QString text;
        const int length = static_cast<int>(rng->bounded(12));
        for (int i = 0; i < length; ++i)
            text += pool[static_cast<qsizetype>(rng->bounded(static_cast<int>(pool.size())))];
        const QString line = QStringLiteral("type ") + reports::quoted(text);
        const auto tokens = script::tokenize(line.toUtf8());
        ASSERT_EQ(tokens.size(), 2u) << line.toStdString();
        EXPECT_EQ(tokens[1].kind, script::Token::Kind::String);
        EXPECT_EQ(tokens[1].bytes, text.toUtf8()) << line.toStdString();
    }
}

// Columns from their texts: they fill the width; no column is narrower than its longest word
// when the words fit at all, or than its longest text when every text fits on one line; and of
// two columns the one whose texts are longer is not the narrower.
TEST(ColumnWidths, FillTheWidthAndGiveEachColumnWhatItsTextsNeed) {
    QRandomGenerator random(26);
    const QStringList words{
        "n.",        "sottosistema", "a",  "debole", "quartiere",
        "Sant'Anna", "con",          "1,", "valore", "precipitevolissimevolmente"};
    for (int round = 0; round < 500; ++round) {
        const int columns = 1 + static_cast<int>(random.bounded(5));
        std::vector<QStringList> rows(1 + random.bounded(10));
        for (QStringList& row : rows) {
            for (int c = 0; c < columns; ++c) {
                QStringList text;
                const int count = static_cast<int>(random.bounded(c * 2 + 1));
                for (int w = 0; w < count; ++w)
                    text << words[static_cast<qsizetype>(random.bounded(words.size()))];
                row << text.join(QLatin1Char(' '));
            }
        }
        const double available = 2000 + random.bounded(17000);
        const double em = 352.8;  // 10 points in 1/100 mm
        const double padding = 300;
        const std::vector<double> widths = reports::columnWidths(rows, available, em, padding);
        ASSERT_EQ(widths.size(), static_cast<std::size_t>(columns));
        // The header row may wrap between words; the others should stand on one line.
        double sum = 0;
        std::vector<double> least(columns, padding);
        std::vector<double> whole(columns, padding);
        std::vector<double> data(columns, 0.0);
        for (int c = 0; c < columns; ++c) {
            sum += widths[c];
            for (std::size_t r = 0; r < rows.size(); ++r) {
                least[c] = std::max(least[c], reports::longestWordEm(rows[r][c]) * em + padding);
                if (r > 0) data[c] = std::max(data[c], reports::emWidth(rows[r][c]) * em);
            }
            whole[c] = std::max(data[c] + padding, least[c]);
        }
        EXPECT_NEAR(sum, available, 1e-6 * available);
        const double leastSum = std::accumulate(least.begin(), least.end(), 0.0);
        const double wholeSum = std::accumulate(whole.begin(), whole.end(), 0.0);
        for (int c = 0; c < columns; ++c) {
            if (leastSum <= available) {
                EXPECT_GE(widths[c] + 1e-6, least[c]) << round;
            }
            if (wholeSum <= available) {
                EXPECT_GE(widths[c] + 1e-6, whole[c]) << round;
            }
            for (int d = 0; d < columns; ++d) {
                if (least[c] >= least[d] && data[c] >= data[d]) {
                    EXPECT_GE(widths[c] + 1e-6, widths[d]) << round << ": " << c << " " << d;
                }
            }
        }
    }
}
