#include "ufficioform.h"

#include "common.h"
#include "informaform.h"
#include "shared/windows.h"

#include <QRegularExpression>

namespace zelmor::periphery {

namespace {

// What a text box can hold as one settings value: one line, without leading or trailing blanks.
QString oneLine(const QString& typed) {
    static const QRegularExpression kBreaks(QStringLiteral("[\\r\\n\\t\\x{2028}\\x{2029}]+"));
    return QString(typed).replace(kBreaks, QStringLiteral(" ")).trimmed();
}

}  // namespace

UfficioForm::UfficioForm(tk::Application& app, shared::ModZelmor& shared)
    : tk::Form(app, shared::window::kOffice), shared_(&shared) {
    build();
}

void UfficioForm::build() {
    setCaption(QStringLiteral("Zelmor: dati dell'ufficio tecnico"));
    setBackColor(tk::colors::kLightGrey);
    setWidth(6300);
    setHeight(3000);

    addLabel(*this, QStringLiteral("intro"), 0, nullptr, {240, 180, 5730, 450},
             QStringLiteral("L'ufficio tecnico che usa il programma: compare nel frontespizio e "
                            "nella relazione completa."));
    addLabel(*this, QStringLiteral("Label1"), 0, nullptr, {240, 810, 1095, 255},
             QStringLiteral("&Nome:"), std::nullopt, kBoldFont);
    tk::Control& office = add(tk::ControlKind::TextBox, QStringLiteral("nome"));
    office.setGeometry({1440, 780, 4530, 315});
    office.setToolTip(QStringLiteral("nome dell'ufficio tecnico"));
    addLabel(*this, QStringLiteral("Label2"), 0, nullptr, {240, 1290, 1095, 255},
             QStringLiteral("&Indirizzo:"), std::nullopt, kBoldFont);
    tk::Control& address = add(tk::ControlKind::TextBox, QStringLiteral("indirizzo"));
    address.setGeometry({1440, 1260, 4530, 315});
    address.setToolTip(QStringLiteral("indirizzo dell'ufficio tecnico"));

    tk::Control& ok =
        addButton(*this, QStringLiteral("ok"), {3360, 2040, 1215, 375}, QStringLiteral("&OK"),
                  QStringLiteral("cliccare per conservare i dati dell'ufficio"));
    ok.onClick = [this] { ok_Click(); };
    tk::Control& cancel = addButton(*this, QStringLiteral("annulla"), {4755, 2040, 1215, 375},
                                    QStringLiteral("&Annulla"),
                                    QStringLiteral("cliccare per chiudere senza cambiare"));
    cancel.onClick = [this] { app().unload(name()); };
    // Enter keeps what was typed, Escape leaves it.
    setDefaultButton(ok);
    setCancelButton(cancel);
}

void UfficioForm::load() {
    at(QStringLiteral("nome")).setText(shared_->office().name);
    at(QStringLiteral("indirizzo")).setText(shared_->office().address);
    centreOnScreen();
}

void UfficioForm::ok_Click() {
    const shared::OfficeData office{oneLine(at(QStringLiteral("nome")).text()),
                                    oneLine(at(QStringLiteral("indirizzo")).text())};
    if (!shared_->setOfficeData(office)) {
        // The window stays open with what was typed, so that nothing is lost.
        app().message(tk::MessageIcon::Critical, shared_->product().name,
                      QStringLiteral("Non è stato possibile conservare i dati dell'ufficio nelle "
                                     "impostazioni del programma: controllare che il file delle "
                                     "impostazioni sia scrivibile, poi riprovare."));
        return;
    }
    if (auto* about = app().formAs<InformaForm>(shared::window::kAbout)) about->showOffice();
    app().unload(name());
}

}  // namespace zelmor::periphery
