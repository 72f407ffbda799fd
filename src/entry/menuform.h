// The data-entry window `menu`: its controls (laid out in menulayout.cpp), its commands, and the
// guided procedure (procedure.h) that runs as the controls' handlers.
//
// The window shows the program's model (the document's ModelData) and changes it only through
// the procedure's rules. Open (shared::DocumentFiles) starts both working windows afresh and
// then shows the file here, so what the window shows after it depends on the file alone.
#pragma once

#include "model/model.h"
#include "procedure.h"
#include "shared/modzelmor.h"
#include "shared/workwindow.h"
#include "toolkit/application.h"

namespace zelmor::entry {

class MenuForm : public shared::WorkWindow, public shared::ModelHolder {
  public:
    MenuForm(tk::Application& app, shared::ModZelmor& shared);
    ~MenuForm() override;

    using Step = Procedure::Step;

    // The model the window shows: the program's document.
    const model::ModelData& model() const;
    int subsystemCount() const;  // the count as a number, 0 when empty
    Step step() const { return procedure_.step(); }
    bool complete() const { return procedure_.complete(); }

    void load() override;
    void unload() override;

    // The window's own commands, as their menu items, buttons and toolbar run them; the file
    // and colour commands are WorkWindow's.
    void solodati_Click();  // the model-data report
    void controlla_Click();
    void cancelladati_Click();
    void aiuto_Click();
    void disegn_Click();

    // What Open shows here (shared::ModelHolder).
    void startAfresh() override;
    void showFile(const model::DataFileContent& content, const QString& path) override;

  private:
    void windowButton(int index) override;
    QString projectToSave() override;
    void showWhereMissing(Missing what) override;
    bool holdsData() const override;
    QString closeQuestion() const override;
    tk::Color colourDialogStart() const override;

    // The controls from the window's layout, then its menus and toolbar.
    ProcedureControls build();
    void buildMenus();
    // Each control's handler runs its rule of the procedure.
    void connectProcedure();

    ProcedureControls controls_;
    Procedure procedure_;
};

}  // namespace zelmor::entry
