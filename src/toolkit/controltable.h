// A window's layout as data: one row per control, with what the designer sets on it. A window
// builds itself from its table, in the table's order (which is also the order the keyboard
// follows), and then gives the controls their handlers; what a control does is never here.
#pragma once

#include "control.h"
#include "form.h"

#include <QString>

#include <optional>
#include <vector>

namespace zelmor::tk {

struct ControlEntry {
    ControlKind kind = ControlKind::Label;
    QString name{};
    int index = 0;        // a control array's index; 0 for a single control
    QString container{};  // the frame it lies in; empty: the window itself
    Rect rect{};          // twips, inside its container
    QString caption{};
    QString tip{};
    QString picture{};            // one of the program's pictures, by name
    std::optional<Color> back{};  // none: the kind's own background
    bool transparent = false;     // no background at all, whatever the kind
    std::optional<Color> fore{};
    std::optional<Font> font{};
    std::optional<Alignment> alignment{};
    std::optional<int> tabIndex{};  // its place in the keyboard's order; none: the table's
    bool bordered = false;          // a label's single-line border
    bool mnemonic = true;           // false: an "&" in the caption is shown as it is
    bool hidden = false;
    bool disabled = false;
    Speech speech{};  // what a screen reader is told beyond the caption
};
using Layout = std::vector<ControlEntry>;

// A label, the commonest row: its caption on a background colour (none: transparent).
ControlEntry labelEntry(const char* name, int index, const char* container, Rect rect,
                        const QString& caption, std::optional<Color> back, const char* tip = "");

// Adds the control a row describes; its container must be added before it.
Control& addControl(Form& form, const ControlEntry& entry);
void addControls(Form& form, const Layout& layout);

}  // namespace zelmor::tk
