// The real title-page window on Qt, reached as the user reaches it: the splash, then the menu
// window's "Finestra Frontespizio". Laid out from its form, and driven through its widgets.
#include "qt/qtprogram.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/qt/widgets.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelmor {
namespace {

// A data file with three subsystems and a title page, as the data-entry window saves one.
const char kThreeSubsystems[] =
    "1,\"lato nord\",2,\"medio\",\"3\"\r\n"
    "1,\"centrale\",\"debole\",\"con nessuno\"\r\n"
    "6,\"angolo nord-ovest\",\"forte\",\"con 1\"\r\n"
    "2,\"lato nord\",\"medio\",\"con 1\"\r\n"
    "\"Piano verde\",\"Cittadella\",\"analisi situazione attuale\"\r\n"
    "\"Comune di Cittadella\",\"Padova\",\"7 dic 2026\",\"tavole\"\r\n"
    "\"abitato\"\r\n"
    "\"parco\"\r\n"
    "\"strada\"\r\n";

// Texts as gtest prints them readably.
using Texts = std::vector<std::string>;
Texts texts(const QStringList& list) {
    Texts out;
    for (const QString& t : list) out.push_back(t.toStdString());
    return out;
}

const QString kOffice = QStringLiteral("Bianchi & Verdi");
const QString kAddress = QStringLiteral("Via Roma 1 && C.");

// Started with an office set, and the splash clicked with the mouse.
class TitlePageWindowTest : public qttest::QtProgramTest {
  protected:
    TitlePageWindowTest() : QtProgramTest(StartAt::Splash) {}
    void beforeStart() override {
        fakes.platform.settings.insert(QStringLiteral("ufficio/nome"), kOffice);
        fakes.platform.settings.insert(QStringLiteral("ufficio/indirizzo"), kAddress);
        QtProgramTest::beforeStart();
    }
    void SetUp() override {
        QtProgramTest::SetUp();
        if (HasFatalFailure()) return;
        tk::Form* splash = program.app().form(QStringLiteral("frmSplash"));
        ASSERT_NE(splash, nullptr);
        QTest::mouseClick(backend.window(*splash)->clientArea(), Qt::LeftButton, {},
                          QPoint(300, 300));
        ASSERT_TRUE(program.app().isLoaded(QStringLiteral("menu")));
    }

    tk::Form& menu() { return *program.app().form(QStringLiteral("menu")); }
    qtui::FormWindow& menuWindow() { return *backend.window(menu()); }
    QAction* menuAction(const char* name) {
        return menuWindow().action(menu().at(QString::fromLatin1(name)));
    }

