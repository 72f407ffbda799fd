// What a screen reader is given by every window, read through Qt's accessible interfaces, as
// the AT-SPI bridge reads them: every object a user acts on or reads has a name, the role it is
// for and its value; the rows' controls are told apart; the hint line is heard once per action.
#include "drawing/disegnoform.h"
#include "qt/qtprogram.h"
#include "support/entry.h"
#include "toolkit/qt/qtbackend.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

namespace zelmor {
namespace {

// One object as a reader meets it.
struct Seen {
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    QString description;
    QString value;
    QStringList labels;  // the names of the objects that label it
    QObject* object = nullptr;
};

bool actionable(QAccessible::Role r) {
    switch (r) {
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::ScrollBar:
            return true;
        default:
            return false;
    }
}

bool readable(QAccessible::Role r) {
    return r == QAccessible::StaticText || r == QAccessible::Graphic;
}

void walk(QAccessibleInterface* i, std::vector<Seen>& out) {
    if (i == nullptr || i->state().invisible) return;
    Seen s{i->role(),
           i->text(QAccessible::Name),
           i->text(QAccessible::Description),
           i->text(QAccessible::Value),
           {},
           i->object()};
    for (const auto& [label, relation] : i->relations(QAccessible::Label)) {
        s.labels << label->text(QAccessible::Name);
    }
    if (QAccessibleValueInterface* v = i->valueInterface()) {
        s.value = QStringLiteral("%1 in %2..%3")
                      .arg(v->currentValue().toInt())
                      .arg(v->minimumValue().toInt())
                      .arg(v->maximumValue().toInt());
    }
    out.push_back(s);
    // A combo box's own parts (its edit field and list) are told with it.
    if (s.role == QAccessible::ComboBox) return;
    for (int k = 0; k < i->childCount(); ++k) walk(i->child(k), out);
}

class AccessibilityTest : public qttest::QtProgramTest {
  protected:
    std::vector<Seen> tree(const char* window) {
        QApplication::processEvents();
        std::vector<Seen> out;
        tk::Form* f = program.app().form(QString::fromLatin1(window));
        EXPECT_NE(f, nullptr) << window;
        if (f == nullptr) return out;
        walk(QAccessible::queryAccessibleInterface(backend.window(*f)), out);
        return out;
    }

    // Every object the user acts on or reads has a name; no two controls the user acts on
    // share one (a reader could not tell them apart); nothing of the window is missing from the
    // tree but what the window leaves out on purpose.
    static void expectAllNamed(const std::vector<Seen>& seen, const char* window) {
        std::map<QString, int> names;
        for (const Seen& s : seen) {
            const QString what = s.object != nullptr ? s.object->objectName() : QString();
            if (actionable(s.role) || readable(s.role)) {
                EXPECT_FALSE(s.name.trimmed().isEmpty() && s.labels.isEmpty())
                    << window << ": " << what.toStdString() << " role " << s.role << " unnamed";
            }
            if (actionable(s.role)) {
                const QString said = s.labels.isEmpty() ? s.name : s.labels.join(' ') + s.name;
                EXPECT_EQ(++names[said], 1)
                    << window << ": two controls named " << said.toStdString();
            }
            EXPECT_NE(s.name, QStringLiteral("--->")) << window << ": " << what.toStdString();
        }
    }

    const Seen* find(const std::vector<Seen>& seen, const char* window, const char* control,
                     int index = 0) {
        tk::Form& f = form(window);
        const QWidget* w = backend.window(f)->widget(f.at(QString::fromLatin1(control), index));
        for (const Seen& s : seen) {
            if (s.object == w) return &s;
        }
        return nullptr;
    }

