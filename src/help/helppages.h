// The help pages: which windows they are, how each lays out its title and body, and the body
// texts, which the program carries as resources.
#pragma once

#include "toolkit/control.h"

#include <QString>

#include <vector>

namespace zelmor::help {

struct HelpPageLayout {
    const char* name;   // the window
    const char* title;  // the title label's caption
    tk::Rect titleRect;
    tk::Rect bodyRect;
    int width;       // the window's width once loaded
    bool rightSide;  // opens against the right part of the screen, beside the working windows
};

// The seven pages, in the order of the whole guide.
const std::vector<HelpPageLayout>& helpPages();
// The page of that window; nullptr when there is none.
const HelpPageLayout* findHelpPage(const QString& name);

// The body of a page as its window shows it; paragraphs are separated by a carriage return.
// Empty for a window that is no help page.
QString helpBody(const QString& name);

}  // namespace zelmor::help
