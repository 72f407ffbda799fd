#include "common.h"

#include "toolkit/application.h"

namespace zelmor::periphery {

tk::Control& addLabel(tk::Form& form, const QString& name, int index, tk::Control* container,
                      const tk::Rect& r, const QString& text, std::optional<tk::Color> back,
                      const tk::Font& font) {
    tk::Control& c = form.add(tk::ControlKind::Label, name, index, container);
    c.setGeometry(r);
    c.setText(text);
    if (back) c.setBackColor(back);  // otherwise the button face, as the windows themselves
    c.setFont(font);
    return c;
}

tk::Control& addButton(tk::Form& form, const QString& name, const tk::Rect& r,
                       const QString& caption, const QString& toolTip) {
    tk::Control& b = form.add(tk::ControlKind::CommandButton, name);
    b.setGeometry(r);
    b.setText(caption);
    b.setToolTip(toolTip);
    return b;
}

}  // namespace zelmor::periphery
