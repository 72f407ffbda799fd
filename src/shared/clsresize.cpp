#include "clsresize.h"

#include "toolkit/application.h"

#include <algorithm>
#include <cmath>

namespace zelmor::shared {

namespace {

enum Axis { kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3 };

// Which of Left, Top, Width, Height a control's tag lets the rescaling change.
void scalingOf(const tk::Control& c, bool (&scale)[4]) {
    QString scaling = c.tag();
    if (scaling.isEmpty() || scaling.at(0) != QLatin1Char('@'))
        scaling = QStringLiteral("@L,T,W,H");
    scale[kLeft] = scaling.contains(QLatin1Char('L'));
    scale[kTop] = scaling.contains(QLatin1Char('T'));
    scale[kWidth] = scaling.contains(QLatin1Char('W'));
    scale[kHeight] = scaling.contains(QLatin1Char('H'));
}

int scaled(int recorded, double ratio) {
    // Whole twips, rounded as the platform does when a single is assigned to an integer
    // property.
    return static_cast<int>(std::lround(recorded * ratio));
}

}  // namespace

void clsResize::record() {
    width_ = SourceForm->scaleWidth();
    height_ = SourceForm->scaleHeight();
    records_.clear();
    for (const auto& c : SourceForm->controls()) {
        Record r;
        r.control = c.get();
        r.has = c->hasGeometry();  // menu items and toolbar buttons keep zeros
        if (r.has) {
            r.v[kLeft] = c->geometry().left;
            r.v[kTop] = c->geometry().top;
            r.v[kWidth] = c->geometry().width;
            r.v[kHeight] = c->geometry().height;
        }
        records_.push_back(r);
    }
    notRecorded_ = false;
}

void clsResize::ReInitialise() {
    if (SourceForm == nullptr) return;
    record();
}

void clsResize::SizeFormToScreen(int percent) {
    if (SourceForm == nullptr) return;
    percent &= 0xFF;  // a byte
    if (notRecorded_) record();
    const tk::Platform& p = SourceForm->app().platform();
    const int newHeight = static_cast<int>(std::floor(percent / 100.0 * p.screenHeight()));
    const int newWidth = static_cast<int>(std::floor(percent / 100.0 * p.screenWidth()));
    SourceForm->setTop(static_cast<int>(std::lround((p.screenHeight() - newHeight) * 0.5)));
    SourceForm->setLeft(static_cast<int>(std::lround((p.screenWidth() - newWidth) * 0.5)));
    SourceForm->setHeight(newHeight);
    SourceForm->setWidth(newWidth);
    ResizeControls();
}

void clsResize::ResizeControls() {
    if (SourceForm == nullptr || SourceForm->controls().empty()) return;
    if (SourceForm->windowState() == tk::WindowState::Minimized) return;
    if (notRecorded_) {
        record();
        return;
    }
    // A window recorded without a size cannot be scaled; leave it as it is.
    if (width_ <= 0 || height_ <= 0) return;
    SourceForm->freezeUpdates(true);
    const double vertical = static_cast<double>(SourceForm->scaleHeight()) / height_;
    const double horizontal = static_cast<double>(SourceForm->scaleWidth()) / width_;
    for (const Record& r : records_) {
        if (!r.has) continue;  // no position to set: skipped as the platform's errors are
        bool scale[4];
        scalingOf(*r.control, scale);
        tk::Rect g = r.control->geometry();
        int* current[4] = {&g.left, &g.top, &g.width, &g.height};
        const double ratio[4] = {horizontal, vertical, horizontal, vertical};
        for (int axis = 0; axis < 4; ++axis) {
            if (scale[axis]) *current[axis] = scaled(r.v[axis], ratio[axis]);
        }
        r.control->setGeometry(g);
    }
    SourceForm->freezeUpdates(false);
}

void WindowRescaling::load(tk::Form& window, int percent, int designWidth, int designHeight) {
    resize_ = std::make_unique<clsResize>();
    resize_->SourceForm = &window;
    resize_->SizeFormToScreen(percent);
    // On a screen smaller than the design, the window takes the whole screen and its controls
    // shrink with it, as when the user makes it smaller; it is moved to stay on the screen.
    // A screen of unknown size (none) leaves the design alone.
    const tk::Platform& p = window.app().platform();
    const int screenHeight = p.screenHeight() > 0 ? p.screenHeight() : designHeight;
    const int screenWidth = p.screenWidth() > 0 ? p.screenWidth() : designWidth;
    const int height = std::min(designHeight, screenHeight);
    const int width = std::min(designWidth, screenWidth);
    window.setHeight(height);
    window.setWidth(width);
    window.setTop(std::clamp(window.top(), 0, std::max(0, screenHeight - height)));
    window.setLeft(std::clamp(window.left(), 0, std::max(0, screenWidth - width)));
}

void WindowRescaling::unload() {
    resize_.reset();
}

void WindowRescaling::resize() {
    if (resize_) resize_->ResizeControls();
}

}  // namespace zelmor::shared
