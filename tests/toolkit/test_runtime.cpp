// The form runtime's event semantics, which the guided procedure depends on.
#include "toolkit/application.h"
#include "toolkit/testing/fakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zelmor::tk;

namespace {

struct Harness {
    zelmor::tk::testing::FakeServices fakes;
    Application app{
        {&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform, &fakes.clipboard}};
};

TEST(Control, HandlersRunOncePerRealChangeBeforeTheSetterReturns) {
    Harness h;
    Form form(h.app, QStringLiteral("f"));
    std::vector<QString> log;
    Control& text = form.add(ControlKind::TextBox, QStringLiteral("t"));
    Control& combo = form.add(ControlKind::ComboBox, QStringLiteral("c"));
    Control& check = form.add(ControlKind::CheckBox, QStringLiteral("k"));
    Control& label = form.add(ControlKind::Label, QStringLiteral("l"));
    Control& bar = form.add(ControlKind::VScrollBar, QStringLiteral("v"));
    text.onChange = [&] { log.push_back(QStringLiteral("t=") + text.text()); };
    combo.onChange = [&] { log.push_back(QStringLiteral("c~") + combo.text()); };
    combo.onClick = [&] { log.push_back(QStringLiteral("c!") + combo.text()); };
    check.onClick = [&] { log.push_back(QStringLiteral("k=%1").arg(check.value())); };
    label.onChange = [&] { log.push_back(QStringLiteral("label")); };
    bar.onChange = [&] { log.push_back(QStringLiteral("v=%1").arg(bar.value())); };
    bar.setRange(9, 1);

    text.setText(QStringLiteral("a"));
    text.setText(QStringLiteral("a"));  // unchanged: nothing
    combo.setText(QStringLiteral("medio"));
    combo.choose(QStringLiteral("forte"));  // from the list: a click, no change event
    combo.choose(QStringLiteral("forte"));  // picked again: clicked again
    check.setValue(1);
    check.setValue(5);  // still ticked
    check.click();
    label.setText(QStringLiteral("x"));  // labels have no change handler
    bar.setValue(5);
    bar.setValue(42);  // clamped to the top end
    bar.setValue(9);   // already there
    const std::vector<QString> expected = {QStringLiteral("t=a"),     QStringLiteral("c~medio"),
                                           QStringLiteral("c!forte"), QStringLiteral("c!forte"),
                                           QStringLiteral("k=1"),     QStringLiteral("k=0"),
                                           QStringLiteral("v=5"),     QStringLiteral("v=9")};
    EXPECT_EQ(log, expected);
}

// A rule may give its own control another handler while it runs (a window rebuilt from a
// click): what it captured must live until it returns.
TEST(Control, AHandlerMayReplaceItselfWhileItRuns) {
    Harness h;
    Form form(h.app, QStringLiteral("f"));
    Control& button = form.add(ControlKind::CommandButton, QStringLiteral("b"));
    std::vector<std::string> log;
    const std::string first(64, 'x');  // on the heap: a freed copy is a use after free
    button.onClick = [&log, &button, first] {
        button.onClick = [&log] { log.emplace_back("second"); };
        log.push_back(first);
    };
    button.click();
    button.click();
    EXPECT_EQ(log, (std::vector<std::string>{first, "second"}));
}

TEST(Control, OptionButtonsFormOneGroupPerContainerAndMayAllBeUnselected) {
    Harness h;
    Form form(h.app, QStringLiteral("f"));
    Control& frameA = form.add(ControlKind::Frame, QStringLiteral("A"));
    Control& frameB = form.add(ControlKind::Frame, QStringLiteral("B"));
    std::vector<Control*> a, b;
    int clicks = 0;
    for (int i = 1; i <= 3; ++i) {
        a.push_back(&form.add(ControlKind::OptionButton, QStringLiteral("a"), i, &frameA));
        b.push_back(&form.add(ControlKind::OptionButton, QStringLiteral("b"), i, &frameB));
        a.back()->onClick = [&] { ++clicks; };
    }
    a[0]->click();
    b[1]->click();
    a[2]->click();
    EXPECT_EQ(a[0]->value(), 0);
    EXPECT_EQ(a[2]->value(), 1);
    EXPECT_EQ(b[1]->value(), 1);  // another container, another group
    a[2]->click();                // already selected: no event
    EXPECT_EQ(clicks, 2);
    a[2]->setValue(0);  // unselecting runs nothing and leaves none selected
    EXPECT_EQ(clicks, 2);
    for (Control* o : a) EXPECT_EQ(o->value(), 0);
}

TEST(Control, ReachableOnlyWhenItAndItsContainersAreEnabledVisibleAndShown) {
    Harness h;
    h.app.registerForm(QStringLiteral("f"), [](Application& app) {
        auto form = std::make_unique<Form>(app, QStringLiteral("f"));
        Control& frame = form->add(ControlKind::Frame, QStringLiteral("frame"));
        form->add(ControlKind::CommandButton, QStringLiteral("b"), 0, &frame);
        return form;
    });
    Form& f = h.app.load(QStringLiteral("f"));
    Control& frame = f.at(QStringLiteral("frame"));
    Control& b = f.at(QStringLiteral("b"));
    EXPECT_FALSE(b.reachable());  // loaded, not shown
    h.app.show(QStringLiteral("f"));
    EXPECT_TRUE(b.reachable());
    frame.setEnabled(false);
    EXPECT_FALSE(b.reachable());
    frame.setEnabled(true);
    frame.setVisible(false);
    EXPECT_FALSE(b.reachable());
    frame.setVisible(true);
    // Another window stays on the screen, so that hiding this one does not end the program.
    h.app.registerForm(QStringLiteral("g"), [](Application& app) {
        return std::make_unique<Form>(app, QStringLiteral("g"));
    });
    h.app.show(QStringLiteral("g"));
    h.app.hide(QStringLiteral("f"));
    EXPECT_FALSE(b.reachable());
}

// A window that unloads and reloads itself from its own handler, as "clear" does.
class SelfReloading : public Form {
  public:
    SelfReloading(Application& app, int& loads, int& unloads)
        : Form(app, QStringLiteral("w")), loads_(&loads), unloads_(&unloads) {
        Control& b = add(ControlKind::CommandButton, QStringLiteral("clear"));
        b.onClick = [this] {
            Application& a = this->app();
            a.unload(name());
            marker = 7;  // still a live object until the click has finished
            a.show(QStringLiteral("w"));
        };
    }
    void load() override { ++*loads_; }
    void unload() override { ++*unloads_; }
    int marker = 0;

