// The Qt window of one form: menu bar, drawing area, toolbar and one widget per control. It
// mirrors the runtime's state on request and turns the user's gestures into runtime calls.
#pragma once

#include "toolkit/application.h"

#include <QHash>
#include <QMainWindow>
#include <QPoint>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace zelmor::qtui {

class ClientArea;
class FocusMark;

// Runs one user action through the runtime. A failure inside a handler cannot travel through
// Qt's event loop: it is reported and the program ends, as an untrapped error always did.
void runUserAction(tk::Application& app, const std::function<void()>& action);

class FormWindow : public QMainWindow {
  public:
    FormWindow(tk::Application& app, tk::Form& form);
    ~FormWindow() override;

    // The form, or nullptr once it was unloaded (the window then only waits to be deleted).
    tk::Form* form() const { return form_; }
    void detach();

    void syncForm();
    void syncControl(tk::Control& control);
    // The drawing area takes the form's size, or more where the controls' widgets need it (a
    // frame drawn below the buttons that stand on its lower edge); the menu bar comes on top.
    void applyClientSize();
    // Moves the shown window, frame and all, onto the screen's free area, and makes it smaller
    // when it is larger than that area (its drawing area then follows, as after a drag of its
    // frame).
    void keepOnScreen();

    QWidget* clientArea() const;
    QToolBar* toolBar() const { return toolBar_; }
    QWidget* widget(const tk::Control& control) const;
    QAction* action(const tk::Control& control) const;  // menu items and toolbar buttons
    QMenu* menu(const tk::Control& control) const;      // menu items that hold items

    // Opens a top-level menu as a context menu (tk::Form::popupMenu): where the user asked for
    // the window's context menu, else at the pointer when it is over the window, else as from
    // the keyboard. It returns at once.
    void popupMenu(const tk::Control& menu);

    // A gesture on a control: runs it, then shows the control's state again unless the runtime
    // changed it (and so showed it) meanwhile, since the widget may already show what the
    // runtime refused (an option button clicked off, say).
    void act(tk::Control* control, const std::function<void()>& gesture);
    void actOnForm(const std::function<void()>& gesture);

    // From the drawing area.
    void clientResized();
    void formMouse(tk::MouseAction action, bool inside);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The control a running gesture acts on, and whether the runtime's change of it was shown.
    struct Gesture {
        tk::Control* control = nullptr;
        bool shown = false;
    };

    struct Binding {
        QWidget* widget = nullptr;
        QAction* action = nullptr;
        QMenu* menu = nullptr;
    };

    // Where a context menu opens, and whether the keyboard asked for it.
    struct MenuPlace {
        QPoint at;  // global
        bool keyboard = false;
    };

    void buildMenus();
    void addMenuItems(QMenu* menu, const QString& parentName, int depth, bool popup);
    // parent: the menu bar, a menu, or this window for a popup menu of its own.
    void addMenuItem(QWidget* parent, tk::Control& item, int depth, bool popup);
    MenuPlace keyboardMenuPlace() const;
    void askForContextMenu();
    QWidget* cornerButtons();
    QToolButton* cornerButton(QAction* action);
    void buildToolbar();
    void buildTabOrder();
    void buildControl(tk::Control& control);
    QWidget* containerWidget(const tk::Control& control) const;
    void fitFrame(const tk::Control& frame);
    void layoutToolbar();
    QSize wantedClientSize() const;
    bool forwardMouse(tk::Control* control, QWidget* widget, QEvent* event);
    void markFocus(QWidget* focused);
    bool openMenuBar();

    tk::Application* app_;
    tk::Form* form_;
    ClientArea* client_ = nullptr;
    FocusMark* focusMark_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::unordered_map<const tk::Control*, Binding> bindings_;
    std::vector<QAction*> shortcutActions_;  // menu items with a key combination
    QHash<const QObject*, tk::Control*> controlOf_;
    int toolbarPixels_ = 0;
    QSize extra_;  // what the drawing area has beyond the form's, in pixels
    QPoint placedAt_;
    bool placed_ = false;
    Gesture* gesture_ = nullptr;
    std::optional<MenuPlace> menuPlace_;  // while the form answers a context-menu request
    // X11 sends a context-menu request for the Menu key, just before the key itself.
    bool menuKeyAnswered_ = false;
};

}  // namespace zelmor::qtui
