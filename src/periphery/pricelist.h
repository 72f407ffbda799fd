// The price list "listino.txt" that lies beside the program, read for the catalogue window.
//
// The file is Windows-1252 text (a UTF-8 byte-order mark at its start makes it UTF-8, as a
// modern editor may save it), with CR LF or LF line ends. Each product takes one line:
//
//     code;description;price
//
// Blanks around each field are ignored. Blank lines and lines whose first non-blank character
// is "#" are comments. The price is written with a decimal comma and two decimals, thousands
// optionally grouped with dots ("490,00", "1.250,00"), optionally after a euro sign; it is kept
// as written, without the sign. A line that is not of this shape (not three fields, an empty
// field, a price of any other form, control characters, longer than kMaxLineBytes) is skipped,
// so a damaged file shows what can still be read of it and never more.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <vector>

namespace zelmor::periphery {

struct PriceEntry {
    QString code;
    QString description;
    QString price;  // "490,00"
    bool operator==(const PriceEntry&) const = default;
};

// Limits on what is read: a real price list is a few hundred bytes.
inline constexpr qsizetype kMaxPriceListBytes = qsizetype{64} * 1024;
inline constexpr std::size_t kMaxPriceEntries = 200;
inline constexpr qsizetype kMaxLineBytes = 256;

// Entries in file order. Only the first kMaxPriceListBytes bytes count (a line cut by that limit
// is dropped) and at most kMaxPriceEntries entries are returned.
std::vector<PriceEntry> parsePriceList(const QByteArray& bytes);

// Whether a price is written as the list wants it ("490,00", "1.250,00").
bool isPriceText(const QString& text);

// The price as the catalogue shows it: "€ 490,00".
QString shownPrice(const PriceEntry& entry);

}  // namespace zelmor::periphery
