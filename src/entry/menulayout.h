// The data-entry window's controls as the designer placed them: names, kinds, frames,
// rectangles (twips), captions and tooltips. The window builds itself from this table and the
// guided procedure gives the controls their behaviour.
#pragma once

#include "toolkit/controltable.h"

namespace zelmor::entry {

// The top of row i (1..9) of the subsystems' table.
constexpr int rowTop(int i) {
    return 2400 + 240 * (i - 1);
}

const tk::Layout& menuLayout();

}  // namespace zelmor::entry
