#include "accessibility.h"

#include "formwindow.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace zelmor::qtui {

namespace {

const char* const kNegated = "zelmorNegated";
const char* const kPicture = "zelmorPicture";
const char* const kAnnouncer = "zelmorAnnouncer";
const char* const kHeard = "zelmorHeard";
const char* const kPending = "zelmorPending";
const char* const kNameLabel = "zelmorNameLabel";
const char* const kWatched = "zelmorWatched";

// Qt leaves a child of this name out of its parent's accessible children (it is how Qt keeps
// its own rubber bands away from readers); 6.4 has no other way to prune a widget.
const QString kPruned = QStringLiteral("qt_rubberband");

// The program's scroll bars tell the control's own value: one whose control has its minimum
// above its maximum is shown negated, and the reader still hears it low to high.
class ControlScrollBar : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ControlScrollBar(QScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return QString::number(sign() * bar()->value());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return sign() * bar()->value(); }
    void setCurrentValue(const QVariant& value) override {
        bar()->setValue(sign() * value.toInt());
    }
    QVariant maximumValue() const override {
        return sign() > 0 ? bar()->maximum() : -bar()->minimum();
    }
    QVariant minimumValue() const override {
        return sign() > 0 ? bar()->minimum() : -bar()->maximum();
    }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

  private:
    QScrollBar* bar() const { return static_cast<QScrollBar*>(widget()); }
    int sign() const { return widget()->property(kNegated).toBool() ? -1 : 1; }
};

// A window's drawing area: a plain surface, or the picture the window paints.
class Surface : public QAccessibleWidget {
  public:
    explicit Surface(QWidget* w) : QAccessibleWidget(w, QAccessible::Client) {}
    QAccessible::Role role() const override {
        return widget()->property(kPicture).toBool() ? QAccessible::Graphic : QAccessible::Client;
    }
};

// A line read out as it changes: shown afresh for each announcement, which readers speak as a
// notification wherever the keyboard is (Qt 6.4 has no announcement event).
class Notice : public QAccessibleWidget {
  public:
    explicit Notice(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->property(kHeard).toString();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* programInterfaces(const QString& className, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (w == nullptr) return nullptr;
    if (className == QLatin1String("QScrollBar") && w->property(kNegated).isValid()) {
        return new ControlScrollBar(static_cast<QScrollBar*>(w));
    }
    if (w->property(kAnnouncer).toBool()) return new Notice(w);
    if (w->property(kPicture).isValid()) return new Surface(w);
    return nullptr;
}

QString withoutMnemonics(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        out.append(caption.at(i));
    }
    return out.simplified();
}

// The purpose a tooltip states: "cliccare per X" and "cliccare sulle frecce per X" give X.
QString purpose(const QString& tip) {
    QString t = tip.simplified();
    if (!t.startsWith(QLatin1String("cliccare"))) return t;
    const qsizetype per = t.indexOf(QLatin1String(" per "));
    return per < 0 ? t : t.mid(per + 5);
}

bool namedFromTip(tk::ControlKind kind) {
    using tk::ControlKind;
    switch (kind) {
        case ControlKind::CommandButton:
        case ControlKind::ComboBox:
        case ControlKind::TextBox:
        case ControlKind::VScrollBar:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

// A combo box's accessible name is its text on Linux; the reader finds its name in the label
// related to it. Where no label of the window names it, a label of no size carries the name.
void nameCombo(QWidget* combo, const QString& name) {
    auto* holder = qobject_cast<QLabel*>(combo->property(kNameLabel).value<QObject*>());
    if (name.isEmpty()) {
        if (holder != nullptr) holder->hide();
        return;
    }
    if (holder == nullptr) {
        holder = new QLabel(combo->parentWidget());
        holder->setObjectName(combo->objectName() + QStringLiteral("-nome"));
        holder->setAttribute(Qt::WA_TransparentForMouseEvents);
        holder->setBuddy(combo);
        combo->setProperty(kNameLabel, QVariant::fromValue<QObject*>(holder));
    }
    if (holder->text() != name) holder->setText(name);
    holder->setGeometry(combo->x(), combo->y(), 0, 0);
    holder->setVisible(!combo->isHidden());
}

QWidget* labelWidget(const tk::Control& control, const QWidget* w) {
    const QString& name = control.speech().labelledBy;
    if (name.isEmpty()) return nullptr;
    const tk::Control* label = control.form().find(name, control.index());
    if (label == nullptr) label = control.form().find(name);
    const auto* window = dynamic_cast<const FormWindow*>(w->window());
    return label == nullptr || window == nullptr ? nullptr : window->widget(*label);
}

QWidget* noticeFor(QWidget* source) {
    for (QObject* child : source->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && w->property(kAnnouncer).toBool()) return w;
    }
    auto* notice = new QWidget(source);
    notice->setObjectName(source->objectName() + QStringLiteral("-avviso"));
    notice->setProperty(kAnnouncer, true);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->setGeometry(0, 0, 1, 1);
    notice->hide();
    return notice;
}

void flush(QWidget* source);

// A line that changed while its window was hidden is read out when the window shows.
class ShowWatch : public QObject {
  public:
    explicit ShowWatch(QWidget* source) : QObject(source), source_(source) {
        source->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == source_ && event->type() == QEvent::Show) {
            QWidget* source = source_;
            QTimer::singleShot(0, source, [source] { flush(source); });
        }
        return false;
    }

  private:
    QWidget* source_;
};

void flush(QWidget* source) {
    QWidget* notice = noticeFor(source);
    const QString text = notice->property(kPending).toString();
    if (text.isEmpty() || text == notice->property(kHeard).toString()) return;
    if (!source->isVisible()) {
        if (!source->property(kWatched).toBool()) {
            source->setProperty(kWatched, true);
            new ShowWatch(source);
        }
        return;
    }
    // Within a message box's own loop the action is not over yet: heard once it is.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != source->window()) {
        QTimer::singleShot(200, notice, [source] { flush(source); });
        return;
    }
    notice->setProperty(kHeard, text);
    notice->hide();
    QAccessibleEvent named(notice, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    notice->show();
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(programInterfaces);
        return true;
    }();
    (void)installed;
}

