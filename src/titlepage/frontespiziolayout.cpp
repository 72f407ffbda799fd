#include "frontespiziolayout.h"

#include "shared/workwindow.h"

namespace zelmor::titlepage {

namespace {

using shared::barButtonEntry;
using tk::ControlEntry;
using tk::ControlKind;
using tk::labelEntry;
using tk::Layout;
namespace colors = tk::colors;

constexpr tk::Color kNavy{0, 0, 128};

struct FieldEntry {
    const char* label;
    const char* caption;
    const char* tip;
    const char* field;
};

// The left column, top to bottom; the text boxes take tab places 0..6 in this order.
const FieldEntry kFields[7] = {
    {"Label2", " progetto....................:", "il tipo di progetto che si sta elaborando",
     "progetto"},
    {"Label3", " località......................:", "denominazione dei luoghi oggetto dello studio",
     "località"},
    {"Label4", " tipologia di studio......:",
     "ad esempio: 'analisi situazione attuale'; 'ipotesi situazione di progetto'; ecc.",
     "tipostudio"},
    {"Label6", " committente..............:", "chi ha commissionato lo studio", "committente"},
    {"Label10", " luogo elaborazione...:",
     "località in cui viene effettuata la elaborazione dei dati", "luogo"},
    {"label7", " data elaborazione.....:",
     "la data della elaborazione è importante per la formulazione di ipotesi e per il "
     "riferimento temporale delle analisi",
     "data"},
    {"Label9", " allegati alla relazione:", "grafici, disegni, planimetrie, foto, ecc.",
     "allegati"},
};

// A field's name for a screen reader: its label without the leading blank and the dots that
// line the captions up (" località......:" is "località").
QString spokenCaption(const char* caption) {
    QString said = QString::fromUtf8(caption);
    while (said.endsWith(QLatin1Char(':')) || said.endsWith(QLatin1Char('.'))) said.chop(1);
    return said.trimmed();
}

Layout build() {
    Layout out;
    ControlEntry heading =
        labelEntry("Label1", 0, "", {1320, 1080, 6855, 375},
                   QStringLiteral("MODELLO FENOMENOLOGICO ASPAZIALE"), std::nullopt);
    heading.font = tk::Font{QString(), 13.5, true, false};
    heading.fore = kNavy;
    heading.alignment = tk::Alignment::Center;
    out.push_back(heading);

    for (int k = 0; k < 7; ++k) {
        const FieldEntry& f = kFields[k];
        const int top = 2280 + 240 * k;
        out.push_back(labelEntry(f.label, 0, "", {120, top, 1695, 255},
                                 QString::fromUtf8(f.caption), colors::kYellow, f.tip));
        out.push_back({.kind = ControlKind::TextBox,
                       .name = QString::fromUtf8(f.field),
                       .rect = {1920, top, 3975, 285},
                       .back = colors::kWhite,
                       .tabIndex = k,
                       .speech = {.name = spokenCaption(f.caption),
                                  .labelledBy = QString::fromUtf8(f.label)}});
    }

    out.push_back(labelEntry("Label8", 0, "", {120, 4200, 1695, 255},
                             QStringLiteral(" studio tecnico...........:"), colors::kYellow,
                             "lo studio che ha effettuato la elaborazione"));
    // The office's name and address come from the settings: an "&" in them is theirs.
    const struct {
        const char* name;
        int top;
        const char* tip;
        const char* said;
    } office[] = {{"Labelstudio", 4200,
                   "dato non modificabile: il nome dello studio tecnico viene dalle impostazioni "
                   "del programma",
                   "studio tecnico"},
                  {"labelindirizzo", 4440,
                   "dato non modificabile: l'indirizzo dello studio tecnico viene dalle "
                   "impostazioni del programma",
                   "indirizzo dello studio tecnico"}};
    for (const auto& line : office) {
        ControlEntry entry = labelEntry(line.name, 0, "", {1920, line.top, 3975, 255}, QString(),
                                        colors::kCyan, line.tip);
        entry.mnemonic = false;
        entry.speech.name = QString::fromUtf8(line.said);
        out.push_back(entry);
    }

    out.push_back({.kind = ControlKind::Frame,
                   .name = QStringLiteral("Frame1"),
                   .rect = {6000, 1680, 3375, 3255},
                   .caption = QStringLiteral("Denominazione dei sottosistemi")});
    out.push_back(labelEntry("Label5", 0, "Frame1", {120, 480, 1335, 255},
                             QStringLiteral(" tipologia"), colors::kYellow, kFields[0].tip));
    out.push_back(labelEntry("Label11", 0, "Frame1", {1440, 480, 1815, 255},
                             QStringLiteral("denominazione"), colors::kYellow, kFields[0].tip));
    for (int i = 1; i <= 9; ++i) {
        ControlEntry typology = labelEntry(
            "tiposotto", i, "Frame1", {120, 600 + 240 * i, 1335, 255}, QString(), colors::kCyan);
        typology.speech.name = QStringLiteral("tipologia del sottosistema n.%1");
        out.push_back(typology);
        // Open once the title page knows the model's subsystems.
        out.push_back({.kind = ControlKind::TextBox,
                       .name = QStringLiteral("denominazione"),
                       .index = i,
                       .container = QStringLiteral("Frame1"),
                       .rect = {1440, 600 + 240 * i, 1815, 285},
                       .back = colors::kWhite,
                       .tabIndex = 6 + i,
                       .disabled = true,
                       .speech = {.name = QStringLiteral("denominazione del sottosistema n.%1")}});
    }

    shared::addBottomBar(
        out, QString(),
        barButtonEntry("stampa", 6960, "&Stampa", "print",
                       "cliccare per avere la stampa completa della elaborazione eseguita"));
    return out;
}

}  // namespace

const tk::Layout& titlePageLayout() {
    static const Layout layout = build();
    return layout;
}

const QStringList& titlePageFields() {
    static const QStringList names = [] {
        QStringList out;
        for (const FieldEntry& f : kFields) out << QString::fromUtf8(f.field);
        return out;
    }();
    return names;
}

}  // namespace zelmor::titlepage
