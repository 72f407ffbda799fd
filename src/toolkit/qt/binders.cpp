#include "binders.h"

#include "accessibility.h"
#include "widgets.h"

#include <QApplication>
#include <QPalette>
#include <QSignalBlocker>
#include <QWidget>

namespace zelmor::qtui {

namespace {

void applyColors(QWidget* w, const tk::Control& c, Ground ground) {
    const auto key = [](const std::optional<tk::Color>& col) {
        return col ? toQColor(*col).name() : QStringLiteral("-");
    };
    const QString wanted = key(c.foreColor()) + QLatin1Char('/') + key(c.backColor());
    if (w->property("zelmorColors").toString() == wanted) return;
    w->setProperty("zelmorColors", wanted);

    // Every role is set, so that nothing is inherited from a coloured frame or window; a
    // control without a back colour lets its container show through instead.
    const QPalette desk = QApplication::palette();
    QPalette pal;
    const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive,
                                           QPalette::Disabled};
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        for (QPalette::ColorGroup g : groups) {
            const bool own = c.foreColor() && g != QPalette::Disabled;
            pal.setColor(g, role, own ? toQColor(*c.foreColor()) : desk.color(g, role));
        }
    }
    const auto background = [&](QPalette::ColorRole role, bool own) {
        for (QPalette::ColorGroup g : groups) {
            pal.setColor(g, role, own ? toQColor(*c.backColor()) : desk.color(g, role));
        }
    };
    // A surface is filled with the widget's background role (Button for check and option
    // buttons, Window for the rest).
    const bool back = c.backColor().has_value();
    const QPalette::ColorRole surface = w->backgroundRole();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        const bool own = (ground == Ground::Surface && role == surface) ||
                         (ground == Ground::Field && role == QPalette::Base) ||
                         (ground == Ground::Button && role == QPalette::Button);
        background(role, back && own);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(back && ground == Ground::Surface);
}

}  // namespace

QWidget* Binder::create(tk::Control&, QWidget*, FormWindow&) const {
    return nullptr;
}

void Binder::sync(const tk::Control&, QWidget*, QRect&) const {}

void Binder::showAction(const tk::Control&, QAction*) const {}

void Binder::show(const tk::Control& c, QWidget* w) const {
    const QSignalBlocker blocker(w);
    const QFont font = toQFont(c.font());
    if (!w->testAttribute(Qt::WA_SetFont) || w->font() != font) w->setFont(font);
    applyColors(w, c, ground());
    if (w->toolTip() != c.toolTip()) w->setToolTip(c.toolTip());
    w->setEnabled(c.enabled());

    QRect geometry = pixelRect(c.geometry());
    sync(c, w, geometry);
    if (takesRect() && w->geometry() != geometry) w->setGeometry(geometry);
    if (w->isHidden() == c.visible()) w->setVisible(c.visible());
    describe(c, w);
}

const Binder& binderFor(tk::ControlKind kind) {
    using tk::ControlKind;
    switch (kind) {
        case ControlKind::Label:
            return binders::label();
        case ControlKind::TextBox:
            return binders::textBox();
        case ControlKind::ComboBox:
            return binders::comboBox();
        case ControlKind::CheckBox:
            return binders::checkBox();
        case ControlKind::OptionButton:
            return binders::optionButton();
        case ControlKind::Frame:
            return binders::frame();
        case ControlKind::VScrollBar:
            return binders::scrollBar();
        case ControlKind::CommandButton:
            return binders::commandButton();
        case ControlKind::Image:
            return binders::image();
        case ControlKind::Shape:
            return binders::shape();
        case ControlKind::Line:
            return binders::line();
        case ControlKind::MenuItem:
            return binders::menuItem();
        case ControlKind::ToolbarButton:
            return binders::toolbarButton();
    }
    return binders::label();  // not reached: every kind has its binder
}

}  // namespace zelmor::qtui
