// The menu window driven as a user would, without a display: the guided procedure and the
// file commands, with the cases that are awkward to write as scenarios.
#include "model/datafile.h"
#include "support/programtest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zelmor;

namespace {

class MenuTest : public testsupport::ProgramTest {
  protected:
    tk::Control& c(const char* name, int index = 0) {
        return menu().at(QString::fromLatin1(name), index);
    }
    void click(const char* name, int index = 0) { ProgramTest::click("menu", name, index); }
    void choose(const char* name, int index, const char* item) {
        tk::Control& ctl = c(name, index);
        ASSERT_TRUE(ctl.reachable()) << name << "(" << index << ") not reachable";
        run([&] { ctl.choose(QString::fromLatin1(item)); });
    }
    QString hint() { return c("passo").text(); }

    // A whole model by hand: kind 1, typology 2, value medio, n subsystems all linked to 1.
    void enterModel(int n) {
        click("endemica", 1);
        click("Option1", 2);
        choose("valore", 0, "medio");
        run([&] { c("VScroll1").setValue(n); });
        for (int i = 1; i <= n; ++i) {
            click("Check1", i);
            click("Option3", i);
            choose("Combo1", i, "forte");
        }
        for (int i = 1; i <= n; ++i) {
            if (i != 1 && n > 1) click("legami", 1);
            click("dopo");
        }
    }

    void open(const QString& path) {
        fakes.files.answers.push_back(path);
        click("apri");
    }
};

TEST_F(MenuTest, AWholeModelByHandReachesTheFinalStepAndIsTheRecord) {
    enterModel(9);
    EXPECT_TRUE(menu().complete());
    const model::ModelData m = menu().model();
    EXPECT_EQ(m.endemicKind, model::EndemicKind::Superficiale);
    EXPECT_EQ(m.endemicTypology, 2);
    EXPECT_EQ(m.endemicTypologyText, QStringLiteral("lato nord"));
    EXPECT_EQ(m.subsystemCount, QStringLiteral("9"));
    EXPECT_EQ(m.subsystems[0].links, QStringLiteral("con nessuno"));
    for (int i = 2; i <= 9; ++i) {
        const auto& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(s.typology, i);
        EXPECT_EQ(s.typologyText, model::particularTypologies().at(i - 1));
        EXPECT_EQ(s.value, QStringLiteral("forte"));
        EXPECT_EQ(s.links, QStringLiteral("con 1"));
    }
}

TEST_F(MenuTest, SaveThenOpenInAFreshWindowGivesTheSameModelAndBytes) {
    enterModel(4);
    const model::ModelData before = menu().model();
    model::TitlePage page;
    page.project = QStringLiteral("Piano \"verde\", località è");
    page.denominations[0] = QStringLiteral("abitato");
    program.shared().setTitlePage(page, 4);
    const QString path = dir.filePath(QStringLiteral("Zelmor-dati-prova"));
    fakes.files.answers.push_back(path);
    click("salva");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray first = f.readAll();
    f.close();

    click("cancelladati");
    EXPECT_TRUE(menu().model().subsystemCount.isEmpty());
    open(path);
    EXPECT_TRUE(menu().complete());
    EXPECT_EQ(menu().model(), before);
    EXPECT_EQ(program.shared().titlePage().project, page.project);

    // Save writes back to the opened file without a dialog, byte for byte the same.
    QFile::remove(path);
    click("salva");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), first);
    EXPECT_TRUE(fakes.files.answers.empty());
}