  private:
    int* loads_;
    int* unloads_;
};

TEST(Application, ShowUnloadAndTheEndOfTheProgram) {
    Harness h;
    int loads = 0, unloads = 0;
    h.app.registerForm(QStringLiteral("w"), [&](Application& app) {
        return std::make_unique<SelfReloading>(app, loads, unloads);
    });
    EXPECT_THROW(h.app.show(QStringLiteral("nessuna")), std::out_of_range);

    h.app.dispatch([&] { h.app.show(QStringLiteral("w")); });
    h.app.dispatch([&] { h.app.show(QStringLiteral("w")); });  // loaded once only
    EXPECT_EQ(loads, 1);
    Form* first = h.app.form(QStringLiteral("w"));
    h.app.dispatch([&] { first->at(QStringLiteral("clear")).click(); });
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(unloads, 1);
    Form* second = h.app.form(QStringLiteral("w"));
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->visible());
    EXPECT_FALSE(h.app.ended());

    h.app.dispatch([&] { h.app.unload(QStringLiteral("w")); });
    EXPECT_EQ(unloads, 2);
    EXPECT_TRUE(h.app.ended());
}

TEST(Application, ClosingTheLastVisibleWindowTakesTheHiddenOnesWithIt) {
    Harness h;
    std::vector<QString> unloaded;
    struct Logged : Form {
        Logged(Application& a, const QString& n, std::vector<QString>& log)
            : Form(a, n), log_(&log) {}
        void unload() override { log_->push_back(name()); }
        std::vector<QString>* log_;
    };
    for (const char* n : {"visibile", "altra", "nascosta"}) {
        h.app.registerForm(QString::fromLatin1(n), [&unloaded, n](Application& a) {
            return std::make_unique<Logged>(a, QString::fromLatin1(n), unloaded);
        });
    }
    h.app.dispatch([&] {
        h.app.show(QStringLiteral("visibile"));
        h.app.show(QStringLiteral("altra"));
        h.app.load(QStringLiteral("nascosta"));
    });
    // Another window is still on the screen: the hidden one stays.
    h.app.dispatch([&] { h.app.unload(QStringLiteral("altra")); });
    EXPECT_TRUE(h.app.isLoaded(QStringLiteral("nascosta")));
    // The last window on the screen closed: the hidden one's unload handler runs, the program
    // ends.
    h.app.unload(QStringLiteral("visibile"));
    EXPECT_EQ(unloaded, (std::vector<QString>{"altra", "visibile", "nascosta"}));
    EXPECT_FALSE(h.app.isLoaded(QStringLiteral("nascosta")));
    EXPECT_TRUE(h.app.ended());
}

