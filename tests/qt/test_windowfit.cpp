// The windows on screens of several sizes: every button with a picture shows its picture and
// its whole caption inside its face, every control stays inside its window's drawing area and
// its frame's border, and a help page shows all its text, scrolling it when the page is too
// small. Then the rule that keeps a window inside a desktop that tells less than it should.
#include "help/helppages.h"
#include "qt/qtprogram.h"
#include "toolkit/qt/formwindow.h"
#include "toolkit/qt/screenfit.h"
#include "toolkit/qt/widgets.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace zelmor {
namespace {

using qtui::FormWindow;
using qtui::PictureButton;

struct Screen {
    const char* name;
    int width;  // pixels of the free part of the screen
    int height;
};

class WindowsOnScreen : public qttest::QtProgramTest, public ::testing::WithParamInterface<Screen> {
  protected:
    void SetUp() override {
        fakes.platform.screenW = GetParam().width * tk::kTwipsPerPixel;
        fakes.platform.screenH = GetParam().height * tk::kTwipsPerPixel;
        QtProgramTest::SetUp();
    }

    FormWindow& shown(const QString& name) {
        run([&] { program.app().show(name); });
        QApplication::processEvents();
        FormWindow* w = backend.window(*program.app().form(name));
        EXPECT_NE(w, nullptr) << name.toStdString();
        return *w;
    }

