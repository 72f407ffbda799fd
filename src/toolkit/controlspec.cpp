#include "controlspec.h"

namespace zelmor::tk {

ControlSpec labelSpec(const char* name, int index, const char* container, Rect rect,
                      const QString& caption, std::optional<Color> back, const char* tip) {
    return {.kind = ControlKind::Label,
            .name = QString::fromLatin1(name),
            .index = index,
            .container = QString::fromLatin1(container),
            .rect = rect,
            .caption = caption,
            .tip = QString::fromUtf8(tip),
            .back = back,
            .transparent = !back};
}

Control& addControl(Form& form, const ControlSpec& spec) {
    Control* container = spec.container.isEmpty() ? nullptr : &form.at(spec.container);
    Control& c = form.add(spec.kind, spec.name, spec.index, container);
    c.setGeometry(spec.rect);
    if (!spec.caption.isEmpty()) c.setText(spec.caption);
    if (!spec.tip.isEmpty()) c.setToolTip(spec.tip);
    if (!spec.picture.isEmpty()) c.setPicture(spec.picture);
    if (spec.back || spec.transparent) c.setBackColor(spec.back);
    if (spec.fore) c.setForeColor(*spec.fore);
    if (spec.font) c.setFont(*spec.font);
    if (spec.alignment) c.setAlignment(*spec.alignment);
    if (spec.tabIndex) c.setTabIndex(*spec.tabIndex);
    if (spec.bordered) c.setBordered(true);
    if (!spec.mnemonic) c.setUseMnemonic(false);
    if (spec.hidden) c.setVisible(false);
    if (spec.disabled) c.setEnabled(false);
    return c;
}

void addControls(Form& form, const Layout& layout) {
    for (const ControlSpec& spec : layout) addControl(form, spec);
}

}  // namespace zelmor::tk
