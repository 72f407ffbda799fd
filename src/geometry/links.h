// The figures that join two linked subsystems: runs of segments, boxes or circles whose places
// depend only on the pair of the two subsystems' typologies. They keep their coordinates when
// the window is resized, and are painted beneath the repertoire with one pen and one fill.
#pragma once

#include "model/model.h"

#include <QString>

#include <vector>

namespace zelmor::geometry {

enum class LinkKind { Segment, Box, Circle };

// In twips. Segment and box: (x1, y1) to (x2, y2). Circle: centre (x1, y1), radius r.
struct LinkPrimitive {
    LinkKind kind = LinkKind::Segment;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int r = 0;

    static LinkPrimitive segment(int x1, int y1, int x2, int y2) {
        return {LinkKind::Segment, x1, y1, x2, y2, 0};
    }
    static LinkPrimitive box(int x1, int y1, int x2, int y2) {
        return {LinkKind::Box, x1, y1, x2, y2, 0};
    }
    static LinkPrimitive circle(int x, int y, int r) { return {LinkKind::Circle, x, y, 0, 0, r}; }
    bool operator==(const LinkPrimitive&) const = default;
};

// "segment x1 y1 x2 y2", "box x1 y1 x2 y2" or "circle x y r": for messages and logs.
QString describe(const LinkPrimitive& p);

inline constexpr int kLinkFigures = 36;

// The figure joining two typologies (1..9 each), 0 for none. Symmetric; a typology with itself
// takes the figure of (t, t + 1), and (9, 9) has none. Outside 1..9: 0.
int linkFigureNumber(int fromTypology, int toTypology);

// The primitives of figure 1..36, runs in order and k upwards; empty for any other number.
std::vector<LinkPrimitive> linkFigure(int figure);

// Every link figure of a model, in drawing order: subsystems 1..count, and for each the figure
// of every linked number in its link text.
std::vector<LinkPrimitive> linkPrimitives(const model::ModelData& model);

}  // namespace zelmor::geometry
