// A window of the form runtime: caption, colours, geometry and its controls in collection order.
#pragma once

#include "control.h"

#include <QChar>

class QPainter;

#include <memory>
#include <vector>

namespace zelmor::tk {

class Application;

enum class WindowState { Normal, Minimized };

// Mirrors a form on a display. The runtime calls it after every change of state.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& control) = 0;
    virtual void formChanged(Form& form) = 0;
    // Redrawing of the window stops while many controls move at once.
    virtual void updatesFrozen(Form& /*form*/, bool /*frozen*/) {}
    // The program opens one of the window's menus as a context menu (Form::popupMenu).
    virtual void menuPoppedUp(Form& /*form*/, Control& /*menu*/) {}
};

class Form {
  public:
    // Non-client sizes of a window, in twips: a 3-pixel border, an 18-pixel title bar and a
    // 19-pixel menu bar. Width and Height are outer sizes; the drawing area is what is left.
    static constexpr int kBorderTwips = 45;
    static constexpr int kTitleTwips = 270;
    static constexpr int kMenuBarTwips = 285;
    static constexpr int kSizableBorderTwips = 60;
    static constexpr int kSizableTitleTwips = 285;

    Form(Application& app, QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& app() const { return *app_; }
    const QString& name() const { return name_; }

    // Controls, in the order of the window's control collection.
    Control& add(ControlKind kind, const QString& name, int index = 0,
                 Control* container = nullptr);
    Control* find(const QString& name, int index = 0) const;
    Control& at(const QString& name, int index = 0) const;  // throws std::out_of_range
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);
    // For screen readers: what a window that paints itself shows, told in words (its drawing
    // area's text alternative); for a window without a caption, what its reader must know first
    // (said with the program's name as the window opens). Empty: nothing worth telling.
    const QString& description() const { return description_; }
    void setDescription(const QString& text);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    bool visible() const { return visible_; }
    bool hasMenuBar() const { return hasMenuBar_; }
    void setHasMenuBar(bool on) { hasMenuBar_ = on; }
    bool hasTitleBar() const { return hasTitleBar_; }
    void setHasTitleBar(bool on) { hasTitleBar_ = on; }
    // Height of a toolbar aligned to the top of the drawing area (0 when none).
    int toolbarHeight() const { return toolbarHeight_; }
    void setToolbarHeight(int twips) { toolbarHeight_ = twips; }

    // Outer geometry (twips). Changing the size runs the resize handler.
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    // The drawing area (the client area) in twips.
    int scaleWidth() const;
    int scaleHeight() const;
    void setScaleSize(int width, int height);  // as when the user drags the window's frame

    // Puts the window in the middle of the screen, never with its top-left corner off it.
    void centreOnScreen();

    WindowState windowState() const { return state_; }
    void setWindowState(WindowState s);

    void setObserver(FormObserver* o) { observer_ = o; }
    FormObserver* observer() const { return observer_; }

    // A window that paints its drawing area itself (see paint.h): its shapes and lines are
    // painted with the area, not as separate widgets, and paintBeneath lays what lies under them,
    // `scale` device pixels to a window pixel (1 on screen).
    virtual bool paintsItself() const { return false; }
    virtual void paintBeneath(QPainter& /*painter*/, qreal /*scale*/) const {}
    // What paintBeneath paints has changed: the window shows it again.
    void repaint() { notifyForm(); }

    // The window's frame: a fixed single border (3 pixels), a sizable one (4 pixels) with a
    // 19-pixel title bar, or none at all (no border, no title bar: the window is its drawing
    // area, as a splash screen).
    enum class BorderStyle { FixedSingle, Sizable, None };
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);

    // Event handlers of the window; the runtime calls them.
    virtual void load() {}
    // The user closes the window from its title bar: the window may ask first, and false keeps
    // it as it is. The program's own unloading never asks.
    virtual bool queryUnload() { return true; }
    virtual void unload() {}
    virtual void resize() {}
    virtual void clicked() {}
    virtual void keyPressed(QChar) {}
    virtual void mouse(MouseAction) {}
    // The user asks for the window's context menu: the right button anywhere in the window, the
    // Menu key or Shift+F10. Text boxes and scroll bars keep their own menus.
    virtual void contextMenu() {}

    // Menus. A top-level menu that is not visible but holds items is a popup menu: it never
    // stands in the menu bar (a window whose menus are all popups has no menu bar at all), and
    // the program opens it with popupMenu; its items' key combinations work while the window is
    // active. Which menus are popups is settled when the display builds the window.
    bool isPopupMenu(const Control& menu) const;
    // Opens the top-level menu of that name where the user asked for it: at the pointer, or
    // from the keyboard at the control that has the keyboard (else the window's middle). It
    // returns at once; the item the user chooses is clicked as a user action of its own.
    // Throws std::out_of_range for a name that is not a top-level menu with items.
    void popupMenu(const QString& menuName);

    // The buttons that Enter and Escape press when the window has the keyboard and no button
    // has taken the key itself; the same one may be both.
    void setDefaultButton(Control& button) { defaultButton_ = &button; }
    void setCancelButton(Control& button) { cancelButton_ = &button; }

    // User gestures on the window itself.
    void click();
    // Enter and Escape press the default and cancel buttons, when there are such and the user
    // can reach them; any other key goes to keyPressed.
    void key(QChar c);

    void notifyControl(Control& c);
    void freezeUpdates(bool frozen) {
        if (observer_ != nullptr) observer_->updatesFrozen(*this, frozen);
    }

  private:
    friend class Application;
    void setVisibleState(bool on);
    void setOuterSize(int w, int h);
    int chromeWidth() const;
    int chromeHeight() const;
    int borderTwips() const;
    void notifyForm();

    Application* app_;
    QString name_;
    std::vector<std::unique_ptr<Control>> controls_;
    QString caption_;
    QString description_;
    Color backColor_ = colors::kLightGrey;
    bool visible_ = false;
    bool hasMenuBar_ = false;
    bool hasTitleBar_ = true;
    BorderStyle borderStyle_ = BorderStyle::FixedSingle;
    int toolbarHeight_ = 0;
    int left_ = 0;
    int top_ = 0;
    int width_ = 4800;
    int height_ = 3600;
    WindowState state_ = WindowState::Normal;
    FormObserver* observer_ = nullptr;
    Control* defaultButton_ = nullptr;
    Control* cancelButton_ = nullptr;
};

}  // namespace zelmor::tk
