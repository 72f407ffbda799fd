// The real menu window on Qt: laid out from its form, and driven through its widgets.
#include "app/zelmorapp.h"
#include "entry/menuform.h"
#include "qt/qtprogram.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/testing/fakes.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace zelmor {
namespace {

class MenuWindowTest : public qttest::QtProgramTest {
  protected:
    tk::Form& menu() { return *program.app().form(QStringLiteral("menu")); }
    qtui::FormWindow& window() { return *backend.window(menu()); }
    template <class W>
    W* widget(const char* name, int index = 0) {
        auto* w = qobject_cast<W*>(window().widget(menu().at(QString::fromLatin1(name), index)));
        EXPECT_NE(w, nullptr) << name << "(" << index << ")";
        return w;
    }
    QString hint() { return menu().at(QStringLiteral("passo")).text(); }
};

TEST_F(MenuWindowTest, ControlsStandAtTheirPlacesInPixels) {
    struct Row {
        const char* name;
        int index;
        QRect pixels;  // relative to the container's widget
    } rows[] = {
        {"Frame4", 0, {16, 40, 601, 65}},    {"valore", 0, {160, 32, 57, 21}},
        {"endemica", 3, {480, 16, 113, 33}}, {"Frame3", 0, {16, 120, 185, 241}},
        {"Option2", 9, {8, 208, 169, 25}},   {"legami", 3, {264, 312, 25, 25}},
        {"Check1", 9, {216, 288, 41, 17}},   {"correggo", 1, {600, 160, 17, 17}},
        {"passo", 0, {176, 8, 281, 33}},     {"uscita", 0, {544, 16, 81, 25}},
    };
    for (const Row& r : rows) {
        QWidget* w = window().widget(menu().at(QString::fromLatin1(r.name), r.index));
        ASSERT_NE(w, nullptr) << r.name;
        EXPECT_EQ(w->geometry(), r.pixels) << r.name << "(" << r.index << ")";
    }
    EXPECT_EQ(window().clientArea()->size(), QSize(634, 412));
}

TEST_F(MenuWindowTest, MenusAndToolbarComeFromTheForm) {
    QStringList titles;
    for (QAction* a : window().menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles.mid(0, 4), (QStringList{QStringLiteral("&File"), QStringLiteral("&Modifica"),
                                             QStringLiteral("&Visualizza"), QStringLiteral("&?")}));
    auto* bar = window().findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 21);
    for (int i = 1; i <= 21; ++i) {
        const bool separator = i == 5 || i == 7 || i == 11 || i == 13 || i == 18;
        EXPECT_EQ(actions[i - 1]->isSeparator(), separator) << i;
        if (!separator) {
            EXPECT_EQ(actions[i - 1]->toolTip(),
                      menu().at(QStringLiteral("Toolbar1"), i).toolTip());
            EXPECT_FALSE(actions[i - 1]->icon().isNull()) << i;
        }
    }
    // Button 8 only says where the user is.
    actions[7]->trigger();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, QStringLiteral("E' questa la finestra 'Menu'."));
}

TEST_F(MenuWindowTest, TheProcedureRunsThroughTheWidgets) {
    QTest::mouseClick(widget<QRadioButton>("endemica", 2), Qt::LeftButton);
    EXPECT_EQ(hint(), QStringLiteral("scegliere la tipologia della situazione lineare"));
    EXPECT_TRUE(widget<QGroupBox>("Frame2")->isVisibleTo(&window()));
    EXPECT_FALSE(widget<QGroupBox>("Frame1")->isVisibleTo(&window()));
    QTest::mouseClick(widget<QRadioButton>("Option2", 4), Qt::LeftButton);
    EXPECT_EQ(widget<QLabel>("situazione")->text(), QStringLiteral("trasversale ovest"));

    auto* value = widget<QComboBox>("valore");
    ASSERT_TRUE(value->isEnabled());
    value->activated(1);  // picked from the list
    EXPECT_EQ(menu().at(QStringLiteral("valore")).text(), QStringLiteral("medio"));
    EXPECT_EQ(hint(), QStringLiteral("indicare il numero dei sottosistemi"));

    // The upper arrow raises the count.
    auto* count = widget<QScrollBar>("VScroll1");
    count->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(widget<QLabel>("sottosistemi")->text(), QStringLiteral("2"));
    count->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(widget<QLabel>("sottosistemi")->text(), QStringLiteral("1"));

    QTest::mouseClick(widget<QWidget>("Check1", 1), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(hint(), QStringLiteral("cliccare sulla tipologia della situazione particolare"));
    QTest::mouseClick(widget<QRadioButton>("Option3", 5), Qt::LeftButton);
    auto* row = widget<QComboBox>("Combo1", 1);
    row->setFocus();
    QTest::keyClicks(row, QStringLiteral("forte"));
    EXPECT_EQ(menu().at(QStringLiteral("Combo1"), 1).text(), QStringLiteral("forte"));
    EXPECT_EQ(hint(), QStringLiteral("indicare i legami di ogni sottosistema"));
    EXPECT_FALSE(widget<QPushButton>("legami", 1)->isEnabled());
    QTest::mouseClick(widget<QWidget>("dopo"), Qt::LeftButton);
    EXPECT_EQ(widget<QLabel>("Label3", 1)->text(), QStringLiteral("con nessuno"));
    EXPECT_EQ(hint(), QStringLiteral("correggere, archiviare i dati o disegnare il modello"));

    // The clear command recreates the window: a new Qt window for the new form.
    auto* toolbar = window().findChild<QToolBar*>();
    toolbar->actions()[19]->trigger();
    EXPECT_EQ(hint(), QStringLiteral("cliccare sul tasto della situazione endemica prescelta"));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(widget<QLabel>("Label3", 1)->text(), QString());
}

// The window manager's close button reaches the form through the window's close event: with a
// model entered, the window asks, stays on "No" and goes on "Sì".
TEST_F(MenuWindowTest, TheTitleBarCloseAsksWhileTheModelIsNotArchived) {
    QTest::mouseClick(widget<QRadioButton>("endemica", 1), Qt::LeftButton);
    fakes.messages.answers = {tk::MessageResult::No};
    EXPECT_FALSE(window().close());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, QStringLiteral("Chiudere la finestra Menu?"));
    ASSERT_TRUE(program.app().isLoaded(QStringLiteral("menu")));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(hint(), QStringLiteral("scegliere la tipologia della situazione superficiale"));

    fakes.messages.answers = {tk::MessageResult::Yes};
    QPointer<qtui::FormWindow> closed(&window());
    closed->close();
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_FALSE(program.app().isLoaded(QStringLiteral("menu")));
    EXPECT_TRUE(closed.isNull() || !closed->isVisible());
}

TEST_F(MenuWindowTest, ResizingTheWindowScalesTheControls) {
    QWidget* area = window().clientArea();
    window().resize(window().width() + 634, window().height());
    QCoreApplication::processEvents();
    EXPECT_EQ(area->width(), 1268);
    EXPECT_EQ(menu().scaleWidth(), 1268 * 15);
    EXPECT_EQ(widget<QPushButton>("legami", 3)->geometry(), QRect(528, 312, 50, 25));
}

}  // namespace
}  // namespace zelmor
