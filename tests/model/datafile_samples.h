// Models shared by the data file tests, and the way back from what the reader returns to a model.
#pragma once

#include "model/datafile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>

namespace zelmor::model {

// Readable failure messages.
inline void PrintTo(const Subsystem& s, std::ostream* os) {
    *os << "{" << (s.typology ? std::to_string(*s.typology) : "-") << ", \""
        << s.typologyText.toStdString() << "\", \"" << s.value.toStdString() << "\", \""
        << s.links.toStdString() << "\"}";
}

inline void PrintTo(const ModelData& m, std::ostream* os) {
    *os << "{kind " << (m.endemicKind ? std::to_string(model::numberOf(*m.endemicKind)) : "-")
        << ", \"" << m.endemicTypologyText.toStdString() << "\", "
        << (m.endemicTypology ? std::to_string(*m.endemicTypology) : "-") << ", \""
        << m.endemicValue.toStdString() << "\", count \"" << m.subsystemCount.toStdString() << "\"";
    for (const Subsystem& s : m.subsystems) {
        *os << ", ";
        PrintTo(s, os);
    }
    *os << "}";
}

inline void PrintTo(const TitlePage& t, std::ostream* os) {
    *os << "{" << t.project.left(80).toStdString() << " | " << t.place.toStdString() << " | "
        << t.studyType.toStdString() << " | " << t.client.toStdString() << " | "
        << t.town.toStdString() << " | " << t.date.toStdString() << " | "
        << t.attachments.toStdString();
    for (const QString& d : t.denominations) *os << " | " << d.toStdString();
    *os << "}";
}

}  // namespace zelmor::model

namespace zelmor::model::samples {

using namespace Qt::StringLiterals;

// Lines joined with the file's CR LF, each one terminated.
inline QByteArray crlfLines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

inline QByteArray readBinary(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// The part of a model the file carries: subsystems beyond the count are not saved.
inline ModelData savedPart(ModelData m) {
    for (int i = std::max(m.count(), 0); i < kMaxSubsystems; ++i) m.subsystems[i] = Subsystem{};
    return m;
}

inline TitlePage savedPart(TitlePage t, int count) {
    for (int i = std::max(count, 0); i < kMaxSubsystems; ++i) t.denominations[i].clear();
    return t;
}

// The two-subsystem example of the classic layout.
inline QByteArray exampleBytes() {
    return crlfLines({R"(1,"lato nord",2,"medio","2")", R"(6,"angolo nord-ovest","forte","con 2")",
                      R"(1,"centrale","debole","con nessuno")", R"("A","B","C")",
                      R"("D","E","F","G")", R"("H")", R"("I")"});
}

inline ModelData exampleModel() {
    ModelData m;
    m.endemicKind = model::EndemicKind::Superficiale;
    m.endemicTypologyText = QStringLiteral("lato nord");
    m.endemicTypology = 2;
    m.endemicValue = QStringLiteral("medio");
    m.subsystemCount = QStringLiteral("2");
    m.subsystems[0] = {6, QStringLiteral("angolo nord-ovest"), QStringLiteral("forte"),
                       QStringLiteral("con 2")};
    m.subsystems[1] = {1, QStringLiteral("centrale"), QStringLiteral("debole"),
                       QStringLiteral("con nessuno")};
    return m;
}

inline TitlePage exampleTitle() {
    TitlePage t;
    t.project = QStringLiteral("A");
    t.place = QStringLiteral("B");
    t.studyType = QStringLiteral("C");
    t.client = QStringLiteral("D");
    t.town = QStringLiteral("E");
    t.date = QStringLiteral("F");
    t.attachments = QStringLiteral("G");
    t.denominations[0] = QStringLiteral("H");
    t.denominations[1] = QStringLiteral("I");
    return t;
}

// A full model with accented letters, a quote, commas, an unchosen subsystem and one whose
// typology was never set; tests/data/datafile_nine.dat holds it.
inline ModelData nineModel() {
    ModelData m;
    m.endemicKind = model::EndemicKind::Lineare;
    m.endemicTypologyText = QStringLiteral("longitudinale centro");
    m.endemicTypology = 2;
    m.endemicValue = QStringLiteral("forte");
    m.subsystemCount = QStringLiteral("9");
    m.subsystems = {{
        {1, u"centrale"_s, u"forte"_s, u"con 2-3"_s},
        {2, u"lato nord"_s, u"medio"_s, u"con 1"_s},
        {3, u"lato sud"_s, u"debole"_s, u"con 1"_s},
        {4, u"lato est"_s, u"medio"_s, u"con 5"_s},
        {5, u"lato ovest"_s, u"debole"_s, u"con 4"_s},
        {6, u"angolo nord-ovest"_s, u"forte"_s, u"con 7-8-9"_s},
        {7, u"angolo nord-est"_s, u"medio"_s, u"con nessuno"_s},
        {std::nullopt, {}, {}, {}},
        {std::nullopt, u"angolo sud-ovest"_s, u"molto forte, in crescita"_s, u"con 6"_s},
    }};
    return m;
}

inline TitlePage nineTitle() {
    TitlePage t;
    t.project = u"Variante al P.R.G. \"Borgo Nuovo\""_s;
    t.place = u"località Cà Bianca"_s;
    t.studyType = u"studio di impatto ambientale"_s;
    t.client = u"Comune di Forlì"_s;
    t.town = u"Città di Castello"_s;
    t.date = u"12/03/1999"_s;
    t.attachments = u"tavole 1-4, relazione"_s;
    t.denominations = {
        u"Piazza più alta"_s, u"Via dell'Università"_s, u"Scuola"_s,  u"Chiesa di San Michele"_s,
        u"Mercato"_s,         u"Caffè \"Roma\""_s,      u"Porta è"_s, u""_s,
        u"Ospedale – nuovo"_s};
    return t;
}

}  // namespace zelmor::model::samples
