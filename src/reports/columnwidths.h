// The widths of a table's columns from what their cells hold, as a browser lays out a table of
// automatic width: every column as wide as its longest word at least, and the room left shared
// out by how much more each one's longest text needs to stand on one line. The office has no
// such layout of its own through its interface; the text is measured with the average advances
// of a geometric sans serif (Century Gothic and its clone), generously.
#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

namespace zelmor::reports {

// The advance of a text in em, one line, no wrapping: the wider of the book and demi weights
// of URW Gothic, letter by letter (accented letters as their base letter), and a little more,
// for Century Gothic itself and the borders' lines.
inline double emWidth(const QString& text) {
    // a..z and A..Z, in thousandths of an em.
    static constexpr short kLower[26] = {683, 682, 647, 685, 650, 314, 673, 610, 240,
                                         260, 580, 240, 940, 610, 655, 682, 682, 320,
                                         440, 339, 608, 560, 831, 560, 580, 460};
    static constexpr short kUpper[26] = {740, 580, 813, 744, 536, 485, 872, 683, 280,
                                         482, 620, 462, 919, 740, 869, 592, 871, 607,
                                         520, 426, 655, 702, 960, 680, 620, 500};
    constexpr double kGenerous = 1.08;
    double width = 0;
    for (const QChar c : text) {
        const QString decomposed = c.decomposition();
        const char16_t base = decomposed.isEmpty() ? c.unicode() : decomposed.front().unicode();
        if (base >= u'a' && base <= u'z') {
            width += kLower[base - u'a'] / 1000.0;
        } else if (base >= u'A' && base <= u'Z') {
            width += kUpper[base - u'A'] / 1000.0;
        } else if (base >= u'0' && base <= u'9') {
            width += 0.56;
        } else if (c.isSpace() || c.isPunct()) {
            width += 0.38;
        } else {
            width += 0.9;  // a letter or sign of another script: as wide as the widest
        }
    }
    return width * kGenerous;
}

// The advance of the longest word of a text, in em.
inline double longestWordEm(const QString& text) {
    double longest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longest = std::max(longest, emWidth(word));
    return longest;
}

// Widths, in the unit of `available`, that add up to it. `rows` holds the cells' texts row by
// row, every row as long, the first `headerRows` of them headings, which may go onto a second
// line between words rather than widen their column; `em` is the font's size and `padding` a
// cell's room on both sides together, in the same unit.
inline std::vector<double> columnWidths(const std::vector<QStringList>& rows, double available,
                                        double em, double padding, std::size_t headerRows = 1) {
    const std::size_t columns = rows.empty() ? 0 : static_cast<std::size_t>(rows.front().size());
    if (columns == 0) return {};
    std::vector<double> least(columns, padding);  // the longest word must fit
    std::vector<double> whole(columns, padding);  // the longest text on one line
    std::vector<double> data(columns, 0.0);       // the longest text below the headings
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        for (std::size_t c = 0; c < columns && c < static_cast<std::size_t>(row.size()); ++c) {
            const QString& text = row[static_cast<qsizetype>(c)];
            least[c] = std::max(least[c], longestWordEm(text) * em + padding);
            if (r >= headerRows) data[c] = std::max(data[c], emWidth(text) * em);
        }
    }
    for (std::size_t c = 0; c < columns; ++c) whole[c] = std::max(data[c] + padding, least[c]);
    const double leastSum = std::accumulate(least.begin(), least.end(), 0.0);
    const double wholeSum = std::accumulate(whole.begin(), whole.end(), 0.0);
    const double dataSum = std::accumulate(data.begin(), data.end(), 0.0);
    std::vector<double> widths(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        if (wholeSum <= available) {
            // Everything on one line: the room left goes to the columns by their texts, not by
            // their headings (a column of numbers stays narrow).
            const double share = dataSum > 0 ? data[c] / dataSum : 1.0 / double(columns);
            widths[c] = whole[c] + (available - wholeSum) * share;
        } else if (leastSum < available) {
            const double wanted = wholeSum - leastSum;
            widths[c] = least[c] + (whole[c] - least[c]) * (available - leastSum) / wanted;
        } else {
            // Words wider than the page: each column narrowed in proportion to its longest.
            widths[c] = least[c] * available / leastSum;
        }
    }
    return widths;
}

}  // namespace zelmor::reports
