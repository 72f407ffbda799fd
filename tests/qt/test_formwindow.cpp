// The Qt window of a form: layout of the widgets, mirroring of the runtime's state, and the
// user's gestures reaching the runtime.
#include "support/fixture.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/widgets.h"
#include "toolkit/testing/fakes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace zelmor {
namespace {

using tk::ControlKind;

// A window with a few controls of each kind, a menu and a toolbar. Every handler writes to the
// log, so that tests see what reached the runtime and in which order.
class SampleForm : public tk::Form {
  public:
    explicit SampleForm(tk::Application& app) : Form(app, QStringLiteral("prova")) {
        setCaption(QStringLiteral("Prova"));
        setHasMenuBar(true);
        setToolbarHeight(420);
        setLeft(1500);
        setTop(1200);
        setWidth(9090);   // drawing area 9000 twips: 600 pixels
        setHeight(7200);  // drawing area 6555 twips: 437 pixels

        auto& file = menu(QStringLiteral("mnuFile"), QStringLiteral("&File"), {});
        menu(QStringLiteral("mnuApri"), QStringLiteral("&Apri..."), file.name());
        menu(QStringLiteral("mnuSep"), {}, file.name()).setSeparator(true);
        menu(QStringLiteral("mnuEsci"), QStringLiteral("&Esci"), file.name());
        menu(QStringLiteral("mnuFinestra"),
             QStringLiteral("                    Fi&nestra n.1 di 3"), {});
        // Added out of order: the bar shows them by index.
        tool(3, QStringLiteral("save"), QStringLiteral("Salva"));
        tool(1, QStringLiteral("open"), QStringLiteral("Apri"));
        tool(2, {}, {}).setSeparator(true);

        control(ControlKind::Label, QStringLiteral("lblNome"), {600, 600, 1215, 300})
            .setText(QStringLiteral("&Nome:"));
        control(ControlKind::TextBox, QStringLiteral("txtNome"), {1900, 600, 2400, 300});
        auto& combo =
            control(ControlKind::ComboBox, QStringLiteral("cboCitta"), {600, 1000, 2400, 315});
        for (const char* city : {"Roma", "Milano", "Napoli"})
            combo.addItem(QString::fromLatin1(city));
        control(ControlKind::CheckBox, QStringLiteral("chkOk"), {600, 1500, 2000, 300})
            .setText(QStringLiteral("&Conferma"));
        auto& frame =
            control(ControlKind::Frame, QStringLiteral("fraScelta"), {3600, 1500, 3000, 1500});
        frame.setText(QStringLiteral("Scelta"));
        control(ControlKind::OptionButton, QStringLiteral("optA"), {150, 300, 1500, 300}, 1, &frame)
            .setText(QStringLiteral("A"));
        control(ControlKind::OptionButton, QStringLiteral("optA"), {150, 750, 1500, 300}, 2, &frame)
            .setText(QStringLiteral("B"));
        auto& bar =
            control(ControlKind::VScrollBar, QStringLiteral("vsbValore"), {7200, 600, 255, 1500});
        bar.setRange(9, 1);
        bar.setValue(5);
        auto& next = control(ControlKind::CommandButton, QStringLiteral("cmdAvanti"),
                             {600, 2400, 1200, 450});
        next.setText(QStringLiteral("A&vanti"));
        next.setPicture(QStringLiteral("next"));
        control(ControlKind::CommandButton, QStringLiteral("cmdChiudi"), {2000, 2400, 1200, 450})
            .setText(QStringLiteral("&Chiudi"));
        control(ControlKind::Image, QStringLiteral("imgFreccia"), {300, 3300, 240, 240})
            .setPicture(QStringLiteral("arrow"));
        control(ControlKind::Shape, QStringLiteral("shpBox"), {600, 3600, 1500, 900});
        control(ControlKind::Line, QStringLiteral("linRiga"), {600, 4800, 6000, 4800});
        control(ControlKind::Frame, QStringLiteral("fraP1"), {4500, 3300, 1500, 900});
        control(ControlKind::Frame, QStringLiteral("fraP2"), {4500, 3300, 1500, 900});

        at(QStringLiteral("cmdChiudi")).onClick = [this] { this->app().unload(name()); };
    }

