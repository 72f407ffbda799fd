// The splash window without a display: its layout, its music commands and where the music file
// is looked up, and the picture of its own making.
#include "app/splashform.h"
#include "support/programtest.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

class Splash : public testsupport::ProgramTest {
  protected:
    Splash() : ProgramTest(StartAt::Nothing) {}
    void beforeStart() override {
        recordMusic();
        ASSERT_TRUE(QDir().mkpath(programFolder()));
        ASSERT_TRUE(QDir().mkpath(currentFolder()));
        fakes.platform.folder = programFolder();
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(currentFolder()));
    }
    void TearDown() override {
        if (!previous.isEmpty()) QDir::setCurrent(previous);
    }

    QString programFolder() const { return dir.path() + QStringLiteral("/programma"); }
    QString currentFolder() const { return dir.path() + QStringLiteral("/lavoro"); }
    static void touch(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    app::SplashForm& splash() {
        return *program.app().formAs<app::SplashForm>(QStringLiteral("frmSplash"));
    }
    tk::Control& label(int i) { return splash().at(QStringLiteral("label"), i); }

    QString previous;
};

TEST_F(Splash, LabelsBandsAndFrameStandWhereTheyBelong) {
    start();
    const tk::Color yellow = tk::colors::kYellow;
    const tk::Color black = tk::colors::kBlack;
    struct Row {
        int index;
        tk::Rect rect;
        tk::Color back;
    };
    // Label 3 is sized to its text; only its corner is fixed.
    const Row rows[] = {
        {0, {0, 0, 8775, 255}, yellow},       {1, {2880, 480, 5520, 525}, black},
        {2, {3840, 1200, 3855, 375}, black},  {4, {3000, 2640, 5415, 375}, black},
        {5, {3840, 3070, 3855, 375}, black},  {7, {480, 4080, 7935, 195}, black},
        {8, {3960, 4800, 4455, 255}, black},  {9, {240, 5160, 8295, 255}, yellow},
        {10, {8520, 255, 255, 5175}, yellow}, {11, {0, 255, 255, 5175}, yellow},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(label(r.index).geometry(), r.rect);
        EXPECT_EQ(label(r.index).backColor(), std::optional<tk::Color>(r.back));
        if (r.back == black) {
            EXPECT_EQ(label(r.index).foreColor(), std::optional<tk::Color>(yellow));
        } else {
            EXPECT_TRUE(label(r.index).text().isEmpty());
        }
    }
    EXPECT_EQ(splash().find(QStringLiteral("label"), 6), nullptr);
    EXPECT_EQ(label(3).left(), 5535);
    EXPECT_EQ(label(3).top(), 1560);
    EXPECT_TRUE(label(3).autoSize());
    EXPECT_TRUE(label(1).autoSize());
    EXPECT_EQ(label(3).font(), (tk::Font{QStringLiteral("Arial Black"), 27.75, true, false}));
    EXPECT_EQ(label(1).font().size, 21.75);
    EXPECT_TRUE(label(1).font().bold && label(1).font().italic);
    EXPECT_EQ(label(2).font(), (tk::Font{QStringLiteral("MS Sans Serif"), 12, false, false}));
    EXPECT_EQ(label(7).font(), (tk::Font{QStringLiteral("Arial"), 8.25, false, false}));
    EXPECT_EQ(label(4).alignment(), tk::Alignment::Center);

    const tk::Control& frame = splash().at(QStringLiteral("Shape1"));
    EXPECT_EQ(frame.geometry(), (tk::Rect{3720, 3000, 4050, 350}));
    EXPECT_EQ(frame.borderColor(), yellow);
    EXPECT_EQ(frame.fillStyle(), tk::FillStyle::Transparent);
    EXPECT_EQ(splash().at(QStringLiteral("Image1")).geometry(), (tk::Rect{480, 600, 2295, 3225}));

    // No frame, no title: the window is its drawing area.
    EXPECT_EQ(splash().scaleWidth(), splash().width());
    EXPECT_EQ(splash().scaleHeight(), splash().height());
}

TEST_F(Splash, TheMusicIsLookedUpBesideTheProgramThenInTheCurrentFolder) {
    const QString besideProgram = programFolder() + QStringLiteral("/Internet.mid");
    const QString inCurrent = currentFolder() + QStringLiteral("/Internet.mid");
    struct Row {
        bool inProgram;
        bool inCurrent;
        QString expected;
    };
    const Row rows[] = {
        {true, true, besideProgram},
        {true, false, besideProgram},
        {false, true, inCurrent},
        {false, false, inCurrent},  // missing everywhere: the player is told, and stays silent
    };
    for (const Row& r : rows) {
        QFile::remove(besideProgram);
        QFile::remove(inCurrent);
        if (r.inProgram) touch(besideProgram);
        if (r.inCurrent) touch(inCurrent);
        app::MultimediaControl mm(program.app(), player);
        mm.FileName = QStringLiteral("Internet.mid");
        EXPECT_EQ(mm.resolvedPath(), r.expected) << r.inProgram << r.inCurrent;
    }
    app::MultimediaControl mm(program.app(), player);
    mm.FileName = dir.path() + QStringLiteral("/altrove/brano.mid");
    EXPECT_EQ(mm.resolvedPath(), mm.FileName);
}

