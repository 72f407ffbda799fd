// The link figures: the pair-of-typologies table, the runs of every figure, and which links of a
// model get drawn and in what order.
#include "geometry/links.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <vector>

namespace zelmor::geometry {

// Readable failure messages for primitive comparisons.
void PrintTo(const LinkPrimitive& p, std::ostream* os) {
    switch (p.kind) {
        case LinkKind::Segment:
            *os << "segment(" << p.x1 << ", " << p.y1 << ", " << p.x2 << ", " << p.y2 << ")";
            return;
        case LinkKind::Box:
            *os << "box(" << p.x1 << ", " << p.y1 << ", " << p.x2 << ", " << p.y2 << ")";
            return;
        case LinkKind::Circle:
            *os << "circle(" << p.x1 << ", " << p.y1 << ", r " << p.r << ")";
            return;
    }
    *os << "?";
}

namespace {

using namespace Qt::StringLiterals;

LinkPrimitive seg(int x1, int y1, int x2, int y2) {
    return LinkPrimitive::segment(x1, y1, x2, y2);
}
LinkPrimitive box(int x1, int y1, int x2, int y2) {
    return LinkPrimitive::box(x1, y1, x2, y2);
}
LinkPrimitive circ(int x, int y, int r) {
    return LinkPrimitive::circle(x, y, r);
}

// ---------------------------------------------------------------------------------------------
// The figure of a pair of typologies

// Row: typology of the subsystem whose list is read; column: the linked one; 0 for none.
constexpr std::array<std::array<int, 9>, 9> kFigureOfPair = {{
    {1, 1, 2, 3, 4, 5, 6, 7, 8},
    {1, 9, 9, 10, 11, 12, 13, 14, 15},
    {2, 9, 16, 16, 17, 18, 19, 20, 21},
    {3, 10, 16, 22, 22, 23, 24, 25, 26},
    {4, 11, 17, 22, 27, 27, 28, 29, 30},
    {5, 12, 18, 23, 27, 31, 31, 32, 33},
    {6, 13, 19, 24, 28, 31, 34, 34, 35},
    {7, 14, 20, 25, 29, 32, 34, 36, 36},
    {8, 15, 21, 26, 30, 33, 35, 36, 0},
}};

TEST(LinkFigureNumber, EveryPairOfTypologies) {
    for (int from = 1; from <= 9; ++from) {
        for (int to = 1; to <= 9; ++to) {
            EXPECT_EQ(linkFigureNumber(from, to), kFigureOfPair[from - 1][to - 1])
                << "typologies " << from << " and " << to;
        }
    }
}

TEST(LinkFigureNumber, TypologiesOutsideTheTableHaveNoFigure) {
    struct Row {
        int from;
        int to;
    };
    for (const Row& r : std::initializer_list<Row>{
             {0, 1}, {1, 0}, {0, 0}, {10, 3}, {3, 10}, {-1, 5}, {5, -1}, {9, 10}, {10, 9}}) {
        EXPECT_EQ(linkFigureNumber(r.from, r.to), 0) << "typologies " << r.from << " and " << r.to;
    }
}

// ---------------------------------------------------------------------------------------------
// The runs of each figure

// A coordinate linear in k.
struct Lin {
    int base;
    int step = 0;
    int at(int k) const { return base + step * k; }
};

// One primitive of a run: segment/box use a..d as x1, y1, x2, y2; circle uses a, b as the centre
// and c as the radius.
struct RunPrimitive {
    Lin a, b, c, d{0};
};

struct Run {
    LinkKind kind;
    int kFirst;
    int kLast;
    std::vector<RunPrimitive> primitives;  // drawn in this order for each k
};

Run boxes(int kFirst, int kLast, int x1, int y1, int x2, int y2) {
    return {LinkKind::Box, kFirst, kLast, {{{x1, 240}, {y1}, {x2, 240}, {y2}}}};
}
Run segmentsDown(int kFirst, int kLast, int x1, int y, int x2) {
    return {LinkKind::Segment, kFirst, kLast, {{{x1}, {y, 60}, {x2}, {y, 60}}}};
}
Run circles(int kFirst, int kLast, std::vector<RunPrimitive> centres) {
    return {LinkKind::Circle, kFirst, kLast, std::move(centres)};
}
RunPrimitive c50(Lin x, Lin y) {
    return {x, y, {50}};
}
RunPrimitive c112(Lin x, Lin y) {
    return {x, y, {112}};
}

const std::vector<Run>& runsOf(int figure) {
    static const std::array<std::vector<Run>, 37> runs = {{
        {},
        /* 1 */ {boxes(1, 5, 3950, 2100, 4050, 2600)},
        /* 2 */ {boxes(1, 5, 3950, 3400, 4050, 3900)},
        /* 3 */ {segmentsDown(1, 18, 8330, 2410, 8750)},
        /* 4 */ {segmentsDown(1, 18, 730, 2410, 1150)},
        /* 5 */ {boxes(2, 9, 1050, 2320, 1100, 3000)},
        /* 6 */ {boxes(2, 9, 5740, 2320, 5790, 3000)},
        /* 7 */ {boxes(2, 9, 5740, 3250, 5790, 3680)},
        /* 8 */ {boxes(2, 9, 1050, 3250, 1100, 3680)},
        /* 9 */
        {circles(1, 3,
                 {c50({520, 100}, {2185, -55}), c50({520, 100}, {3760, 55}),
                  c50({8940, -100}, {2185, -55}), c50({8940, -100}, {3760, 55})}),
         circles(1, 12, {c50({620}, {2130, 130}), c50({8840}, {2130, 130})})},
        /* 10 */ {boxes(1, 9, 5950, 500, 6050, 850)},
        /* 11 */ {boxes(1, 9, 1030, 500, 1130, 850)},
        /* 12 */ {boxes(1, 11, 1150, 980, 1250, 1180)},
        /* 13 */ {boxes(1, 11, 5350, 980, 5450, 1180)},
        /* 14 */
        {circles(1, 5, {c50({9180, -100}, {1295, -55})}),
         circles(1, 24, {c50({9080}, {1240, 130})}),
         circles(1, 9, {c50({9080, -100}, {4360, 55})})},
        /* 15 */
        {circles(1, 5, {c50({280, 100}, {1295, -55})}), circles(1, 24, {c50({380}, {1240, 130})}),
         circles(1, 9, {c50({380, 100}, {4360, 55})})},
        /* 16 */ {boxes(1, 9, 5950, 5150, 6050, 5500)},
        /* 17 */ {boxes(1, 9, 1030, 5150, 1130, 5500)},
        /* 18 */
        {circles(1, 9, {c50({400, 100}, {1915, -55})}), circles(1, 17, {c50({500}, {1860, 130})}),
         circles(1, 3, {c50({500, 100}, {4070, 55})})},
        /* 19 */
        {circles(1, 9, {c50({9060, -100}, {1915, -55})}),
         circles(1, 17, {c50({8960}, {1860, 130})}),
         circles(1, 3, {c50({8960, -100}, {4070, 55})})},
        /* 20 */ {boxes(1, 11, 5350, 3650, 5450, 3800)},
        /* 21 */ {boxes(1, 11, 1150, 3650, 1250, 3800)},
        /* 22 */ {circles(1, 10, {c112({3360, 248}, {800}), c112({3360, 248}, {5200})})},
        /* 23 */ {circles(1, 26, {c50({3600, 130}, {1870})})},
        /* 24 */ {segmentsDown(1, 18, 5330, 1150, 6080)},
        /* 25 */ {segmentsDown(1, 17, 5330, 3890, 6080)},
        /* 26 */ {circles(1, 26, {c50({3600, 130}, {4200})})},
        /* 27 */ {segmentsDown(1, 18, 3400, 1150, 4150)},
        /* 28 */ {circles(1, 26, {c50({2300, 130}, {1700})})},
        /* 29 */ {circles(1, 26, {c50({2300, 130}, {4850})})},
        /* 30 */ {segmentsDown(1, 17, 3400, 3890, 4150)},
        /* 31 */ {circles(1, 5, {c112({3970, 248}, {1500})})},
        /* 32 */ {circles(1, 14, {c50({3990, 100}, {2690, 55})})},
        /* 33 */ {boxes(1, 11, 1150, 2700, 1250, 3500)},
        /* 34 */ {boxes(1, 11, 5350, 2700, 5450, 3500)},
        /* 35 */ {circles(1, 14, {c50({3990, 100}, {3500, -55})})},
        /* 36 */ {circles(1, 5, {c112({3970, 248}, {4500})})},
    }};
    return runs.at(static_cast<std::size_t>(figure));
}

std::vector<LinkPrimitive> expanded(int figure) {
    std::vector<LinkPrimitive> out;
    for (const Run& run : runsOf(figure)) {
        for (int k = run.kFirst; k <= run.kLast; ++k) {
            for (const RunPrimitive& p : run.primitives) {
                out.push_back({run.kind, p.a.at(k), p.b.at(k),
                               run.kind == LinkKind::Circle ? 0 : p.c.at(k),
                               run.kind == LinkKind::Circle ? 0 : p.d.at(k),
                               run.kind == LinkKind::Circle ? p.c.at(k) : 0});
            }
        }
    }
    return out;
}

std::vector<LinkPrimitive> concat(std::initializer_list<int> figures) {
    std::vector<LinkPrimitive> out;
    for (int f : figures) {
        const std::vector<LinkPrimitive> part = expanded(f);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// Worked out by hand from the runs: the count, the first and the last primitive, and the one kind
// every primitive of the figure has.
TEST(LinkFigure, CountFirstLastAndKindOfEveryFigure) {
    struct Row {
        int figure;
        std::size_t count;
        LinkPrimitive first;
        LinkPrimitive last;
    };
    const std::vector<Row> rows = {
        {1, 5, box(4190, 2100, 4290, 2600), box(5150, 2100, 5250, 2600)},
        {2, 5, box(4190, 3400, 4290, 3900), box(5150, 3400, 5250, 3900)},
        {3, 18, seg(8330, 2470, 8750, 2470), seg(8330, 3490, 8750, 3490)},
        {4, 18, seg(730, 2470, 1150, 2470), seg(730, 3490, 1150, 3490)},
        {5, 8, box(1530, 2320, 1580, 3000), box(3210, 2320, 3260, 3000)},
        {6, 8, box(6220, 2320, 6270, 3000), box(7900, 2320, 7950, 3000)},
        {7, 8, box(6220, 3250, 6270, 3680), box(7900, 3250, 7950, 3680)},
        {8, 8, box(1530, 3250, 1580, 3680), box(3210, 3250, 3260, 3680)},
        {9, 36, circ(620, 2130, 50), circ(8840, 3690, 50)},
        {10, 9, box(6190, 500, 6290, 850), box(8110, 500, 8210, 850)},
        {11, 9, box(1270, 500, 1370, 850), box(3190, 500, 3290, 850)},
        {12, 11, box(1390, 980, 1490, 1180), box(3790, 980, 3890, 1180)},
        {13, 11, box(5590, 980, 5690, 1180), box(7990, 980, 8090, 1180)},
        {14, 38, circ(9080, 1240, 50), circ(8180, 4855, 50)},
        {15, 38, circ(380, 1240, 50), circ(1280, 4855, 50)},
        {16, 9, box(6190, 5150, 6290, 5500), box(8110, 5150, 8210, 5500)},
        {17, 9, box(1270, 5150, 1370, 5500), box(3190, 5150, 3290, 5500)},
        {18, 29, circ(500, 1860, 50), circ(800, 4235, 50)},
        {19, 29, circ(8960, 1860, 50), circ(8660, 4235, 50)},
        {20, 11, box(5590, 3650, 5690, 3800), box(7990, 3650, 8090, 3800)},
        {21, 11, box(1390, 3650, 1490, 3800), box(3790, 3650, 3890, 3800)},
        {22, 20, circ(3608, 800, 112), circ(5840, 5200, 112)},
        {23, 26, circ(3730, 1870, 50), circ(6980, 1870, 50)},
        {24, 18, seg(5330, 1210, 6080, 1210), seg(5330, 2230, 6080, 2230)},
        {25, 17, seg(5330, 3950, 6080, 3950), seg(5330, 4910, 6080, 4910)},
        {26, 26, circ(3730, 4200, 50), circ(6980, 4200, 50)},
        {27, 18, seg(3400, 1210, 4150, 1210), seg(3400, 2230, 4150, 2230)},
        {28, 26, circ(2430, 1700, 50), circ(5680, 1700, 50)},
        {29, 26, circ(2430, 4850, 50), circ(5680, 4850, 50)},
        {30, 17, seg(3400, 3950, 4150, 3950), seg(3400, 4910, 4150, 4910)},
        {31, 5, circ(4218, 1500, 112), circ(5210, 1500, 112)},
        {32, 14, circ(4090, 2745, 50), circ(5390, 3460, 50)},
        {33, 11, box(1390, 2700, 1490, 3500), box(3790, 2700, 3890, 3500)},
        {34, 11, box(5590, 2700, 5690, 3500), box(7990, 2700, 8090, 3500)},
        {35, 14, circ(4090, 3445, 50), circ(5390, 2730, 50)},
        {36, 5, circ(4218, 4500, 112), circ(5210, 4500, 112)},
    };
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kLinkFigures));
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "figure " << r.figure);
        const std::vector<LinkPrimitive> got = linkFigure(r.figure);
        ASSERT_EQ(got.size(), r.count);
        EXPECT_EQ(got.front(), r.first);
        EXPECT_EQ(got.back(), r.last);
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].kind, r.first.kind) << "primitive " << i + 1;
        }
    }
}

