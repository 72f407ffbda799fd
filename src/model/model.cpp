#include "model.h"

#include <algorithm>

namespace zelmor::model {

std::optional<EndemicKind> endemicKindOf(int number) {
    if (number < 1 || number > 3) return std::nullopt;
    return static_cast<EndemicKind>(number);
}

std::optional<int> numberOfSubsystems(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 4) return std::nullopt;
    int n = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

int countOf(const QString& text) {
    const int n = numberOfSubsystems(text).value_or(0);
    return n >= 1 && n <= kMaxSubsystems ? n : 0;
}

int ModelData::count() const {
    return countOf(subsystemCount);
}

bool ModelData::hasEndemicTypology() const {
    const QStringList& table = endemicTypologies(endemicKind);
    const int index = endemicTypology.value_or(0);
    return index >= 1 && index <= table.size() && table[index - 1] == endemicTypologyText;
}

bool ModelData::isComplete() const {
    const int n = count();
    if (n == 0 || !hasEndemicTypology() || endemicValue.isEmpty()) return false;
    for (int i = 0; i < n; ++i) {
        const Subsystem& s = subsystems[static_cast<std::size_t>(i)];
        if (!s.typology || s.typologyText.isEmpty() || s.value.isEmpty() || s.links.isEmpty())
            return false;
    }
    return true;
}

const QStringList& kindCaptions() {
    static const QStringList v{QStringLiteral(" &superficiale"), QStringLiteral("&lineare"),
                               QStringLiteral("&puntuale")};
    return v;
}

const QStringList& kindReportNames() {
    static const QStringList v{QStringLiteral("superficiale"), QStringLiteral("lineare"),
                               QStringLiteral("puntuale")};
    return v;
}

const QStringList& valueItems() {
    static const QStringList v{QStringLiteral("debole"), QStringLiteral("medio"),
                               QStringLiteral("forte")};
    return v;
}

const QStringList& areaTypologies() {
    static const QStringList v{
        QStringLiteral("totale"),          QStringLiteral("lato nord"),
        QStringLiteral("lato sud"),        QStringLiteral("lato est"),
        QStringLiteral("lato ovest"),      QStringLiteral("angolo nord-ovest"),
        QStringLiteral("angolo nord-est"), QStringLiteral("angolo sud-est"),
        QStringLiteral("angolo sud-ovest")};
    return v;
}

const QStringList& linearTypologies() {
    static const QStringList v{QStringLiteral("longitudinale nord"),
                               QStringLiteral("longitudinale centro"),
                               QStringLiteral("longitudinale sud"),
                               QStringLiteral("trasversale ovest"),
                               QStringLiteral("trasversale centro"),
                               QStringLiteral("trasversale est"),
                               QStringLiteral("trasversale nord-ovest/sud-est"),
                               QStringLiteral("trasversale nord-est/sud-ovest"),
                               QStringLiteral("croce centrale")};
    return v;
}

const QStringList& particularTypologies() {
    static const QStringList v{
        QStringLiteral("centrale"),        QStringLiteral("lato nord"),
        QStringLiteral("lato sud"),        QStringLiteral("lato est"),
        QStringLiteral("lato ovest"),      QStringLiteral("angolo nord-ovest"),
        QStringLiteral("angolo nord-est"), QStringLiteral("angolo sud-est"),
        QStringLiteral("angolo sud-ovest")};
    return v;
}

const QStringList& endemicTypologies(std::optional<EndemicKind> kind) {
    static const QStringList none;
    if (!kind) return none;
    return *kind == EndemicKind::Lineare ? linearTypologies() : areaTypologies();
}

QString kindCaption(EndemicKind kind) {
    return kindCaptions().at(numberOf(kind) - 1);
}

QString kindReportName(std::optional<EndemicKind> kind) {
    switch (kind.value_or(EndemicKind::Superficiale)) {
        case EndemicKind::Lineare:
            return kindReportNames().at(1);
        case EndemicKind::Puntuale:
            return kindReportNames().at(2);
        case EndemicKind::Superficiale:
            break;
    }
    return kindReportNames().at(0);
}

QString linkText(const std::vector<int>& numbers) {
    if (numbers.empty()) return QStringLiteral("con nessuno");
    QString text = QStringLiteral("con ");
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += QLatin1Char('-');
        text += QString::number(numbers[i]);
    }
    return text;
}

int linkedNumber(QChar c) {
    return c >= QLatin1Char('1') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0;
}

std::vector<int> linkedNumbers(const QString& links) {
    std::vector<int> out;
    for (QChar c : links) {
        if (const int d = linkedNumber(c)) out.push_back(d);
    }
    return out;
}

QString usableLinks(const QString& links, int self, int count) {
    std::vector<int> kept;
    bool dropped = false;
    for (int d : linkedNumbers(links)) {
        if (d == self || d > count || std::find(kept.begin(), kept.end(), d) != kept.end()) {
            dropped = true;
        } else {
            kept.push_back(d);
        }
    }
    return dropped ? linkText(kept) : links;
}

}  // namespace zelmor::model
