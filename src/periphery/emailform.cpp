#include "emailform.h"

#include "common.h"
#include "shared/windows.h"

namespace zelmor::periphery {

EmailForm::EmailForm(tk::Application& app, shared::ModZelmor& /*shared*/)
    : tk::Form(app, shared::window::kEmail) {
    build();
}

void EmailForm::build() {
    setCaption(QStringLiteral("Zelmor: messaggio al supporto"));
    setBackColor(tk::colors::kLightGrey);
    setWidth(6000);
    setHeight(4200);

    addLabel(*this, QStringLiteral("intro"), 0, nullptr, {240, 180, 5430, 255},
             QStringLiteral("Descrivere brevemente il problema o la richiesta."));
    addLabel(*this, QStringLiteral("Label1"), 0, nullptr, {240, 600, 1095, 255},
             QStringLiteral("Oggetto:"), std::nullopt, kBoldFont);
    tk::Control& subject = add(tk::ControlKind::TextBox, QStringLiteral("oggetto"));
    subject.setGeometry({1440, 570, 4230, 315});
    subject.setToolTip(QStringLiteral("argomento del messaggio, in poche parole"));
    addLabel(*this, QStringLiteral("Label2"), 0, nullptr, {240, 1020, 1095, 255},
             QStringLiteral("Messaggio:"), std::nullopt, kBoldFont);
    tk::Control& text = add(tk::ControlKind::TextBox, QStringLiteral("messaggio"));
    text.setGeometry({1440, 990, 4230, 2130});
    text.setToolTip(QStringLiteral("testo del messaggio"));

    addButton(*this, QStringLiteral("chiudi"), {4455, 3300, 1215, 375}, QStringLiteral("&Chiudi"),
              QStringLiteral("cliccare per chiudere la finestra"))
        .onClick = [this] { app().unload(name()); };
}

void EmailForm::load() {
    centreOnScreen();
}

}  // namespace zelmor::periphery
