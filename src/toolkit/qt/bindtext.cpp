// Binders of the controls that show a caption or hold a text: labels, text and combo boxes,
// frames.
#include "binders.h"

#include "formwindow.h"
#include "widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace zelmor::qtui {

namespace {

// Qt cuts a text box at 32,767 characters by default, on the first key pressed in it; the
// program's text boxes hold whatever a data file brings, whole.
constexpr int kUnlimitedText = std::numeric_limits<int>::max();

Qt::Alignment horizontal(tk::Alignment a) {
    switch (a) {
        case tk::Alignment::Center:
            return Qt::AlignHCenter;
        case tk::Alignment::Right:
            return Qt::AlignRight;
        case tk::Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

// What the user types is the control's new text.
void forwardTyping(QLineEdit* edit, tk::Control& control, FormWindow& window) {
    tk::Control* c = &control;
    QObject::connect(edit, &QLineEdit::textEdited, &window,
                     [&window, c](const QString& t) { window.act(c, [c, t] { c->setText(t); }); });
}

class LabelBinder : public Binder {
  public:
    QWidget* create(tk::Control&, QWidget* parent, FormWindow&) const override {
        return new CaptionLabel(parent);
    }
    Ground ground() const override { return Ground::Surface; }
    bool ownsMouse() const override { return true; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect& geometry) const override {
        auto* label = static_cast<CaptionLabel*>(w);
        if (label->text() != c.text()) label->setText(c.text());
        label->setHorizontalAlignment(c.alignment());
        label->setUseMnemonic(c.useMnemonic());
        label->setFrameStyle(c.bordered() ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
        label->setLineWidth(1);
        label->setScrollable(c.scrollable());
        label->updateScrollBar();
        if (c.autoSize()) geometry.setSize(label->fittingSize());
    }
};

class TextBoxBinder : public Binder {
  public:
    QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const override {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(kUnlimitedText);
        forwardTyping(edit, control, window);
        return edit;
    }
    Ground ground() const override { return Ground::Field; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != c.text()) {
            const int cursor = edit->cursorPosition();
            edit->setText(c.text());
            edit->setCursorPosition(static_cast<int>(std::min<qsizetype>(cursor, c.text().size())));
        }
        edit->setAlignment(horizontal(c.alignment()) | Qt::AlignVCenter);
    }
};

class ComboBoxBinder : public Binder {
  public:
    QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const override {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        // The list belongs to the program: typing neither adds items nor completes them.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->lineEdit()->setMaxLength(kUnlimitedText);
        forwardTyping(combo->lineEdit(), control, window);
        tk::Control* c = &control;
        QObject::connect(combo, &QComboBox::activated, &window, [&window, c, combo](int index) {
            const QString item = combo->itemText(index);
            window.act(c, [c, item] { c->choose(item); });
        });
        return combo;
    }
    Ground ground() const override { return Ground::Field; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* combo = static_cast<QComboBox*>(w);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown.append(combo->itemText(i));
        if (shown != c.items()) {
            combo->clear();
            combo->addItems(c.items());
            combo->setCurrentIndex(
                combo->findText(c.text(), Qt::MatchExactly | Qt::MatchCaseSensitive));
        }
        if (combo->currentText() != c.text()) {
            QLineEdit* edit = combo->lineEdit();
            const int cursor = edit->cursorPosition();
            combo->setEditText(c.text());
            edit->setCursorPosition(static_cast<int>(std::min<qsizetype>(cursor, c.text().size())));
        }
    }
};

class FrameBinder : public Binder {
  public:
    QWidget* create(tk::Control&, QWidget* parent, FormWindow&) const override {
        return new FrameBox(parent);
    }
    Ground ground() const override { return Ground::Surface; }
    bool ownsMouse() const override { return true; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* frame = static_cast<QGroupBox*>(w);
        if (frame->title() != c.text()) frame->setTitle(c.text());
    }
};

}  // namespace

namespace binders {

const Binder& label() {
    static const LabelBinder binder;
    return binder;
}

const Binder& textBox() {
    static const TextBoxBinder binder;
    return binder;
}

const Binder& comboBox() {
    static const ComboBoxBinder binder;
    return binder;
}

const Binder& frame() {
    static const FrameBinder binder;
    return binder;
}

}  // namespace binders

}  // namespace zelmor::qtui
