// The product-support window `supportoclienti`: where to look and whom to ask when the program
// does not do what one expects, and the way to the price list.
#pragma once

#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace zelmor::periphery {

class SupportoClientiForm : public tk::Form {
  public:
    static constexpr int kItems = 4;

    SupportoClientiForm(tk::Application& app, shared::ModZelmor& shared);

    void load() override;

  private:
    void build();

    shared::ModZelmor* shared_;
};

}  // namespace zelmor::periphery
