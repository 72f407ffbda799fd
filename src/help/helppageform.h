// A help page: its title, its body, and the buttons back to the contents, to print it, to close
// it. Every page is shown beside the working windows and closed by its own button.
#pragma once

#include "helppages.h"
#include "shell/clsresize.h"
#include "shell/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

#include <memory>

namespace zelmor::help {

// The pale yellow of every help window.
inline constexpr tk::Color kHelpYellow{255, 255, 192};

class HelpPageForm : public tk::Form {
  public:
    static constexpr int kHeight = 6825;
    static constexpr int kRightSideLeft = 5467;

    HelpPageForm(tk::Application& app, shell::ModZelmor& shared, const HelpPageLayout& layout);
    ~HelpPageForm() override;

    void load() override;
    void unload() override;
    void resize() override;

    void cmdSommario_Click();
    void cmdstampa_Click();
    void cmdchiudi_Click();

  private:
    void build();

    shell::ModZelmor* shared_;
    const HelpPageLayout* layout_;
    std::unique_ptr<shell::clsResize> resize_;
};

// Registers the seven page windows with the program.
void registerHelpPages(tk::Application& app, shell::ModZelmor& shared);

}  // namespace zelmor::help
