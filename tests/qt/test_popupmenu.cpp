// A window's context menu on Qt: a popup menu takes no menu bar, the user's requests for it
// reach the form, the menu opens with its items, and their keys work while it is closed.
#include "support/fixture.h"
#include "toolkit/qt/qtbackend.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor {
namespace {

using tk::ControlKind;

// A window as the drawing window: no menu bar of its own, a drawing area of 400 x 300 pixels, a
// label and a text box on it, and a context menu. With `withBar` it also has a menu bar.
class PopupForm : public tk::Form {
  public:
    PopupForm(tk::Application& app, bool withBar) : Form(app, QStringLiteral("schizzo")) {
        setHasMenuBar(withBar);
        setScaleSize(6000, 4500);
        add(ControlKind::Label, QStringLiteral("lblTitolo")).setGeometry({300, 300, 1500, 300});
        add(ControlKind::TextBox, QStringLiteral("txtNota")).setGeometry({300, 900, 1500, 300});
        if (withBar) {
            item(QStringLiteral("mnuFile"), QStringLiteral("&File"), {});
            item(QStringLiteral("mnuEsci"), QStringLiteral("&Esci"), QStringLiteral("mnuFile"));
        }
        item(QStringLiteral("mnuContesto"), QStringLiteral("Contesto"), {}).setVisible(false);
        item(QStringLiteral("mnuCopia"), QStringLiteral("&Copia disegno"),
             QStringLiteral("mnuContesto"))
            .setShortcut(QStringLiteral("Ctrl+C"));
        item(QStringLiteral("mnuSep"), {}, QStringLiteral("mnuContesto")).setSeparator(true);
        item(QStringLiteral("mnuEsporta"), QStringLiteral("&Esporta disegno..."),
             QStringLiteral("mnuContesto"));
    }

    void contextMenu() override {
        ++asked;
        popupMenu(QStringLiteral("mnuContesto"));
    }

    int asked = 0;
    QStringList clicks;

  private:
    tk::Control& item(const QString& name, const QString& caption, const QString& parent) {
        tk::Control& c = add(ControlKind::MenuItem, name);
        c.setText(caption);
        c.setParentMenu(parent);
        c.onClick = [this, name] { clicks << name; };
        return c;
    }
};

class PopupMenuTest : public testsupport::RuntimeTest {
  protected:
    void open(bool withBar) {
        app.registerForm(QStringLiteral("schizzo"), [withBar](tk::Application& a) {
            return std::make_unique<PopupForm>(a, withBar);
        });
        app.setObserver(&backend);
        app.dispatch([&] { app.show(QStringLiteral("schizzo")); });
        form = app.formAs<PopupForm>(QStringLiteral("schizzo"));
        ASSERT_NE(form, nullptr);
        window = backend.window(*form);
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        popup = window->menu(form->at(QStringLiteral("mnuContesto")));
        ASSERT_NE(popup, nullptr);
        form->clicks.clear();  // opening a menu clicks it
    }
    void TearDown() override {
        if (popup != nullptr) popup->close();
        app.setObserver(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget* widget(const char* name) const {
        return window->widget(form->at(QString::fromLatin1(name)));
    }
    QAction* action(const char* name) const {
        return window->action(form->at(QString::fromLatin1(name)));
    }

    qtui::QtBackend backend{app};
    PopupForm* form = nullptr;
    qtui::FormWindow* window = nullptr;
    QMenu* popup = nullptr;
};

TEST_F(PopupMenuTest, APopupMenuTakesNoMenuBarAndNoHeightFromTheDrawingArea) {
    open(false);
    EXPECT_EQ(window->menuWidget(), nullptr);
    EXPECT_EQ(window->clientArea()->size(), QSize(400, 300));
    EXPECT_EQ(window->size(), QSize(400, 300));
    // Beside a menu bar it stays out of the bar.
    PopupForm withBar(app, true);
    qtui::FormWindow barred(app, withBar);
    const QList<QAction*> top = barred.menuBar()->actions();
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top[0]->text(), QStringLiteral("&File"));
    QStringList captions;
    for (const QAction* a : popup->actions()) captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("&Copia disegno"), QString(),
                                     QStringLiteral("&Esporta disegno...")}));
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(PopupMenuTest, EveryRequestForTheContextMenuOpensIt) {
    open(false);
    QWidget* label = widget("lblTitolo");
    ASSERT_NE(label, nullptr);
    const auto mouseOn = [](QWidget* w) {
        const QPoint at = w->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &request);
    };
    const struct {
        const char* gesture;
        std::function<void()> run;
        bool keyboard;
    } cases[] = {
        {"right button on the drawing area", [&] { mouseOn(window->clientArea()); }, false},
        {"right button on a label", [&] { mouseOn(label); }, false},
        {"Menu key", [&] { QTest::keyClick(window->clientArea(), Qt::Key_Menu); }, true},
        {"Shift+F10",
         [&] { QTest::keyClick(window->clientArea(), Qt::Key_F10, Qt::ShiftModifier); }, true},
    };
    window->clientArea()->setFocus();  // the keyboard in no control
    for (const auto& c : cases) {
        const int before = form->asked;
        c.run();
        EXPECT_EQ(form->asked, before + 1) << c.gesture;
        EXPECT_TRUE(popup->isVisible()) << c.gesture;
        // From the keyboard the first item is ready for Enter.
        EXPECT_EQ(popup->activeAction() == action("mnuCopia"), c.keyboard) << c.gesture;
        popup->close();
    }

    // Opening the menu is its click; Enter on the item chosen runs the item.
    form->clicks.clear();
    QTest::keyClick(window->clientArea(), Qt::Key_Menu);
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(form->clicks,
              (QStringList{QStringLiteral("mnuContesto"), QStringLiteral("mnuCopia")}));

    // A text box keeps its own editing menu, for the mouse and for the keyboard.
    const int before = form->asked;
    QWidget* note = widget("txtNota");
    mouseOn(note);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QApplication::activePopupWidget()->close();
    note->setFocus();
    QTest::keyClick(note, Qt::Key_Menu);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_NE(QApplication::activePopupWidget(), popup);
    QApplication::activePopupWidget()->close();
    EXPECT_EQ(form->asked, before);
}

TEST_F(PopupMenuTest, TheItemsKeysWorkWhileThePopupMenuIsClosed) {
    open(false);
    QTest::keyClick(window->clientArea(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(form->clicks, QStringList{QStringLiteral("mnuCopia")});
    EXPECT_FALSE(popup->isVisible());
    // The window's keys win over the text box's own Ctrl+C.
    QWidget* note = widget("txtNota");
    note->setFocus();
    QTest::keyClick(note, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(form->clicks.size(), 2);
    app.dispatch([&] { form->at(QStringLiteral("mnuCopia")).setEnabled(false); });
    QTest::keyClick(window->clientArea(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(form->clicks.size(), 2);
}

}  // namespace
}  // namespace zelmor
