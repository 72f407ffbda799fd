#include "controlspec.h"

namespace zelmor::tk {

Control& addControl(Form& form, const ControlSpec& spec) {
    Control* container = spec.container.isEmpty() ? nullptr : &form.at(spec.container);
    Control& c = form.add(spec.kind, spec.name, spec.index, container);
    c.setGeometry(spec.rect);
    if (!spec.caption.isEmpty()) c.setText(spec.caption);
    if (!spec.tip.isEmpty()) c.setToolTip(spec.tip);
    if (!spec.picture.isEmpty()) c.setPicture(spec.picture);
    if (spec.back) c.setBackColor(spec.back);
    if (spec.fore) c.setForeColor(*spec.fore);
    if (spec.font) c.setFont(*spec.font);
    if (spec.alignment) c.setAlignment(*spec.alignment);
    if (spec.bordered) c.setBordered(true);
    if (spec.hidden) c.setVisible(false);
    return c;
}

void addControls(Form& form, const Layout& layout) {
    for (const ControlSpec& spec : layout) addControl(form, spec);
}

}  // namespace zelmor::tk
