// Keeps a window's controls in proportion to its drawing area, and opens a window at a share of
// the screen. One instance per window, from its load to its unload.
#pragma once

#include "toolkit/form.h"

#include <memory>
#include <vector>

namespace zelmor::shared {

class clsResize {
  public:
    tk::Form* SourceForm = nullptr;

    void ReInitialise();
    void SizeFormToScreen(int percent);  // percent is a byte, 0..255
    void ResizeControls();

    bool recorded() const { return !notRecorded_; }

  private:
    struct Record {
        tk::Control* control = nullptr;
        int v[4] = {0, 0, 0, 0};  // left, top, width, height (x1, y1, x2, y2 for lines)
        bool has = false;         // it has a position at all
    };
    void record();

    bool notRecorded_ = true;
    int width_ = 0;
    int height_ = 0;
    std::vector<Record> records_;
};

// What a rescaled window runs from its own load, unload and resize handlers: one clsResize from
// the load to the unload.
class WindowRescaling {
  public:
    // Records the window's controls at their design places, opens it at `percent` of the
    // screen, centred, and then gives it back its design size (height, then width), which the
    // controls follow.
    void load(tk::Form& window, int percent, int designWidth, int designHeight);
    void unload();
    void resize();

  private:
    std::unique_ptr<clsResize> resize_;
};

}  // namespace zelmor::shared
