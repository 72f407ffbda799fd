// A help page: its title, its body, and the buttons back to the contents, to print it, to close
// it. Every page is shown beside the working windows and closed by its own button.
#pragma once

#include "helppages.h"
#include "shared/clsresize.h"
#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace zelmor::help {

// The pale yellow of every help window.
inline constexpr tk::Color kHelpYellow{255, 255, 192};

// A help window (the contents or a page): pale yellow, 6825 twips high, placed at load where a
// window of three quarters of the screen would stand centred, keeping its controls in
// proportion to its size.
class HelpWindow : public tk::Form {
  public:
    static constexpr int kHeight = 6825;

    HelpWindow(tk::Application& app, const QString& name, int width);
    ~HelpWindow() override;

    void load() override;
    void unload() override;
    void resize() override;

  private:
    int width_;
    shared::WindowRescaling rescaling_;
};

class HelpPageForm : public HelpWindow {
  public:
    static constexpr int kRightSideLeft = 5467;

    HelpPageForm(tk::Application& app, shared::ModZelmor& shared, const HelpPageLayout& layout);

    void load() override;

    void cmdSommario_Click();
    void cmdstampa_Click();
    void cmdchiudi_Click();

  private:
    void build();

    shared::ModZelmor* shared_;
    const HelpPageLayout* layout_;
};

// Registers the seven page windows with the program.
void registerHelpPages(tk::Application& app, shared::ModZelmor& shared);

}  // namespace zelmor::help