QString readerName(const tk::Control& control) {
    QString caption =
        control.useMnemonic() ? withoutMnemonics(control.text()) : control.text().simplified();
    QString name = control.spokenName().simplified();
    if (!name.isEmpty()) {
        if (control.kind() == tk::ControlKind::Label && !caption.isEmpty()) {
            name += QStringLiteral(": ") + caption;
        }
        return name;
    }
    if (!caption.isEmpty() && control.kind() != tk::ControlKind::ComboBox &&
        control.kind() != tk::ControlKind::TextBox) {
        return caption;
    }
    return namedFromTip(control.kind()) ? purpose(control.toolTip()) : QString();
}

void describe(const tk::Control& control, QWidget* w) {
    const tk::Speech& speech = control.speech();
    if (speech.silent) {
        if (w->objectName() != kPruned) w->setObjectName(kPruned);
        return;
    }
    QWidget* label = labelWidget(control, w);
    if (auto* l = qobject_cast<QLabel*>(label); l != nullptr && l->buddy() != w) l->setBuddy(w);

    const QString name = readerName(control);
    if (control.kind() == tk::ControlKind::ComboBox) {
        nameCombo(w, label != nullptr ? QString() : name);
    }
    // A label's caption is left to Qt, so that its changes are heard as text changes.
    const bool own =
        !name.isEmpty() && (control.kind() != tk::ControlKind::Label || !speech.name.isEmpty());
    if (own && w->accessibleName() != name) w->setAccessibleName(name);
    if (w->accessibleDescription() != control.description()) {
        w->setAccessibleDescription(control.description());
    }
    if (speech.announced) announce(w, control.text());
}

void setNegated(QScrollBar* bar, bool negated) {
    if (bar->property(kNegated) != QVariant(negated)) bar->setProperty(kNegated, negated);
}

void describePicture(QWidget* area, const QString& name, const QString& description) {
    const bool picture = !name.isEmpty();
    if (area->property(kPicture) != QVariant(picture)) {
        area->setProperty(kPicture, picture);
        // Reached with Tab, so that the reader comes to the picture and its words.
        area->setFocusPolicy(picture ? Qt::StrongFocus : Qt::NoFocus);
    }
    if (area->accessibleName() != name) area->setAccessibleName(name);
    if (area->accessibleDescription() != description) area->setAccessibleDescription(description);
}

void announce(QWidget* source, const QString& text) {
    QWidget* notice = noticeFor(source);
    const QString line = text.simplified();
    if (notice->property(kPending).toString() == line) return;
    notice->setProperty(kPending, line);
    // Once the action is over: the first of its timers reads out its last text, the others
    // find it heard.
    QTimer::singleShot(0, notice, [source] { flush(source); });
}

}  // namespace zelmor::qtui
