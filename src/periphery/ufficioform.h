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

  private:
    void build();
    void ok_Click();

    shared::ModZelmor* shared_;
};

}  // namespace zelmor::periphery