    void resize() override { log.push_back(QStringLiteral("form:resize")); }
    void clicked() override { log.push_back(QStringLiteral("form:click")); }
    void keyPressed(QChar c) override { keys += c; }

    int count(const QString& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }

    std::vector<QString> log;
    QString keys;

  private:
    tk::Control& wire(tk::Control& c) {
        const QString who = c.displayName();
        c.onClick = [this, who] { log.push_back(who + QStringLiteral(":click")); };
        c.onChange = [this, who] { log.push_back(who + QStringLiteral(":change")); };
        c.onMouse = [this, who](tk::MouseAction a) {
            const char* what = a == tk::MouseAction::Down ? ":down"
                               : a == tk::MouseAction::Up ? ":up"
                                                          : ":move";
            if (a != tk::MouseAction::Move) log.push_back(who + QLatin1String(what));
        };
        return c;
    }
    tk::Control& control(ControlKind kind, const QString& name, tk::Rect r, int index = 0,
                         tk::Control* container = nullptr) {
        auto& c = wire(add(kind, name, index, container));
        c.setGeometry(r);
        return c;
    }
    tk::Control& menu(const QString& name, const QString& caption, const QString& parent) {
        auto& c = wire(add(ControlKind::MenuItem, name));
        c.setText(caption);
        c.setParentMenu(parent);
        return c;
    }
    tk::Control& tool(int index, const QString& picture, const QString& tip) {
        auto& c = wire(add(ControlKind::ToolbarButton, QStringLiteral("tbr"), index));
        c.setPicture(picture);
        c.setToolTip(tip);
        return c;
    }
};

class FormWindowTest : public testsupport::RuntimeTest {
  protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        if (HasFatalFailure()) return;
        app.registerForm(QStringLiteral("prova"),
                         [](tk::Application& a) { return std::make_unique<SampleForm>(a); });
        app.setObserver(&backend);
        backend.setEndAction([this] { ++ends; });
        app.dispatch([&] { app.show(QStringLiteral("prova")); });
        form = app.formAs<SampleForm>(QStringLiteral("prova"));
        ASSERT_NE(form, nullptr);
        window = backend.window(*form);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        form->log.clear();
    }

    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    tk::Control& control(const QString& name, int index = 0) { return form->at(name, index); }
    template <class W>
    W* widget(const QString& name, int index = 0) {
        auto* w = dynamic_cast<W*>(window->widget(control(name, index)));
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QAction* action(const QString& name, int index = 0) {
        return window->action(control(name, index));
    }
    static void click(QWidget* w, QPoint at = {}) {
        QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
    }
    // Where the box of a check or option button is: the caption beside it may not take clicks.
    static QPoint indicator(QWidget* w) { return {6, w->height() / 2}; }

    qtui::QtBackend backend{app};
    SampleForm* form = nullptr;
    qtui::FormWindow* window = nullptr;
    int ends = 0;  // how often the backend was told the program is over
};

TEST_F(FormWindowTest, ControlsStandAtTheirPixelRectanglesInsideTheirContainers) {
    struct Case {
        const char* name;
        int index;
        const char* parent;  // objectName of the parent widget
        QRect pixels;
    };
    const Case cases[] = {
        {"lblNome", 0, "client", {40, 40, 81, 20}},
        {"txtNome", 0, "client", {127, 40, 160, 20}},  // 1900..4300 twips: edges rounded
        {"cboCitta", 0, "client", {40, 67, 160, 21}},
        {"chkOk", 0, "client", {40, 100, 133, 20}},
        {"fraScelta", 0, "client", {240, 100, 200, 100}},
        {"optA", 1, "fraScelta", {10, 20, 100, 20}},
        {"optA", 2, "fraScelta", {10, 50, 100, 20}},
        {"vsbValore", 0, "client", {480, 40, 17, 100}},
        {"cmdAvanti", 0, "client", {40, 160, 80, 30}},
        {"imgFreccia", 0, "client", {20, 220, 16, 16}},
        {"shpBox", 0, "client", {40, 240, 100, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = window->widget(control(QString::fromLatin1(c.name), c.index));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), c.pixels);
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(c.parent));
        EXPECT_TRUE(w->isVisible());
    }
    // A line covers its two end points and not much more.
    QWidget* line = window->widget(control(QStringLiteral("linRiga")));
    EXPECT_TRUE(line->geometry().contains(QPoint(40, 320)));
    EXPECT_TRUE(line->geometry().contains(QPoint(400, 320)));
    EXPECT_LE(line->height(), 5);
}