// Every primitive of every figure, against the runs written as base + step * k.
TEST(LinkFigure, EveryPrimitiveFollowsItsRuns) {
    for (int figure = 1; figure <= kLinkFigures; ++figure) {
        SCOPED_TRACE(testing::Message() << "figure " << figure);
        EXPECT_EQ(linkFigure(figure), expanded(figure));
    }
}

// Where a figure is made of several runs, or of two or four primitives per k, the order at the
// joins is where a slip shows first.
TEST(LinkFigure, PrimitivesAtRunBoundaries) {
    struct Row {
        int figure;
        std::size_t position;  // 1-based
        LinkPrimitive expected;
    };
    const std::vector<Row> rows = {
        // Figure 9: four arcs of 3 circles, k-major, then two columns, k-major.
        {9, 1, circ(620, 2130, 50)},
        {9, 2, circ(620, 3815, 50)},
        {9, 3, circ(8840, 2130, 50)},
        {9, 4, circ(8840, 3815, 50)},
        {9, 5, circ(720, 2075, 50)},
        {9, 12, circ(8640, 3925, 50)},
        {9, 13, circ(620, 2260, 50)},
        {9, 14, circ(8840, 2260, 50)},
        {9, 15, circ(620, 2390, 50)},
        {9, 35, circ(620, 3690, 50)},
        // Figure 14: 5 + 24 + 9.
        {14, 5, circ(8680, 1020, 50)},
        {14, 6, circ(9080, 1370, 50)},
        {14, 29, circ(9080, 4360, 50)},
        {14, 30, circ(8980, 4415, 50)},
        // Figure 15: its mirror.
        {15, 5, circ(780, 1020, 50)},
        {15, 6, circ(380, 1370, 50)},
        {15, 29, circ(380, 4360, 50)},
        {15, 30, circ(480, 4415, 50)},
        // Figures 18 and 19: 9 + 17 + 3.
        {18, 9, circ(1300, 1420, 50)},
        {18, 10, circ(500, 1990, 50)},
        {18, 26, circ(500, 4070, 50)},
        {18, 27, circ(600, 4125, 50)},
        {19, 9, circ(8160, 1420, 50)},
        {19, 10, circ(8960, 1990, 50)},
        {19, 26, circ(8960, 4070, 50)},
        {19, 27, circ(8860, 4125, 50)},
        // Figure 22: north and south circle of each k, in that order.
        {22, 2, circ(3608, 5200, 112)},
        {22, 3, circ(3856, 800, 112)},
        {22, 19, circ(5840, 800, 112)},
    };
    for (const Row& r : rows) {
        const std::vector<LinkPrimitive> got = linkFigure(r.figure);
        ASSERT_GE(got.size(), r.position) << "figure " << r.figure;
        EXPECT_EQ(got[r.position - 1], r.expected)
            << "figure " << r.figure << ", primitive " << r.position;
    }
}

