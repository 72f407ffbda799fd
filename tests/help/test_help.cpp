// The help: the page texts the program carries, the tips file and its reading, and the prints of
// the pages through the whole program with a recording word processor.
#include "help/frmtip.h"
#include "help/helppages.h"
#include "help/sommarioform.h"
#include "model/cp1252.h"
#include "reports/recordingwordprocessor.h"
#include "scriptparser.h"
#include "support/nullwordprocessor.h"
#include "support/programtest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

// ---- the page texts -------------------------------------------------------------------------

struct PageText {
    const char* page;
    int length;  // the length the page was laid out for
    const char* opening;
};

const PageText kPageTexts[] = {
    {"manuale", 2341, "ZELMOR è un programma che graficizza automaticamente modelli aspaziali"},
    {"guidafunzionamento", 1242, "ZELMOR funziona in maniera molto semplice"},
    {"guidaarchivio", 1272,
     "E' possibile memorizzare in appositi files i dati immessi per ogni finestra"},
    {"guidadisegno", 1238, "Una volta impostati tutti i dati con la finestra Menu"},
    {"guidafrontespizio", 1225,
     "L'ultima finestra riguarda i dati destinati al frontespizio della relazione."},
    {"guidastampa", 1190,
     "Si possono stampare liberamente tutte le finestre riguardanti la guida."},
    {"guidamenu", 1270,
     "La finestra Menu è quella riguardante praticamente l'intera immissione dati"},
};

TEST(HelpTexts, EveryPageOpensWithItsWordsAndKeepsToItsLength) {
    ASSERT_EQ(help::helpPages().size(), std::size(kPageTexts));
    for (const PageText& t : kPageTexts) {
        const QString body = help::helpBody(QString::fromLatin1(t.page));
        SCOPED_TRACE(t.page);
        EXPECT_TRUE(body.startsWith(QString::fromUtf8(t.opening)));
        // The windows were laid out for texts of about this length.
        EXPECT_GE(body.size(), t.length * 9 / 10);
        EXPECT_LE(body.size(), t.length * 11 / 10);
        // Paragraphs end with a carriage return only; none is empty, none is padded.
        EXPECT_FALSE(body.contains(QLatin1Char('\n')));
        for (const QString& paragraph : body.split(QChar(13))) {
            EXPECT_FALSE(paragraph.trimmed().isEmpty());
            EXPECT_EQ(paragraph, paragraph.trimmed());
        }
        // The documents go to LibreOffice Writer; a text that sends the user to Word is wrong.
        EXPECT_FALSE(body.contains(QRegularExpression(QStringLiteral("\\bWord\\b"))));
    }
    EXPECT_TRUE(help::helpBody(QStringLiteral("sommario")).isEmpty());
    EXPECT_EQ(help::findHelpPage(QStringLiteral("frmTip")), nullptr);
}

// ---- the tips file --------------------------------------------------------------------------

