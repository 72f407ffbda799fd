// The data-entry window `menu` and its guided procedure.
//
// The window owns the one model of the program. Its controls show every field, and the rules
// of the procedure run as the controls' handlers: each user action (or each value the program
// sets) runs its rule at once, which may set other controls and so run their rules in turn.
// The hint box `passo` says what to do next; the model is complete exactly when the hint begins
// with "correggere". The file commands save and reload the model with the data file.
#pragma once

#include "model/model.h"
#include "shell/modzelmor.h"
#include "shell/workwindow.h"
#include "toolkit/application.h"

#include <array>
#include <optional>

namespace zelmor::entry {

class MenuForm : public shell::WorkWindow {
  public:
    MenuForm(tk::Application& app, shell::ModZelmor& shared);
    ~MenuForm() override;

    // The model as the window holds it.
    model::ModelData model() const;
    int subsystemCount() const;  // the count as a number, 0 when empty
    bool complete() const;       // the procedure has reached its final step
    int currentSubsystem() const { return currentSubsystem_; }

    void load() override;

    // The window's commands, as their menu items, buttons and toolbar run them.
    void apri_Click() override;
    void salva_Click() override;
    void salvanome_Click() override;
    void eliminare_Click() override;
    void solodati_Click();  // the model-data report
    void colorare_Click() override;
    void controlla_Click();
    void cancelladati_Click();
    void aiuto_Click();
    void disegn_Click();

    // Reads the current data file (`dataFileName`) into this window and the title page, as
    // Open does after its dialog. The title-page window's Open uses it too.
    void readDataFile();
    // Another window has opened or saved the current data file: a later "&Salva" here writes
    // to that file.
    void followCurrentFile();

  private:
    using Control = tk::Control;

    void windowButton(int index) override;

    void build();
    void buildMenus();

    QString hint() const;
    void setHint(const QString& text);
    bool ticked(int row) const;

    // The guided procedure.
    void resetProcedure();
    void endemica_Click(int kind);
    void endemicTypology_Click(int index, Control& option);
    void valore_Change();
    void VScroll1_Change();
    void Check1_Click(int row);
    void Option3_Click(int index);
    void Combo1_Change(int row);
    void startLinks();
    void legami_Click(int number);
    void dopo_Click();
    void correggo_Click(int row);
    void refresh();
    void abili();

    void saveRoutine();
    void fileError(const QString& text);

    QString dialogChoice_;  // the name last chosen in CommonDialog1, or the current file

    std::optional<int> endemicKind_;
    std::optional<int> endemicTypology_;
    std::array<std::optional<int>, model::kMaxSubsystems + 1> typology_{};  // 1-based
    int currentSubsystem_ = 1;
    bool allSubsystemsComplete_ = false;

    Control* Frame4 = nullptr;
    Control* situazione = nullptr;
    Control* valore = nullptr;
    std::array<Control*, 4> endemica{};  // 1-based
    Control* Frame1 = nullptr;
    Control* Frame2 = nullptr;
    Control* Frame3 = nullptr;
    std::array<Control*, 10> Option1{};
    std::array<Control*, 10> Option2{};
    std::array<Control*, 10> Option3{};
    Control* sottosistemi = nullptr;
    Control* VScroll1 = nullptr;
    std::array<Control*, 10> Check1{};
    std::array<Control*, 10> tiposotto{};
    std::array<Control*, 10> Combo1{};
    std::array<Control*, 10> Image1{};
    std::array<Control*, 10> Label3{};
    std::array<Control*, 10> correggo{};
    std::array<Control*, 10> legami{};
    Control* dopo = nullptr;
    Control* passo = nullptr;
};

}  // namespace zelmor::entry
