// Keeps a window's controls in proportion to its drawing area, and opens a window at a share of
// the screen. One instance per window, from its load to its unload.
#pragma once

#include "toolkit/form.h"

#include <vector>

namespace zelmor::shared {

class clsResize {
  public:
    tk::Form* SourceForm = nullptr;

    void ReInitialise();
    void SizeFormToScreen(int percent);  // percent is a byte, 0..255
    void ResizeControls();

    bool recorded() const { return !notRecorded_; }
    int recordedWidth() const { return width_; }
    int recordedHeight() const { return height_; }

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

}  // namespace zelmor::shared