TEST_F(FormWindowTest, WindowHasTheFormsCaptionPlaceAndDrawingArea) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Prova"));
    EXPECT_EQ(window->pos(), QPoint(100, 80));
    EXPECT_EQ(window->clientArea()->size(), QSize(600, 437));
    ASSERT_NE(window->toolBar(), nullptr);
    EXPECT_EQ(window->toolBar()->geometry(), QRect(0, 0, 600, 28));
    EXPECT_EQ(window->clientArea()->palette().color(QPalette::Window), QColor(192, 192, 192));

    form->setCaption(QStringLiteral("Altra"));
    form->setBackColor({0, 128, 0});
    form->setLeft(3000);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Altra"));
    EXPECT_EQ(window->clientArea()->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(window->pos().x(), 200);
    // The drawing area shows the colour where no control stands.
    const QImage shot = window->clientArea()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(590, 430)), QColor(0, 128, 0));
}

TEST_F(FormWindowTest, LaterControlsCoverEarlierOnesUntilHidden) {
    QWidget* client = window->clientArea();
    const QPoint middle(350, 250);
    auto frameAt = [&] {
        QWidget* w = client->childAt(middle);
        while (w != nullptr && qobject_cast<QGroupBox*>(w) == nullptr) w = w->parentWidget();
        return w != nullptr ? w->objectName() : QString();
    };
    EXPECT_EQ(frameAt(), QStringLiteral("fraP2"));
    control(QStringLiteral("fraP2")).setVisible(false);
    EXPECT_EQ(frameAt(), QStringLiteral("fraP1"));
    control(QStringLiteral("fraP2")).setVisible(true);
    EXPECT_EQ(frameAt(), QStringLiteral("fraP2"));
}