    struct Row {
        const char* control;
        int index;
        QAccessible::Role role;
        const char* name;   // the accessible name, or the label's when the label names it
        const char* value;  // nullptr: not checked
        const char* label;  // the label related to it; nullptr: none checked
    };
    void expectRows(const char* window, const std::vector<Row>& rows) {
        const std::vector<Seen> seen = tree(window);
        expectAllNamed(seen, window);
        for (const Row& r : rows) {
            const Seen* s = find(seen, window, r.control, r.index);
            ASSERT_NE(s, nullptr) << window << "." << r.control << "(" << r.index
                                  << ") not in the reader's tree";
            EXPECT_EQ(s->role, r.role) << r.control << "(" << r.index << ")";
            const QString name = s->role == QAccessible::ComboBox && !s->labels.isEmpty()
                                     ? s->labels.join(QLatin1Char(' '))
                                     : s->name;
            EXPECT_EQ(name.toStdString(), r.name) << r.control << "(" << r.index << ")";
            if (r.value != nullptr) {
                EXPECT_EQ(s->value.toStdString(), r.value) << r.control << "(" << r.index << ")";
            }
            if (r.label != nullptr) {
                EXPECT_TRUE(s->labels.contains(QString::fromUtf8(r.label)))
                    << r.control << "(" << r.index
                    << ") labels: " << s->labels.join(QLatin1Char('|')).toStdString();
            }
        }
    }
};

TEST_F(AccessibilityTest, TheDataEntryWindowTellsEveryControlWithItsRow) {
    expectRows("menu", {{"endemica", 1, QAccessible::RadioButton, "superficiale", nullptr, nullptr},
                        {"VScroll1", 0, QAccessible::ScrollBar, "Numero dei sottosistemi",
                         "1 in 1..9", "Numero dei sottosistemi"}});
    testsupport::enterOneSubsystem(program.app());
    run([&] { form("menu").at(QStringLiteral("VScroll1")).setValue(3); });
    run([&] { form("menu").at(QStringLiteral("Check1"), 2).click(); });
    run([&] { form("menu").at(QStringLiteral("Option3"), 4).click(); });
    run([&] { form("menu").at(QStringLiteral("Combo1"), 2).choose(QStringLiteral("debole")); });
    run([&] { form("menu").at(QStringLiteral("Check1"), 3).click(); });
    run([&] { form("menu").at(QStringLiteral("Option3"), 5).click(); });
    run([&] { form("menu").at(QStringLiteral("Combo1"), 3).choose(QStringLiteral("forte")); });
    expectRows(
        "menu",
        {{"endemica", 1, QAccessible::RadioButton, "superficiale", nullptr, nullptr},
         {"Option3", 4, QAccessible::RadioButton, "lato est", nullptr, nullptr},
         {"valore", 0, QAccessible::ComboBox, "Valore Situazione endemica", "forte", "Valore"},
         {"situazione", 0, QAccessible::StaticText, "tipologia della situazione endemica: totale",
          nullptr, nullptr},
         {"VScroll1", 0, QAccessible::ScrollBar, "Numero dei sottosistemi", "3 in 1..9",
          "Numero dei sottosistemi"},
         {"Check1", 2, QAccessible::CheckBox, "sottosistema n.2", nullptr, nullptr},
         {"tiposotto", 2, QAccessible::StaticText, "tipologia del sottosistema n.2: lato est",
          nullptr, nullptr},
         {"Combo1", 2, QAccessible::ComboBox, "valore del sottosistema n.2", "debole",
          "valore del sottosistema n.2"},
         {"Image1", 1, QAccessible::Graphic, "sottosistema corrente", nullptr, nullptr},
         {"Label3", 1, QAccessible::StaticText, "legami del sottosistema n.1: con nessuno", nullptr,
          nullptr},
         {"correggo", 1, QAccessible::Button, "cancella i legami del sottosistema n.1", nullptr,
          nullptr},
         {"legami", 2, QAccessible::Button, "legame con il sottosistema n.2", nullptr, nullptr},
         {"dopo", 0, QAccessible::Button,
          "passare ai legami del sottosistema successivo o terminare", nullptr, nullptr}});
}

TEST_F(AccessibilityTest, TheTitlePageNamesEachFieldByItsLabel) {
    testsupport::enterOneSubsystem(program.app());
    run([&] { program.app().show(QStringLiteral("frontespizio")); });
    expectRows("frontespizio",
               {{"progetto", 0, QAccessible::EditableText, "progetto", nullptr,
                 " progetto....................:"},
                {"data", 0, QAccessible::EditableText, "data elaborazione", nullptr, nullptr},
                {"denominazione", 1, QAccessible::EditableText,
                 "denominazione del sottosistema n.1", nullptr, nullptr}});
}

TEST_F(AccessibilityTest, TheDrawingIsAPictureToldInWords) {
    testsupport::enterOneSubsystem(program.app());
    run([&] { drawing::DisegnoForm::startDrawing(program.app()); });
    const std::vector<Seen> seen = tree("disegno");
    expectAllNamed(seen, "disegno");
    const QWidget* area = backend.window(form("disegno"))->clientArea();
    const auto picture =
        std::find_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.object == area; });
    ASSERT_NE(picture, seen.end());
    EXPECT_EQ(picture->role, QAccessible::Graphic);
    EXPECT_EQ(picture->name, form("disegno").caption());
    EXPECT_EQ(picture->description,
              QStringLiteral("Situazione endemica superficiale, tipologia totale, valore forte. "
                             "Un sottosistema. Sottosistema n.1: zona centrale, valore medio, "
                             "senza legami."));
    EXPECT_TRUE(area->focusPolicy() & Qt::TabFocus);
    // With the picture's focus, Enter does what the click does: the title page comes up.
    QTest::keyClick(backend.window(form("disegno")), Qt::Key_Return);
    EXPECT_TRUE(form("frontespizio").visible());
}

