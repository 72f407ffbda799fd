// The form runtime: windows and controls as plain state with event handlers, no display.
//
// A control holds what the user sees (caption or text, enabled, visible, value, geometry in
// twips, colours, font, tooltip, tag) and fires its handler synchronously, before the setter
// returns, whenever a value changes - whether the user or the program changed it. Unchanged
// values fire nothing. A display backend (src/toolkit/qt) only mirrors this state through the
// Observer and forwards the user's actions to the same entry points the tests use.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zelmor::tk {

class Form;

// 1440 twips per inch; 15 twips per pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Color {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Color&) const = default;
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kLightGrey{192, 192, 192};
inline constexpr Color kDarkGrey{128, 128, 128};
inline constexpr Color kYellow{255, 255, 0};
inline constexpr Color kCyan{0, 255, 255};
// The desktop's highlight-text colour (white on the classic scheme).
inline constexpr Color kHighlightText{255, 255, 255};
}  // namespace colors

struct Font {
    QString name;  // empty: the system's default face
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

enum class ControlKind {
    Label,
    TextBox,
    ComboBox,  // editable: a list with an edit field
    CheckBox,
    OptionButton,
    Frame,
    VScrollBar,
    CommandButton,
    Image,  // a fixed picture, stretched to its rectangle
    Shape,
    Line,
    MenuItem,
    ToolbarButton,
};

enum class Alignment { Left, Center, Right };
enum class ShapeKind { Rectangle, Oval };
enum class FillStyle {
    Solid,
    Transparent,
    Horizontal,
    Vertical,
    UpwardDiagonal,
    DownwardDiagonal,
    Cross
};

enum class MouseAction { Down, Up, Move };

// What a screen reader is told of a control beyond what it shows. The window's designer gives
// it; the display only passes it on.
struct Speech {
    // The control's accessible name; empty: its caption, else the purpose its tooltip gives.
    // A label's caption follows the name ("tipologia del sottosistema n.3: acquedotto").
    QString name{};
    // The label of the same window (same index in an array, else the single one) that names
    // the control for the reader, when it is not the control's own caption.
    QString labelledBy{};
    // A picture that carries no meaning: left out of what the reader is given.
    bool silent = false;
    // Each change of its caption is read out even when the keyboard is elsewhere: the line
    // that says what to do next.
    bool announced = false;
    bool operator==(const Speech&) const = default;
};

class Control {
  public:
    using Handler = std::function<void()>;

    Control(Form& form, ControlKind kind, QString name, int index, Control* container);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return *form_; }
    ControlKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    int index() const { return index_; }  // 0: not part of a control array
    Control* container() const { return container_; }
    QString displayName() const;  // "Check1(3)" or "passo"

    // Caption of labels, buttons, frames, check and option buttons, menu items; text of text and
    // combo boxes. Text and combo boxes fire onChange when it changes.
    const QString& text() const { return text_; }
    void setText(const QString& text);

    // Check box and option button: 0/1. Scroll bar: its position. Setting a check box fires
    // onClick when it changes; setting an option button to 1 clears its group (the option
    // buttons of the same container) and fires onClick; setting it to 0 fires nothing.
    // A scroll bar fires onChange when it changes.
    int value() const { return value_; }
    void setValue(int value);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setRange(int min, int max);  // may be inverted (min above max), as on a vertical bar

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    // Whether the user can act on it: enabled and visible up its container chain, in a visible
    // window.
    bool reachable() const;

    const Rect& geometry() const { return geom_; }
    void setGeometry(const Rect& r);
    int left() const { return geom_.left; }
    int top() const { return geom_.top; }
    int width() const { return geom_.width; }
    int height() const { return geom_.height; }
    void setLeft(int v) { setGeometry({v, geom_.top, geom_.width, geom_.height}); }
    void setTop(int v) { setGeometry({geom_.left, v, geom_.width, geom_.height}); }
    void setWidth(int v) { setGeometry({geom_.left, geom_.top, v, geom_.height}); }
    void setHeight(int v) { setGeometry({geom_.left, geom_.top, geom_.width, v}); }
    // Lines keep their end points in x1/y1/x2/y2 (the geometry fields stand for them).
    int x1() const { return geom_.left; }
    int y1() const { return geom_.top; }
    int x2() const { return geom_.width; }
    int y2() const { return geom_.height; }
    // Whether it has a position at all (menu items and toolbar buttons have none).
    bool hasGeometry() const;

