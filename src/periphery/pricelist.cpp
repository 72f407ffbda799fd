#include "pricelist.h"

#include "model/cp1252.h"

#include <QByteArrayView>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace zelmor::periphery {

namespace {

const QChar kEuro(0x20AC);

bool hasControlCharacters(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

// One line without its end; an entry when it is one.
std::optional<PriceEntry> parseLine(const QString& line) {
    const QStringList fields = line.split(QLatin1Char(';'));
    if (fields.size() != 3) return std::nullopt;
    PriceEntry e{fields[0].trimmed(), fields[1].trimmed(), fields[2].trimmed()};
    if (e.price.startsWith(kEuro)) e.price = e.price.mid(1).trimmed();
    if (e.code.isEmpty() || e.description.isEmpty() || !isPriceText(e.price)) return std::nullopt;
    if (hasControlCharacters(e.code) || hasControlCharacters(e.description)) return std::nullopt;
    return e;
}

}  // namespace

bool isPriceText(const QString& text) {
    // [0-9], not \d: other scripts' digits are not a price.
    static const QRegularExpression kPrice(
        QStringLiteral("^(?:[0-9]{1,3}(?:\\.[0-9]{3})+|[0-9]+),[0-9]{2}$"));
    return kPrice.match(text).hasMatch();
}

QString shownPrice(const PriceEntry& entry) {
    return QString(kEuro) + QLatin1Char(' ') + entry.price;
}

std::vector<PriceEntry> parsePriceList(const QByteArray& bytes) {
    std::vector<PriceEntry> entries;
    QByteArrayView data(bytes);
    const bool cut = data.size() > kMaxPriceListBytes;
    if (cut) data = data.first(kMaxPriceListBytes);
    const QByteArrayView bom("\xEF\xBB\xBF");
    const bool utf8 = data.startsWith(bom);
    if (utf8) data = data.sliced(bom.size());

    qsizetype start = 0;
    while (start < data.size() && entries.size() < kMaxPriceEntries) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0) {
            // The limit cut this line short: what is left of it is not the product written.
            if (cut) break;
            end = data.size();
        }
        QByteArrayView raw = data.sliced(start, end - start);
        start = end + 1;
        if (raw.endsWith('\r')) raw.chop(1);
        if (raw.size() > kMaxLineBytes) continue;
        const QString line = utf8 ? QString::fromUtf8(raw) : model::fromCp1252(raw.toByteArray());
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
        if (auto e = parseLine(line)) entries.push_back(std::move(*e));
    }
    return entries;
}

}  // namespace zelmor::periphery
