#include "encoding.h"

#include "cp1252.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace zelmor::model {
namespace {

// Calls f(start, length) for each grapheme cluster of text, in order; stops when f returns false.
template <class F>
void forEachCluster(const QString& text, F f) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        finder.setPosition(start);
        qsizetype end = finder.toNextBoundary();
        // Never less than one code point, so that a finder without data cannot stall the loop.
        if (end <= start) end = start + (text.at(start).isHighSurrogate() ? 2 : 1);
        end = std::min(end, text.size());
        if (!f(start, end - start)) return;
        start = end;
    }
}

// True when the code page turns some character of the cluster into "?".
bool loses(const QString& cluster) {
    return toCp1252(cluster).count('?') > cluster.count(QLatin1Char('?'));
}

int coveredSubsystems(const ModelData& model) {
    return std::clamp(model.count(), 0, kMaxSubsystems);
}

}  // namespace

QStringList unencodableCharacters(const QString& text) {
    QStringList lost;
    forEachCluster(text, [&](qsizetype start, qsizetype length) {
        const QString cluster = text.mid(start, length);
        if (loses(cluster) && !lost.contains(cluster)) lost.append(cluster);
        return true;
    });
    return lost;
}

void composeTexts(ModelData& model, TitlePage& title) {
    const auto compose = [](QString& s) { s = s.normalized(QString::NormalizationForm_C); };
    compose(model.endemicTypologyText);
    compose(model.endemicValue);
    compose(model.subsystemCount);
    for (Subsystem& s : model.subsystems) {
        compose(s.typologyText);
        compose(s.value);
        compose(s.links);
    }
    for (QString* s : {&title.project, &title.place, &title.studyType, &title.client, &title.town,
                       &title.date, &title.attachments})
        compose(*s);
    for (QString& d : title.denominations) compose(d);
}

std::vector<UnencodableField> unencodableFields(const ModelData& model, const TitlePage& title) {
    std::vector<UnencodableField> out;
    const auto field = [&out](const QString& name, const QString& text) {
        QStringList lost = unencodableCharacters(text);
        if (!lost.isEmpty()) out.push_back({name, std::move(lost)});
    };
    // The order of the data file, named as the windows label them.
    field(QStringLiteral("tipologia della situazione endemica"), model.endemicTypologyText);
    field(QStringLiteral("valore della situazione endemica"), model.endemicValue);
    field(QStringLiteral("numero dei sottosistemi"), model.subsystemCount);
    const int n = coveredSubsystems(model);
    for (int i = 1; i <= n; ++i) {
        const Subsystem& s = model.subsystems[static_cast<std::size_t>(i - 1)];
        const QString number = QString::number(i);
        field(QStringLiteral("tipologia del sottosistema n. ") + number, s.typologyText);
        field(QStringLiteral("valore del sottosistema n. ") + number, s.value);
        field(QStringLiteral("legami del sottosistema n. ") + number, s.links);
    }
    field(QStringLiteral("progetto"), title.project);
    field(QStringLiteral("località"), title.place);
    field(QStringLiteral("tipologia di studio"), title.studyType);
    field(QStringLiteral("committente"), title.client);
    field(QStringLiteral("luogo elaborazione"), title.town);
    field(QStringLiteral("data elaborazione"), title.date);
    field(QStringLiteral("allegati alla relazione"), title.attachments);
    for (int i = 1; i <= n; ++i) {
        field(QStringLiteral("denominazione del sottosistema n. ") + QString::number(i),
              title.denominations[static_cast<std::size_t>(i - 1)]);
    }
    return out;
}

int visibleLength(const QString& text) {
    int n = 0;
    forEachCluster(text, [&](qsizetype, qsizetype) {
        ++n;
        return true;
    });
    return n;
}

QString leftVisible(const QString& text, int n) {
    qsizetype end = 0;
    int taken = 0;
    forEachCluster(text, [&](qsizetype start, qsizetype length) {
        if (taken >= n) return false;
        ++taken;
        end = start + length;
        return true;
    });
    return text.left(end);
}

}  // namespace zelmor::model
