// The about window `informa`: product, version, copyright, maker and the office the program is
// licensed to. Its texts are read from the shared module at every load.
#pragma once

#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace zelmor::periphery {

class InformaForm : public tk::Form {
  public:
    InformaForm(tk::Application& app, shared::ModZelmor& shared);

    // "1999-20" and the last two digits of the year code; only the first year when the code
    // does not end in two digits.
    static QString yearRange(const QString& yearCode);

    void load() override;
    // The office lines, as the settings hold them now.
    void showOffice();

  private:
    void build();

    shared::ModZelmor* shared_;
};

}  // namespace zelmor::periphery