TEST_F(FormWindowTest, RuntimeChangesAreMirroredOnTheWidgets) {
    auto* label = widget<QLabel>(QStringLiteral("lblNome"));
    tk::Control& lbl = control(QStringLiteral("lblNome"));
    lbl.setText(QStringLiteral("Cognome"));
    lbl.setToolTip(QStringLiteral("il cognome"));
    lbl.setBackColor(tk::colors::kYellow);
    lbl.setForeColor(tk::Color{0, 0, 255});
    lbl.setBold(true);
    EXPECT_EQ(label->text(), QStringLiteral("Cognome"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("il cognome"));
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(label->font().bold());
    lbl.setBackColor(std::nullopt);
    EXPECT_FALSE(label->autoFillBackground());

    // A coloured option button is painted in its colour, inside a frame too.
    auto* opt = widget<QRadioButton>(QStringLiteral("optA"), 2);
    control(QStringLiteral("optA"), 2).setBackColor(tk::colors::kDarkGrey);
    const QImage optShot = opt->grab().toImage();
    EXPECT_EQ(QColor(optShot.pixel(opt->width() - 2, opt->height() - 2)), QColor(128, 128, 128));
    // So is a coloured frame, to its edges.
    auto* frameBox = widget<QGroupBox>(QStringLiteral("fraScelta"));
    control(QStringLiteral("fraScelta")).setBackColor(tk::Color{0, 0, 128});
    const QImage frameShot = frameBox->grab().toImage();
    EXPECT_EQ(QColor(frameShot.pixel(frameBox->width() - 4, frameBox->height() - 4)),
              QColor(0, 0, 128));
    EXPECT_EQ(QColor(frameShot.pixel(3, frameBox->height() / 2)), QColor(0, 0, 128));

    auto* button = widget<QPushButton>(QStringLiteral("cmdAvanti"));
    tk::Control& cmd = control(QStringLiteral("cmdAvanti"));
    cmd.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    cmd.setEnabled(true);
    EXPECT_TRUE(button->isEnabled());
    cmd.setVisible(false);
    EXPECT_FALSE(button->isVisible());
    cmd.setVisible(true);
    EXPECT_TRUE(button->isVisible());
    cmd.setGeometry({1500, 3000, 1500, 600});
    EXPECT_EQ(button->geometry(), QRect(100, 200, 100, 40));

    // A frame disabled or hidden takes its controls with it, as on the runtime.
    tk::Control& frame = control(QStringLiteral("fraScelta"));
    auto* option = widget<QRadioButton>(QStringLiteral("optA"), 1);
    frame.setEnabled(false);
    EXPECT_FALSE(option->isEnabled());
    frame.setEnabled(true);
    frame.setVisible(false);
    EXPECT_FALSE(option->isVisible());
    frame.setVisible(true);
    EXPECT_TRUE(option->isVisible());

    auto* combo = widget<QComboBox>(QStringLiteral("cboCitta"));
    tk::Control& cbo = control(QStringLiteral("cboCitta"));
    cbo.addItem(QStringLiteral("Torino"));
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->itemText(3), QStringLiteral("Torino"));
    cbo.setText(QStringLiteral("Bari"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Bari"));
    cbo.clearItems();
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Bari"));

    control(QStringLiteral("txtNome")).setText(QStringLiteral("Anna"));
    EXPECT_EQ(widget<QLineEdit>(QStringLiteral("txtNome"))->text(), QStringLiteral("Anna"));
    // The program's own changes run the handlers once, not again through the widgets.
    EXPECT_EQ(form->count(QStringLiteral("txtNome:change")), 1);
    EXPECT_EQ(form->count(QStringLiteral("cboCitta:change")), 1);
}

TEST_F(FormWindowTest, ClicksOnButtonsCheckBoxesAndOptionsReachTheHandlers) {
    click(widget<QPushButton>(QStringLiteral("cmdAvanti")));
    EXPECT_EQ(form->count(QStringLiteral("cmdAvanti:click")), 1);

    auto* check = widget<QCheckBox>(QStringLiteral("chkOk"));
    click(check, indicator(check));
    EXPECT_EQ(control(QStringLiteral("chkOk")).value(), 1);
    EXPECT_TRUE(check->isChecked());
    click(check, indicator(check));
    EXPECT_EQ(control(QStringLiteral("chkOk")).value(), 0);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(form->count(QStringLiteral("chkOk:click")), 2);

    auto* a = widget<QRadioButton>(QStringLiteral("optA"), 1);
    auto* b = widget<QRadioButton>(QStringLiteral("optA"), 2);
    click(a, indicator(a));
    EXPECT_EQ(control(QStringLiteral("optA"), 1).value(), 1);
    click(b, indicator(b));
    EXPECT_EQ(control(QStringLiteral("optA"), 1).value(), 0);
    EXPECT_EQ(control(QStringLiteral("optA"), 2).value(), 1);
    EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(b->isChecked());
    // Clicking the selected option again keeps it selected and reports nothing new.
    click(b, indicator(b));
    EXPECT_TRUE(b->isChecked());
    EXPECT_EQ(form->count(QStringLiteral("optA(2):click")), 1);

    // A disabled button takes no clicks.
    control(QStringLiteral("cmdAvanti")).setEnabled(false);
    click(widget<QPushButton>(QStringLiteral("cmdAvanti")));
    EXPECT_EQ(form->count(QStringLiteral("cmdAvanti:click")), 1);
}

TEST_F(FormWindowTest, OptionButtonsCanAllBeClearedByTheProgram) {
    auto* a = widget<QRadioButton>(QStringLiteral("optA"), 1);
    auto* b = widget<QRadioButton>(QStringLiteral("optA"), 2);
    click(a, indicator(a));
    ASSERT_TRUE(a->isChecked());
    control(QStringLiteral("optA"), 1).setValue(0);
    EXPECT_FALSE(a->isChecked());
    EXPECT_FALSE(b->isChecked());
    // And the user can select one again afterwards.
    click(b, indicator(b));
    EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(a->isChecked());
}

TEST_F(FormWindowTest, InvertedScrollBarRisesWithItsUpperArrow) {
    auto* bar = widget<QScrollBar>(QStringLiteral("vsbValore"));
    tk::Control& vsb = control(QStringLiteral("vsbValore"));
    const auto arrow = [bar](QStyle::SubControl which) {
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.orientation = bar->orientation();
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        opt.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, which, bar);
    };
    const QRect up = arrow(QStyle::SC_ScrollBarSubLine);
    const QRect down = arrow(QStyle::SC_ScrollBarAddLine);
    ASSERT_LT(up.center().y(), down.center().y());

    click(bar, up.center());
    EXPECT_EQ(vsb.value(), 6);
    click(bar, up.center());
    EXPECT_EQ(vsb.value(), 7);
    click(bar, down.center());
    EXPECT_EQ(vsb.value(), 6);
    EXPECT_EQ(form->count(QStringLiteral("vsbValore:change")), 3);

    // The program's value shows at the matching end: 9, the minimum, is at the top.
    vsb.setValue(9);
    EXPECT_EQ(bar->value(), bar->minimum());
    vsb.setValue(1);
    EXPECT_EQ(bar->value(), bar->maximum());
    click(bar, down.center());
    EXPECT_EQ(vsb.value(), 1);

    // A bar the usual way round needs no mapping.
    vsb.setRange(0, 10);
    vsb.setValue(3);
    click(bar, up.center());
    EXPECT_EQ(vsb.value(), 2);
}

TEST_F(FormWindowTest, ComboTypingChangesPerCharacterAndPickingClicks) {
    auto* combo = widget<QComboBox>(QStringLiteral("cboCitta"));
    tk::Control& cbo = control(QStringLiteral("cboCitta"));
    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("Ba"));
    EXPECT_EQ(cbo.text(), QStringLiteral("Ba"));
    EXPECT_EQ(form->count(QStringLiteral("cboCitta:change")), 2);
    EXPECT_EQ(form->count(QStringLiteral("cboCitta:click")), 0);
    // Typing neither completes from the list nor adds to it.
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(cbo.text(), QStringLiteral("Ba"));

    // Picking with the keyboard: the text is set without a change, then the click.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cbo.text(), QStringLiteral("Roma"));
    EXPECT_EQ(form->count(QStringLiteral("cboCitta:click")), 1);
    EXPECT_EQ(form->count(QStringLiteral("cboCitta:change")), 2);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cbo.text(), QStringLiteral("Milano"));
    EXPECT_EQ(form->count(QStringLiteral("cboCitta:click")), 2);
}

