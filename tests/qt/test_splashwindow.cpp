// The splash on Qt: a frameless black window of its size, centred, framed by yellow bands, its
// picture shown; a click on it opens the data-entry window, a key ends the program.
#include "app/splashform.h"
#include "qt/qtprogram.h"
#include "toolkit/qt/qtbackend.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace zelmor {
namespace {

// Started with its music, on the splash.
class SplashOnScreen : public qttest::QtProgramTest {
  protected:
    SplashOnScreen() : QtProgramTest(StartAt::Splash) {}
    void beforeStart() override {
        recordMusic();
        QtProgramTest::beforeStart();
    }
    void SetUp() override {
        QtProgramTest::SetUp();
        QTest::qWait(10);
    }

    tk::Form& splash() { return *program.app().form(QStringLiteral("frmSplash")); }
    qtui::FormWindow& window() { return *backend.window(splash()); }
};

TEST_F(SplashOnScreen, AFramelessBlackWindowWithItsBandsTextsAndPicture) {
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window().clientArea()->size(), QSize(586, 361));  // 8790 x 5415 twips

    const QImage shown = window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Top, left and bottom bands are yellow; the middle of the window is black.
    EXPECT_EQ(shown.pixelColor(300, 8), QColor(255, 255, 0));
    EXPECT_EQ(shown.pixelColor(8, 180), QColor(255, 255, 0));
    EXPECT_EQ(shown.pixelColor(300, 352), QColor(255, 255, 0));
    EXPECT_EQ(shown.pixelColor(575, 180), QColor(255, 255, 0));
    EXPECT_EQ(shown.pixelColor(180, 290), QColor(0, 0, 0));
    // The frame round the edition line: its top edge at 3000 twips, 200 pixels.
    EXPECT_EQ(shown.pixelColor(400, 200), QColor(255, 255, 0));
    // The picture: the model's white ground inside its rectangle (32, 40, 153 x 215 pixels).
    int white = 0;
    for (int y = 40; y < 255; ++y) {
        for (int x = 32; x < 185; ++x) white += shown.pixelColor(x, y) == QColor(Qt::white);
    }
    EXPECT_GT(white, 153 * 215 / 4);

    // The product name in yellow letters, sized to its text.
    auto* name = qobject_cast<QLabel*>(window().widget(splash().at(QStringLiteral("label"), 3)));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Zelmor"));
    EXPECT_GT(name->width(), 60);
    EXPECT_LT(name->x() + name->width(), 586);
}

TEST_F(SplashOnScreen, AClickOpensTheMenuAndAKeyEndsTheProgram) {
    QTest::mouseClick(window().clientArea(), Qt::LeftButton, {}, QPoint(300, 300));
    tk::Form* menu = program.app().form(QStringLiteral("menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(backend.window(*menu)->isVisible());
    EXPECT_EQ(music, QStringList({"open", "play", "pause"}));

    // The parked splash brought forward: a key closes it and its music, the menu stays.
    QTest::keyClick(&window(), Qt::Key_Escape);
    QTest::qWait(10);
    EXPECT_FALSE(program.app().isLoaded(QStringLiteral("frmSplash")));
    EXPECT_TRUE(program.app().isLoaded(QStringLiteral("menu")));
    EXPECT_EQ(music.last(), QStringLiteral("close"));
    EXPECT_FALSE(ended);
}

TEST_F(SplashOnScreen, AKeyOnTheOpeningScreenEndsTheProgram) {
    QTest::keyClick(&window(), Qt::Key_Q);
    QTest::qWait(10);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(program.app().ended());
    EXPECT_EQ(music, QStringList({"open", "play", "close"}));
}

}  // namespace
}  // namespace zelmor
