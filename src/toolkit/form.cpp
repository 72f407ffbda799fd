#include "form.h"

#include "application.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zelmor::tk {

Form::Form(Application& app, QString name) : app_(&app), name_(std::move(name)) {}

Form::~Form() = default;

Control& Form::add(ControlKind kind, const QString& name, int index, Control* container) {
    controls_.push_back(std::make_unique<Control>(*this, kind, name, index, container));
    return *controls_.back();
}

Control* Form::find(const QString& name, int index) const {
    for (const auto& c : controls_) {
        if (c->index() == index && c->name() == name) return c.get();
    }
    return nullptr;
}

Control& Form::at(const QString& name, int index) const {
    Control* c = find(name, index);
    if (c == nullptr) {
        throw std::out_of_range("unknown control " + name_.toStdString() + "." +
                                name.toStdString() + "(" + std::to_string(index) + ")");
    }
    return *c;
}

void Form::setDescription(const QString& text) {
    if (text == description_) return;
    description_ = text;
    notifyForm();
}

void Form::setCaption(const QString& c) {
    if (c == caption_) return;
    caption_ = c;
    notifyForm();
}

void Form::setBackColor(Color c) {
    if (c == backColor_) return;
    backColor_ = c;
    notifyForm();
}

void Form::setVisibleState(bool on) {
    if (on == visible_) return;
    visible_ = on;
    notifyForm();
}

void Form::setLeft(int v) {
    if (v == left_) return;
    left_ = v;
    notifyForm();
}

void Form::setTop(int v) {
    if (v == top_) return;
    top_ = v;
    notifyForm();
}

void Form::setWidth(int v) {
    setOuterSize(v, height_);
}
void Form::setHeight(int v) {
    setOuterSize(width_, v);
}

void Form::setBorderStyle(BorderStyle style) {
    borderStyle_ = style;
}

int Form::chromeWidth() const {
    return 2 * borderTwips();
}

int Form::chromeHeight() const {
    const int title = borderStyle_ == BorderStyle::Sizable ? kSizableTitleTwips : kTitleTwips;
    const bool titled = hasTitleBar_ && borderStyle_ != BorderStyle::None;
    return 2 * borderTwips() + (titled ? title : 0) + (hasMenuBar_ ? kMenuBarTwips : 0);
}

int Form::borderTwips() const {
    switch (borderStyle_) {
        case BorderStyle::Sizable:
            return kSizableBorderTwips;
        case BorderStyle::None:
            return 0;
        case BorderStyle::FixedSingle:
            break;
    }
    return kBorderTwips;
}

int Form::scaleWidth() const {
    return std::max(0, width_ - chromeWidth());
}
int Form::scaleHeight() const {
    return std::max(0, height_ - chromeHeight());
}

void Form::setScaleSize(int width, int height) {
    setOuterSize(width + chromeWidth(), height + chromeHeight());
}

void Form::setOuterSize(int w, int h) {
    if (w == width_ && h == height_) return;
    width_ = w;
    height_ = h;
    notifyForm();
    resize();
}

void Form::centreOnScreen() {
    const Platform& p = app_->platform();
    // A window larger than the screen is made as large as the screen, so that its title bar
    // and frame stay within reach.
    if (p.screenWidth() > 0 && width_ > p.screenWidth()) setWidth(p.screenWidth());
    if (p.screenHeight() > 0 && height_ > p.screenHeight()) setHeight(p.screenHeight());
    setLeft(std::max(0, (p.screenWidth() - width_) / 2));
    setTop(std::max(0, (p.screenHeight() - height_) / 2));
}

void Form::setWindowState(WindowState s) {
    if (s == state_) return;
    state_ = s;
    notifyForm();
    resize();
}

void Form::click() {
    clicked();
}
void Form::key(QChar c) {
    Control* button = c == QChar(13) ? defaultButton_ : c == QChar(27) ? cancelButton_ : nullptr;
    if (button != nullptr && button->reachable()) {
        button->click();
        return;
    }
    keyPressed(c);
}

namespace {

bool holdsItems(const Form& form, const Control& menu) {
    const auto& all = form.controls();
    return std::any_of(all.begin(), all.end(), [&menu](const auto& c) {
        return c->kind() == ControlKind::MenuItem && c->parentMenu() == menu.name() &&
               c->name() != menu.name();
    });
}

bool isTopMenu(const Control& c) {
    return c.kind() == ControlKind::MenuItem && c.parentMenu().isEmpty() && !c.separator();
}

}  // namespace

bool Form::isPopupMenu(const Control& menu) const {
    return isTopMenu(menu) && !menu.visible() && holdsItems(*this, menu);
}

void Form::popupMenu(const QString& menuName) {
    Control* menu = find(menuName);
    if (menu == nullptr || !isTopMenu(*menu) || !holdsItems(*this, *menu)) {
        throw std::out_of_range("no menu " + menuName.toStdString() + " to open in window " +
                                name_.toStdString());
    }
    if (observer_ != nullptr) observer_->menuPoppedUp(*this, *menu);
}

void Form::notifyControl(Control& c) {
    if (observer_ != nullptr) observer_->controlChanged(c);
}

void Form::notifyForm() {
    if (observer_ != nullptr) observer_->formChanged(*this);
}

}  // namespace zelmor::tk