TEST_F(FormWindowTest, TypingKeepsTextsLongerThanQtsDefaultLimit) {
    const QString whole(40000, QLatin1Char('a'));
    for (const char* name : {"txtNome", "cboCitta"}) {
        tk::Control& c = control(QString::fromLatin1(name));
        c.setText(whole);
        QWidget* w = window->widget(c);
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (edit == nullptr) edit = static_cast<QComboBox*>(w)->lineEdit();
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("b"));
        EXPECT_EQ(c.text().size(), whole.size() + 1) << name;
        EXPECT_TRUE(c.text().endsWith(QLatin1String("ab"))) << name;
    }
}

TEST_F(FormWindowTest, TextBoxEditsReachTheRuntimeAndItsCorrectionsComeBack) {
    tk::Control& txt = control(QStringLiteral("txtNome"));
    txt.onChange = [&txt] { txt.setText(txt.text().toUpper()); };
    auto* edit = widget<QLineEdit>(QStringLiteral("txtNome"));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ab"));
    EXPECT_EQ(txt.text(), QStringLiteral("AB"));
    EXPECT_EQ(edit->text(), QStringLiteral("AB"));
    // The correction keeps the caret where the user was typing.
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, QStringLiteral("c"));
    EXPECT_EQ(edit->text(), QStringLiteral("CAB"));
    EXPECT_EQ(edit->cursorPosition(), 1);
}

TEST_F(FormWindowTest, ResizingTheWindowResizesTheForm) {
    const QSize outer = window->size();
    window->resize(outer.width() + 100, outer.height() + 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->clientArea()->size(), QSize(700, 487));
    EXPECT_EQ(form->scaleWidth(), 700 * 15);
    EXPECT_EQ(form->scaleHeight(), 487 * 15);
    EXPECT_GE(form->count(QStringLiteral("form:resize")), 1);

    // And the program's size comes back to the window.
    form->setScaleSize(9000, 6000);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->clientArea()->size(), QSize(600, 400));
    EXPECT_EQ(window->toolBar()->width(), 600);
}

