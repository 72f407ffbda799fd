#include "modelwords.h"

#include <QStringList>

namespace zelmor::model {

namespace {

QString orMissing(const QString& text, const char* missing) {
    const QString t = text.simplified();
    return t.isEmpty() ? QString::fromUtf8(missing) : t;
}

// "n.2", "n.2 e n.5", "n.2, n.5 e n.7".
QString numbers(const std::vector<int>& linked) {
    QStringList parts;
    for (int n : linked) parts << QStringLiteral("n.%1").arg(n);
    if (parts.size() <= 1) return parts.join(QString());
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

QString linksInWords(const QString& links) {
    const QString t = links.simplified();
    if (t.isEmpty()) return QStringLiteral("legami non ancora immessi");
    const std::vector<int> linked = linkedNumbers(t);
    if (linked.empty()) return QStringLiteral("senza legami");
    return (linked.size() == 1 ? QStringLiteral("legato al sottosistema ")
                               : QStringLiteral("legato ai sottosistemi ")) +
           numbers(linked);
}

QString zoneOf(const Subsystem& s) {
    QString zone = s.typologyText.simplified();
    if (zone.isEmpty() && s.typology && *s.typology >= 1 &&
        *s.typology <= particularTypologies().size()) {
        zone = particularTypologies().at(*s.typology - 1);
    }
    return zone.isEmpty() ? QStringLiteral("zona non scelta") : QStringLiteral("zona ") + zone;
}

}  // namespace

QString drawingTitle() {
    return QStringLiteral("Disegno del modello");
}

QString modelInWords(const ModelData& model) {
    QStringList sentences;
    if (model.endemicKind) {
        sentences << QStringLiteral("Situazione endemica %1, tipologia %2, valore %3.")
                         .arg(kindReportName(model.endemicKind),
                              orMissing(model.endemicTypologyText, "non scelta"),
                              orMissing(model.endemicValue, "non scelto"));
    } else {
        sentences << QStringLiteral("Situazione endemica non scelta.");
    }
    const int count = model.count();
    if (count == 0) {
        sentences << QStringLiteral("Nessun sottosistema.");
    } else {
        sentences << (count == 1 ? QStringLiteral("Un sottosistema.")
                                 : QStringLiteral("%1 sottosistemi.").arg(count));
    }
    for (int i = 1; i <= count; ++i) {
        const Subsystem& s = model.subsystems.at(static_cast<std::size_t>(i - 1));
        sentences << QStringLiteral("Sottosistema n.%1: %2, valore %3, %4.")
                         .arg(QString::number(i), zoneOf(s), orMissing(s.value, "non scelto"),
                              linksInWords(s.links));
    }
    return sentences.join(QLatin1Char(' '));
}

}  // namespace zelmor::model
