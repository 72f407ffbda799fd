// The program without the mouse: Tab reaches the controls the user can see, the count scroll
// bar answers its arrow keys, the small windows answer Enter and Escape, and Qt's own dialogs
// speak Italian.
#include "app/zelmorapp.h"
#include "qt/qtprogram.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/qtservices.h"
#include "toolkit/testing/fakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor {
namespace {

class KeyboardTest : public qttest::QtProgramTest {
  protected:
    void SetUp() override {
        QtProgramTest::SetUp();
        QApplication::processEvents();
    }
    qtui::FormWindow& window(const char* name) { return *backend.window(form(name)); }
    QWidget* widget(const char* window, const char* name, int index = 0) {
        tk::Form& f = form(window);
        return backend.window(f)->widget(f.at(QString::fromLatin1(name), index));
    }
    void activate(QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
};

// The window comes up with the keyboard on its first control, not on a button of its menu bar;
// F10 opens the first menu and Alt with the marked letter runs the item at the bar's right end.
TEST_F(KeyboardTest, TheWindowStartsOnItsControlsAndF10OpensItsMenus) {
    qtui::FormWindow& menu = window("menu");
    activate(&menu);
    QWidget* first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(menu.clientArea()->isAncestorOf(first)) << first->objectName().toStdString();
    for (auto* corner : menu.menuBar()->findChildren<QAbstractButton*>()) {
        EXPECT_EQ(corner->focusPolicy(), Qt::NoFocus);
    }
    QTest::keyClick(first, Qt::Key_F10);
    ASSERT_NE(menu.menuBar()->activeAction(), nullptr);
    EXPECT_EQ(menu.menuBar()->activeAction(), menu.menuBar()->actions().value(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    QAction* corner = menu.action(form("menu").at(QStringLiteral("finestra")));
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->shortcut(), QKeySequence(QStringLiteral("Alt+N")));
}

TEST_F(KeyboardTest, TabReachesTheCountWhoseArrowsChangeIt) {
    tk::Form& menu = form("menu");
    run([&] {
        menu.at(QStringLiteral("endemica"), 1).click();
        menu.at(QStringLiteral("Option1"), 2).click();
        menu.at(QStringLiteral("valore")).choose(QStringLiteral("medio"));
    });
    activate(&window("menu"));
    QWidget* valore = widget("menu", "valore");
    valore->setFocus(Qt::OtherFocusReason);
    auto* count = qobject_cast<QScrollBar*>(widget("menu", "VScroll1"));
    ASSERT_NE(count, nullptr);
    for (int i = 0; i < 60 && QApplication::focusWidget() != count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), count);

    // The bar starts at 1 with no count shown: Down stays there, Up gives 2, as its arrows do.
    QTest::keyClick(count, Qt::Key_Down);
    EXPECT_EQ(menu.at(QStringLiteral("sottosistemi")).text(), QString());
    QTest::keyClick(count, Qt::Key_Up);
    QTest::keyClick(count, Qt::Key_Up);
    EXPECT_EQ(menu.at(QStringLiteral("sottosistemi")).text(), QStringLiteral("3"));
    QTest::keyClick(count, Qt::Key_Down);
    EXPECT_EQ(menu.at(QStringLiteral("sottosistemi")).text(), QStringLiteral("2"));
    EXPECT_EQ(menu.at(QStringLiteral("passo")).text(),
              QStringLiteral("spuntare il sottosistema da indicare"));
    EXPECT_FALSE(menu.at(QStringLiteral("Check1"), 3).enabled());

    // Space ticks the row that has the keyboard.
    QWidget* row = widget("menu", "Check1", 1);
    row->setFocus(Qt::TabFocusReason);
    QTest::keyClick(row, Qt::Key_Space);
    EXPECT_EQ(menu.at(QStringLiteral("Check1"), 1).value(), 1);
    EXPECT_EQ(menu.at(QStringLiteral("passo")).text(),
              QStringLiteral("cliccare sulla tipologia della situazione particolare"));

    // The particular-situation frame, enabled by the tick, covers the typology frame: a whole
    // round of Tab visits its options and the rows, never the covered options beneath it.
    QSet<QWidget*> visited;
    for (int i = 0; i < 120; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.insert(QApplication::focusWidget());
    }
    EXPECT_TRUE(visited.contains(widget("menu", "Check1", 1)));
    EXPECT_TRUE(visited.contains(count));
    // A group of options is one place of the order, as a reader's radio group: Tab enters it
    // and the arrows go through its options, choosing none until Space does.
    EXPECT_TRUE(visited.contains(widget("menu", "Option3", 1)));
    EXPECT_FALSE(visited.contains(widget("menu", "Option3", 9)));
    QWidget* option = widget("menu", "Option3", 1);
    option->setFocus(Qt::TabFocusReason);
    for (int j = 2; j <= 9; ++j) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), widget("menu", "Option3", 9));
    EXPECT_EQ(menu.at(QStringLiteral("Option3"), 9).value(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(menu.at(QStringLiteral("Option3"), 9).value(), 1);
    for (int j = 1; j <= 9; ++j) {
        EXPECT_FALSE(visited.contains(widget("menu", "Option1", j))) << j;
    }
}

TEST_F(KeyboardTest, EscapeAndEnterCloseTheSmallWindows) {
    run([&] { form("menu").at(QStringLiteral("sugger")).click(); });
    QApplication::processEvents();
    ASSERT_TRUE(window("frmTip").isVisible());
    activate(&window("frmTip"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(form("frmTip").visible());
    EXPECT_FALSE(window("frmTip").isVisible());

    run([&] { form("menu").at(QStringLiteral("informazioni")).click(); });
    QApplication::processEvents();
    activate(&window("informa"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(program.app().form(QStringLiteral("informa")), nullptr);
}

QStringList buttonTexts(const QWidget* dialog) {
    QStringList texts;
    for (const QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        texts << QString(b->text()).remove(QLatin1Char('&'));
    }
    return texts;
}

TEST(ItalianDialogs, FileAndColourDialogsSpeakItalian) {
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(translations + QStringLiteral("/qtbase_it.qm"))) {
        GTEST_SKIP() << "Qt's Italian translations are not installed";
    }
    qtui::QtFileDialog files;
    QStringList shown;
    qttest::whenShown<QFileDialog>([&shown](QFileDialog* dialog) {
        shown = buttonTexts(dialog);
        dialog->reject();
    });
    files.run({});
    EXPECT_TRUE(shown.contains(QStringLiteral("Apri")))
        << shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Annulla")))
        << shown.join(QLatin1Char('|')).toStdString();

    qtui::QtColorDialog colours;
    qttest::whenShown<QColorDialog>([&shown](QColorDialog* dialog) {
        shown = buttonTexts(dialog);
        dialog->reject();
    });
    colours.run({0, 0, 0});
    EXPECT_TRUE(shown.contains(QStringLiteral("Annulla")))
        << shown.join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace zelmor