TEST_F(FormWindowTest, MinimisingAndRestoringReachTheForm) {
    window->showMinimized();
    EXPECT_EQ(form->windowState(), tk::WindowState::Minimized);
    form->setWindowState(tk::WindowState::Normal);
    EXPECT_FALSE(window->isMinimized());
    // Showing a minimised window brings it back to the front.
    window->showMinimized();
    app.dispatch([&] { app.show(QStringLiteral("prova")); });
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(form->windowState(), tk::WindowState::Normal);
}

TEST_F(FormWindowTest, KeysNoControlTakesGoToTheForm) {
    QTest::keyClick(widget<QPushButton>(QStringLiteral("cmdAvanti")), 'x');
    EXPECT_EQ(form->keys, QStringLiteral("x"));
    auto* edit = widget<QLineEdit>(QStringLiteral("txtNome"));
    QTest::keyClick(edit, 'y');
    EXPECT_EQ(form->keys, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QStringLiteral("y"));
}

TEST_F(FormWindowTest, LabelPictureAndWindowClicksGoToTheirOwnHandlers) {
    click(widget<QLabel>(QStringLiteral("lblNome")));
    EXPECT_EQ(form->log,
              (std::vector<QString>{QStringLiteral("lblNome:down"), QStringLiteral("lblNome:up"),
                                    QStringLiteral("lblNome:click")}));
    form->log.clear();
    click(widget<QLabel>(QStringLiteral("imgFreccia")));
    EXPECT_EQ(form->count(QStringLiteral("imgFreccia:click")), 1);
    EXPECT_EQ(form->count(QStringLiteral("form:click")), 0);
    // Shapes and lines let the click through to the window beneath.
    click(window->clientArea(), QPoint(50, 250));
    EXPECT_EQ(form->count(QStringLiteral("form:click")), 1);
    click(window->clientArea(), QPoint(590, 430));
    EXPECT_EQ(form->count(QStringLiteral("form:click")), 2);
}

TEST_F(FormWindowTest, MenuBarFollowsTheMenuItems) {
    QMenuBar* bar = window->menuBar();
    const QList<QAction*> top = bar->actions();
    ASSERT_EQ(top.size(), 1);
    QMenu* file = top[0]->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(top[0]->text(), QStringLiteral("&File"));
    const QList<QAction*> entries = file->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&Apri..."));
    EXPECT_TRUE(entries[1]->isSeparator());
    EXPECT_EQ(entries[2]->text(), QStringLiteral("&Esci"));

    entries[0]->trigger();
    EXPECT_EQ(form->count(QStringLiteral("mnuApri:click")), 1);
    control(QStringLiteral("mnuApri")).setEnabled(false);
    EXPECT_FALSE(entries[0]->isEnabled());
    control(QStringLiteral("mnuEsci")).setText(QStringLiteral("E&sci dal programma"));
    EXPECT_EQ(entries[2]->text(), QStringLiteral("E&sci dal programma"));
    control(QStringLiteral("mnuSep")).setVisible(false);
    EXPECT_FALSE(entries[1]->isVisible());

    // The entry whose caption is pushed right by blanks stands at the right end of the bar.
    ASSERT_NE(bar->cornerWidget(Qt::TopRightCorner), nullptr);
    auto* corner = bar->cornerWidget(Qt::TopRightCorner)->findChild<QToolButton*>();
    ASSERT_NE(corner, nullptr);
    QAction* finestra = action(QStringLiteral("mnuFinestra"));
    EXPECT_EQ(corner->defaultAction(), finestra);
    EXPECT_EQ(finestra->text(), QStringLiteral("Fi&nestra n.1 di 3"));
    click(corner);
    EXPECT_EQ(form->count(QStringLiteral("mnuFinestra:click")), 1);
    control(QStringLiteral("mnuFinestra")).setText(QStringLiteral("          Fi&nestra n.2 di 3"));
    EXPECT_EQ(finestra->text(), QStringLiteral("Fi&nestra n.2 di 3"));
}