    // "Finestra Frontespizio" in the menu window; the title page comes up active.
    void showTitlePage() {
        menuAction("fin3")->trigger();
        ASSERT_TRUE(program.app().isLoaded(QStringLiteral("frontespizio")));
        ASSERT_TRUE(window().isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    // The menu window's "Apri..." with the file chosen in its dialog.
    void openInMenu(const QByteArray& bytes) {
        const QString file = path(QStringLiteral("Zelmor-dati-prova"));
        ASSERT_TRUE(writeFile(file, bytes));
        fakes.files.answers.push_back(file);
        menuAction("apri")->trigger();
        ASSERT_TRUE(fakes.files.answers.empty());
    }

    tk::Form& page() { return *program.app().form(QStringLiteral("frontespizio")); }
    qtui::FormWindow& window() { return *backend.window(page()); }
    tk::Control& control(const QString& name, int index = 0) { return page().at(name, index); }
    template <class W>
    W* widget(const QString& name, int index = 0) {
        auto* w = qobject_cast<W*>(window().widget(control(name, index)));
        EXPECT_NE(w, nullptr) << name.toStdString() << "(" << index << ")";
        return w;
    }
    QAction* action(const char* name) {
        return window().action(control(QString::fromLatin1(name)));
    }
    void walkTabOrder(int open);
    Texts messagesSince(std::size_t from) const {
        Texts texts;
        for (std::size_t i = from; i < fakes.messages.shown.size(); ++i) {
            texts.push_back(fakes.messages.shown[i].text.toStdString());
        }
        return texts;
    }
};

// The seven boxes of the left column, top to bottom.
const QStringList kFields{QStringLiteral("progetto"),   QString::fromUtf8("località"),
                          QStringLiteral("tipostudio"), QStringLiteral("committente"),
                          QStringLiteral("luogo"),      QStringLiteral("data"),
                          QStringLiteral("allegati")};

// The layout in twips, 15 to the pixel; every edge here falls on a whole pixel.
QRect pixels(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

TEST_F(TitlePageWindowTest, ControlsStandAtTheirPlacesInTheirContainers) {
    showTitlePage();
    struct Row {
        QString name;
        int index;
        QString container;  // empty: the drawing area
        QRect pixels;
    };
    std::vector<Row> rows = {
        {QStringLiteral("Frame1"), 0, QString(), pixels(6000, 1680, 3375, 3255)},
        // The bottom bar is drawn three pixels below the buttons that stand on its lower edge.
        {QStringLiteral("Frame5"), 0, QString(), pixels(0, 5520, 9495, 615).adjusted(0, 0, 0, 3)},
        {QStringLiteral("passo"), 0, QStringLiteral("Frame5"), pixels(2640, 120, 4215, 495)},
        {QStringLiteral("Labelstudio"), 0, QString(), pixels(1920, 4200, 3975, 255)},
        {QStringLiteral("labelindirizzo"), 0, QString(), pixels(1920, 4440, 3975, 255)},
    };
    for (int k = 0; k < kFields.size(); ++k) {
        rows.push_back({kFields[k], 0, QString(), pixels(1920, 2280 + 240 * k, 3975, 285)});
    }
    for (int i : {1, 5, 9}) {
        rows.push_back({QStringLiteral("denominazione"), i, QStringLiteral("Frame1"),
                        pixels(1440, 600 + 240 * i, 1815, 285)});
    }
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name.toStdString() + "(" + std::to_string(r.index) + ")");
        QWidget* w = window().widget(control(r.name, r.index));
        ASSERT_NE(w, nullptr);
        QWidget* parent =
            r.container.isEmpty() ? window().clientArea() : window().widget(control(r.container));
        EXPECT_EQ(w->parentWidget(), parent);
        EXPECT_EQ(w->geometry(), r.pixels);
        EXPECT_TRUE(w->isVisibleTo(&window()));
    }
    EXPECT_EQ(widget<QLineEdit>(QStringLiteral("progetto"))->geometry(), QRect(128, 152, 265, 19));
    EXPECT_EQ(widget<QGroupBox>(QStringLiteral("Frame1"))->title(),
              QStringLiteral("Denominazione dei sottosistemi"));
}

// Tab runs down the left column and on through the open denominations; the first box has the
// keyboard when the window comes up.
void TitlePageWindowTest::walkTabOrder(int open) {
    showTitlePage();
    EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>(QStringLiteral("progetto")));

    std::vector<QWidget*> expected;
    for (const QString& name : kFields) expected.push_back(window().widget(control(name)));
    for (int i = 1; i <= open; ++i) {
        expected.push_back(window().widget(control(QStringLiteral("denominazione"), i)));
    }
    const auto focusName = [] {
        QWidget* w = QApplication::focusWidget();
        return (w != nullptr ? w->objectName() : QStringLiteral("none")).toStdString();
    };
    for (std::size_t k = 1; k < expected.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), expected[k]) << "stop " << k << ": " << focusName();
    }
    // Past the last open box the keyboard leaves the closed ones alone.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (int i = open + 1; i <= 9; ++i) {
        EXPECT_NE(QApplication::focusWidget(),
                  window().widget(control(QStringLiteral("denominazione"), i)))
            << i;
    }
    // Shift+Tab walks back.
    expected.back()->setFocus();
    QTest::keyClick(expected.back(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), expected[expected.size() - 2]) << focusName();
}

TEST_F(TitlePageWindowTest, WithoutAModelTabWalksTheLeftColumn) {
    walkTabOrder(0);
}

TEST_F(TitlePageWindowTest, WithAModelTabGoesOnThroughItsDenominations) {
    openInMenu(kThreeSubsystems);
    walkTabOrder(3);
}