TEST(TipsFile, EveryLineIsATipWhateverItsEnd) {
    const struct {
        const char* what;
        QByteArray bytes;
        QStringList tips;
    } rows[] = {
        {"empty file", "", {}},
        {"CR LF, ended", "uno\r\ndue\r\n", {"uno", "due"}},
        {"LF, last line not ended", "uno\ndue", {"uno", "due"}},
        {"CR alone", "uno\rdue\r", {"uno", "due"}},
        {"mixed ends", "uno\r\ndue\ntre\rquattro", {"uno", "due", "tre", "quattro"}},
        {"empty lines are empty tips", "uno\r\n\r\n\r\ndue\r\n", {"uno", "", "", "due"}},
        {"only an end", "\r\n", {""}},
        {"blanks kept", "  rientro \r\n", {"  rientro "}},
        {"code page", "caff\xe8 \x80 5\x92", {QStringLiteral("caffè € 5’")}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(help::FrmTip::parseTips(row.bytes), row.tips) << row.what;
    }
}

TEST(TipsFile, TheOneThatComesWithTheProgramIsInTheProgramsCodePage) {
    QFile file(QStringLiteral(ZELMOR_RESOURCES_DIR "/SuggerimentiZelmor.TXT"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(bytes.contains("\r\n\r\n"));
    const QStringList tips = help::FrmTip::parseTips(bytes);
    EXPECT_GE(tips.size(), 25);
    for (const QString& tip : tips) {
        SCOPED_TRACE(tip.toStdString());
        EXPECT_FALSE(tip.trimmed().isEmpty());
        EXPECT_LE(tip.size(), 250);  // it must fit the tip area
        // Text saved as UTF-8 would read as "Ã¨" here.
        EXPECT_FALSE(tip.contains(QChar(0x00C3)));
        EXPECT_EQ(model::toCp1252(tip).size(), tip.size());
        EXPECT_FALSE(tip.contains(QRegularExpression(QStringLiteral("\\bWord\\b"))));
    }
}

// ---- the program ----------------------------------------------------------------------------

class HelpProgram : public testsupport::ProgramTest {
  protected:
    void beforeStart() override {
        recordReports();
        fakes.platform.folder = path(QStringLiteral("bin"));
        fakes.platform.documents = path(QStringLiteral("Documenti"));
        ASSERT_TRUE(QDir().mkpath(fakes.platform.folder));
    }
    void writeTips(const QByteArray& bytes) {
        ASSERT_TRUE(
            writeFile(QDir(fakes.platform.folder).filePath(help::FrmTip::kTipsFile), bytes));
    }
    help::FrmTip& tips() {
        run([&] { app().show(QStringLiteral("frmTip")); });
        return *app().formAs<help::FrmTip>(QStringLiteral("frmTip"));
    }
    QString tipText() {
        return app().form(QStringLiteral("frmTip"))->at(QStringLiteral("lblTipText")).text();
    }
};

TEST_F(HelpProgram, TipsLoadedAgainAreAddedAndAPathWithoutAFileChangesNothing) {
    writeTips("uno\r\ndue\r\n");
    help::FrmTip& tip = tips();
    EXPECT_EQ(tip.tipList(), (QStringList{"uno", "due"}));
    EXPECT_EQ(tip.currentTip(), 1);
    EXPECT_EQ(tipText(), "uno");

    EXPECT_FALSE(tip.LoadTips(QString()));
    EXPECT_FALSE(tip.LoadTips(dir.filePath(QStringLiteral("nessuno.txt"))));
    EXPECT_FALSE(tip.LoadTips(dir.path()));  // a folder
    EXPECT_EQ(tip.tipList().size(), 2);
    EXPECT_EQ(tip.currentTip(), 1);

    // Read again, the lines come after the ones already read, and the next tip is shown.
    EXPECT_TRUE(tip.LoadTips(QDir(fakes.platform.folder).filePath(help::FrmTip::kTipsFile)));
    EXPECT_EQ(tip.tipList(), (QStringList{"uno", "due", "uno", "due"}));
    EXPECT_EQ(tip.currentTip(), 2);
    EXPECT_EQ(tipText(), "due");
}

TEST_F(HelpProgram, BrowsingWrapsForwardAndStopsBackAtTheFirstOverManyTips) {
    QByteArray bytes;
    for (int i = 1; i <= 500; ++i) bytes += "suggerimento " + QByteArray::number(i) + "\r\n";
    writeTips(bytes);
    help::FrmTip& tip = tips();
    tk::Form& f = *app().form(QStringLiteral("frmTip"));
    for (int i = 2; i <= 500; ++i) run([&] { f.at(QStringLiteral("cmdNextTip")).click(); });
    EXPECT_EQ(tipText(), "suggerimento 500");
    run([&] { f.at(QStringLiteral("cmdNextTip")).click(); });
    EXPECT_EQ(tipText(), "suggerimento 1");
    run([&] { f.at(QStringLiteral("cmdprecedente")).click(); });
    EXPECT_EQ(tip.currentTip(), 1);
    EXPECT_EQ(tipText(), "suggerimento 1");
}

TEST_F(HelpProgram, TheGuidePrintsWhatEveryPageWindowShowsInTheContentsOrder) {
    tk::Form& contents = app().show(QStringLiteral("sommario"));
    // Opened and edited as the user sees it: the print reads the window, not the resource.
    run([&] { app().show(QStringLiteral("guidadisegno")); });
    run([&] {
        app().form(QStringLiteral("guidadisegno"))->at(QStringLiteral("Label2")).setText("testo");
    });
    reportLog.clear();
    run([&] { contents.at(QStringLiteral("cmdstampa")).click(); });
    EXPECT_TRUE(fakes.messages.shown.empty());

    QString expected = QStringLiteral("Zelmor\rcomposizioni di modelli logici aspaziali\r\r\r");
    for (int i = 1; i <= 7; ++i) {
        const QString page = help::SommarioForm::entryWindow(i);
        const help::HelpPageLayout* layout = help::findHelpPage(page);
        ASSERT_NE(layout, nullptr) << page.toStdString();
        const QString body =
            page == QLatin1String("guidadisegno") ? QStringLiteral("testo") : help::helpBody(page);
        expected += QStringLiteral("Guida: ") + QString::fromUtf8(layout->title) +
                    QStringLiteral("\r\r") + body;
        if (i < 7) expected += QStringLiteral("\r\f");
        // Loaded for the print, left unseen; the open one stays open.
        EXPECT_TRUE(app().isLoaded(page));
        EXPECT_EQ(app().form(page)->visible(), page == QLatin1String("guidadisegno"));
    }
    QString typed;
    for (const QString& line : reportLog) {
        const auto t = script::tokenize(line.toUtf8());
        if (t.size() == 2 && t[0].bytes == "type") typed += QString::fromUtf8(t[1].bytes);
    }
    EXPECT_EQ(typed, expected);
    // Saved in the Zelmor folder of the user's documents, created for it.
    EXPECT_EQ(reportLog.last(), "save " + reports::quoted(dir.filePath(QStringLiteral(
                                              "Documenti/Zelmor/Zelmor-guida.doc"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Documenti/Zelmor"))).isDir());
}

// Fails at the first operation, as an office that will not start.
class DeadWordProcessor final : public testsupport::NullWordProcessor {
  public:
    int starts = 0;
    void start() override {
        ++starts;
        throw reports::WordError(reports::WordError::Kind::NotStarted, QString());
    }
};

TEST(HelpPrintFailure, IsToldAndTheWindowsStayUsable) {
    tk::testing::FakeServices fakes;
    DeadWordProcessor dead;
    app::ZelmorApp program({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}, nullptr,
                           &dead);
    tk::Application& app = program.app();
    app.dispatch([&] { program.startup(); });
    app.dispatch([&] { app.form(QStringLiteral("frmSplash"))->click(); });
    tk::Form& page = app.show(QStringLiteral("guidamenu"));
    app.dispatch([&] { page.at(QStringLiteral("cmdstampa")).click(); });
    tk::Form& contents = app.show(QStringLiteral("sommario"));
    app.dispatch([&] { contents.at(QStringLiteral("cmdstampa")).click(); });
    EXPECT_EQ(dead.starts, 2);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    for (const tk::Message& m : fakes.messages.shown) {
        EXPECT_EQ(m.icon, tk::MessageIcon::Critical);
        EXPECT_EQ(m.title, QStringLiteral("Zelmor: stampa"));
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("Non è stato possibile avviare")));
    }
    EXPECT_TRUE(page.visible());
    EXPECT_TRUE(contents.visible());
}

// Saves beside an earlier document the user changed, and fails late at the PDF: as an office
// whose earlier guide is open with the user's changes.
class BusyNameWordProcessor final : public testsupport::NullWordProcessor {
  public:
    std::function<void(const reports::WordError&)> late;
    QString save(const QString& path) override {
        return QString(path).replace(QStringLiteral(".doc"), QStringLiteral(" (2).doc"));
    }
    void setLateFailureHandler(std::function<void(const reports::WordError&)> h) override {
        late = std::move(h);
    }
};

TEST(HelpPrintSavedElsewhere, TheNewNameIsToldAndSoIsALateFailure) {
    tk::testing::FakeServices fakes;
    QTemporaryDir home;
    fakes.platform.documents = home.filePath(QStringLiteral("Documenti"));
    BusyNameWordProcessor word;
    {
        app::ZelmorApp program({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform},
                               nullptr, &word);
        tk::Application& app = program.app();
        app.dispatch([&] { program.startup(); });
        app.dispatch([&] { app.form(QStringLiteral("frmSplash"))->click(); });
        tk::Form& contents = app.show(QStringLiteral("sommario"));
        app.dispatch([&] { contents.at(QStringLiteral("cmdstampa")).click(); });
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        const tk::Message& told = fakes.messages.shown[0];
        EXPECT_EQ(told.icon, tk::MessageIcon::Information);
        EXPECT_EQ(told.title, QStringLiteral("Zelmor: stampa"));
        EXPECT_TRUE(told.text.contains(QStringLiteral("\"Zelmor-guida.doc\"")));
        EXPECT_TRUE(told.text.endsWith(
            home.filePath(QStringLiteral("Documenti/Zelmor/Zelmor-guida (2).doc"))));

        ASSERT_TRUE(word.late);
        word.late(
            reports::WordError(reports::WordError::Kind::ExportFailed, QStringLiteral("x.pdf")));
        ASSERT_EQ(fakes.messages.shown.size(), 2u);
        EXPECT_EQ(fakes.messages.shown[1].icon, tk::MessageIcon::Critical);
        EXPECT_TRUE(fakes.messages.shown[1].text.contains(QStringLiteral("copia PDF")));
    }
    // The program gone, no late failure can reach it any more.
    EXPECT_FALSE(word.late);
}

}  // namespace
