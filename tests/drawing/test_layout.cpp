// The model layout: the fixed repertoire of figures, the outline widths, the point subsets and
// which figures a model shows.
#include "geometry/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace zelmor::geometry {

// Readable failure messages for figure comparisons.
void PrintTo(const Figure& f, std::ostream* os) {
    *os << groupName(f.group).toStdString() << "(" << f.index << ") rect " << f.left << "," << f.top
        << " " << f.width << "x" << f.height << " line " << f.x1 << "," << f.y1 << "-" << f.x2
        << "," << f.y2 << " outline " << f.outline.r << "," << f.outline.g << "," << f.outline.b
        << " fill " << static_cast<int>(f.fill) << " " << f.fillColor.r << "," << f.fillColor.g
        << "," << f.fillColor.b << " width " << f.outlineWidth;
}

namespace {

using namespace Qt::StringLiterals;
using tk::Color;
using tk::FillStyle;

// ---------------------------------------------------------------------------------------------
// The repertoire

struct SubsystemRect {
    int left, top, width, height;
    Color outline;
    Color hatch;
    FillStyle pattern;
};

// Typology 1..9: centre, the four sides (N, S, E, W), the four corners (NW, NE, SE, SW).
const std::array<SubsystemRect, 9> kSubsystemRects = {{
    {840, 2400, 7815, 1215, {128, 128, 128}, {192, 192, 192}, FillStyle::Vertical},
    {720, 600, 8055, 1695, {255, 0, 0}, {0, 255, 255}, FillStyle::Cross},
    {720, 3720, 8055, 1695, {255, 0, 255}, {128, 128, 255}, FillStyle::Horizontal},
    {6000, 720, 2415, 4575, {128, 0, 0}, {128, 128, 255}, FillStyle::UpwardDiagonal},
    {1080, 720, 2415, 4575, {0, 0, 128}, {0, 64, 0}, FillStyle::DownwardDiagonal},
    {1200, 1080, 2895, 1815, {255, 0, 255}, {255, 192, 128}, FillStyle::UpwardDiagonal},
    {5400, 1080, 2895, 1815, {0, 0, 255}, {64, 64, 0}, FillStyle::DownwardDiagonal},
    {5400, 3360, 2895, 1695, {255, 0, 0}, {255, 128, 128}, FillStyle::Cross},
    {1200, 3360, 2895, 1695, {128, 0, 128}, {0, 192, 0}, FillStyle::Cross},
}};

struct Box {
    int left, top, width, height;
};
const std::array<Box, 9> kEndemicRects = {{
    {240, 240, 9015, 5655},
    {360, 360, 8775, 2460},
    {360, 3120, 8775, 2580},
    {5040, 480, 3975, 5100},
    {480, 480, 3975, 5100},
    {600, 120, 3975, 2625},
    {4920, 120, 3975, 2625},
    {4920, 3240, 3975, 2580},
    {600, 3240, 3975, 2580},
}};

struct Segment {
    int x1, y1, x2, y2;
};
const std::array<Segment, 8> kEndemicLines = {{
    {120, 840, 9360, 840},
    {120, 3000, 9360, 3000},
    {120, 5160, 9360, 5160},
    {960, 6000, 960, 120},
    {4680, 6000, 4680, 120},
    {8520, 6000, 8520, 120},
    {8880, 5280, 840, 720},
    {600, 5280, 8640, 720},
}};

// The point grid: 6 columns by 4 rows, numbered row by row from the north-west.
constexpr std::array<int, 6> kPointColumnX = {960, 2400, 3840, 5280, 6720, 8160};
constexpr std::array<int, 4> kPointRowY = {960, 2160, 3360, 4680};

void expectSubsystemRect(const Figure& f, int typology) {
    const SubsystemRect& e = kSubsystemRects.at(typology - 1);
    SCOPED_TRACE(testing::Message() << "subsystem rectangle " << typology);
    EXPECT_EQ(f.group, FigureGroup::Subsystem);
    EXPECT_EQ(f.index, typology);
    EXPECT_EQ(std::tie(f.left, f.top, f.width, f.height),
              std::tie(e.left, e.top, e.width, e.height));
    EXPECT_EQ(f.outline, e.outline);
    EXPECT_EQ(f.fill, e.pattern);
    EXPECT_EQ(f.fillColor, e.hatch);
}

void expectEndemicRect(const Figure& f, int typology) {
    const Box& e = kEndemicRects.at(typology - 1);
    SCOPED_TRACE(testing::Message() << "endemic rectangle " << typology);
    EXPECT_EQ(f.group, FigureGroup::EndemicRectangle);
    EXPECT_EQ(f.index, typology);
    EXPECT_EQ(std::tie(f.left, f.top, f.width, f.height),
              std::tie(e.left, e.top, e.width, e.height));
    EXPECT_EQ(f.outline, tk::colors::kBlack);
    EXPECT_EQ(f.fill, FillStyle::Transparent);
}

void expectEndemicLine(const Figure& f, int typology) {
    const Segment& e = kEndemicLines.at(typology - 1);
    SCOPED_TRACE(testing::Message() << "endemic line " << typology);
    EXPECT_EQ(f.group, FigureGroup::EndemicLine);
    EXPECT_EQ(f.index, typology);
    EXPECT_EQ(std::tie(f.x1, f.y1, f.x2, f.y2), std::tie(e.x1, e.y1, e.x2, e.y2));
    EXPECT_EQ(f.outline, tk::colors::kBlack);
}

void expectPoint(const Figure& f, int number) {
    SCOPED_TRACE(testing::Message() << "point " << number);
    EXPECT_EQ(f.group, FigureGroup::Point);
    EXPECT_EQ(f.index, number);
    EXPECT_EQ(f.left, kPointColumnX.at(static_cast<std::size_t>((number - 1) % 6)));
    EXPECT_EQ(f.top, kPointRowY.at(static_cast<std::size_t>((number - 1) / 6)));
    EXPECT_EQ(f.width, 375);
    EXPECT_EQ(f.height, 375);
    EXPECT_EQ(f.fill, FillStyle::Solid);
    EXPECT_EQ(f.fillColor, (Color{255, 255, 0}));
    EXPECT_EQ(f.outline, (number == 2 ? Color{128, 64, 0} : Color{128, 0, 0}));
}

TEST(Repertoire, HoldsFiftyFiguresInWindowOrder) {
    const std::vector<Figure>& all = repertoire();
    ASSERT_EQ(all.size(), 50u);
    std::size_t i = 0;
    for (int t = 1; t <= 9; ++t) expectSubsystemRect(all[i++], t);
    for (int t = 1; t <= 9; ++t) expectEndemicRect(all[i++], t);
    for (int t = 1; t <= 8; ++t) expectEndemicLine(all[i++], t);
    for (int n = 1; n <= 24; ++n) expectPoint(all[i++], n);
    for (const Figure& f : all) EXPECT_EQ(f.outlineWidth, 1);
}

TEST(Repertoire, FigureLookupByGroupAndIndex) {
    struct Row {
        FigureGroup group;
        int count;
    };
    for (const Row& r : std::initializer_list<Row>{{FigureGroup::Subsystem, 9},
                                                   {FigureGroup::EndemicRectangle, 9},
                                                   {FigureGroup::EndemicLine, 8},
                                                   {FigureGroup::Point, 24}}) {
        for (int i = 1; i <= r.count; ++i) {
            const Figure& f = repertoireFigure(r.group, i);
            EXPECT_EQ(f.group, r.group);
            EXPECT_EQ(f.index, i);
            EXPECT_NE(std::find(repertoire().begin(), repertoire().end(), f), repertoire().end());
        }
        EXPECT_THROW(repertoireFigure(r.group, 0), std::out_of_range);
        EXPECT_THROW(repertoireFigure(r.group, r.count + 1), std::out_of_range);
    }
}

TEST(Repertoire, GroupNames) {
    EXPECT_EQ(groupName(FigureGroup::Subsystem), u"particolare"_s);
    EXPECT_EQ(groupName(FigureGroup::EndemicRectangle), u"Shape1"_s);
    EXPECT_EQ(groupName(FigureGroup::EndemicLine), u"Line1"_s);
    EXPECT_EQ(groupName(FigureGroup::Point), u"punti"_s);
}

// ---------------------------------------------------------------------------------------------
// Outline widths

TEST(OutlineWidth, FromTheValueTextComparedExactly) {
    struct Row {
        QString value;
        int endemic;
        int subsystem;
    };
    const std::vector<Row> rows = {
        {u"forte"_s, 9, 4},  {u"medio"_s, 7, 3},  {u"debole"_s, 5, 2}, {u""_s, 5, 2},
        {u"Forte"_s, 5, 2},  {u"FORTE"_s, 5, 2},  {u"Medio"_s, 5, 2},  {u" forte"_s, 5, 2},
        {u"forte "_s, 5, 2}, {u"medio "_s, 5, 2}, {u"fort"_s, 5, 2},   {u"fortissimo"_s, 5, 2},
        {u"altro"_s, 5, 2},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(endemicWidth(r.value), r.endemic) << '"' << r.value.toStdString() << '"';
        EXPECT_EQ(subsystemWidth(r.value), r.subsystem) << '"' << r.value.toStdString() << '"';
    }
}

// ---------------------------------------------------------------------------------------------
// Point subsets

std::vector<int> range(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}

TEST(PointSubset, EveryTypologyInRunOrder) {
    struct Row {
        int typology;
        std::vector<int> points;  // in the order the runs show them
        std::set<int> asSet;      // as read off the grid: rows, columns, quarters
    };
    const std::vector<int> numbers = range(1, 24);
    const std::set<int> all(numbers.begin(), numbers.end());
    const std::vector<Row> rows = {
        {1, range(1, 24), all},
        {2, range(1, 12), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {3, range(13, 24), {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
        {4,
         {4, 10, 16, 22, 5, 11, 17, 23, 6, 12, 18, 24},
         {4, 5, 6, 10, 11, 12, 16, 17, 18, 22, 23, 24}},
        {5, {1, 7, 13, 19, 2, 8, 14, 20, 3, 9, 15, 21}, {1, 2, 3, 7, 8, 9, 13, 14, 15, 19, 20, 21}},
        {6, {1, 7, 2, 8, 3, 9}, {1, 2, 3, 7, 8, 9}},
        {7, {4, 10, 5, 11, 6, 12}, {4, 5, 6, 10, 11, 12}},
        {8, {16, 22, 17, 23, 18, 24}, {16, 17, 18, 22, 23, 24}},
        {9, {13, 19, 14, 20, 15, 21}, {13, 14, 15, 19, 20, 21}},
        {0, range(1, 24), all},
        {10, range(1, 24), all},
        {12, range(1, 24), all},
        {-1, range(1, 24), all},
    };
    for (const Row& r : rows) {
        const std::vector<int> got = pointSubset(r.typology);
        EXPECT_EQ(got, r.points) << "typology " << r.typology;
        EXPECT_EQ(std::set<int>(got.begin(), got.end()), r.asSet) << "typology " << r.typology;
        EXPECT_EQ(std::set<int>(got.begin(), got.end()).size(), got.size())
            << "typology " << r.typology << " shows a point twice";
    }
}

// ---------------------------------------------------------------------------------------------
// What a model shows

struct Sub {
    std::optional<int> typology;
    QString value;
};

model::ModelData modelOf(std::optional<int> kind, std::optional<int> typology, const QString& value,
                         const QString& count, std::initializer_list<Sub> subs = {}) {
    model::ModelData m;
    if (kind) m.endemicKind = static_cast<model::EndemicKind>(*kind);
    m.endemicTypology = typology;
    m.endemicValue = value;
    m.subsystemCount = count;
    std::size_t i = 0;
    for (const Sub& s : subs) {
        m.subsystems.at(i).typology = s.typology;
        m.subsystems.at(i).value = s.value;
        ++i;
    }
    return m;
}

// A shown figure: which one, and with which outline width.
struct Shown {
    FigureGroup group;
    int index;
    int width;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << groupName(s.group).toStdString() << "(" << s.index << ") width " << s.width;
}

std::vector<Shown> shownOf(const ModelLayout& layout) {
    std::vector<Shown> out;
    for (const Figure& f : layout.shown) out.push_back({f.group, f.index, f.outlineWidth});
    return out;
}

// A shown figure is the repertoire's figure with only its outline width set.
void expectFromRepertoire(const ModelLayout& layout) {
    for (const Figure& f : layout.shown) {
        Figure base = repertoireFigure(f.group, f.index);
        base.outlineWidth = f.outlineWidth;
        EXPECT_EQ(f, base);
    }
}

std::vector<Shown> points(std::initializer_list<int> numbers, int width) {
    std::vector<Shown> out;
    for (int n : numbers) out.push_back({FigureGroup::Point, n, width});
    return out;
}

std::vector<Shown> allPoints(int width) {
    std::vector<Shown> out;
    for (int n = 1; n <= 24; ++n) out.push_back({FigureGroup::Point, n, width});
    return out;
}

std::vector<Shown> operator+(std::vector<Shown> a, const std::vector<Shown>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

constexpr FigureGroup kSub = FigureGroup::Subsystem;
constexpr FigureGroup kRect = FigureGroup::EndemicRectangle;
constexpr FigureGroup kLine = FigureGroup::EndemicLine;

TEST(LayoutModel, TotalSurfaceStrong) {
    const ModelLayout layout = layoutModel(modelOf(1, 1, u"forte"_s, u"0"_s));
    EXPECT_TRUE(layout.complete) << layout.failure.toStdString();
    ASSERT_EQ(layout.shown.size(), 1u);
    const Figure& f = layout.shown.front();
    EXPECT_EQ(f.group, kRect);
    EXPECT_EQ(f.index, 1);
    EXPECT_EQ(std::tie(f.left, f.top, f.width, f.height), std::make_tuple(240, 240, 9015, 5655));
    EXPECT_EQ(f.outline, tk::colors::kBlack);
    EXPECT_EQ(f.fill, FillStyle::Transparent);
    EXPECT_EQ(f.outlineWidth, 9);
}

TEST(LayoutModel, EastAndWestHalves) {
    const ModelLayout east = layoutModel(modelOf(1, 4, u"debole"_s, u"0"_s));
    ASSERT_EQ(east.shown.size(), 1u);
    EXPECT_EQ(
        std::tie(east.shown[0].left, east.shown[0].top, east.shown[0].width, east.shown[0].height),
        std::make_tuple(5040, 480, 3975, 5100));
    const ModelLayout west = layoutModel(modelOf(1, 5, u"debole"_s, u"0"_s));
    ASSERT_EQ(west.shown.size(), 1u);
    EXPECT_EQ(
        std::tie(west.shown[0].left, west.shown[0].top, west.shown[0].width, west.shown[0].height),
        std::make_tuple(480, 480, 3975, 5100));
}

TEST(LayoutModel, CentralCrossIsBothDiagonals) {
    const ModelLayout layout = layoutModel(modelOf(2, 9, u"medio"_s, u"0"_s));
    EXPECT_TRUE(layout.complete) << layout.failure.toStdString();
    ASSERT_EQ(shownOf(layout), (std::vector<Shown>{{kLine, 7, 7}, {kLine, 8, 7}}));
    EXPECT_EQ(
        std::tie(layout.shown[0].x1, layout.shown[0].y1, layout.shown[0].x2, layout.shown[0].y2),
        std::make_tuple(8880, 5280, 840, 720));
    EXPECT_EQ(
        std::tie(layout.shown[1].x1, layout.shown[1].y1, layout.shown[1].x2, layout.shown[1].y2),
        std::make_tuple(600, 5280, 8640, 720));
}

TEST(LayoutModel, SouthEastCornerPoints) {
    const ModelLayout layout = layoutModel(modelOf(3, 8, u"debole"_s, u"0"_s));
    EXPECT_TRUE(layout.complete) << layout.failure.toStdString();
    EXPECT_EQ(shownOf(layout), points({16, 22, 17, 23, 18, 24}, 5));
    for (const Figure& f : layout.shown) expectPoint(f, f.index);
}

// Rows whose drawing goes through: exactly these figures, in this order, with these widths.
TEST(LayoutModel, CompleteModels) {
    struct Row {
        const char* what;
        model::ModelData model;
        std::vector<Shown> expected;
    };
    const std::vector<Row> rows = {
        {"every endemic rectangle", modelOf(1, 7, u"medio"_s, u"0"_s), {{kRect, 7, 7}}},
        {"a single endemic line", modelOf(2, 3, u"forte"_s, u"0"_s), {{kLine, 3, 9}}},
        {"line 8 alone", modelOf(2, 8, u"debole"_s, u"0"_s), {{kLine, 8, 5}}},
        {"line 7 alone", modelOf(2, 7, u""_s, u"0"_s), {{kLine, 7, 5}}},
        {"the north half of the points", modelOf(3, 2, u"forte"_s, u"0"_s),
         points({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 9)},
        {"the west half of the points, column runs", modelOf(3, 5, u"medio"_s, u"0"_s),
         points({1, 7, 13, 19, 2, 8, 14, 20, 3, 9, 15, 21}, 7)},
        {"points of a typology outside 1..9 are all shown", modelOf(3, 0, u"medio"_s, u"0"_s),
         allPoints(7)},
        {"points of typology 12 are all shown", modelOf(3, 12, u"debole"_s, u"0"_s), allPoints(5)},
        {"points with no typology chosen are all shown",
         modelOf(3, std::nullopt, u"debole"_s, u"0"_s), allPoints(5)},
        {"a value differing only in case is weak",
         modelOf(1, 2, u"Forte"_s, u"0"_s),
         {{kRect, 2, 5}}},
        {"an unknown kind draws an endemic rectangle",
         modelOf(std::nullopt, 3, u"forte"_s, u"0"_s),
         {{kRect, 3, 9}}},
        {"kind 4 draws an endemic rectangle", modelOf(4, 6, u"medio"_s, u"0"_s), {{kRect, 6, 7}}},
        {"subsystems after the endemic figure, in numbering order, widths from their values",
         modelOf(1, 1, u"forte"_s, u"3"_s, {{6, u"forte"_s}, {2, u"medio"_s}, {9, u"debole"_s}}),
         {{kRect, 1, 9}, {kSub, 6, 4}, {kSub, 2, 3}, {kSub, 9, 2}}},
        {"a subsystem value differing only in case is weak",
         modelOf(1, 1, u"forte"_s, u"2"_s, {{1, u"FORTE"_s}, {3, u"forte "_s}}),
         {{kRect, 1, 9}, {kSub, 1, 2}, {kSub, 3, 2}}},
        {"the rectangle is chosen by typology, not by subsystem number",
         modelOf(2, 1, u"debole"_s, u"2"_s, {{8, u"forte"_s}, {4, u"medio"_s}}),
         {{kLine, 1, 5}, {kSub, 8, 4}, {kSub, 4, 3}}},
        {"a shared rectangle is shown once, where first shown, with the later width",
         modelOf(1, 2, u"medio"_s, u"3"_s, {{4, u"debole"_s}, {1, u"forte"_s}, {4, u"medio"_s}}),
         {{kRect, 2, 7}, {kSub, 4, 3}, {kSub, 1, 4}}},
        {"a shared rectangle takes the later width even when it is thinner",
         modelOf(1, 2, u"medio"_s, u"2"_s, {{5, u"forte"_s}, {5, u"debole"_s}}),
         {{kRect, 2, 7}, {kSub, 5, 2}}},
        {"subsystems above the count are ignored",
         modelOf(1, 3, u"debole"_s, u"3"_s,
                 {{1, u"debole"_s},
                  {2, u"debole"_s},
                  {3, u"debole"_s},
                  {4, u"forte"_s},
                  {5, u"forte"_s},
                  {6, u"forte"_s},
                  {7, u"forte"_s},
                  {8, u"forte"_s},
                  {9, u"forte"_s}}),
         {{kRect, 3, 5}, {kSub, 1, 2}, {kSub, 2, 2}, {kSub, 3, 2}}},
        {"a missing typology above the count is no failure",
         modelOf(1, 3, u"debole"_s, u"1"_s, {{7, u"medio"_s}, {std::nullopt, u""_s}}),
         {{kRect, 3, 5}, {kSub, 7, 3}}},
        {"all nine subsystems",
         modelOf(3, 6, u"forte"_s, u"9"_s,
                 {{9, u"forte"_s},
                  {8, u"medio"_s},
                  {7, u"debole"_s},
                  {6, u"forte"_s},
                  {5, u"medio"_s},
                  {4, u"debole"_s},
                  {3, u"forte"_s},
                  {2, u"medio"_s},
                  {1, u"debole"_s}}),
         points({1, 7, 2, 8, 3, 9}, 9) + std::vector<Shown>{{kSub, 9, 4},
                                                            {kSub, 8, 3},
                                                            {kSub, 7, 2},
                                                            {kSub, 6, 4},
                                                            {kSub, 5, 3},
                                                            {kSub, 4, 2},
                                                            {kSub, 3, 4},
                                                            {kSub, 2, 3},
                                                            {kSub, 1, 2}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const ModelLayout layout = layoutModel(r.model);
        EXPECT_TRUE(layout.complete) << layout.failure.toStdString();
        EXPECT_EQ(shownOf(layout), r.expected);
        expectFromRepertoire(layout);
        // Drawing again starts from a clean canvas: the same result.
        const ModelLayout again = layoutModel(r.model);
        EXPECT_EQ(again.shown, layout.shown);
        EXPECT_EQ(again.complete, layout.complete);
    }
}

// Rows whose drawing stops: what had been shown before it stopped.
TEST(LayoutModel, IncompleteModels) {
    struct Row {
        const char* what;
        model::ModelData model;
        std::optional<std::vector<Shown>> shownBefore;  // empty: not checked
    };
    const std::vector<Row> rows = {
        {"no count", modelOf(1, 1, u"forte"_s, u""_s, {{1, u"forte"_s}}), std::nullopt},
        {"a count that is not a number", modelOf(1, 1, u"forte"_s, u"tre"_s, {{1, u"forte"_s}}),
         std::nullopt},
        {"subsystem 2 without typology",
         modelOf(1, 1, u"medio"_s, u"3"_s,
                 {{2, u"forte"_s}, {std::nullopt, u"forte"_s}, {3, u"forte"_s}}),
         std::vector<Shown>{{kRect, 1, 7}, {kSub, 2, 4}}},
        {"subsystem 1 without typology, after points",
         modelOf(3, 7, u"debole"_s, u"2"_s, {{std::nullopt, u"medio"_s}, {5, u"medio"_s}}),
         points({4, 10, 5, 11, 6, 12}, 5)},
        {"subsystem 3 of typology 0",
         modelOf(2, 9, u"forte"_s, u"3"_s, {{1, u"medio"_s}, {2, u"debole"_s}, {0, u"forte"_s}}),
         std::vector<Shown>{{kLine, 7, 9}, {kLine, 8, 9}, {kSub, 1, 3}, {kSub, 2, 2}}},
        {"subsystem 2 of typology 10",
         modelOf(1, 4, u"forte"_s, u"2"_s, {{3, u"medio"_s}, {10, u"forte"_s}}),
         std::vector<Shown>{{kRect, 4, 9}, {kSub, 3, 3}}},
        {"kind 1 with typology 0", modelOf(1, 0, u"forte"_s, u"1"_s, {{1, u"forte"_s}}),
         std::vector<Shown>{}},
        {"kind 1 with typology 10", modelOf(1, 10, u"forte"_s, u"1"_s, {{1, u"forte"_s}}),
         std::vector<Shown>{}},
        {"kind 1 with no typology", modelOf(1, std::nullopt, u"forte"_s, u"1"_s, {{1, u"forte"_s}}),
         std::vector<Shown>{}},
        {"kind 2 with typology 0", modelOf(2, 0, u"forte"_s, u"1"_s, {{1, u"forte"_s}}),
         std::vector<Shown>{}},
        {"kind 2 with typology 10", modelOf(2, 10, u"forte"_s, u"1"_s, {{1, u"forte"_s}}),
         std::vector<Shown>{}},
        {"kind 2 with typology 12", modelOf(2, 12, u"medio"_s, u"1"_s, {{1, u"forte"_s}}),
         std::vector<Shown>{}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const ModelLayout layout = layoutModel(r.model);
        EXPECT_FALSE(layout.complete);
        EXPECT_FALSE(layout.failure.isEmpty());
        if (r.shownBefore) {
            EXPECT_EQ(shownOf(layout), *r.shownBefore);
            expectFromRepertoire(layout);
        }
    }
}

}  // namespace
}  // namespace zelmor::geometry