TEST_F(TitlePageWindowTest, TypingGoesThroughTheProgram) {
    showTitlePage();
    auto* project = widget<QLineEdit>(QStringLiteral("progetto"));
    ASSERT_TRUE(project->hasFocus());
    QTest::keyClicks(project, QStringLiteral("Piano"));
    EXPECT_EQ(control(QStringLiteral("progetto")).text(), QStringLiteral("Piano"));
    EXPECT_TRUE(fakes.messages.shown.empty());

    // Sixty characters are accepted quietly; the sixty-first is warned about, and kept.
    const std::size_t before = fakes.messages.shown.size();
    QTest::keyClicks(project, QString(55, QLatin1Char('x')));
    EXPECT_EQ(control(QStringLiteral("progetto")).text().size(), 60);
    EXPECT_EQ(fakes.messages.shown.size(), before);
    QTest::keyClick(project, Qt::Key_Y);
    ASSERT_EQ(messagesSince(before),
              Texts{"Per una stampa corretta non digitare dati lunghi più di 60 spazi."});
    EXPECT_EQ(fakes.messages.shown.back().icon, tk::MessageIcon::Exclamation);
    EXPECT_EQ(control(QStringLiteral("progetto")).text().size(), 61);
    EXPECT_EQ(project->text(), control(QStringLiteral("progetto")).text());

    // Another box of the column warns alike.
    auto* client = widget<QLineEdit>(QStringLiteral("committente"));
    QTest::keyClicks(client, QString(61, QLatin1Char('c')));
    EXPECT_EQ(fakes.messages.shown.size(), before + 2);
}

TEST_F(TitlePageWindowTest, DenominationsOpenWithTheModelAndAreCutTo25Characters) {
    openInMenu(kThreeSubsystems);
    showTitlePage();
    EXPECT_EQ(widget<QLineEdit>(QStringLiteral("progetto"))->text(), QStringLiteral("Piano verde"));
    const QStringList types{QStringLiteral("centrale"), QStringLiteral("angolo nord-ovest"),
                            QStringLiteral("lato nord")};
    const QStringList names{QStringLiteral("abitato"), QStringLiteral("parco"),
                            QStringLiteral("strada")};
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        auto* box = widget<QLineEdit>(QStringLiteral("denominazione"), i);
        auto* type = widget<QLabel>(QStringLiteral("tiposotto"), i);
        EXPECT_EQ(box->isEnabled(), i <= 3);
        EXPECT_EQ(box->text(), i <= 3 ? names[i - 1] : QString());
        EXPECT_EQ(type->text(), i <= 3 ? types[i - 1] : QString());
    }

    auto* second = widget<QLineEdit>(QStringLiteral("denominazione"), 2);
    second->setFocus();
    second->selectAll();
    const QString typed = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");  // 30 characters
    const std::size_t before = fakes.messages.shown.size();
    QTest::keyClicks(second, typed);
    EXPECT_EQ(second->text(), typed.left(25));
    EXPECT_EQ(control(QStringLiteral("denominazione"), 2).text(), typed.left(25));
    // One warning for each character past the 25th.
    EXPECT_EQ(messagesSince(before),
              Texts(5, "Per una stampa corretta non digitare dati lunghi più di 25 spazi."));
}

TEST_F(TitlePageWindowTest, MenusComeFromTheForm) {
    showTitlePage();
    QStringList titles;
    QMenu* file = nullptr;
    for (QAction* a : window().menuBar()->actions()) {
        titles << a->text();
        if (a->text() == QStringLiteral("&File")) file = a->menu();
    }
    EXPECT_EQ(texts(titles), (Texts{"&File", "&Modifica", "&Visualizza", "&?"}));
    ASSERT_NE(file, nullptr);

    QStringList entries;
    QMenu* print = nullptr;
    for (QAction* a : file->actions()) {
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (a->menu() != nullptr) print = a->menu();
    }
    EXPECT_EQ(texts(entries), (Texts{"&Apri...", "-", "&Salva", "Salva con &nome...", "-",
                                     "&Elimina...", "-", "S&tampa", "-", "&Esci"}));
    ASSERT_NE(print, nullptr);
    QStringList reports;
    for (QAction* a : print->actions()) reports << a->text();
    EXPECT_EQ(texts(reports),
              (Texts{"&solo dati finestra", "solo &modello", "&relazione e modello"}));
    EXPECT_EQ(print->menuAction(), action("stampe"));

    struct Row {
        const char* name;
        QKeySequence keys;
        bool ticked;
    } rows[] = {
        {"fin1", QKeySequence(Qt::CTRL | Qt::Key_A), false},
        {"fin2", QKeySequence(Qt::CTRL | Qt::Key_B), false},
        {"fin3", QKeySequence(Qt::CTRL | Qt::Key_C), true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QAction* a = action(r.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->shortcut(), r.keys);
        EXPECT_EQ(a->isCheckable(), r.ticked);
        EXPECT_EQ(a->isChecked(), r.ticked);
    }
    // Items without a key combination get none.
    EXPECT_TRUE(action("apri")->shortcut().isEmpty());

    // The window's own entry at the right end of the bar, without its pushing blanks.
    QAction* corner = action("finestra");
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->text(), QStringLiteral("Fi&nestra n.3 di 3"));
    EXPECT_FALSE(window().menuBar()->actions().contains(corner));
}

