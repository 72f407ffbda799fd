// Binders of the controls the user clicks: check and option buttons, command buttons, and the
// menu items and toolbar buttons, which are actions of the window rather than widgets.
#include "binders.h"

#include "formwindow.h"
#include "pictures.h"
#include "widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>

namespace zelmor::qtui {

namespace {

void forwardClicks(QAbstractButton* button, tk::Control& control, FormWindow& window) {
    tk::Control* c = &control;
    QObject::connect(button, &QAbstractButton::clicked, &window,
                     [&window, c] { window.act(c, [c] { c->click(); }); });
}

// Check and option buttons: a box or circle beside a caption.
class CheckableBinder : public Binder {
  public:
    Ground ground() const override { return Ground::Surface; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* button = static_cast<QAbstractButton*>(w);
        if (button->text() != c.text()) button->setText(c.text());
        const bool on = c.value() != 0;
        if (button->isChecked() != on) {
            // An option button that is one of a group (a reader announces it as a radio
            // button only then) cannot be cleared while it stands alone in that group.
            const bool exclusive = button->autoExclusive();
            if (!on) button->setAutoExclusive(false);
            button->setChecked(on);
            button->setAutoExclusive(exclusive);
        }
        // Right-aligned: the box stands to the right of the caption.
        button->setLayoutDirection(c.alignment() == tk::Alignment::Right ? Qt::RightToLeft
                                                                         : Qt::LeftToRight);
    }
};

class CheckBoxBinder : public CheckableBinder {
  public:
    QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const override {
        auto* box = new QCheckBox(parent);
        forwardClicks(box, control, window);
        return box;
    }
};

class OptionButtonBinder : public CheckableBinder {
  public:
    QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const override {
        // The runtime keeps the group; Qt's exclusive group is what makes it a group of radio
        // buttons for a reader.
        auto* option = new QRadioButton(parent);
        forwardClicks(option, control, window);
        return option;
    }
};

class CommandButtonBinder : public Binder {
  public:
    QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const override {
        auto* button = new PictureButton(parent);
        button->setAutoDefault(false);
        forwardClicks(button, control, window);
        return button;
    }
    Ground ground() const override { return Ground::Button; }

  protected:
    void sync(const tk::Control& c, QWidget* w, QRect&) const override {
        auto* button = static_cast<PictureButton*>(w);
        if (button->text() != c.text()) button->setText(c.text());
        button->setPicture(c.picture());
    }
};

// Menu items and toolbar buttons: the window builds their menus and bar, and connects them.
class MenuItemBinder : public Binder {
  public:
    void showAction(const tk::Control& c, QAction* a) const override {
        if (!c.separator()) {
            const QString text =
                a->property("zelmorCorner").toBool() ? c.text().trimmed() : c.text();
            if (a->text() != text) a->setText(text);
            if (c.value() != 0 || a->isCheckable()) {
                a->setCheckable(true);
                a->setChecked(c.value() != 0);
            }
            a->setEnabled(c.enabled());
        }
        a->setVisible(c.visible());
    }
};

class ToolbarButtonBinder : public Binder {
  public:
    void showAction(const tk::Control& c, QAction* a) const override {
        if (!c.separator()) {
            if (a->data().toString() != c.picture()) {
                a->setData(c.picture());
                a->setIcon(pictureIcon(c.picture()));
            }
            const QString text = c.text().isEmpty() ? c.toolTip() : c.text();
            if (a->text() != text) a->setText(text);
            if (a->toolTip() != c.toolTip()) a->setToolTip(c.toolTip());
            a->setEnabled(c.enabled());
        }
        a->setVisible(c.visible());
    }
};

}  // namespace

namespace binders {

const Binder& checkBox() {
    static const CheckBoxBinder binder;
    return binder;
}

const Binder& optionButton() {
    static const OptionButtonBinder binder;
    return binder;
}

const Binder& commandButton() {
    static const CommandButtonBinder binder;
    return binder;
}

const Binder& menuItem() {
    static const MenuItemBinder binder;
    return binder;
}

const Binder& toolbarButton() {
    static const ToolbarButtonBinder binder;
    return binder;
}

}  // namespace binders

}  // namespace zelmor::qtui