TEST_F(AccessibilityTest, TheOtherWindowsNameTheirButtonsAndPictures) {
    run([&] { form("menu").at(QStringLiteral("guida")).click(); });
    expectRows("sommario", {{"puls", 2, QAccessible::Button,
                             "argomento: Funzionamento del programma", nullptr, nullptr}});
    run([&] { program.app().show(QStringLiteral("frmTip")); });
    expectAllNamed(tree("frmTip"), "frmTip");
    run([&] { program.app().show(QStringLiteral("frmSplash")); });
    expectRows("frmSplash", {{"Image1", 0, QAccessible::Graphic, "disegno di un modello di esempio",
                              nullptr, nullptr}});
    // The opening screen has no caption: its reader hears the program's name and the keys.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(backend.window(form("frmSplash")))
                  ->text(QAccessible::Name)
                  .toStdString(),
              QGuiApplication::applicationDisplayName().toStdString() +
                  ": Invio o barra spaziatrice per iniziare; un altro tasto per uscire");
}

// The hint line is heard through a whole entry: once for each action that changed it, with the
// text the action left, never with a text a rule set on the way. A reader hears the notice each
// time it is shown (AT-SPI's "showing" of a notification); Qt sends no events to readers here,
// so the test watches the showing itself.
class Shown : public QObject {
  public:
    QStringList heard;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(watched);
            EXPECT_EQ(i->role(), QAccessible::Notification);
            heard << i->text(QAccessible::Name);
        }
        return false;
    }
};

