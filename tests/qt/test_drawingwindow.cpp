// The drawing window on Qt: the picture file holds exactly the pixels the window shows, and a
// click on the drawing reaches the window.
#include "drawing/disegnoform.h"
#include "qt/qtprogram.h"
#include "toolkit/qt/qtbackend.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace zelmor {
namespace {

model::ModelData heavyModel() {
    // Nine zones, each linked with every other.
    model::ModelData m;
    m.endemicKind = model::EndemicKind::Puntuale;
    m.endemicTypology = 1;
    m.endemicValue = QStringLiteral("forte");
    m.subsystemCount = QStringLiteral("9");
    for (int i = 1; i <= 9; ++i) {
        model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        s.typology = i;
        s.value = model::valueItems().at(i % 3);
        QStringList others;
        for (int j = 1; j <= 9; ++j)
            if (j != i) others << QString::number(j);
        s.links = QStringLiteral("con ") + others.join(QLatin1Char('-'));
    }
    return m;
}

// Started, and the heavy model drawn.
class DrawingWindowOnScreen : public qttest::QtProgramTest {
  protected:
    DrawingWindowOnScreen() : QtProgramTest(StartAt::Splash) {}
    void beforeStart() override {
        fakes.platform.data = dir.path();
        QtProgramTest::beforeStart();
    }
    void SetUp() override {
        QtProgramTest::SetUp();
        if (HasFatalFailure()) return;
        program.shared().document().model = heavyModel();
        program.app().dispatch([&] { drawing::DisegnoForm::startDrawing(program.app()); });
    }

    drawing::DisegnoForm& form() {
        return *program.app().formAs<drawing::DisegnoForm>(QStringLiteral("disegno"));
    }
    qtui::FormWindow& window() { return *backend.window(form()); }
};

TEST_F(DrawingWindowOnScreen, ThePictureFileHoldsThePixelsTheWindowShows) {
    ASSERT_TRUE(fakes.messages.shown.empty());
    QWidget* area = window().clientArea();
    EXPECT_EQ(area->size(), QSize(632, 428));
    // The shapes are painted with the area, not as widgets of their own.
    EXPECT_EQ(window().widget(form().at(QStringLiteral("particolare"), 1)), nullptr);

    const QImage shown = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QFile file(dir.path() + QStringLiteral("/Programmi/schemaZelmor.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(file.readAll(), "BMP"));
    ASSERT_EQ(saved.size(), shown.size());
    EXPECT_TRUE(saved.convertToFormat(QImage::Format_RGB32) == shown);
    // Not a blank picture: the link figures' green and the points' yellow are there.
    EXPECT_EQ(shown.pixelColor(281, 300), QColor(0, 255, 0));
    EXPECT_EQ(shown.pixelColor(76, 76), QColor(255, 255, 0));
}

TEST_F(DrawingWindowOnScreen, ResizingStretchesTheZonesAndAClickReachesTheWindow) {
    const int before = form().at(QStringLiteral("particolare"), 1).width();
    // Within the 800 x 600 test screen, so that the window's later check that it fits on the
    // screen, whenever it comes, leaves the size alone.
    window().clientArea()->resize(760, 520);
    QTest::qWait(10);
    EXPECT_EQ(form().scaleWidth(), 760 * 15);
    EXPECT_GT(form().at(QStringLiteral("particolare"), 1).width(), before);
    QTest::mouseClick(window().clientArea(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_TRUE(form().visible());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

}  // namespace
}  // namespace zelmor