// Whatever a file holds, opening it never crashes, and the procedure can always be taken on
// to its final step afterwards.
TEST_F(MenuTest, BrokenFilesLeaveAStateTheProcedureContinuesFrom) {
    std::vector<std::pair<QString, QByteArray>> inputs = {
        {QStringLiteral("empty"), QByteArray()},
        {QStringLiteral("binary"), QByteArray("\x00\x01\xff\xfe,\"\r\n\x00", 9)},
        {QStringLiteral("count12"), QByteArray("1,\"totale\",1,\"medio\",\"12\"\r\n")},
        {QStringLiteral("count0"), QByteArray("1,\"totale\",1,\"medio\",\"0\"\r\n")},
        {QStringLiteral("kind7"), QByteArray("7,\"totale\",1,\"medio\",\"1\"\r\n")},
        {QStringLiteral("short"),
         QByteArray(
             "1,\"lato nord\",2,\"medio\",\"3\"\r\n6,\"angolo nord-ovest\",\"forte\",\"con "
             "2\"\r\n1,\"centrale\",\"debole\",\"con nessuno\"\r\n\"A\",\"B\",\"C\"\r\n\"D\","
             "\"E\",\"F\",\"G\"\r\n\"H\"\r\n\"I\"\r\n")},
        {QStringLiteral("fewfields"), QByteArray("1,\"totale\",1\r\n")},
        {QStringLiteral("typology99"),
         QByteArray("1,\"totale\",1,\"medio\",\"1\"\r\n99,\"x\",\"medio\",\"\"\r\n")},
    };
    const QDir malformed(QStringLiteral(ZELMOR_TEST_DATA "/malformed"));
    for (const QFileInfo& fi : malformed.entryInfoList(QDir::Files)) {
        QFile f(fi.absoluteFilePath());
        if (f.open(QIODevice::ReadOnly)) inputs.emplace_back(fi.fileName(), f.readAll());
    }
    for (const auto& [name, bytes] : inputs) {
        SCOPED_TRACE(name.toStdString());
        // A model in progress, then the broken file on top of it.
        click("endemica", 2);
        open(write(name, bytes));
        EXPECT_GE(fakes.messages.shown.size(), 1u) << "a failed read must be told";
        EXPECT_EQ(fakes.messages.shown.back().icon, tk::MessageIcon::Critical);
        fakes.messages.shown.clear();

        // Carry on by hand to the end.
        const int n = std::max(1, menu().subsystemCount());
        click("endemica", 3);
        click("Option1", 5);
        choose("valore", 0, "debole");
        if (menu().subsystemCount() == 0) {
            // The bar rests on 1 while the count is empty: up and down again.
            run([&] { c("VScroll1").setValue(2); });
            run([&] { c("VScroll1").setValue(1); });
        }
        for (int i = 1; i <= n; ++i) {
            if (c("Check1", i).value() == 0) click("Check1", i);
            // A typology needs its index as well as its caption.
            if (!menu().model().subsystems[static_cast<std::size_t>(i - 1)].typology) {
                click("Check1", i);
                click("Check1", i);
                click("Option3", 1);
            }
            choose("Combo1", i, "medio");
        }
        for (int i = 1; i <= n && c("dopo").enabled(); ++i) click("dopo");
        EXPECT_TRUE(menu().complete()) << hint().toStdString();
        click("cancelladati");
    }
}

TEST_F(MenuTest, FailedSaveIsToldAndTheCurrentFileStaysUntouched) {
    enterModel(2);
    model::TitlePage page;
    page.project = QStringLiteral("P");
    program.shared().setTitlePage(page, 2);
    const QString good = dir.filePath(QStringLiteral("Zelmor-dati-a"));
    fakes.files.answers.push_back(good);
    click("salva");
    ASSERT_TRUE(fakes.messages.shown.empty());
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    f.close();

    // A file name below a plain file cannot be created, not even with every right.
    const QString blocker = write(QStringLiteral("blocker"), QByteArray("x"));
    fakes.files.answers.push_back(blocker + QStringLiteral("/Zelmor-dati-b"));
    click("salvanome");
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].icon, tk::MessageIcon::Critical);
    EXPECT_EQ(fakes.messages.shown[0].title, program.shared().titles().dataCheck);
    EXPECT_TRUE(fakes.messages.shown[0].text.contains(QStringLiteral("Zelmor-dati-b")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), saved);
}

}  // namespace

// A named pipe never ends: Open refuses it at once instead of waiting for ever.
TEST_F(MenuTest, APipeIsNoDataFile) {
    enterModel(2);
    const QString pipe = dir.filePath(QStringLiteral("Zelmor-dati-tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const model::ModelData before = menu().model();
    open(pipe);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_TRUE(fakes.messages.shown[0].text.contains(QStringLiteral("non è un file ordinario")));
    EXPECT_EQ(menu().model(), before);
    EXPECT_TRUE(menu().complete());
}
