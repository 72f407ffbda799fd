#include "controltable.h"

namespace zelmor::tk {

ControlEntry labelEntry(const char* name, int index, const char* container, Rect rect,
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

Control& addControl(Form& form, const ControlEntry& entry) {
    Control* container = entry.container.isEmpty() ? nullptr : &form.at(entry.container);
    Control& c = form.add(entry.kind, entry.name, entry.index, container);
    c.setGeometry(entry.rect);
    if (!entry.caption.isEmpty()) c.setText(entry.caption);
    if (!entry.tip.isEmpty()) c.setToolTip(entry.tip);
    if (!entry.picture.isEmpty()) c.setPicture(entry.picture);
    if (entry.back || entry.transparent) c.setBackColor(entry.back);
    if (entry.fore) c.setForeColor(*entry.fore);
    if (entry.font) c.setFont(*entry.font);
    if (entry.alignment) c.setAlignment(*entry.alignment);
    if (entry.tabIndex) c.setTabIndex(*entry.tabIndex);
    if (entry.bordered) c.setBordered(true);
    if (!entry.mnemonic) c.setUseMnemonic(false);
    if (entry.hidden) c.setVisible(false);
    if (entry.disabled) c.setEnabled(false);
    if (entry.speech != Speech{}) c.setSpeech(entry.speech);
    return c;
}

void addControls(Form& form, const Layout& layout) {
    for (const ControlEntry& entry : layout) addControl(form, entry);
}

}  // namespace zelmor::tk
