// The title-page window `frontespizio`: the general data of the report in seven text boxes, the
// subsystems' denominations beside their type texts, the checks, and the file commands, which
// read and write the same data file as the data-entry window.
#pragma once

#include "model/model.h"
#include "shared/modzelmor.h"
#include "shared/workwindow.h"
#include "toolkit/application.h"

#include <QDate>

#include <array>

namespace zelmor::titlepage {

// A date as the title page first shows it, "dddd, d mmm yyyy" in Italian:
// "lunedì, 7 dic 2026".
QString longDate(const QDate& date);

class FrontespizioForm : public shared::WorkWindow, public shared::TitlePageHolder {
  public:
    static constexpr int kFieldLimit = 60;         // the left column's fields
    static constexpr int kDenominationLimit = 25;  // typed denominations are cut to it

    FrontespizioForm(tk::Application& app, shared::ModZelmor& shared);
    ~FrontespizioForm() override;

    const model::TitlePage& titlePage() const;  // the document's, as the window shows it
    void fillTitlePage(const model::TitlePage& page, int denominations) override;
    void startAfresh() override;
    void showOffice(const shared::OfficeData& office) override;

    void load() override;
    void unload() override;

    // The window's own commands, as their menu items, buttons and toolbar run them; the file
    // and colour commands are WorkWindow's.
    void controllodati_Click();
    void cancella_Click();
    void aiuto_Click();
    void disegno_Click();  // "Finestra Disegno"
    // The reports: the title page's data, the model picture, the full report.
    void stampadati_Click();
    void stampamodello_Click();
    void stampa_Click();

  private:
    using Control = tk::Control;

    void windowButton(int index) override;
    QString fileDialogTitle(const QString& command) const override;
    QString projectToSave() override;
    void showWhereMissing(Missing what) override;
    bool holdsData() const override;
    QString closeQuestion() const override;
    model::TitlePage freshPage() const;  // the page as the window shows it when loaded

    void build();
    void buildMenus();
    void field_Change(Control& field);
    void denominazione_Change(int i);
    void progetto_Change();
    QString& fieldOf(const Control& box);  // the title page's field a text box shows
    int subsystemCount() const;            // the model's count, 0 when none
    bool refuseWithoutModel();             // tells the user when there is no model to print
    bool refuseWithoutPicture();  // tells the user when the picture is not of the model here

    // progetto, località, tipostudio, committente, luogo, data, allegati
    std::array<Control*, 7> fields_{};
    Control* progetto = nullptr;
    Control* localita = nullptr;
    Control* tipostudio = nullptr;
    Control* committente = nullptr;
    Control* luogo = nullptr;
    Control* data = nullptr;
    Control* allegati = nullptr;
    Control* Labelstudio = nullptr;            // the technical office's name, from the settings
    Control* labelindirizzo = nullptr;         // its address
    std::array<Control*, 10> tiposotto{};      // 1-based: each subsystem's particular typology
    std::array<Control*, 10> denominazione{};  // each subsystem's name, typed here
    Control* passo = nullptr;  // the hint box: what to do next, and how a report went
    QString startDate_;        // the date shown at load
    bool filling_ = false;     // the boxes are showing a page read from a file
};

}  // namespace zelmor::titlepage