    // The buttons' faces and the controls' rectangles, as the user sees them.
    static void expectWhole(FormWindow& window, const tk::Form& form) {
        const QRect area = window.clientArea()->rect();
        for (const auto& c : form.controls()) {
            QWidget* w = window.widget(*c);
            if (w == nullptr || !w->isVisibleTo(&window)) continue;
            SCOPED_TRACE(c->displayName().toStdString());
            const QRect shown(w->mapTo(window.clientArea(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(area.contains(shown))
                << "at " << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                << shown.height() << " in " << area.width() << "x" << area.height();
            // Inside its frame, clear of the frame's two-pixel border.
            if (c->container() != nullptr && c->container()->kind() == tk::ControlKind::Frame) {
                const QRect inner = w->parentWidget()->rect().adjusted(0, 0, -2, -2);
                EXPECT_TRUE(inner.contains(w->geometry()));
            }
            auto* button = dynamic_cast<PictureButton*>(w);
            if (button == nullptr || c->picture().isEmpty()) continue;
            const PictureButton::Face face = button->face();
            const QRect inside = button->rect().adjusted(1, 1, -1, -1);
            EXPECT_GE(std::min(face.picture.width(), face.picture.height()), 10);
            EXPECT_TRUE(inside.contains(face.picture));
            if (c->text().isEmpty()) continue;
            const QSize text = QFontMetrics(face.font).size(Qt::TextShowMnemonic, c->text());
            EXPECT_TRUE(inside.contains(face.caption));
            EXPECT_GE(face.caption.width(), text.width());
            EXPECT_GE(face.caption.height(), text.height());
            EXPECT_FALSE(face.caption.intersects(face.picture));
        }
    }
};

TEST_P(WindowsOnScreen, ShowEveryControlAndButtonWhole) {
    const QString names[] = {QStringLiteral("menu"), QStringLiteral("frontespizio"),
                             QStringLiteral("sommario")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        FormWindow& window = shown(name);
        expectWhole(window, *window.form());
    }
    bool scrolled = false;
    for (const help::HelpPageLayout& page : help::helpPages()) {
        SCOPED_TRACE(page.name);
        FormWindow& window = shown(QString::fromLatin1(page.name));
        expectWhole(window, *window.form());
        auto* body = dynamic_cast<qtui::CaptionLabel*>(
            window.widget(window.form()->at(QStringLiteral("Label2"))));
        ASSERT_NE(body, nullptr);
        // All the text can be read: it fits, or the bar scrolls down to its last line.
        const int visible = body->contentsRect().height();
        const QScrollBar* bar = body->scrollBar();
        ASSERT_NE(bar, nullptr);
        if (bar->isVisibleTo(body)) {
            EXPECT_GE(bar->maximum() + visible, body->captionHeight());
            EXPECT_TRUE(body->contentsRect().contains(bar->geometry()));
            if (!scrolled) {
                // The keyboard reaches the bar with Tab, and its keys scroll the text.
                window.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
                for (int i = 0; i < 10 && QApplication::focusWidget() != bar; ++i) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                }
                ASSERT_EQ(QApplication::focusWidget(), bar);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
                EXPECT_GT(bar->value(), 0);
            }
            scrolled = true;
        } else {
            EXPECT_LE(body->captionHeight(), visible);
        }
    }
    // A page made smaller than its text on a low screen scrolls.
    if (GetParam().height < 455) {
        EXPECT_TRUE(scrolled);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowsOnScreen,
                         ::testing::Values(Screen{"s1280x1024", 1280, 1024},
                                           Screen{"s1024x768", 1024, 768},
                                           Screen{"s800x600", 800, 600},
                                           Screen{"s1366x768at2x", 683, 384},
                                           Screen{"s1024x768at2x", 512, 384}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenFit, WindowsStayInsideWhatTheDesktopLeavesFree) {
    using qtui::Desktop;
    const QRect laptop(0, 0, 683, 384);
    const QMargins openbox(1, 21, 1, 5);
    const QMargins decorated(3, 30, 3, 3);  // drawn by the program on a Wayland compositor
    struct Row {
        const char* what;
        Desktop desktop;
        QMargins reported;
        bool titled;
        QSize size;
        QPoint frameAt;
        QSize fittedSize;
        QPoint fittedAt;
        QRect usable;
    } rows[] = {
        {"X11, fits",
         {laptop, laptop, false},
         openbox,
         true,
         {400, 300},
         {10, 20},
         {400, 300},
         {10, 20},
         laptop},
        {"X11, larger than the screen",
         {laptop, laptop, false},
         openbox,
         true,
         {640, 455},
         {20, 40},
         {640, 358},
         {20, 0},
         laptop},
        {"X11, a panel reported at the bottom",
         {laptop, {0, 0, 683, 352}, false},
         openbox,
         true,
         {640, 455},
         {0, 0},
         {640, 326},
         {0, 0},
         {0, 0, 683, 352}},
        {"Wayland, no panel reported",
         {laptop, laptop, true},
         decorated,
         true,
         {634, 354},
         {0, 0},
         {634, 303},
         {0, 48},
         {0, 48, 683, 336}},
        {"Wayland, a panel reported",
         {laptop, {0, 32, 683, 352}, true},
         decorated,
         true,
         {634, 354},
         {0, 0},
         {634, 319},
         {0, 32},
         {0, 32, 683, 352}},
        {"XWayland, no frame reported",
         {laptop, laptop, true},
         {},
         true,
         {634, 354},
         {0, 0},
         {634, 295},
         {0, 48},
         {0, 48, 683, 336}},
        {"Wayland, a window without frame",
         {laptop, laptop, true},
         {},
         false,
         {586, 361},
         {0, 0},
         {586, 336},
         {0, 48},
         {0, 48, 683, 336}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const QRect usable = qtui::usableArea(r.desktop);
        EXPECT_EQ(usable, r.usable);
        const QMargins frame = qtui::expectedFrame(r.desktop, r.reported, r.titled);
        if (r.reported.isNull() && r.titled && r.desktop.wayland) {
            EXPECT_FALSE(frame.isNull());
        } else {
            EXPECT_EQ(frame, r.reported);
        }
        const qtui::Placement p = qtui::fitWindow(usable, frame, r.size, r.frameAt);
        EXPECT_EQ(p.size, r.fittedSize);
        EXPECT_EQ(p.frameAt, r.fittedAt);
        // Frame and all inside the usable area.
        const QRect outer(
            p.frameAt, p.size + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
        EXPECT_TRUE(usable.contains(outer));
    }
}

}  // namespace
}  // namespace zelmor
