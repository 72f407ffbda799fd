// `ufficio`: the name and address of the technical office that uses the program, typed once and
// kept in the program settings. Opened from the about window; the title page shows them
// read-only.
#pragma once

#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace zelmor::periphery {

class UfficioForm : public tk::Form {
  public:
    UfficioForm(tk::Application& app, shared::ModZelmor& shared);

    void load() override;
    // Enter keeps what was typed (OK), Escape leaves it (Annulla).
    void keyPressed(QChar c) override;

    // What a text box can hold as one settings value: one line, without leading or trailing
    // blanks.
    static QString oneLine(const QString& typed);

  private:
    void build();
    void ok_Click();

    shared::ModZelmor* shared_;
};

}  // namespace zelmor::periphery