TEST_F(FormWindowTest, ToolbarShowsItsButtonsInIndexOrder) {
    QToolBar* bar = window->toolBar();
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0], action(QStringLiteral("tbr"), 1));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2], action(QStringLiteral("tbr"), 3));
    EXPECT_EQ(actions[0]->toolTip(), QStringLiteral("Apri"));
    EXPECT_FALSE(actions[0]->icon().isNull());

    click(bar->widgetForAction(actions[2]));
    EXPECT_EQ(form->count(QStringLiteral("tbr(3):click")), 1);
    control(QStringLiteral("tbr"), 3).setEnabled(false);
    EXPECT_FALSE(actions[2]->isEnabled());
    click(bar->widgetForAction(actions[2]));
    EXPECT_EQ(form->count(QStringLiteral("tbr(3):click")), 1);
    control(QStringLiteral("tbr"), 1).setVisible(false);
    EXPECT_FALSE(actions[0]->isVisible());
}

TEST_F(FormWindowTest, HidingAndShowingFollowTheRuntime) {
    // Another window on the screen keeps the program going while this one is hidden.
    app.registerForm(QStringLiteral("altra"), [](tk::Application& a) {
        return std::make_unique<tk::Form>(a, QStringLiteral("altra"));
    });
    app.dispatch([&] { app.show(QStringLiteral("altra")); });
    app.dispatch([&] { app.hide(QStringLiteral("prova")); });
    EXPECT_FALSE(window->isVisible());
    app.dispatch([&] { app.show(QStringLiteral("prova")); });
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FormWindowTest, AWindowUnloadedByItsOwnButtonIsFreedAfterwards) {
    QPointer<qtui::FormWindow> w(window);
    click(widget<QPushButton>(QStringLiteral("cmdChiudi")));
    EXPECT_FALSE(app.isLoaded(QStringLiteral("prova")));
    EXPECT_EQ(ends, 1);
    ASSERT_FALSE(w.isNull());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->form(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST_F(FormWindowTest, ClosingFromTheTitleBarUnloadsTheForm) {
    QPointer<qtui::FormWindow> w(window);
    window->close();
    EXPECT_FALSE(app.isLoaded(QStringLiteral("prova")));
    EXPECT_EQ(ends, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

}  // namespace
}  // namespace zelmor

namespace zelmor {
namespace {

// Three text boxes whose places in the keyboard order run against the order they were made in.
class TabForm : public tk::Form {
  public:
    explicit TabForm(tk::Application& app) : Form(app, QStringLiteral("tabs")) {
        setWidth(6000);
        setHeight(3000);
        const char* names[] = {"txtA", "txtB", "txtC"};
        const int places[] = {1, 0, 2};
        for (int i = 0; i < 3; ++i) {
            tk::Control& c = add(ControlKind::TextBox, QString::fromLatin1(names[i]));
            c.setGeometry({300, 300 + 450 * i, 2400, 300});
            c.setTabIndex(places[i]);
        }
    }
};

TEST(FormWindowTabOrder, FollowsTheTabIndexesNotTheOrderOfMaking) {
    tk::testing::FakeServices fakes;
    tk::Application app{{&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}};
    qtui::QtBackend backend{app};
    app.registerForm(QStringLiteral("tabs"),
                     [](tk::Application& a) { return std::make_unique<TabForm>(a); });
    app.setObserver(&backend);
    backend.setEndAction([] {});
    app.dispatch([&] { app.show(QStringLiteral("tabs")); });
    tk::Form& form = *app.form(QStringLiteral("tabs"));
    qtui::FormWindow* window = backend.window(form);
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const auto edit = [&](const char* name) {
        return window->widget(form.at(QString::fromLatin1(name)));
    };
    // The first place has the keyboard when the window comes up.
    EXPECT_EQ(QApplication::focusWidget(), edit("txtB"));
    const char* walk[] = {"txtA", "txtC", "txtB"};
    for (const char* next : walk) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), edit(next)) << next;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), edit("txtC"));
    app.setObserver(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace zelmor
