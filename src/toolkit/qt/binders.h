// One binder per control kind: what widget shows a control of that kind, how its state is shown
// on it, and which gestures of the widget reach the control. The window only asks the binder of
// a control's kind, so a kind is added or changed here and in its binder alone.
#pragma once

#include "toolkit/control.h"

#include <QRect>

class QAction;
class QWidget;

namespace zelmor::qtui {

class FormWindow;

// The roles a control's back colour paints; the rest keep the desktop's colours.
enum class Ground { Surface, Field, Button, None };

class Binder {
  public:
    virtual ~Binder() = default;

    // The widget that shows the control inside parent, its gestures sent through window.act();
    // nullptr for the kinds shown as actions of a menu or the toolbar.
    virtual QWidget* create(tk::Control& control, QWidget* parent, FormWindow& window) const;

    // Shows the control's whole state on its widget or action.
    void show(const tk::Control& control, QWidget* widget) const;
    virtual void showAction(const tk::Control& control, QAction* action) const;

    // What the control's back colour paints.
    virtual Ground ground() const { return Ground::None; }
    // Whether it reports its own clicks and keeps the mouse from the window beneath it.
    virtual bool ownsMouse() const { return false; }
    // Whether the mouse on its widget reaches the control (shapes and lines are only drawn).
    virtual bool reportsMouse() const { return true; }
    // Whether a window that paints itself draws it with its drawing area, without a widget.
    virtual bool paintedWithForm() const { return false; }

  protected:
    // What is particular to the kind; geometry is the rectangle the widget will take, which a
    // kind may change (an auto-sized label fits its caption).
    virtual void sync(const tk::Control& control, QWidget* widget, QRect& geometry) const;
    // Whether the widget takes the control's rectangle (a line places itself by its ends).
    virtual bool takesRect() const { return true; }
};

const Binder& binderFor(tk::ControlKind kind);

// The binders, by group of kinds (bindtext.cpp, bindbuttons.cpp, bindgraphics.cpp).
namespace binders {
const Binder& label();
const Binder& textBox();
const Binder& comboBox();
const Binder& frame();
const Binder& checkBox();
const Binder& optionButton();
const Binder& commandButton();
const Binder& menuItem();
const Binder& toolbarButton();
const Binder& scrollBar();
const Binder& image();
const Binder& shape();
const Binder& line();
}  // namespace binders

}  // namespace zelmor::qtui
