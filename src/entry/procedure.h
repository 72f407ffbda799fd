// The guided procedure of the data-entry window: the rules that take the user from the choice
// of the endemic kind to a complete model, one step at a time.
//
// Each rule runs as a control's handler, at once, when the user acts or when the program sets
// the control's value: a rule may set other controls and so run their rules in turn, before it
// returns. Every rule that changes a field changes the document's model and the control that
// shows it together; nothing reads the model back from a caption. After each rule, `rule()`
// closes every link button whose click would break the links' invariants. The step is kept
// beside the hint box `passo`, which shows it; the final step is reached only by a complete
// model.
#pragma once

#include "model/datafile.h"
#include "model/model.h"
#include "toolkit/control.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace zelmor::entry {

// Element i (1-based, as the controls' indexes and the subsystems' numbers) of a table of nine.
template <typename T, std::size_t N>
T& nth(std::array<T, N>& items, int i) {
    return items.at(static_cast<std::size_t>(i - 1));
}
template <typename T, std::size_t N>
const T& nth(const std::array<T, N>& items, int i) {
    return items.at(static_cast<std::size_t>(i - 1));
}

// One row of the subsystems' table, subsystem i: its controls, all indexed i.
struct Row {
    tk::Control* tick = nullptr;      // Check1: the subsystem the next data go to
    tk::Control* typology = nullptr;  // tiposotto: its particular typology
    tk::Control* value = nullptr;     // Combo1: its value
    tk::Control* marker = nullptr;    // Image1: the arrow beside the subsystem whose links
                                      // are being entered
    tk::Control* links = nullptr;     // Label3: its link text
    tk::Control* erase = nullptr;     // correggo: erases its links
    tk::Control* link = nullptr;      // legami: enters a link to subsystem i
};

// The controls the procedure drives.
struct ProcedureControls {
    tk::Control* situazione = nullptr;       // the endemic typology's caption
    tk::Control* valore = nullptr;           // the endemic value
    std::array<tk::Control*, 3> endemica{};  // the kinds' options, superficiale first
    tk::Control* Frame1 = nullptr;  // the endemic typologies of the superficiale and puntuale kinds
    tk::Control* Frame2 = nullptr;  // those of the lineare kind
    tk::Control* Frame3 = nullptr;  // the particular typologies, for the current subsystem
    std::array<tk::Control*, 9> Option1{};  // Frame1's typologies 1..9
    std::array<tk::Control*, 9> Option2{};  // Frame2's
    std::array<tk::Control*, 9> Option3{};  // Frame3's
    tk::Control* sottosistemi = nullptr;    // the number of subsystems
    tk::Control* VScroll1 = nullptr;        // the arrows that set that number
    std::array<Row, 9> rows{};
    tk::Control* dopo = nullptr;   // on to the next subsystem's links
    tk::Control* passo = nullptr;  // the hint box: what to do next
};

class Procedure {
  public:
    // The steps, in order; the hint shows which one the user is at.
    enum class Step { Start, KindChosen, TypologyChosen, ValueChosen, Rows, Links, Final };

    static const QString kStartHint;
    static const QString kFinalHint;

    Procedure(model::ModelData& model, const ProcedureControls& controls);

    Step step() const { return step_; }
    bool complete() const { return step_ == Step::Final; }
    const model::ModelData& model() const { return *model_; }
    int subsystemCount() const { return model_->count(); }

    // Runs one rule, then closes every link button whose click would break the links'
    // invariants, and the typology frame while the current subsystem is above the count.
    void rule(const std::function<void()>& body);

    // The controls' rules, each run through rule().
    void endemica_Click(model::EndemicKind kind);
    void endemicTypology_Click(int index, const tk::Control& option);  // Option1, Option2
    void valore_Change();
    void VScroll1_Change();
    void Check1_Click(int row);
    void Option3_Click(int index);
    void Combo1_Change(int row);
    void legami_Click(int number);
    void dopo_Click();
    void correggo_Click(int row);

    // The controls as the window's load leaves them: the value empty, every step closed.
    void reset();
    // The model empty and the procedure at its start; the controls are the window's to restore.
    void startAfresh();
    // Shows a data file's model as far as it was read, from the state at load, and takes the
    // procedure to the first item it lacks.
    void showFile(const model::DataFileContent& content);
    // What the user is to do next, as the "AIUTO" button tells it.
    QString help() const;

  private:
    Row& row(int i) { return nth(controls_.rows, i); }
    const Row& row(int i) const { return nth(controls_.rows, i); }
    model::Subsystem& subsystem(int i) { return nth(model_->subsystems, i); }
    const model::Subsystem& subsystem(int i) const { return nth(model_->subsystems, i); }

    void setHint(Step step, const QString& text);
    bool ticked(int row) const;
    // Each field changed in the model and in the control that shows it, together.
    void setCount(const QString& text);
    void setRowTypology(int row, std::optional<int> index, const QString& text);
    void setLinks(int row, const QString& text);

    void keepLinksSound();
    void closeSteps();
    void openParticularTypologies(int row);
    void startLinks();
    void enterLinksOf(int row);
    void refresh();
    void continueProcedure();
    bool stopAtRowGap(bool needIndex);
    void finishLinks();
    void openRows();

    model::ModelData* model_;
    ProcedureControls controls_;
    Step step_ = Step::Start;
    int currentSubsystem_ = 1;  // the subsystem the next typology, value or link goes to
    bool continuing_ = false;   // inside continueProcedure
};

}  // namespace zelmor::entry