TEST(LinkFigure, NumbersOutsideOneToThirtySixHaveNoPrimitives) {
    for (int figure : {-1, 0, 37, 100}) {
        EXPECT_TRUE(linkFigure(figure).empty()) << "figure " << figure;
    }
}

TEST(LinkFigure, Describe) {
    EXPECT_EQ(describe(seg(1, 2, 3, 4)), u"segment 1 2 3 4"_s);
    EXPECT_EQ(describe(box(1530, 2320, 1580, 3000)), u"box 1530 2320 1580 3000"_s);
    EXPECT_EQ(describe(circ(4218, 4500, 112)), u"circle 4218 4500 112"_s);
}

// ---------------------------------------------------------------------------------------------
// The links of a model

struct Sub {
    std::optional<int> typology;
    QString links;
};

model::ModelData modelOf(const QString& count, std::initializer_list<Sub> subs) {
    model::ModelData m;
    m.endemicKind = model::EndemicKind::Superficiale;
    m.endemicTypology = 1;
    m.subsystemCount = count;
    std::size_t i = 0;
    for (const Sub& s : subs) {
        m.subsystems.at(i).typology = s.typology;
        m.subsystems.at(i).value = u"medio"_s;
        m.subsystems.at(i).links = s.links;
        ++i;
    }
    return m;
}

