// The files the program writes over earlier ones, the data file and the model picture: on a
// full disk, and with texts the data file's code page cannot hold.
#include "geometry/bmp.h"
#include "model/datafile.h"
#include "shared/modzelmor.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

using namespace zelmor;

namespace {

class SaveFiles : public testsupport::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        model_.endemicKind = model::EndemicKind::Superficiale;
        model_.endemicTypology = 1;
        model_.endemicTypologyText = QStringLiteral("totale");
        model_.endemicValue = QStringLiteral("forte");
        model_.subsystemCount = QStringLiteral("1");
        model_.subsystems[0] = {2, QStringLiteral("lato nord"), QStringLiteral("medio"),
                                QStringLiteral("con nessuno")};
        title_.project = QStringLiteral("Piano del verde");
    }

    bool save(const QString& path) {
        bool done = false;
        app.dispatch([&] { done = shared_.files().write(path, model_, title_); });
        return done;
    }

    shared::ModZelmor shared_{app};
    model::ModelData model_;
    model::TitlePage title_;
};

// A file system of its own, mounted for the test and gone after it.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const QString& path) : path_(QFile::encodeName(path)) {
        mounted_ = ::mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(path_.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }

  private:
    QByteArray path_;
    bool mounted_ = false;
};

TEST_F(SaveFiles, AFullDiskKeepsTheEarlierFilesAndIsTold) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const QString disk = dir.filePath(QStringLiteral("disco"));
    ASSERT_TRUE(QDir().mkpath(disk));
    const SmallFileSystem fs(disk);
    if (!fs.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";

    const QString data = disk + QStringLiteral("/Zelmor-dati-piano");
    const QString picture = disk + QStringLiteral("/schemaZelmor.jpg");
    ASSERT_TRUE(writeFile(data, "earlier data"));
    ASSERT_TRUE(writeFile(picture, "earlier picture"));
    // Fills what is left of the disk.
    QFile filler(disk + QStringLiteral("/riempitivo"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    filler.close();

    EXPECT_FALSE(save(data));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].icon, tk::MessageIcon::Critical);
    EXPECT_EQ(fakes.messages.shown[0].text,
              QStringLiteral("Impossibile salvare il file \"%1\": il disco è pieno.\rIl file "
                             "precedente, se esisteva, non è stato modificato.")
                  .arg(data));
    EXPECT_EQ(read(data), QByteArray("earlier data"));

    // A picture small enough to sit whole in a write buffer.
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    QString why;
    EXPECT_FALSE(geometry::savePicture(image, picture, &why));
    EXPECT_EQ(why, QStringLiteral("il disco è pieno"));
    EXPECT_EQ(read(picture), QByteArray("earlier picture"));

    // No temporary file is left behind.
    EXPECT_EQ(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{QStringLiteral("Zelmor-dati-piano"), QStringLiteral("riempitivo"),
                           QStringLiteral("schemaZelmor.jpg")}));
}

TEST_F(SaveFiles, CharactersTheDataFileCannotHoldAreSavedAsQuestionMarksOnlyOnYes) {
    const QString path = dir.filePath(QStringLiteral("Zelmor-dati-citta"));
    title_.place = QStringLiteral("Łódź – Kraków");
    title_.client = QStringLiteral("Comune di Citta\u0300");  // composes to "Città"
    title_.denominations[0] = QStringLiteral("parco \U0001F333");
    model_.subsystems[0].value = QStringLiteral("forte\U0001F44D\U0001F3FD");
    ASSERT_TRUE(writeFile(path, "earlier data"));

    const QString question = QStringLiteral(
        "Alcuni caratteri non possono essere archiviati nel file dei dati e "
        "verrebbero sostituiti da \"?\":\r\r"
        "valore del sottosistema n. 1: \U0001F44D\U0001F3FD\r"
        "località: Ł ź\r"
        "denominazione del sottosistema n. 1: \U0001F333\r\r"
        "Salvare comunque con i caratteri sostituiti da \"?\"?");
    const struct {
        tk::MessageResult answer;
        bool saved;
    } rows[] = {{tk::MessageResult::No, false}, {tk::MessageResult::Yes, true}};
    for (const auto& r : rows) {
        fakes.messages.shown.clear();
        fakes.messages.answers.push_back(r.answer);
        EXPECT_EQ(save(path), r.saved);
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        const tk::Message& m = fakes.messages.shown[0];
        EXPECT_EQ(m.icon, tk::MessageIcon::Question);
        EXPECT_EQ(m.title, shared_.titles().dataCheck);
        EXPECT_EQ(m.text, question);
        EXPECT_EQ(m.buttons, tk::MessageButtons::YesNo);
        EXPECT_EQ(m.defaultButton, tk::MessageResult::No);
    }
    const model::DataFileContent back = model::readDataFile(read(path));
    ASSERT_TRUE(back.complete());
    EXPECT_EQ(back.title.place, QStringLiteral("?ód? – Kraków"));
    EXPECT_EQ(back.title.client, QStringLiteral("Comune di Città"));
    EXPECT_EQ(back.title.denominations[0], QStringLiteral("parco ?"));
    EXPECT_EQ(back.model.subsystems[0].value, QStringLiteral("forte??"));

    // Texts the code page holds whole are saved without a question.
    fakes.messages.shown.clear();
    title_ = {};
    title_.project = QStringLiteral("Piano – “verde” € 5");
    model_.subsystems[0].value = QStringLiteral("medio");
    EXPECT_TRUE(save(path));
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(model::readDataFile(read(path)).title.project, title_.project);
}

}  // namespace