TEST_F(Splash, CommandWordsReachThePlayerAndTheWindowTakesItsMusicWithIt) {
    app::MultimediaControl mm(program.app(), player);
    mm.FileName = QStringLiteral("Internet.mid");
    EXPECT_FALSE(mm.isOpen());
    for (const char* word : {"open", "play", "Play", "stop", "pause", "", "play", "close"}) {
        mm.setCommand(QString::fromLatin1(word));
    }
    EXPECT_EQ(music, QStringList({"open", "play", "pause", "play", "close"}));
    EXPECT_FALSE(mm.isOpen());

    // Closed from outside (the window manager), the splash closes its music once.
    music.clear();
    start();
    program.app().dispatch([&] { splash().click(); });
    program.app().dispatch([&] { program.app().unload(QStringLiteral("frmSplash")); });
    EXPECT_EQ(music, QStringList({"open", "play", "pause", "close"}));
    // A key closes it before the window goes: no second close.
    music.clear();
    program.app().dispatch([&] { program.app().show(QStringLiteral("frmSplash")); });
    program.app().dispatch([&] { splash().key(QLatin1Char('a')); });
    EXPECT_EQ(music, QStringList({"open", "play", "close"}));
    EXPECT_TRUE(program.app().isLoaded(QStringLiteral("menu")));
}

TEST_F(Splash, ClicksOnLabelsAndPictureOpenTheMenuKeysLeaveIt) {
    start();
    for (const char* name : {"Image1", "label"}) {
        tk::Control& c = splash().at(QString::fromLatin1(name), name[0] == 'l' ? 8 : 0);
        program.app().dispatch([&] { c.click(); });
        ASSERT_TRUE(program.app().isLoaded(QStringLiteral("menu")));
        EXPECT_EQ(program.app().activeForm(), program.app().form(QStringLiteral("menu")));
        program.app().dispatch([&] { program.app().unload(QStringLiteral("menu")); });
    }
    EXPECT_EQ(music, QStringList({"open", "play", "pause", "pause"}));
    // Enter and Space begin as the click does, for the keyboard alone; every other key leaves.
    for (QChar key : {QChar(u'\r'), QChar(u' '), QChar(u'\x1b'), QChar(u'a')}) {
        music.clear();
        app::ZelmorApp other(services(), &player);
        other.app().dispatch([&] { other.startup(); });
        other.app().dispatch([&] { other.app().form(QStringLiteral("frmSplash"))->key(key); });
        const bool begins = key == QChar(u'\r') || key == QChar(u' ');
        EXPECT_EQ(other.app().ended(), !begins) << int{key.unicode()};
        EXPECT_EQ(other.app().isLoaded(QStringLiteral("menu")), begins) << int{key.unicode()};
        EXPECT_EQ(music, begins ? QStringList({"open", "play", "pause"})
                                : QStringList({"open", "play", "close"}))
            << int{key.unicode()};
    }
}

TEST(SplashPicture, IsAModelDrawingUprightIn256Colours) {
    const QImage& image = app::SplashForm::picture();
    EXPECT_EQ(image.size(), QSize(215, 299));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_LE(image.colorCount(), 256);
    // The drawing's white ground, its black outlines and the green of the link figures.
    QSet<QRgb> seen;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) seen.insert(rgb.pixel(x, y) & 0xFFFFFFu);
    }
    const auto near = [&](int r, int g, int b) {
        return std::any_of(seen.begin(), seen.end(), [&](QRgb c) {
            return std::abs(qRed(c) - r) < 40 && std::abs(qGreen(c) - g) < 40 &&
                   std::abs(qBlue(c) - b) < 40;
        });
    };
    EXPECT_TRUE(near(255, 255, 255));
    EXPECT_TRUE(near(0, 0, 0));
    EXPECT_TRUE(near(0, 128, 0) || near(0, 255, 0));
    EXPECT_GT(seen.size(), 8);
    // Upright: the model's 632 x 428 landscape turned a quarter, so taller than wide.
    EXPECT_GT(image.height(), image.width());
}

}  // namespace