TEST(LinkPrimitives, NorthAndSouthSidesDrawThirtySixSmallCircles) {
    const std::vector<LinkPrimitive> got =
        linkPrimitives(modelOf(u"2"_s, {{2, u"con 2"_s}, {3, u""_s}}));
    ASSERT_EQ(got.size(), 36u);
    for (const LinkPrimitive& p : got) {
        EXPECT_EQ(p.kind, LinkKind::Circle);
        EXPECT_EQ(p.r, 50);
    }
    for (std::size_t i = 12; i < got.size(); ++i) {
        EXPECT_EQ(got[i].x1, i % 2 == 0 ? 620 : 8840) << "circle " << i + 1;
    }
    EXPECT_EQ(got, expanded(9));
}

TEST(LinkPrimitives, SouthEastAndSouthWestCornersDrawFiveLargeCircles) {
    const std::vector<LinkPrimitive> expected = {circ(4218, 4500, 112), circ(4466, 4500, 112),
                                                 circ(4714, 4500, 112), circ(4962, 4500, 112),
                                                 circ(5210, 4500, 112)};
    EXPECT_EQ(linkPrimitives(modelOf(u"2"_s, {{8, u"con 2"_s}, {9, u""_s}})), expected);
    EXPECT_EQ(linkPrimitives(modelOf(u"2"_s, {{9, u"con 2"_s}, {8, u""_s}})), expected);
}

