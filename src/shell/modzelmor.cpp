#include "modzelmor.h"

namespace zelmor::shell {

void ModZelmor::initProductTexts() {
    productName = QStringLiteral("Zelmor");
    productSubtitle = QStringLiteral("composizioni di modelli logici aspaziali");
    productVersion = QStringLiteral("4.04.05");
    productDate = QStringLiteral("14/02/99");
    productYearCode = QStringLiteral("281211");
}

void ModZelmor::initMessageTitles() {
    titleDataCheck = productName + QStringLiteral(": controllo dati immessi nella finestra attiva");
    titleOnlineHelp = productName + QStringLiteral(": aiuto in linea");
    titleDeleteFile =
        QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo");
}

void ModZelmor::loadOfficeData() {
    officeName = app_->platform().setting(QStringLiteral("ufficio/nome"));
    officeAddress = app_->platform().setting(QStringLiteral("ufficio/indirizzo"));
}

void ModZelmor::showWindow(const QString& name) {
    if (app_->isRegistered(name)) app_->show(name);
}

TitlePageHolder* ModZelmor::titlePageWindow() {
    const QString name = QStringLiteral("frontespizio");
    if (!app_->isRegistered(name)) return nullptr;
    return dynamic_cast<TitlePageHolder*>(&app_->load(name));
}

model::TitlePage ModZelmor::titlePage() {
    TitlePageHolder* window = titlePageWindow();
    return window != nullptr ? window->titlePage() : model::TitlePage{};
}

void ModZelmor::setTitlePage(const model::TitlePage& page, int denominations) {
    if (TitlePageHolder* window = titlePageWindow()) window->fillTitlePage(page, denominations);
}

void ModZelmor::confirmExit() {
    const auto answer =
        app_->message(tk::MessageIcon::Question,
                      QStringLiteral("Attenzione: i dati non archiviati andranno persi !"),
                      QStringLiteral("Vuoi uscire da ") + productName + QStringLiteral("?"),
                      tk::MessageButtons::YesNo, tk::MessageResult::No);
    if (answer != tk::MessageResult::Yes) return;
    static const char* const order[] = {
        "menu",          "disegno",     "sommario",  "manuale",         "guidafunzionamento",
        "guidaarchivio", "guidastampa", "guidamenu", "guidadisegno",    "guidafrontespizio",
        "frontespizio",  "frmTip",      "prodotti",  "supportoclienti", "informa"};
    for (const char* name : order) app_->unload(QString::fromLatin1(name));
    if (closingScreen) closingScreen();
}

}  // namespace zelmor::shell