    const std::optional<Color>& backColor() const { return backColor_; }
    void setBackColor(std::optional<Color> c);
    const std::optional<Color>& foreColor() const { return foreColor_; }
    void setForeColor(std::optional<Color> c);
    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void setBold(bool on);
    const QString& toolTip() const { return toolTip_; }
    void setToolTip(const QString& t);
    const QString& tag() const { return tag_; }
    void setTag(const QString& t) { tag_ = t; }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    bool bordered() const { return bordered_; }
    void setBordered(bool on);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    // Labels: whether "&" marks an access key (the default) or is shown as it stands, as for
    // a label that shows what the user typed.
    bool useMnemonic() const { return useMnemonic_; }
    void setUseMnemonic(bool on);
    // Labels: a caption longer than the label can show is scrolled rather than cut, as a page
    // of text in a window made smaller than it.
    bool scrollable() const { return scrollable_; }
    void setScrollable(bool on);
    // For screen readers; "%1" in the name stands for the control's index.
    const Speech& speech() const { return speech_; }
    void setSpeech(const Speech& speech);
    // The name a reader gives the control, the index put in.
    QString spokenName() const;
    // A longer text alternative, for a picture that shows what words can tell (the model).
    const QString& description() const { return description_; }
    void setDescription(const QString& text);

    // Name of a picture of the program's own set (see the backend's picture factory).
    const QString& picture() const { return picture_; }
    void setPicture(const QString& name);
    // A picture the program made itself; when set it is shown instead of the named one,
    // stretched to the control's rectangle.
    const QImage& image() const { return image_; }
    void setImage(const QImage& image);

    // Combo boxes.
    const QStringList& items() const { return items_; }
    void addItem(const QString& item);
    void clearItems();

    // Shapes and lines.
    ShapeKind shapeKind() const { return shapeKind_; }
    void setShapeKind(ShapeKind k);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int px);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle f);
    Color fillColor() const { return fillColor_; }
    void setFillColor(Color c);

    // Menu items: the top-level menu it belongs to (empty for a top-level entry).
    const QString& parentMenu() const { return parentMenu_; }
    void setParentMenu(const QString& p) { parentMenu_ = p; }
    bool separator() const { return separator_; }
    void setSeparator(bool on) { separator_ = on; }
    // Menu items: the key combination that runs the item, in the desktop's notation ("Ctrl+A").
    const QString& shortcut() const { return shortcut_; }
    void setShortcut(const QString& keys) { shortcut_ = keys; }

    // The place in the window's order of keyboard focus (Tab); -1: no place of its own.
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i) { tabIndex_ = i; }

    // User actions. Each runs what the platform runs for the same gesture.
    void click();                      // button, check, option, label, picture, menu item, toolbar
    void choose(const QString& item);  // a combo box's list item: text set, then onClick
    void mouse(MouseAction a);

    Handler onClick;
    Handler onChange;
    std::function<void(MouseAction)> onMouse;

  private:
    void changed();
    void fire(const Handler& h);

    Form* form_;
    ControlKind kind_;
    QString name_;
    int index_;
    Control* container_;

    QString text_;
    int value_ = 0;
    int min_ = 0;
    int max_ = 32767;
    bool enabled_ = true;
    bool visible_ = true;
    Rect geom_;
    std::optional<Color> backColor_;
    std::optional<Color> foreColor_;
    Font font_;
    QString toolTip_;
    QString tag_;
    Speech speech_;
    QString description_;
    Alignment alignment_ = Alignment::Left;
    bool bordered_ = false;
    bool autoSize_ = false;
    bool scrollable_ = false;
    bool useMnemonic_ = true;
    QString picture_;
    QImage image_;
    QStringList items_;
    ShapeKind shapeKind_ = ShapeKind::Rectangle;
    int borderWidth_ = 1;
    Color borderColor_ = colors::kBlack;
    FillStyle fillStyle_ = FillStyle::Transparent;
    Color fillColor_ = colors::kBlack;
    QString parentMenu_;
    bool separator_ = false;
    QString shortcut_;
    int tabIndex_ = -1;
};

}  // namespace zelmor::tk