// The window's key combinations work with the keyboard in a text box, where the user always is.
TEST_F(TitlePageWindowTest, KeyCombinationsRunTheWindowItems) {
    showTitlePage();
    auto* project = widget<QLineEdit>(QStringLiteral("progetto"));
    QTest::keyClicks(project, QStringLiteral("Piano"));

    // Ctrl+C: this is the title page already.
    std::size_t before = fakes.messages.shown.size();
    QTest::keyClick(project, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(messagesSince(before), Texts{"E' questa la finestra Frontespizio."});

    // Ctrl+B: no drawing without a model.
    before = fakes.messages.shown.size();
    QTest::keyClick(project, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(messagesSince(before),
              Texts{"Per poter visualizzare il disegno di un modello bisogna immettere tutti i "
                    "dati necessari."});

    // Ctrl+A: back to the menu window.
    program.app().dispatch([&] { program.app().hide(QStringLiteral("menu")); });
    ASSERT_FALSE(menuWindow().isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(project, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(menuWindow().isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menuWindow()));
    // The keys ran the items, not the box's own editing.
    EXPECT_EQ(project->text(), QStringLiteral("Piano"));
    EXPECT_FALSE(project->hasSelectedText());
}

// The office's name and address are the user's own data: an ampersand there is a character,
// not an access key.
TEST_F(TitlePageWindowTest, OfficeLabelsShowTheirAmpersands) {
    showTitlePage();
    struct Row {
        const char* name;
        QString text;
    } rows[] = {{"Labelstudio", kOffice}, {"labelindirizzo", kAddress}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto* label = dynamic_cast<qtui::CaptionLabel*>(
            window().widget(control(QString::fromLatin1(r.name))));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), r.text);

        // Only where the text differs: the pixels that are not the label's ground.
        const QColor ground = label->palette().color(QPalette::Window);
        const auto ink = [&](const QImage& image) {
            QImage mask(image.size(), QImage::Format_Mono);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    mask.setPixel(x, y, image.pixelColor(x, y) != ground ? 1 : 0);
                }
            }
            return mask;
        };
        const auto drawn = [&](int mnemonic) {
            QImage image(label->size(), QImage::Format_RGB32);
            image.fill(ground);
            QPainter p(&image);
            p.setFont(label->font());
            p.setPen(label->palette().color(QPalette::WindowText));
            p.drawText(label->contentsRect(),
                       static_cast<int>(Qt::AlignLeft | Qt::AlignTop) | mnemonic, r.text);
            return image;
        };
        const QImage shown = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage literal = ink(drawn(0));
        const QImage asAccessKey = ink(drawn(Qt::TextShowMnemonic));
        ASSERT_NE(literal, asAccessKey);
        EXPECT_EQ(ink(shown), literal);
    }
}

TEST_F(TitlePageWindowTest, ToolbarAndStatusLine) {
    showTitlePage();
    auto* bar = window().findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> actions = bar->actions();
    // The bar is the data-entry window's (tested there) but for the print button's tooltip.
    ASSERT_EQ(actions.size(), 21);
    EXPECT_EQ(actions[5]->toolTip(), QStringLiteral("stampa completa dell'elaborazione"));
    EXPECT_EQ(actions[7]->toolTip(), QStringLiteral("visualizza finestra 'Menu'"));

    // Button 10 only says where the user is.
    const std::size_t before = fakes.messages.shown.size();
    actions[9]->trigger();
    EXPECT_EQ(messagesSince(before), Texts{"E' questa la finestra Frontespizio."});

    EXPECT_EQ(widget<QLabel>(QStringLiteral("passo"))->text(),
              QStringLiteral("digitare i dati in ogni campo"));
}

// The menu window's toolbar button 10 brings the title page up too; button 8 here goes back.
TEST_F(TitlePageWindowTest, TheToolbarsMoveBetweenTheWindows) {
    auto* menuBar = menuWindow().findChild<QToolBar*>();
    ASSERT_NE(menuBar, nullptr);
    menuBar->actions()[9]->trigger();
    ASSERT_TRUE(program.app().isLoaded(QStringLiteral("frontespizio")));
    EXPECT_TRUE(window().isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));

    window().findChild<QToolBar*>()->actions()[7]->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menuWindow()));
    EXPECT_TRUE(window().isVisible());  // still there behind it
}

}  // namespace
}  // namespace zelmor
