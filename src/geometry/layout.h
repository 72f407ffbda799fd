// The model drawing, from record to picture file.
//
// layout.h turns a ModelData into the figures of a fixed repertoire that the picture shows: one
// rectangle per subsystem zone, and the endemic situation as a rectangle, one or two lines or a
// set of points. links.h adds the small figures that join linked subsystems. The window
// `disegno` (disegnoform.h) holds the repertoire as shape and line controls, shows what the
// layout says, paints the link figures beneath them, captures its drawing area and saves it as
// a Windows bitmap (bmp.h). Everything here is pure and runs without a display.
#pragma once

#include "model/model.h"
#include "toolkit/control.h"

#include <QString>

#include <vector>

namespace zelmor::geometry {

// The drawing area, in twips: the canvas every coordinate here refers to.
inline constexpr int kCanvasWidth = 9480;
inline constexpr int kCanvasHeight = 6420;

// The four groups of the repertoire, named as the drawing window's control arrays.
enum class FigureGroup {
    Subsystem,         // particolare(1..9): one rectangle per subsystem typology
    EndemicRectangle,  // Shape1(1..9): kind "superficiale"
    EndemicLine,       // Line1(1..8): kind "lineare"
    Point              // punti(1..24): kind "puntuale"
};

// The control array name of a group: "particolare", "Shape1", "Line1", "punti".
QString groupName(FigureGroup group);

// One figure of the repertoire. Rectangles and points use left/top/width/height; lines use
// x1/y1/x2/y2 (twips). Colours are RGB; the outline width is in pixels.
struct Figure {
    FigureGroup group = FigureGroup::Subsystem;
    int index = 1;  // 1-based, within the group
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    tk::Color outline = tk::colors::kBlack;
    tk::FillStyle fill = tk::FillStyle::Transparent;  // hatch pattern, solid or none
    tk::Color fillColor = tk::colors::kBlack;
    int outlineWidth = 1;
    bool operator==(const Figure&) const = default;
};

// The whole repertoire in the order the window holds (and stacks) it: subsystem rectangles
// 1..9, endemic rectangles 1..9, endemic lines 1..8, points 1..24. Outline widths are 1 here;
// a drawing sets them.
const std::vector<Figure>& repertoire();
const Figure& repertoireFigure(FigureGroup group, int index);  // throws std::out_of_range

// Outline widths from a value text, compared exactly: "forte", "medio", anything else.
int endemicWidth(const QString& value);    // 9, 7, 5
int subsystemWidth(const QString& value);  // 4, 3, 2

// The points shown for an endemic typology of kind "puntuale", in the order the runs show them.
// A typology outside 1..9 shows all 24.
std::vector<int> pointSubset(int typology);

// What a drawing shows: the figures in the order they were shown (endemic figure first, then the
// subsystems in numbering order; a rectangle shared by two subsystems appears once, where it was
// first shown, with the width of the later one), and whether the layout went through. When it
// failed, `shown` holds what had been shown before the failure.
struct ModelLayout {
    std::vector<Figure> shown;
    bool complete = true;
    QString failure;  // why it stopped, for tests and logs; the user sees one fixed message
};

ModelLayout layoutModel(const model::ModelData& model);

}  // namespace zelmor::geometry