TEST_F(AccessibilityTest, TheHintIsHeardOncePerActionThatChangesIt) {
    tk::Form& m = form("menu");
    QApplication::processEvents();
    QWidget* hint = backend.window(m)->widget(m.at(QStringLiteral("passo")));
    auto* notice = hint->findChild<QWidget*>(QStringLiteral("passo-avviso"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name),
              m.at(QStringLiteral("passo")).text());
    Shown shown;
    notice->installEventFilter(&shown);

    QStringList expected;
    const auto act = [&](const std::function<void()>& f) {
        const QString before = m.at(QStringLiteral("passo")).text();
        run(f);
        QApplication::processEvents();
        const QString after = m.at(QStringLiteral("passo")).text();
        if (after != before) expected << after;
    };
    act([&] { m.at(QStringLiteral("endemica"), 1).click(); });
    act([&] { m.at(QStringLiteral("Option1"), 1).click(); });
    act([&] { m.at(QStringLiteral("valore")).choose(QStringLiteral("forte")); });
    act([&] { m.at(QStringLiteral("VScroll1")).setValue(2); });
    act([&] { m.at(QStringLiteral("Check1"), 1).click(); });
    act([&] { m.at(QStringLiteral("Option3"), 1).click(); });
    act([&] { m.at(QStringLiteral("Combo1"), 1).choose(QStringLiteral("medio")); });
    act([&] { m.at(QStringLiteral("Check1"), 2).click(); });
    act([&] { m.at(QStringLiteral("Option3"), 2).click(); });
    act([&] { m.at(QStringLiteral("Combo1"), 2).choose(QStringLiteral("debole")); });
    act([&] { m.at(QStringLiteral("legami"), 2).click(); });
    act([&] { m.at(QStringLiteral("dopo")).click(); });
    act([&] { m.at(QStringLiteral("legami"), 1).click(); });
    act([&] { m.at(QStringLiteral("dopo")).click(); });
    // An action that leaves the line as it was is not heard again.
    act([&] { m.at(QStringLiteral("valore")).choose(QStringLiteral("forte")); });

    EXPECT_EQ(m.at(QStringLiteral("passo")).text(),
              QStringLiteral("correggere, archiviare i dati o disegnare il modello"));
    EXPECT_EQ(shown.heard.join('\n').toStdString(), expected.join('\n').toStdString());
    EXPECT_GE(expected.size(), 8);
}

// WCAG 2 contrast of two colours: 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a text stands on: the nearest widget, itself included, that fills its background.
QColor groundOf(const QWidget* w) {
    if (qobject_cast<const QPushButton*>(w) != nullptr) return w->palette().color(QPalette::Button);
    for (const QWidget* x = w; x != nullptr; x = x->parentWidget()) {
        if (x->autoFillBackground() || x->isWindow())
            return x->palette().color(x->backgroundRole());
    }
    return Qt::white;
}

// Every text of every window is read against what it stands on; below 4.5:1 (normal text) only
// the colours the windows are described with: the yellow kind captions on dark grey.
TEST_F(AccessibilityTest, EveryTextStandsOutFromItsGround) {
    testsupport::enterOneSubsystem(program.app());
    run([&] { program.app().show(QStringLiteral("frontespizio")); });
    run([&] { drawing::DisegnoForm::startDrawing(program.app()); });
    run([&] { form("menu").at(QStringLiteral("guida")).click(); });
    run([&] { program.app().show(QStringLiteral("frmTip")); });
    run([&] { program.app().show(QStringLiteral("frmSplash")); });
    QApplication::processEvents();
    QStringList low;
    int texts = 0;
    for (tk::Form* f : program.app().loadedForms()) {
        QWidget* window = backend.window(*f);
        if (window == nullptr || !f->visible()) continue;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            QString text;
            if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
            if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
            // An inactive control's text has no contrast to keep (WCAG 1.4.3).
            if (text.trimmed().isEmpty() || !w->isVisible() || !w->isEnabled() ||
                w->size().isEmpty()) {
                continue;
            }
            ++texts;
            const QColor fore = w->palette().color(w->foregroundRole());
            const double ratio = contrast(fore, groundOf(w));
            if (ratio < 4.5) {
                low << QStringLiteral("%1.%2 %3 on %4 %5")
                           .arg(f->name(), w->objectName(), fore.name(), groundOf(w).name())
                           .arg(ratio, 0, 'f', 2);
            }
        }
    }
    EXPECT_GT(texts, 100);
    EXPECT_EQ(low.join('\n').toStdString(),
              "menu.endemica(1) #ffff00 on #808080 3.68\n"
              "menu.endemica(2) #ffff00 on #808080 3.68\n"
              "menu.endemica(3) #ffff00 on #808080 3.68");
}

}  // namespace
}  // namespace zelmor
