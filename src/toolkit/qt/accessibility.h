// What the windows tell a screen reader (AT-SPI on Linux): the names, relations and values the
// designer gave the controls, the pictures told in words, and the hint line read out as it
// changes. Qt's own interfaces are kept wherever they are right; the few that are not (a scroll
// bar shown negated, a line that must be heard while the keyboard is elsewhere, a drawing area)
// get an interface of their own here.
#pragma once

#include "toolkit/control.h"

#include <QString>

class QScrollBar;
class QWidget;

namespace zelmor::qtui {

// Installs the program's own accessible interfaces; safe to call more than once.
void installAccessibility();

// Gives the control's widget what the control tells a reader: its name, description, the label
// that names it, or its absence from the reader's tree. The window's other widgets (a label
// named by labelledBy) must exist; it is called whenever the control is shown again.
void describe(const tk::Control& control, QWidget* widget);

// The name a reader gives the control: the designer's, else its caption, else the purpose its
// tooltip states ("cliccare per visualizzare il disegno" gives "visualizzare il disegno").
QString readerName(const tk::Control& control);

// A scroll bar that shows its control's value negated (an inverted range) still tells the
// reader the control's value and range. First called before the bar is shown.
void setNegated(QScrollBar* bar, bool negated);

// A window's drawing area that shows a picture of its own painting: for the reader, a focusable
// picture with that name and description. An empty name makes it a plain surface again. First
// called before the area is shown.
void describePicture(QWidget* area, const QString& name, const QString& description);

// Reads a line out once the user's action is over: the last text given during one action is
// heard, once, and only when it differs from the last one heard from the same source.
void announce(QWidget* source, const QString& text);

}  // namespace zelmor::qtui
