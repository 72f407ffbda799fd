#include "links.h"

#include <array>
#include <initializer_list>

namespace zelmor::geometry {

namespace {

// A coordinate linear in k: base + slope * k.
struct Lin {
    int base = 0;
    int slope = 0;
    int at(int k) const { return base + slope * k; }
};

// One primitive of a run, its coordinates as functions of k. Segments and boxes use a, b, c, d
// as x1, y1, x2, y2; circles use a, b as the centre and c as the radius.
struct Shape {
    Lin a, b, c, d;
};

struct Run {
    LinkKind kind;
    int from;
    int to;
    std::vector<Shape> shapes;  // drawn in this order for each k
};

constexpr Lin c(int v) {
    return {v, 0};
}
constexpr Lin k(int base, int slope) {
    return {base, slope};
}

Run segments(int from, int to, Shape s) {
    return {LinkKind::Segment, from, to, {s}};
}
Run boxes(int from, int to, Shape s) {
    return {LinkKind::Box, from, to, {s}};
}
Run circles(int from, int to, int r, std::initializer_list<std::pair<Lin, Lin>> centres) {
    Run run{LinkKind::Circle, from, to, {}};
    for (const auto& [x, y] : centres) run.shapes.push_back({x, y, c(r), c(0)});
    return run;
}

// Boxes 240 twips apart along x, one column of them: (x + 240k, top) to (x + w + 240k, bottom).
Run boxRow(int from, int to, int x, int top, int widthTwips, int bottom) {
    return boxes(from, to, {k(x, 240), c(top), k(x + widthTwips, 240), c(bottom)});
}
// Horizontal segments 60 twips apart down the picture.
Run segmentColumn(int from, int to, int x1, int x2, int y) {
    return segments(from, to, {c(x1), k(y, 60), c(x2), k(y, 60)});
}

std::array<std::vector<Run>, kLinkFigures + 1> buildFigures() {
    std::array<std::vector<Run>, kLinkFigures + 1> f;
    f[1] = {boxRow(1, 5, 3950, 2100, 100, 2600)};
    f[2] = {boxRow(1, 5, 3950, 3400, 100, 3900)};
    f[3] = {segmentColumn(1, 18, 8330, 8750, 2410)};
    f[4] = {segmentColumn(1, 18, 730, 1150, 2410)};
    f[5] = {boxRow(2, 9, 1050, 2320, 50, 3000)};
    f[6] = {boxRow(2, 9, 5740, 2320, 50, 3000)};
    f[7] = {boxRow(2, 9, 5740, 3250, 50, 3680)};
    f[8] = {boxRow(2, 9, 1050, 3250, 50, 3680)};
    f[9] = {circles(1, 3, 50,
                    {{k(520, 100), k(2185, -55)},
                     {k(520, 100), k(3760, 55)},
                     {k(8940, -100), k(2185, -55)},
                     {k(8940, -100), k(3760, 55)}}),
            circles(1, 12, 50, {{c(620), k(2130, 130)}, {c(8840), k(2130, 130)}})};
    f[10] = {boxRow(1, 9, 5950, 500, 100, 850)};
    f[11] = {boxRow(1, 9, 1030, 500, 100, 850)};
    f[12] = {boxRow(1, 11, 1150, 980, 100, 1180)};
    f[13] = {boxRow(1, 11, 5350, 980, 100, 1180)};
    f[14] = {circles(1, 5, 50, {{k(9180, -100), k(1295, -55)}}),
             circles(1, 24, 50, {{c(9080), k(1240, 130)}}),
             circles(1, 9, 50, {{k(9080, -100), k(4360, 55)}})};
    f[15] = {circles(1, 5, 50, {{k(280, 100), k(1295, -55)}}),
             circles(1, 24, 50, {{c(380), k(1240, 130)}}),
             circles(1, 9, 50, {{k(380, 100), k(4360, 55)}})};
    f[16] = {boxRow(1, 9, 5950, 5150, 100, 5500)};
    f[17] = {boxRow(1, 9, 1030, 5150, 100, 5500)};
    f[18] = {circles(1, 9, 50, {{k(400, 100), k(1915, -55)}}),
             circles(1, 17, 50, {{c(500), k(1860, 130)}}),
             circles(1, 3, 50, {{k(500, 100), k(4070, 55)}})};
    f[19] = {circles(1, 9, 50, {{k(9060, -100), k(1915, -55)}}),
             circles(1, 17, 50, {{c(8960), k(1860, 130)}}),
             circles(1, 3, 50, {{k(8960, -100), k(4070, 55)}})};
    f[20] = {boxRow(1, 11, 5350, 3650, 100, 3800)};
    f[21] = {boxRow(1, 11, 1150, 3650, 100, 3800)};
    f[22] = {circles(1, 10, 112, {{k(3360, 248), c(800)}, {k(3360, 248), c(5200)}})};
    f[23] = {circles(1, 26, 50, {{k(3600, 130), c(1870)}})};
    f[24] = {segmentColumn(1, 18, 5330, 6080, 1150)};
    f[25] = {segmentColumn(1, 17, 5330, 6080, 3890)};
    f[26] = {circles(1, 26, 50, {{k(3600, 130), c(4200)}})};
    f[27] = {segmentColumn(1, 18, 3400, 4150, 1150)};
    f[28] = {circles(1, 26, 50, {{k(2300, 130), c(1700)}})};
    f[29] = {circles(1, 26, 50, {{k(2300, 130), c(4850)}})};
    f[30] = {segmentColumn(1, 17, 3400, 4150, 3890)};
    f[31] = {circles(1, 5, 112, {{k(3970, 248), c(1500)}})};
    f[32] = {circles(1, 14, 50, {{k(3990, 100), k(2690, 55)}})};
    f[33] = {boxRow(1, 11, 1150, 2700, 100, 3500)};
    f[34] = {boxRow(1, 11, 5350, 2700, 100, 3500)};
    f[35] = {circles(1, 14, 50, {{k(3990, 100), k(3500, -55)}})};
    f[36] = {circles(1, 5, 112, {{k(3970, 248), c(4500)}})};
    return f;
}

const std::array<std::vector<Run>, kLinkFigures + 1>& figures() {
    static const auto all = buildFigures();
    return all;
}

// Rows and columns by typology 1..9; 0 is none.
constexpr int kTable[9][9] = {
    {1, 1, 2, 3, 4, 5, 6, 7, 8},         {1, 9, 9, 10, 11, 12, 13, 14, 15},
    {2, 9, 16, 16, 17, 18, 19, 20, 21},  {3, 10, 16, 22, 22, 23, 24, 25, 26},
    {4, 11, 17, 22, 27, 27, 28, 29, 30}, {5, 12, 18, 23, 27, 31, 31, 32, 33},
    {6, 13, 19, 24, 28, 31, 34, 34, 35}, {7, 14, 20, 25, 29, 32, 34, 36, 36},
    {8, 15, 21, 26, 30, 33, 35, 36, 0},
};

// The numeric value of one character of a link text: a digit gives its value, anything else 0.
int digitValue(QChar ch) {
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9') ? ch.unicode() - '0' : 0;
}

// A subsystem above the count is no part of the model, whatever the window still remembers of
// it from an earlier model: a link to it draws nothing.
std::optional<int> typologyOf(const model::ModelData& m, int subsystem, int count) {
    if (subsystem < 1 || subsystem > count || subsystem > model::kMaxSubsystems)
        return std::nullopt;
    return m.subsystems[static_cast<std::size_t>(subsystem - 1)].typology;
}

}  // namespace

QString describe(const LinkPrimitive& p) {
    switch (p.kind) {
        case LinkKind::Segment:
            return QStringLiteral("segment %1 %2 %3 %4").arg(p.x1).arg(p.y1).arg(p.x2).arg(p.y2);
        case LinkKind::Box:
            return QStringLiteral("box %1 %2 %3 %4").arg(p.x1).arg(p.y1).arg(p.x2).arg(p.y2);
        case LinkKind::Circle:
            return QStringLiteral("circle %1 %2 %3").arg(p.x1).arg(p.y1).arg(p.r);
    }
    return {};
}

int linkFigureNumber(int fromTypology, int toTypology) {
    if (fromTypology < 1 || fromTypology > 9 || toTypology < 1 || toTypology > 9) return 0;
    return kTable[fromTypology - 1][toTypology - 1];
}

std::vector<LinkPrimitive> linkFigure(int figure) {
    std::vector<LinkPrimitive> out;
    if (figure < 1 || figure > kLinkFigures) return out;
    for (const Run& run : figures()[static_cast<std::size_t>(figure)]) {
        for (int i = run.from; i <= run.to; ++i) {
            for (const Shape& s : run.shapes) {
                if (run.kind == LinkKind::Circle) {
                    out.push_back(LinkPrimitive::circle(s.a.at(i), s.b.at(i), s.c.at(i)));
                } else {
                    out.push_back({run.kind, s.a.at(i), s.b.at(i), s.c.at(i), s.d.at(i), 0});
                }
            }
        }
    }
    return out;
}

std::vector<LinkPrimitive> linkPrimitives(const model::ModelData& m) {
    std::vector<LinkPrimitive> out;
    const int count = m.count();
    for (int i = 1; i <= count && i <= model::kMaxSubsystems; ++i) {
        const QString& links = m.subsystems[static_cast<std::size_t>(i - 1)].links;
        for (qsizetype at = 0; at < links.size(); at += 2) {
            const std::optional<int> from = typologyOf(m, i, count);
            const std::optional<int> to = typologyOf(m, digitValue(links.at(at)), count);
            if (!from || !to) continue;
            const std::vector<LinkPrimitive> figure = linkFigure(linkFigureNumber(*from, *to));
            out.insert(out.end(), figure.begin(), figure.end());
        }
    }
    return out;
}

}  // namespace zelmor::geometry
