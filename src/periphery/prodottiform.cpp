#include "prodottiform.h"

#include "common.h"
#include "model/fileio.h"
#include "shared/windows.h"

namespace zelmor::periphery {

using tk::Alignment;
using tk::ControlKind;

namespace {

constexpr int kCodeLeft = 240;
constexpr int kCodeWidth = 1455;
constexpr int kDescriptionLeft = 1800;
constexpr int kDescriptionWidth = 5655;
constexpr int kPriceLeft = 7560;
constexpr int kPriceWidth = 1335;
constexpr int kFirstRowTop = 1080;
constexpr int kRowPitch = 330;
constexpr int kRowHeight = 255;

int rowTop(int i) {
    return kFirstRowTop + kRowPitch * (i - 1);
}

}  // namespace

ProdottiForm::ProdottiForm(tk::Application& app, shared::ModZelmor& /*shared*/)
    : tk::Form(app, shared::window::kCatalogue) {
    build();
}

ProdottiForm::~ProdottiForm() = default;

void ProdottiForm::build() {
    setCaption(QStringLiteral("Zelmor: catalogo prodotti"));
    setBackColor(tk::colors::kLightGrey);
    setBorderStyle(BorderStyle::Sizable);
    setWidth(kDesignWidth);
    setHeight(kDesignHeight);

    addLabel(*this, QStringLiteral("titolo"), 0, nullptr, {240, 240, 9000, 360},
             QStringLiteral("Listino prezzi dei prodotti software VELTRANO"), std::nullopt,
             kTitleFont)
        .setForeColor(kNavy);

    const struct {
        const char* name;
        const char* text;
        int left;
        int width;
    } headings[] = {{"titoloCodice", "Codice", kCodeLeft, kCodeWidth},
                    {"titoloDescrizione", "Descrizione", kDescriptionLeft, kDescriptionWidth},
                    {"titoloPrezzo", "Prezzo", kPriceLeft, kPriceWidth}};
    for (std::size_t k = 0; k < headings_.size(); ++k) {
        headings_[k] =
            &addLabel(*this, QString::fromLatin1(headings[k].name), 0, nullptr,
                      {headings[k].left, 720, headings[k].width, kRowHeight},
                      QString::fromLatin1(headings[k].text), tk::colors::kYellow, kBoldFont);
    }
    headings_[2]->setAlignment(Alignment::Right);

    for (int i = 1; i <= kRows; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const int top = rowTop(i);
        codice_[k] = &addLabel(*this, QStringLiteral("codice"), i, nullptr,
                               {kCodeLeft, top, kCodeWidth, kRowHeight}, QString(),
                               tk::colors::kCyan, kBoldFont);
        descrizione_[k] = &addLabel(*this, QStringLiteral("descrizione"), i, nullptr,
                                    {kDescriptionLeft, top, kDescriptionWidth, kRowHeight},
                                    QString(), tk::colors::kCyan);
        prezzo_[k] = &addLabel(*this, QStringLiteral("prezzo"), i, nullptr,
                               {kPriceLeft, top, kPriceWidth, kRowHeight}, QString(),
                               tk::colors::kCyan, kBoldFont);
        prezzo_[k]->setAlignment(Alignment::Right);
    }

    // Its value is the number of the first entry shown, 1 at the top.
    VScroll1 = &add(ControlKind::VScrollBar, QStringLiteral("VScroll1"));
    VScroll1->setGeometry({kPriceLeft + kPriceWidth + 45, kFirstRowTop, 300,
                           rowTop(kRows) + kRowHeight - kFirstRowTop});
    VScroll1->setRange(1, 1);
    VScroll1->setValue(1);
    VScroll1->setToolTip(QStringLiteral("scorrere per vedere gli altri prodotti"));
    VScroll1->onChange = [this] { showRows(); };

    nondisponibile_ =
        &addLabel(*this, QStringLiteral("nondisponibile"), 0, nullptr, {240, 1080, 9000, 495},
                  QStringLiteral("Il listino prezzi non è disponibile.\rIl file listino.txt "
                                 "manca nella cartella del programma o non contiene prodotti."),
                  std::nullopt, kBoldFont);
    nondisponibile_->setAlignment(Alignment::Center);

    addLabel(*this, QStringLiteral("nota"), 0, nullptr, {240, 5160, 7500, 255},
             QStringLiteral("Prezzi in euro, IVA esclusa."));
    addButton(*this, QStringLiteral("chiudi"), {7935, 5760, 1305, 375}, QStringLiteral("&Chiudi"),
              QStringLiteral("cliccare per chiudere la finestra"))
        .onClick = [this] { app().hide(name()); };
}

void ProdottiForm::readPriceList() {
    entries_.clear();
    const QString path = app().platform().dataFile(QStringLiteral("listino.txt"));
    if (path.isEmpty()) return;
    // Only a plain file: a folder or a pipe of that name is no price list, and reading a pipe
    // would wait for ever. One byte beyond the limit tells the parser that the file went on.
    const model::FileBytes file = model::readRegularFile(path, kMaxPriceListBytes + 1);
    if (file.ok() || file.tooLong) entries_ = parsePriceList(file.bytes);
}

void ProdottiForm::showRows() {
    const int count = static_cast<int>(entries_.size());
    const int first = VScroll1->value();
    for (int i = 1; i <= kRows; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const int entry = first + i - 1;  // 1-based
        const bool used = entry >= 1 && entry <= count;
        if (used) {
            const PriceEntry& e = entries_[static_cast<std::size_t>(entry - 1)];
            codice_[k]->setText(e.code);
            descrizione_[k]->setText(e.description);
            prezzo_[k]->setText(shownPrice(e));
        } else {
            codice_[k]->setText(QString());
            descrizione_[k]->setText(QString());
            prezzo_[k]->setText(QString());
        }
        codice_[k]->setVisible(used);
        descrizione_[k]->setVisible(used);
        prezzo_[k]->setVisible(used);
    }
}

void ProdottiForm::load() {
    rescaling_.load(*this, 75, kDesignWidth, kDesignHeight);

    readPriceList();
    const int count = static_cast<int>(entries_.size());
    VScroll1->setRange(1, std::max(1, count - kRows + 1));
    VScroll1->setVisible(count > kRows);
    VScroll1->setValue(1);
    showRows();
    for (tk::Control* h : headings_) h->setVisible(count > 0);
    at(QStringLiteral("nota")).setVisible(count > 0);
    nondisponibile_->setVisible(count == 0);
}

void ProdottiForm::unload() {
    rescaling_.unload();
}

void ProdottiForm::resize() {
    rescaling_.resize();
}

}  // namespace zelmor::periphery
