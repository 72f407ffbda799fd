// The product catalogue `prodotti`: the price list "listino.txt" of the program's folder, twelve
// rows at a time. The program loads it hidden at start-up; "Chiudi" hides it again, so it is
// read once per load.
#pragma once

#include "pricelist.h"
#include "shared/clsresize.h"
#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

#include <array>
#include <vector>

namespace zelmor::periphery {

class ProdottiForm : public tk::Form {
  public:
    static constexpr int kDesignWidth = 9600;
    static constexpr int kDesignHeight = 6825;
    static constexpr int kRows = 12;

    ProdottiForm(tk::Application& app, shared::ModZelmor& shared);
    ~ProdottiForm() override;

    const std::vector<PriceEntry>& entries() const { return entries_; }

    void load() override;
    void unload() override;
    void resize() override;

  private:
    void build();
    void readPriceList();
    void showRows();  // from the entry the scroll bar stands on

    shared::WindowRescaling rescaling_;
    std::vector<PriceEntry> entries_;

    std::array<tk::Control*, kRows + 1> codice_{};  // 1-based
    std::array<tk::Control*, kRows + 1> descrizione_{};
    std::array<tk::Control*, kRows + 1> prezzo_{};
    std::array<tk::Control*, 3> headings_{};
    tk::Control* VScroll1 = nullptr;
    tk::Control* nondisponibile_ = nullptr;
};

}  // namespace zelmor::periphery
