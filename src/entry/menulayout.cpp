#include "menulayout.h"

#include "model/model.h"
#include "procedure.h"
#include "shared/workwindow.h"

namespace zelmor::entry {

namespace {

using shared::barButtonEntry;
using tk::Alignment;
using tk::ControlEntry;
using tk::ControlKind;
using tk::Font;
using tk::labelEntry;
using tk::Layout;
namespace colors = tk::colors;

const Font kBold825{QString(), 8.25, true, false};
const Font kBold12{QString(), 12, true, false};

// A typology frame and its nine options; the three frames share one rectangle.
void typologyFrame(Layout& out, const char* frame, const char* option, const char* caption,
                   const char* tip, const QStringList& captions, int optionWidth) {
    out.push_back({.kind = ControlKind::Frame,
                   .name = QString::fromLatin1(frame),
                   .rect = {240, 1800, 2775, 3615},
                   .caption = QString::fromUtf8(caption),
                   .tip = QString::fromUtf8(tip)});
    for (int j = 1; j <= 9; ++j) {
        out.push_back({.kind = ControlKind::OptionButton,
                       .name = QString::fromLatin1(option),
                       .index = j,
                       .container = QString::fromLatin1(frame),
                       .rect = {120, 240 + 360 * (j - 1), optionWidth, 375},
                       .caption = captions.at(j - 1)});
    }
}

// The endemic situation: its kind, typology caption and value.
void endemicSituation(Layout& out) {
    out.push_back({.kind = ControlKind::Frame,
                   .name = QStringLiteral("Frame4"),
                   .rect = {240, 600, 9015, 975},
                   .caption = QStringLiteral("Situazione endemica"),
                   .back = colors::kDarkGrey,
                   .font = kBold825});
    out.push_back(labelEntry("Label6", 0, "Frame4", {120, 240, 2295, 255},
                             QStringLiteral("Tipologia"), colors::kYellow,
                             "situazione generale del territorio o dell'area oggetto di studio"));
    ControlEntry typology =
        labelEntry("situazione", 0, "Frame4", {120, 480, 2295, 255}, QString(), colors::kCyan,
                   "riporta la tipologia scelta per la situazione endemica");
    typology.speech.name = QStringLiteral("tipologia della situazione endemica");
    out.push_back(typology);
    out.push_back(labelEntry("Label5", 0, "Frame4", {2400, 240, 855, 255}, QStringLiteral("Valore"),
                             colors::kYellow,
                             "scegliere il valore cliccando sulla freccia sottostante"));
    out.push_back(
        {.kind = ControlKind::ComboBox,
         .name = QStringLiteral("valore"),
         .container = QStringLiteral("Frame4"),
         .rect = {2400, 480, 855, 315},
         .tip = QStringLiteral("cliccare per scegliere il valore della situazione endemica"),
         .speech = {.name = QStringLiteral("valore della situazione endemica"),
                    .labelledBy = QStringLiteral("Label5")}});

    const struct {
        int left;
        int width;
        const char* tip;
    } kinds[] = {
        {3480, 1815, "cliccare per scegliere una situazione generale di tipo superficiale"},
        {5640, 1335, "cliccare per scegliere una situazione generale di tipo lineare"},
        {7200, 1695, "cliccare per scegliere una situazione generale di tipo puntuale"}};
    for (int k = 1; k <= 3; ++k) {
        out.push_back({.kind = ControlKind::OptionButton,
                       .name = QStringLiteral("endemica"),
                       .index = k,
                       .container = QStringLiteral("Frame4"),
                       .rect = {kinds[k - 1].left, 240, kinds[k - 1].width, 495},
                       .caption = model::kindCaptions().at(k - 1),
                       .tip = QString::fromUtf8(kinds[k - 1].tip),
                       .back = colors::kDarkGrey,
                       .fore = colors::kYellow,
                       .font = kBold12});
    }
}

// The number of subsystems, its arrows and the captions above the table.
void countAndHeadings(Layout& out) {
    out.push_back(labelEntry("Label1", 0, "", {3240, 2040, 1935, 255},
                             QStringLiteral("Numero dei sottosistemi"), colors::kYellow));
    ControlEntry count =
        labelEntry("sottosistemi", 0, "", {5280, 2040, 615, 255}, QString(), colors::kHighlightText,
                   "cliccare sulle frecce laterali per immettere il numero di sottosistemi");
    count.alignment = Alignment::Center;
    count.speech.name = QStringLiteral("numero dei sottosistemi");
    out.push_back(count);
    out.push_back({.kind = ControlKind::VScrollBar,
                   .name = QStringLiteral("VScroll1"),
                   .rect = {6000, 2040, 375, 255},
                   .speech = {.name = QStringLiteral("Numero dei sottosistemi"),
                              .labelledBy = QStringLiteral("Label1")}});
    out.push_back(labelEntry("Label2", 0, "", {6480, 2040, 2775, 255},
                             QStringLiteral("Legami tra sottosistemi"), colors::kYellow));
}

void rowsAndLinks(Layout& out) {
    // The subsystems' rows: tick, typology, value, marker, links and the links' eraser.
    for (int i = 1; i <= 9; ++i) {
        out.push_back({.kind = ControlKind::CheckBox,
                       .name = QStringLiteral("Check1"),
                       .index = i,
                       .rect = {3240, rowTop(i), 615, 255},
                       .caption = QStringLiteral("n.%1").arg(i),
                       .speech = {.name = QStringLiteral("sottosistema n.%1")}});
        ControlEntry typology =
            labelEntry("tiposotto", i, "", {3840, rowTop(i), 1335, 255}, QString(), colors::kCyan);
        typology.speech.name = QStringLiteral("tipologia del sottosistema n.%1");
        out.push_back(typology);
        out.push_back({.kind = ControlKind::ComboBox,
                       .name = QStringLiteral("Combo1"),
                       .index = i,
                       .rect = {5280, rowTop(i), 1095, 315},
                       .speech = {.name = QStringLiteral("valore del sottosistema n.%1")}});
        out.push_back({.kind = ControlKind::Image,
                       .name = QStringLiteral("Image1"),
                       .index = i,
                       .rect = {6480, rowTop(i), 375, 255},
                       .picture = QStringLiteral("arrow"),
                       .hidden = true,
                       .speech = {.name = QStringLiteral("sottosistema corrente")}});
        ControlEntry links =
            labelEntry("Label3", i, "", {6960, rowTop(i), 1935, 255}, QString(), colors::kCyan);
        links.speech.name = QStringLiteral("legami del sottosistema n.%1");
        out.push_back(links);
        out.push_back(
            {.kind = ControlKind::CommandButton,
             .name = QStringLiteral("correggo"),
             .index = i,
             .rect = {9000, rowTop(i), 255, 255},
             .picture = QStringLiteral("erase"),
             .hidden = true,
             .speech = {.name = QStringLiteral("cancella i legami del sottosistema n.%1")}});
    }
    for (int i = 1; i <= 9; ++i) {
        out.push_back({.kind = ControlKind::CommandButton,
                       .name = QStringLiteral("legami"),
                       .index = i,
                       .rect = {3240 + 360 * (i - 1), 4680, 375, 375},
                       .caption = QString::number(i),
                       .speech = {.name = QStringLiteral("legame con il sottosistema n.%1")}});
    }
    out.push_back({.kind = ControlKind::CommandButton,
                   .name = QStringLiteral("dopo"),
                   .rect = {6480, 4680, 375, 375},
                   .tip = QStringLiteral(
                       "cliccare per passare ai legami del sottosistema successivo o terminare"),
                   .picture = QStringLiteral("next")});
}

Layout build() {
    Layout out;
    endemicSituation(out);
    // The particular typologies' frame lies on top of the two endemic ones.
    typologyFrame(out, "Frame1", "Option1", "Tipologia situazione superficiale",
                  "cliccare sulla tipologia relativa alla situazione endemica prescelta",
                  model::areaTypologies(), 1815);
    typologyFrame(out, "Frame2", "Option2", "Tipologia situazione lineare",
                  "cliccare sulla tipologia relativa alla situazione endemica lineare",
                  model::linearTypologies(), 2535);
    typologyFrame(out, "Frame3", "Option3", "Tipologia situazione particolare",
                  "cliccare sulla tipologia riferita al sottosistema indicato",
                  model::particularTypologies(), 1815);

    countAndHeadings(out);
    rowsAndLinks(out);
    shared::addBottomBar(out, Procedure::kStartHint,
                         barButtonEntry("disegn", 6960, "&Disegno", "draw",
                                        "cliccare per visualizzare il disegno del modello"));
    return out;
}

}  // namespace

const tk::Layout& menuLayout() {
    static const tk::Layout layout = build();
    return layout;
}

}  // namespace zelmor::entry
