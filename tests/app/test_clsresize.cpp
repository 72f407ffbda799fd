#include "shared/clsresize.h"
#include "toolkit/application.h"
#include "toolkit/testing/fakes.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

struct Fixture {
    tk::testing::FakeServices fakes;
    tk::Application app{{&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}};
    tk::Form form{app, QStringLiteral("prova")};
    shared::clsResize resizer;

    Fixture() {
        form.setScaleSize(4000, 3000);
        resizer.SourceForm = &form;
    }
    tk::Control& box(const QString& name, tk::Rect r, const QString& tag = QString()) {
        tk::Control& c = form.add(tk::ControlKind::Label, name);
        c.setGeometry(r);
        c.setTag(tag);
        return c;
    }
};

TEST(ClsResize, ScalesEveryControlFromTheRecordedValues) {
    Fixture f;
    tk::Control& a = f.box(QStringLiteral("a"), {100, 200, 1000, 300});
    tk::Control& line = f.form.add(tk::ControlKind::Line, QStringLiteral("l"));
    line.setGeometry({10, 20, 400, 500});  // x1, y1, x2, y2
    tk::Control& item = f.form.add(tk::ControlKind::MenuItem, QStringLiteral("voce"));
    f.resizer.ReInitialise();

    // Twice as wide, equally high: left and width double, top and height stay.
    f.form.setScaleSize(8000, 3000);
    f.resizer.ResizeControls();
    EXPECT_EQ(a.geometry(), (tk::Rect{200, 200, 2000, 300}));
    EXPECT_EQ(line.geometry(), (tk::Rect{20, 20, 800, 500}));
    EXPECT_EQ(item.geometry(), (tk::Rect{}));  // no position: left alone

    // Back and forth many times: no rounding accumulates.
    for (int i = 0; i < 20; ++i) {
        f.form.setScaleSize(4000 + 7 * i, 3000 + 13 * i);
        f.resizer.ResizeControls();
    }
    f.form.setScaleSize(6000, 4500);
    f.resizer.ResizeControls();
    EXPECT_EQ(a.geometry(), (tk::Rect{150, 300, 1500, 450}));
}

TEST(ClsResize, TagsChooseWhatIsScaled) {
    struct Row {
        const char* tag;
        tk::Rect expected;
    } rows[] = {
        {"", {200, 400, 2000, 600}},
        {"qualcosa", {200, 400, 2000, 600}},  // not starting with @: all four
        {"@T", {100, 400, 1000, 300}},
        {"@L,T", {200, 400, 1000, 300}},
        {"@W,H", {100, 200, 2000, 600}},
        {"@l,t,w,h", {100, 200, 1000, 300}},  // capitals only
        {"@", {100, 200, 1000, 300}},
    };
    for (const Row& row : rows) {
        Fixture f;
        tk::Control& c =
            f.box(QStringLiteral("c"), {100, 200, 1000, 300}, QString::fromLatin1(row.tag));
        f.resizer.ReInitialise();
        f.form.setScaleSize(8000, 6000);
        f.resizer.ResizeControls();
        EXPECT_EQ(c.geometry(), row.expected) << "tag " << row.tag;
    }
}

TEST(ClsResize, MinimisedWindowsAndReInitialise) {
    Fixture f;
    tk::Control& c = f.box(QStringLiteral("c"), {100, 200, 1000, 300});
    // The first rescaling only records.
    f.resizer.ResizeControls();
    EXPECT_TRUE(f.resizer.recorded());
    EXPECT_EQ(c.geometry(), (tk::Rect{100, 200, 1000, 300}));

    f.form.setWindowState(tk::WindowState::Minimized);
    f.form.setScaleSize(0, 0);
    f.resizer.ResizeControls();
    EXPECT_EQ(c.geometry(), (tk::Rect{100, 200, 1000, 300}));
    f.form.setWindowState(tk::WindowState::Normal);
    f.form.setScaleSize(4000, 3000);
    f.resizer.ResizeControls();
    EXPECT_EQ(c.geometry(), (tk::Rect{100, 200, 1000, 300}));

    // Moved by the program, then recorded again: later resizes scale from the new place.
    c.setGeometry({500, 500, 500, 500});
    f.resizer.ReInitialise();
    f.form.setScaleSize(8000, 6000);
    f.resizer.ResizeControls();
    EXPECT_EQ(c.geometry(), (tk::Rect{1000, 1000, 1000, 1000}));
}

TEST(ClsResize, SizeFormToScreenCentresAShareOfTheScreen) {
    struct Row {
        int percent, screenW, screenH;
        int top, left, height, width;
    } rows[] = {
        {75, 15360, 11520, 1440, 1920, 8640, 11520},
        {100, 15360, 11520, 0, 0, 11520, 15360},
        {50, 19200, 14400, 3600, 4800, 7200, 9600},
        {33, 1000, 1000, 335, 335, 330, 330},   // whole part of 330.0
        {331, 1000, 1000, 125, 125, 750, 750},  // a byte: 331 is 75
    };
    for (const Row& r : rows) {
        Fixture f;
        f.fakes.platform.screenW = r.screenW;
        f.fakes.platform.screenH = r.screenH;
        f.box(QStringLiteral("c"), {100, 200, 1000, 300});
        f.resizer.SizeFormToScreen(r.percent);
        EXPECT_EQ(f.form.top(), r.top) << r.percent;
        EXPECT_EQ(f.form.left(), r.left) << r.percent;
        EXPECT_EQ(f.form.height(), r.height) << r.percent;
        EXPECT_EQ(f.form.width(), r.width) << r.percent;
    }
}

}  // namespace