TEST(Form, DrawingAreaIsTheOuterSizeLessTheFrameTitleAndMenuBars) {
    Harness h;
    Form form(h.app, QStringLiteral("f"));
    int resizes = 0;
    struct Counting : Form {
        using Form::Form;
        int* count = nullptr;
        void resize() override { ++*count; }
    } counting(h.app, QStringLiteral("g"));
    counting.count = &resizes;
    counting.setHasMenuBar(true);
    counting.setWidth(9600);
    counting.setHeight(6825);
    EXPECT_EQ(counting.scaleWidth(), 9510);
    EXPECT_EQ(counting.scaleHeight(), 6180);
    counting.setScaleSize(1000, 500);
    EXPECT_EQ(counting.width(), 1090);
    EXPECT_EQ(counting.height(), 1145);
    EXPECT_EQ(resizes, 3);
    counting.setScaleSize(1000, 500);  // unchanged
    counting.setWindowState(WindowState::Minimized);
    EXPECT_EQ(resizes, 4);
    form.setHasTitleBar(false);
    form.setWidth(1000);
    form.setHeight(1000);
    EXPECT_EQ(form.scaleHeight(), 910);
}

TEST(Form, PopupMenusAreHiddenTopLevelMenusWithItems) {
    Harness h;
    Form form(h.app, QStringLiteral("f"));
    struct Recorder : FormObserver {
        void controlChanged(Control&) override {}
        void formChanged(Form&) override {}
        void menuPoppedUp(Form&, Control& menu) override { opened.push_back(menu.name()); }
        std::vector<QString> opened;
    } recorder;
    const auto menu = [&form](const char* name, const char* parent, bool visible) -> Control& {
        Control& c = form.add(ControlKind::MenuItem, QString::fromLatin1(name));
        c.setParentMenu(QString::fromLatin1(parent));
        c.setVisible(visible);
        return c;
    };
    Control& popup = menu("contesto", "", false);
    Control& copy = menu("copia", "contesto", true);
    Control& bar = menu("file", "", true);
    menu("esci", "file", true);
    Control& empty = menu("vuoto", "", false);
    Control& self = menu("se", "se", false);  // names itself as its parent: no items
    EXPECT_TRUE(form.isPopupMenu(popup));
    for (const Control* c : {&copy, &bar, &empty, &self}) {
        EXPECT_FALSE(form.isPopupMenu(*c)) << c->name().toStdString();
    }
    form.setObserver(&recorder);
    form.popupMenu(QStringLiteral("contesto"));
    form.popupMenu(QStringLiteral("file"));  // a menu of the bar may open there too
    for (const char* wrong : {"copia", "vuoto", "nessuno"}) {
        EXPECT_THROW(form.popupMenu(QString::fromLatin1(wrong)), std::out_of_range) << wrong;
    }
    EXPECT_EQ(recorder.opened, (std::vector<QString>{popup.name(), bar.name()}));
    // Without a clipboard a copy does nothing.
    Application bare{{&h.fakes.messages, &h.fakes.files, &h.fakes.colors, &h.fakes.platform}};
    bare.copyToClipboard({"<svg/>", "png", QImage(2, 1, QImage::Format_RGB32)});
}

}  // namespace
