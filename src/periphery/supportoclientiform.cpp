#include "supportoclientiform.h"

#include "common.h"
#include "shared/windows.h"

namespace zelmor::periphery {

SupportoClientiForm::SupportoClientiForm(tk::Application& app, shared::ModZelmor& shared)
    : tk::Form(app, shared::window::kSupport), shared_(&shared) {
    build();
}

void SupportoClientiForm::build() {
    setCaption(QStringLiteral("Zelmor: supporto prodotto"));
    setBackColor(tk::colors::kLightGrey);
    setWidth(7200);
    setHeight(4800);

    tk::Control& picture = add(tk::ControlKind::Image, QStringLiteral("Image1"));
    picture.setGeometry({240, 180, 480, 480});
    picture.setPicture(QStringLiteral("support"));
    picture.setSpeech({.silent = true});  // an ornament beside the title
    addLabel(*this, QStringLiteral("titolo"), 0, nullptr, {840, 270, 6030, 360},
             QStringLiteral("Come ottenere assistenza su Zelmor"), std::nullopt, kTitleFont)
        .setForeColor(kNavy);

    static const char* const kItemTexts[kItems] = {
        "Consultare la guida con il tasto 'Guida in linea' delle finestre di lavoro.",
        "Leggere i suggerimenti: menu '?', voce 'Suggerimenti...'.",
        ("Per segnalare un problema annotare la versione (in 'Informazioni su Zelmor'), i passi "
         "eseguiti e il file \"Zelmor-dati-...\" in uso."),
        "Per ogni altro dubbio rivolgersi al referente tecnico del proprio ufficio.",
    };
    for (int i = 1; i <= kItems; ++i) {
        const int top = 900 + 660 * (i - 1);
        addLabel(*this, QStringLiteral("numero"), i, nullptr, {240, top, 375, 255},
                 QString::number(i), tk::colors::kYellow, kBoldFont)
            .setAlignment(tk::Alignment::Center);
        addLabel(*this, QStringLiteral("voce"), i, nullptr, {720, top, 6150, 495},
                 QString::fromUtf8(kItemTexts[i - 1]));
    }

    addLabel(*this, QStringLiteral("versione"), 0, nullptr, {240, 3900, 3600, 255}, QString());
    addButton(*this, QStringLiteral("listino"), {3960, 3840, 1575, 375},
              QStringLiteral("&Listino prezzi"),
              QStringLiteral("cliccare per vedere i prodotti e i prezzi"))
        .onClick = [this] { shared_->showWindow(shared::window::kCatalogue); };
    addButton(*this, QStringLiteral("chiudi"), {5655, 3840, 1215, 375}, QStringLiteral("&Chiudi"),
              QStringLiteral("cliccare per chiudere la finestra"))
        .onClick = [this] { app().unload(name()); };
}

void SupportoClientiForm::load() {
    at(QStringLiteral("versione"))
        .setText(QStringLiteral("Versione in uso: %1 del %2")
                     .arg(shared_->product().version, shared_->product().date));
    centreOnScreen();
}

}  // namespace zelmor::periphery
