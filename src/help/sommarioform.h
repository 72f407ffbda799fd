// The help contents: one entry per page (and the tip of the day), the whole guide's print, and
// the way out of the program. "Chiudi" only hides it: it comes back as it was left.
#pragma once

#include "helppageform.h"
#include "shared/modzelmor.h"
#include "toolkit/application.h"

namespace zelmor::help {

class SommarioForm : public HelpWindow {
  public:
    static constexpr int kEntries = 8;
    static constexpr int kWidth = 3975;

    SommarioForm(tk::Application& app, shared::ModZelmor& shared);

    void mouse(tk::MouseAction action) override;

    // The window that entry i (1..8) opens.
    static QString entryWindow(int i);

    void puls_Click(int i);
    void lbl_MouseDown(int i);
    void lbl_MouseUp(int i);
    void lbl_MouseMove(int i);
    void resetEntryHighlight();
    void cmdstampa_Click();
    void cmdchiudi_Click();
    void uscita_Click();

  private:
    void build();

    shared::ModZelmor* shared_;
};

}  // namespace zelmor::help
