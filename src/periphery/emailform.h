// `emailform`: a message to the product support, subject and text. No command of the program
// opens it yet; it is kept ready for one.
#pragma once

#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace zelmor::periphery {

class EmailForm : public tk::Form {
  public:
    EmailForm(tk::Application& app, shared::ModZelmor& shared);

    void load() override;

  private:
    void build();
};

}  // namespace zelmor::periphery
