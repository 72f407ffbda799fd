#include "informaform.h"

#include "common.h"
#include "shared/windows.h"

namespace zelmor::periphery {

using tk::ControlKind;

namespace {

const QString kNoOffice =
    QStringLiteral("Ufficio non indicato nelle impostazioni: vedere \"Ufficio...\"");

}  // namespace

InformaForm::InformaForm(tk::Application& app, shared::ModZelmor& shared)
    : tk::Form(app, shared::window::kAbout), shared_(&shared) {
    build();
}

void InformaForm::build() {
    setCaption(QStringLiteral("Informazioni su Zelmor"));
    setBackColor(tk::colors::kLightGrey);
    setWidth(6300);
    setHeight(4200);

    tk::Control& picture = add(ControlKind::Image, QStringLiteral("Image1"));
    picture.setGeometry({240, 240, 960, 960});
    picture.setPicture(QStringLiteral("about"));
    picture.setSpeech({.silent = true});  // the product's mark; the name beside it says it

    addLabel(*this, QStringLiteral("nome"), 0, nullptr, {1440, 120, 4530, 600}, QString(),
             std::nullopt, tk::Font{QStringLiteral("Arial Black"), 20, true, false})
        .setForeColor(kNavy);
    addLabel(*this, QStringLiteral("sottotitolo"), 0, nullptr, {1440, 720, 4530, 255}, QString(),
             std::nullopt, tk::Font{QString(), 8.25, false, true});
    addLabel(*this, QStringLiteral("versione"), 0, nullptr, {1440, 1020, 4530, 255}, QString());
    addLabel(*this, QStringLiteral("copyright"), 0, nullptr, {1440, 1290, 4530, 255}, QString());
    addLabel(*this, QStringLiteral("produttore"), 0, nullptr, {1440, 1560, 4530, 255},
             QStringLiteral("software VELTRANO"), std::nullopt, kBoldFont);

    tk::Control& licence = add(ControlKind::Frame, QStringLiteral("licenza"));
    licence.setGeometry({240, 1920, 5730, 1020});
    licence.setText(QStringLiteral("Programma concesso in licenza a"));
    licence.setFont(kBoldFont);
    addLabel(*this, QStringLiteral("ufficio"), 0, &licence, {120, 300, 5490, 255}, QString(),
             tk::colors::kCyan, kBoldFont);
    addLabel(*this, QStringLiteral("indirizzo"), 0, &licence, {120, 600, 5490, 255}, QString(),
             tk::colors::kCyan);

    addLabel(*this, QStringLiteral("diritti"), 0, nullptr, {240, 3300, 2880, 255},
             QStringLiteral("Tutti i diritti riservati."));
    tk::Control& ok =
        addButton(*this, QStringLiteral("ok"), {4755, 3240, 1215, 375}, QStringLiteral("&OK"),
                  QStringLiteral("cliccare per chiudere la finestra"));
    ok.onClick = [this] { app().unload(name()); };
    setDefaultButton(ok);
    setCancelButton(ok);
    // After OK, which takes the keyboard first and answers Enter.
    addButton(*this, QStringLiteral("cmdufficio"), {3360, 3240, 1275, 375},
              QStringLiteral("&Ufficio..."),
              QStringLiteral("cliccare per indicare il nome e l'indirizzo dell'ufficio tecnico"))
        .onClick = [this] { app().show(shared::window::kOffice); };
}

QString InformaForm::yearRange(const QString& yearCode) {
    const QString first = QStringLiteral("1999");
    const QString last = yearCode.right(2);
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    const bool twoDigits = last.size() == 2 && digit(last.at(0)) && digit(last.at(1));
    return twoDigits ? first + QStringLiteral("-20") + last : first;
}

void InformaForm::load() {
    const shared::ModZelmor& s = *shared_;
    at(QStringLiteral("nome")).setText(s.product().name);
    at(QStringLiteral("sottotitolo")).setText(s.product().subtitle);
    at(QStringLiteral("versione"))
        .setText(QStringLiteral("Versione %1 del %2").arg(s.product().version, s.product().date));
    at(QStringLiteral("copyright"))
        .setText(QStringLiteral("Copyright © %1").arg(yearRange(s.product().yearCode)));

    showOffice();
    centreOnScreen();
}

void InformaForm::showOffice() {
    const shared::ModZelmor& s = *shared_;
    // The office lines that are set, one under the other; a note when neither is.
    QStringList lines;
    for (const QString& line : {s.office().name.trimmed(), s.office().address.trimmed()}) {
        if (!line.isEmpty()) lines.append(line);
    }
    if (lines.isEmpty()) lines.append(kNoOffice);
    tk::Control& office = at(QStringLiteral("ufficio"));
    tk::Control& address = at(QStringLiteral("indirizzo"));
    office.setUseMnemonic(false);
    address.setUseMnemonic(false);
    office.setText(lines.at(0));
    address.setText(lines.value(1));
    address.setVisible(lines.size() > 1);
}

}  // namespace zelmor::periphery
