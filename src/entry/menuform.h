// The data-entry window `menu` and its guided procedure.
//
// The window shows the program's model (the document's ModelData) and changes it through the
// rules of the procedure, which run as the controls' handlers: each user action (or each value
// the program sets) runs its rule at once, which may set other controls and so run their rules
// in turn. Every rule that changes a field changes the document and the control that shows it
// together; nothing reads the model back from a caption. The procedure's step is kept beside the
// hint box `passo`, which shows it; the final step is reached only by a complete model. Open
// starts both working windows afresh and then applies the file, so what they show after it
// depends on the file alone.
#pragma once

#include "model/model.h"
#include "shared/modzelmor.h"
#include "shared/workwindow.h"
#include "toolkit/application.h"

#include <array>
#include <functional>
#include <optional>

namespace zelmor::entry {

class MenuForm : public shared::WorkWindow {
  public:
    MenuForm(tk::Application& app, shared::ModZelmor& shared);
    ~MenuForm() override;

    // The steps of the procedure, in order; the hint shows which one the user is at.
    enum class Step { Start, KindChosen, TypologyChosen, ValueChosen, Rows, Links, Final };

    // The model the window shows: the program's document.
    const model::ModelData& model() const;
    int subsystemCount() const;  // the count as a number, 0 when empty
    Step step() const { return step_; }
    bool complete() const { return step_ == Step::Final; }

    void load() override;
    void unload() override;

    // The window's own commands, as their menu items, buttons and toolbar run them; the file
    // and colour commands are WorkWindow's.
    void solodati_Click();  // the model-data report
    void controlla_Click();
    void cancelladati_Click();
    void aiuto_Click();
    void disegn_Click();

    // Reads a data file into this window and the title page, as Open does after its dialog; the
    // title-page window's Open uses it too. A file whose first line cannot be read changes
    // nothing. A file read whole becomes the current file; one that breaks part-way is shown
    // as far as it was read, and leaves no current file, so that the next save asks where.
    enum class OpenResult { Unread, Partial, Whole };
    OpenResult openDataFile(const QString& path);
    // Another window has opened or saved the current data file: a later "&Salva" here writes
    // to that file.
    void followCurrentFile();

  private:
    using Control = tk::Control;

    void windowButton(int index) override;
    void openChosenFile(const QString& path) override;
    QString projectToSave() override;
    void showWhereMissing(Missing what) override;
    void rememberChoice(const QString& path) override;
    QString fileToSaveWithoutDialog(const QString& current) const override;
    bool holdsData() const override;
    QString closeQuestion() const override;
    tk::Color colourDialogStart() const override;

    void build();
    void buildMenus();

    model::ModelData& m();
    void setHint(Step step, const QString& text);
    bool ticked(int row) const;
    // Each field changed in the document and in the control that shows it, together.
    void setCount(const QString& text);
    void setRowTypology(int row, std::optional<int> index, const QString& text);
    void setLinks(int row, const QString& text);
    // Runs one rule, then disables every link button whose click would break the links'
    // invariants, and the typology frame while the current subsystem is above the count.
    void rule(const std::function<void()>& body);
    void keepLinksSound();

    // The guided procedure.
    void resetProcedure();
    void resetSteps();  // the reset's controls, the value left as it is
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
    void enterLinksOf(int row);
    void refresh();
    void continueProcedure();
    bool stopAtRowGap(bool needIndex);
    void finishLinks();
    void abili();
    void startAfresh();

    void fileError(const QString& text);

    QString dialogChoice_;  // the name last chosen in CommonDialog1, or the current file

    Step step_ = Step::Start;
    int currentSubsystem_ = 1;  // the subsystem the next typology, value or link goes to
    bool allSubsystemsComplete_ = false;
    bool continuing_ = false;  // inside continueProcedure

    Control* Frame4 = nullptr;           // "Situazione endemica": kind, typology and value
    Control* situazione = nullptr;       // the endemic typology's caption
    Control* valore = nullptr;           // the endemic value
    std::array<Control*, 4> endemica{};  // 1-based: the kinds, superficiale, lineare, puntuale
    Control* Frame1 = nullptr;  // the endemic typologies of the superficiale and puntuale kinds
    Control* Frame2 = nullptr;  // the endemic typologies of the lineare kind
    Control* Frame3 = nullptr;  // the particular typologies, for the current subsystem's row
    std::array<Control*, 10> Option1{};    // Frame1's typologies, 1-based like every row array
    std::array<Control*, 10> Option2{};    // Frame2's
    std::array<Control*, 10> Option3{};    // Frame3's
    Control* sottosistemi = nullptr;       // the number of subsystems
    Control* VScroll1 = nullptr;           // the arrows that set that number
    std::array<Control*, 10> Check1{};     // each row's tick: the subsystem the next data go to
    std::array<Control*, 10> tiposotto{};  // each row's particular typology
    std::array<Control*, 10> Combo1{};     // each row's value
    std::array<Control*, 10> Image1{};     // the row marker: the arrow beside the current row
    std::array<Control*, 10> Label3{};     // each row's link text
    std::array<Control*, 10> correggo{};   // each row's button that erases its links
    std::array<Control*, 10> legami{};     // the buttons 1..9 that enter a link to that subsystem
    Control* dopo = nullptr;               // on to the next subsystem's links
    Control* passo = nullptr;              // the hint box: the yellow box that says what to do next
};

}  // namespace zelmor::entry
