#include "control.h"

#include "form.h"

#include <algorithm>
#include <utility>

namespace zelmor::tk {

namespace {

// What a control's value is and what setting it does.
enum class ValueRule {
    Plain,   // a number kept as given
    Toggle,  // 0/1; a change is a click
    Option,  // 0/1 in a group; choosing one clears the others and is a click
    Range,   // kept between minimum and maximum; a change fires onChange
};

// What the runtime's rules depend on, kind by kind.
struct KindRules {
    // Opaque in the desktop's button face unless given a colour: a frame laid over another
    // hides it, and a new window colour leaves these as they are.
    bool opaque = false;
    bool textFiresChange = false;  // the user edits the text
    bool placed = true;            // menu items and toolbar buttons have no position
    ValueRule value = ValueRule::Plain;
};

constexpr KindRules rulesOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
            return {.opaque = true};
        case ControlKind::CheckBox:
            return {.opaque = true, .value = ValueRule::Toggle};
        case ControlKind::OptionButton:
            return {.opaque = true, .value = ValueRule::Option};
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
            return {.textFiresChange = true};
        case ControlKind::VScrollBar:
            return {.value = ValueRule::Range};
        case ControlKind::MenuItem:
        case ControlKind::ToolbarButton:
            return {.placed = false};
        case ControlKind::CommandButton:
        case ControlKind::Image:
        case ControlKind::Shape:
        case ControlKind::Line:
            break;
    }
    return {};
}

}  // namespace

Control::Control(Form& form, ControlKind kind, QString name, int index, Control* container)
    : form_(&form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
    if (rulesOf(kind_).opaque) backColor_ = colors::kLightGrey;
}

QString Control::displayName() const {
    return index_ > 0 ? QStringLiteral("%1(%2)").arg(name_).arg(index_) : name_;
}

void Control::changed() {
    form_->notifyControl(*this);
}

void Control::fire(const Handler& h) {
    // A copy runs: a handler may replace the control's handler (or discard its window's
    // controls' handlers) while it runs, which would destroy the function being run.
    if (const Handler run = h) run();
}

void Control::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    changed();
    if (rulesOf(kind_).textFiresChange) fire(onChange);
}

void Control::setValue(int value) {
    switch (rulesOf(kind_).value) {
        case ValueRule::Toggle:
            value = value != 0 ? 1 : 0;
            if (value == value_) return;
            value_ = value;
            changed();
            fire(onClick);
            return;
        case ValueRule::Option:
            value = value != 0 ? 1 : 0;
            if (value == value_) return;
            value_ = value;
            if (value == 1) {
                // Option buttons form one group per container: selecting one clears the others.
                for (const auto& other : form_->controls()) {
                    if (other.get() != this && other->kind_ == ControlKind::OptionButton &&
                        other->container_ == container_ && other->value_ != 0) {
                        other->value_ = 0;
                        other->changed();
                    }
                }
            }
            changed();
            if (value == 1) fire(onClick);
            return;
        case ValueRule::Range: {
            const int lo = std::min(min_, max_);
            const int hi = std::max(min_, max_);
            value = std::clamp(value, lo, hi);
            if (value == value_) return;
            value_ = value;
            changed();
            fire(onChange);
            return;
        }
        case ValueRule::Plain:
            break;
    }
    if (value == value_) return;
    value_ = value;
    changed();
}

void Control::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    const int lo = std::min(min_, max_);
    const int hi = std::max(min_, max_);
    value_ = std::clamp(value_, lo, hi);
    changed();
}

void Control::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    changed();
}

void Control::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    changed();
}

bool Control::reachable() const {
    if (!form_->visible()) return false;
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->enabled_ || !c->visible_) return false;
    }
    return true;
}

bool Control::hasGeometry() const {
    return rulesOf(kind_).placed;
}

void Control::setGeometry(const Rect& r) {
    if (r == geom_) return;
    geom_ = r;
    changed();
}

void Control::setBackColor(std::optional<Color> c) {
    if (c == backColor_) return;
    backColor_ = c;
    changed();
}

void Control::setForeColor(std::optional<Color> c) {
    if (c == foreColor_) return;
    foreColor_ = c;
    changed();
}

void Control::setFont(const Font& f) {
    if (f == font_) return;
    font_ = f;
    changed();
}

void Control::setBold(bool on) {
    Font f = font_;
    f.bold = on;
    setFont(f);
}

void Control::setToolTip(const QString& t) {
    if (t == toolTip_) return;
    toolTip_ = t;
    changed();
}

void Control::setSpeech(const Speech& speech) {
    if (speech == speech_) return;
    speech_ = speech;
    changed();
}

QString Control::spokenName() const {
    return speech_.name.contains(QLatin1String("%1")) ? speech_.name.arg(index_) : speech_.name;
}

void Control::setDescription(const QString& text) {
    if (text == description_) return;
    description_ = text;
    changed();
}

void Control::setUseMnemonic(bool on) {
    if (on == useMnemonic_) return;
    useMnemonic_ = on;
    changed();
}

void Control::setAlignment(Alignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    changed();
}

void Control::setBordered(bool on) {
    if (on == bordered_) return;
    bordered_ = on;
    changed();
}

void Control::setScrollable(bool on) {
    if (on == scrollable_) return;
    scrollable_ = on;
    changed();
}

void Control::setAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    changed();
}

void Control::setPicture(const QString& name) {
    if (name == picture_) return;
    picture_ = name;
    changed();
}

void Control::setImage(const QImage& image) {
    if (image == image_) return;
    image_ = image;
    changed();
}

void Control::addItem(const QString& item) {
    items_.append(item);
    changed();
}

void Control::clearItems() {
    if (items_.isEmpty()) return;
    items_.clear();
    changed();
}

void Control::setShapeKind(ShapeKind k) {
    if (k == shapeKind_) return;
    shapeKind_ = k;
    changed();
}

void Control::setBorderWidth(int px) {
    if (px == borderWidth_) return;
    borderWidth_ = px;
    changed();
}

void Control::setBorderColor(Color c) {
    if (c == borderColor_) return;
    borderColor_ = c;
    changed();
}

void Control::setFillStyle(FillStyle f) {
    if (f == fillStyle_) return;
    fillStyle_ = f;
    changed();
}

void Control::setFillColor(Color c) {
    if (c == fillColor_) return;
    fillColor_ = c;
    changed();
}

void Control::click() {
    switch (rulesOf(kind_).value) {
        case ValueRule::Toggle:
            setValue(value_ == 0 ? 1 : 0);
            return;
        case ValueRule::Option:
            setValue(1);
            return;
        case ValueRule::Plain:
        case ValueRule::Range:
            break;
    }
    fire(onClick);
}

void Control::choose(const QString& item) {
    // Picking from the list sets the text without a change event, then reports the click.
    if (item != text_) {
        text_ = item;
        changed();
    }
    fire(onClick);
}

void Control::mouse(MouseAction a) {
    if (onMouse) onMouse(a);
}

}  // namespace zelmor::tk