TEST(LinkPrimitives, CentreAndNorthWestCornerStartAtTheSecondBox) {
    const std::vector<LinkPrimitive> got =
        linkPrimitives(modelOf(u"2"_s, {{1, u"con 2"_s}, {6, u""_s}}));
    ASSERT_EQ(got.size(), 8u);
    EXPECT_EQ(got.front(), box(1530, 2320, 1580, 3000));
    EXPECT_EQ(got, expanded(5));
}

// Rows draw exactly the figures listed, in that order (none: nothing at all).
TEST(LinkPrimitives, WhichLinksAreDrawn) {
    struct Row {
        const char* what;
        model::ModelData model;
        std::vector<LinkPrimitive> expected;
    };
    const std::vector<Row> rows = {
        {"con nessuno draws nothing",
         modelOf(u"2"_s, {{2, u"con nessuno"_s}, {3, u"con nessuno"_s}}),
         {}},
        {"empty link texts draw nothing", modelOf(u"2"_s, {{2, u""_s}, {3, u""_s}}), {}},
        {"two subsystems of typology 9 have no figure",
         modelOf(u"2"_s, {{9, u"con 2"_s}, {9, u""_s}}),
         {}},
        {"two subsystems of typology 7 take the figure of 7 with 8",
         modelOf(u"2"_s, {{7, u"con 2"_s}, {7, u""_s}}), concat({34})},
        {"two subsystems of typology 4 take the figure of 4 with 5",
         modelOf(u"2"_s, {{4, u""_s}, {4, u"con 1"_s}}), concat({22})},
        {"a subsystem linked with itself uses the same diagonal",
         modelOf(u"1"_s, {{1, u"con 1"_s}}), concat({1})},
        {"a link to a subsystem without typology draws nothing",
         modelOf(u"2"_s, {{2, u"con 2"_s}, {std::nullopt, u""_s}}),
         {}},
        {"a link to an unused subsystem without typology draws nothing",
         modelOf(u"2"_s, {{2, u"con 3"_s}, {3, u""_s}}),
         {}},
        {"a link to a subsystem above the count draws nothing, whatever it still holds",
         modelOf(u"1"_s, {{5, u"con 3"_s}, {std::nullopt, u""_s}, {1, u""_s}}),
         {}},
        {"digit 0 draws nothing", modelOf(u"2"_s, {{2, u"con 0"_s}, {3, u""_s}}), {}},
        {"a subsystem without typology draws none of its links",
         modelOf(u"2"_s, {{std::nullopt, u"con 2"_s}, {3, u""_s}}),
         {}},
        {"only the lists of subsystems 1..count are read",
         modelOf(u"1"_s, {{2, u""_s}, {3, u"con 1"_s}}),
         {}},
        {"no count reads no list", modelOf(u""_s, {{2, u"con 2"_s}, {3, u""_s}}), {}},
        {"the usual text: c, n, then every listed digit",
         modelOf(u"3"_s, {{2, u"con 2-3"_s}, {3, u""_s}, {4, u""_s}}), concat({9, 10})},
        {"only the characters at odd positions are read (1 2 3 4 5 6: c n 2)",
         modelOf(u"3"_s, {{2, u"con 23"_s}, {3, u""_s}, {4, u""_s}}), concat({9})},
        {"digits at odd positions count even without the usual prefix",
         modelOf(u"3"_s, {{2, u"3x2"_s}, {3, u""_s}, {4, u""_s}}), concat({10, 9})},
        {"a digit at an even position is skipped", modelOf(u"2"_s, {{2, u"x2"_s}, {3, u""_s}}), {}},
        {"a link listed by both subsystems is drawn twice",
         modelOf(u"2"_s, {{2, u"con 2"_s}, {3, u"con 1"_s}}), concat({9, 9})},
        {"subsystem order, then list order",
         modelOf(u"3"_s, {{1, u"con 3-2"_s}, {2, u"con 3"_s}, {3, u"con 1"_s}}),
         concat({2, 1, 9, 2})},
        {"the figure depends on the typologies only, not on the numbers",
         modelOf(u"4"_s, {{5, u""_s}, {5, u""_s}, {5, u""_s}, {8, u"con 1"_s}}), concat({29})},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(linkPrimitives(r.model), r.expected) << r.what;
    }
}

}  // namespace
}  // namespace zelmor::geometry
