#include "model.h"

namespace zelmor::model {

int ModelData::count() const {
    bool ok = false;
    const int n = subsystemCount.trimmed().toInt(&ok);
    return ok ? n : 0;
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

QString linkText(const std::vector<int>& numbers) {
    if (numbers.empty()) return QStringLiteral("con nessuno");
    QString text = QStringLiteral("con ");
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += QLatin1Char('-');
        text += QString::number(numbers[i]);
    }
    return text;
}

std::vector<int> linkedNumbers(const QString& links) {
    std::vector<int> out;
    for (QChar c : links) {
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) out.push_back(c.unicode() - '0');
    }
    return out;
}

}  // namespace zelmor::model
