#include "layout.h"

#include <algorithm>
#include <stdexcept>

namespace zelmor::geometry {

namespace {

using tk::Color;
using tk::FillStyle;

struct RectangleRow {
    int left, top, width, height;
    Color outline;
    Color hatch;
    FillStyle pattern;
};

// Subsystem zones by typology: "centrale", the four sides, the four corners. The bands cross
// the corners so that neighbouring zones are drawn as intersecting areas.
constexpr RectangleRow kSubsystemRows[9] = {
    {840, 2400, 7815, 1215, {128, 128, 128}, {192, 192, 192}, FillStyle::Vertical},
    {720, 600, 8055, 1695, {255, 0, 0}, {0, 255, 255}, FillStyle::Cross},
    {720, 3720, 8055, 1695, {255, 0, 255}, {128, 128, 255}, FillStyle::Horizontal},
    {6000, 720, 2415, 4575, {128, 0, 0}, {128, 128, 255}, FillStyle::UpwardDiagonal},
    {1080, 720, 2415, 4575, {0, 0, 128}, {0, 64, 0}, FillStyle::DownwardDiagonal},
    {1200, 1080, 2895, 1815, {255, 0, 255}, {255, 192, 128}, FillStyle::UpwardDiagonal},
    {5400, 1080, 2895, 1815, {0, 0, 255}, {64, 64, 0}, FillStyle::DownwardDiagonal},
    {5400, 3360, 2895, 1695, {255, 0, 0}, {255, 128, 128}, FillStyle::Cross},
    {1200, 3360, 2895, 1695, {128, 0, 128}, {0, 192, 0}, FillStyle::Cross},
};

// Endemic areas by typology: "totale", the four sides, the four corners.
constexpr int kEndemicRows[9][4] = {
    {240, 240, 9015, 5655},  {360, 360, 8775, 2460},   {360, 3120, 8775, 2580},
    {5040, 480, 3975, 5100}, {480, 480, 3975, 5100},   {600, 120, 3975, 2625},
    {4920, 120, 3975, 2625}, {4920, 3240, 3975, 2580}, {600, 3240, 3975, 2580},
};

// Endemic lines by typology 1..8 (9, the central cross, is lines 7 and 8 together).
constexpr int kLineRows[8][4] = {
    {120, 840, 9360, 840},  {120, 3000, 9360, 3000}, {120, 5160, 9360, 5160},
    {960, 6000, 960, 120},  {4680, 6000, 4680, 120}, {8520, 6000, 8520, 120},
    {8880, 5280, 840, 720}, {600, 5280, 8640, 720},
};

constexpr int kPointDiameter = 375;
constexpr int kPointColumns[6] = {960, 2400, 3840, 5280, 6720, 8160};
constexpr int kPointRows[4] = {960, 2160, 3360, 4680};

// A figure of the repertoire at its place: left, top, width, height for rectangles and points,
// the two end points for lines.
Figure placed(FigureGroup group, int index, const int (&place)[4]) {
    Figure f;
    f.group = group;
    f.index = index;
    if (group == FigureGroup::EndemicLine) {
        f.x1 = place[0];
        f.y1 = place[1];
        f.x2 = place[2];
        f.y2 = place[3];
    } else {
        f.left = place[0];
        f.top = place[1];
        f.width = place[2];
        f.height = place[3];
    }
    return f;
}

std::vector<Figure> buildRepertoire() {
    std::vector<Figure> all;
    for (int i = 0; i < 9; ++i) {
        const RectangleRow& r = kSubsystemRows[i];
        Figure f = placed(FigureGroup::Subsystem, i + 1, {r.left, r.top, r.width, r.height});
        f.outline = r.outline;
        f.fill = r.pattern;
        f.fillColor = r.hatch;
        all.push_back(f);
    }
    for (int i = 0; i < 9; ++i)
        all.push_back(placed(FigureGroup::EndemicRectangle, i + 1, kEndemicRows[i]));
    for (int i = 0; i < 8; ++i)
        all.push_back(placed(FigureGroup::EndemicLine, i + 1, kLineRows[i]));
    for (int i = 0; i < 24; ++i) {
        Figure f =
            placed(FigureGroup::Point, i + 1,
                   {kPointColumns[i % 6], kPointRows[i / 6], kPointDiameter, kPointDiameter});
        f.outline = i == 1 ? Color{128, 64, 0} : Color{128, 0, 0};
        f.fill = FillStyle::Solid;
        f.fillColor = tk::colors::kYellow;
        all.push_back(f);
    }
    return all;
}

int groupOffset(FigureGroup group) {
    switch (group) {
        case FigureGroup::Subsystem:
            return 0;
        case FigureGroup::EndemicRectangle:
            return 9;
        case FigureGroup::EndemicLine:
            return 18;
        case FigureGroup::Point:
            return 26;
    }
    return 0;
}

int groupSize(FigureGroup group) {
    return group == FigureGroup::EndemicLine ? 8 : group == FigureGroup::Point ? 24 : 9;
}

bool inTypologyRange(const std::optional<int>& t) {
    return t.has_value() && *t >= 1 && *t <= 9;
}

// Shows a figure: a figure already shown keeps its place in the list and takes the new width.
void show(std::vector<Figure>& shown, FigureGroup group, int index, int width) {
    auto same = std::find_if(shown.begin(), shown.end(),
                             [&](const Figure& f) { return f.group == group && f.index == index; });
    if (same != shown.end()) {
        same->outlineWidth = width;
        return;
    }
    Figure f = repertoireFigure(group, index);
    f.outlineWidth = width;
    shown.push_back(f);
}

}  // namespace

QString groupName(FigureGroup group) {
    switch (group) {
        case FigureGroup::Subsystem:
            return QStringLiteral("particolare");
        case FigureGroup::EndemicRectangle:
            return QStringLiteral("Shape1");
        case FigureGroup::EndemicLine:
            return QStringLiteral("Line1");
        case FigureGroup::Point:
            return QStringLiteral("punti");
    }
    return {};
}

const std::vector<Figure>& repertoire() {
    static const std::vector<Figure> all = buildRepertoire();
    return all;
}

const Figure& repertoireFigure(FigureGroup group, int index) {
    if (index < 1 || index > groupSize(group))
        throw std::out_of_range("no such figure in the repertoire");
    return repertoire()[static_cast<std::size_t>(groupOffset(group) + index - 1)];
}

int endemicWidth(const QString& value) {
    int width = 5;
    if (value == QLatin1String("medio")) width = 7;
    if (value == QLatin1String("forte")) width = 9;
    return width;
}

int subsystemWidth(const QString& value) {
    int width = 2;
    if (value == QLatin1String("medio")) width = 3;
    if (value == QLatin1String("forte")) width = 4;
    return width;
}

std::vector<int> pointSubset(int typology) {
    struct Runs {
        int first;  // start of the first run; each further run starts one point further east
        int last;
        int step;
        int runs;
    };
    static constexpr Runs kRuns[10] = {
        {1, 24, 1, 1},  // any other typology: all
        {1, 24, 1, 1}, {1, 12, 1, 1}, {13, 24, 1, 1}, {4, 24, 6, 3},  {1, 21, 6, 3},
        {1, 9, 6, 3},  {4, 12, 6, 3}, {16, 24, 6, 3}, {13, 21, 6, 3},
    };
    const Runs& r = kRuns[typology >= 1 && typology <= 9 ? typology : 0];
    std::vector<int> points;
    for (int run = 0; run < r.runs; ++run) {
        for (int p = r.first + run; p <= r.last; p += r.step) points.push_back(p);
    }
    return points;
}

ModelLayout layoutModel(const model::ModelData& m) {
    ModelLayout out;
    const auto fail = [&out](const QString& why) {
        out.complete = false;
        out.failure = why;
        return out;
    };

    const int width = endemicWidth(m.endemicValue);
    const std::optional<model::EndemicKind> kind = m.endemicKind;
    const std::optional<int> typology = m.endemicTypology;
    if (kind == model::EndemicKind::Lineare) {
        if (!inTypologyRange(typology))
            return fail(QStringLiteral("no endemic line for this typology"));
        if (*typology == 9) {
            show(out.shown, FigureGroup::EndemicLine, 7, width);
            show(out.shown, FigureGroup::EndemicLine, 8, width);
        } else {
            show(out.shown, FigureGroup::EndemicLine, *typology, width);
        }
    } else if (kind == model::EndemicKind::Puntuale) {
        for (int p : pointSubset(typology.value_or(0)))
            show(out.shown, FigureGroup::Point, p, width);
    } else {
        if (!inTypologyRange(typology))
            return fail(QStringLiteral("no endemic rectangle for this typology"));
        show(out.shown, FigureGroup::EndemicRectangle, *typology, width);
    }

    // Drawn as far as it goes: a number beyond the subsystems that exist stops at the first
    // missing one, what was drawn before it kept.
    const std::optional<int> count = model::numberOfSubsystems(m.subsystemCount);
    if (!count) return fail(QStringLiteral("the subsystem count is not a number"));
    for (int i = 1; i <= *count; ++i) {
        if (i > model::kMaxSubsystems)
            return fail(QStringLiteral("subsystem %1 does not exist").arg(i));
        const model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        if (!inTypologyRange(s.typology))
            return fail(QStringLiteral("subsystem %1 has no typology").arg(i));
        show(out.shown, FigureGroup::Subsystem, *s.typology, subsystemWidth(s.value));
    }
    return out;
}

}  // namespace zelmor::geometry
