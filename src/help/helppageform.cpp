#include "helppageform.h"
#include "shared/windows.h"

#include <memory>

namespace zelmor::help {

using tk::ControlKind;

namespace {

const tk::Font kTitleFont{QString(), 8.25, true, false};
const tk::Font kBodyFont{QString(), 9.75, false, false};
constexpr tk::Color kBlue{0, 0, 255};

}  // namespace

HelpWindow::HelpWindow(tk::Application& app, const QString& name, int width)
    : tk::Form(app, name), width_(width) {
    setBackColor(kHelpYellow);
    setWidth(width_);
    setHeight(kHeight);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::load() {
    rescaling_.load(*this, 75, width_, kHeight);
}

void HelpWindow::unload() {
    rescaling_.unload();
}

void HelpWindow::resize() {
    rescaling_.resize();
}

HelpPageForm::HelpPageForm(tk::Application& app, shared::ModZelmor& shared,
                           const HelpPageLayout& layout)
    : HelpWindow(app, QString::fromLatin1(layout.name), layout.width),
      shared_(&shared),
      layout_(&layout) {
    build();
}

void HelpPageForm::build() {
    setCaption(QStringLiteral("Guida in linea"));

    const bool manual = QLatin1String(layout_->name) == QLatin1String(shared::window::kManual);
    const auto button = [&](const char* name, int left, const char* caption, const char* picture,
                            const char* tip) {
        tk::Control& b = add(ControlKind::CommandButton, QString::fromLatin1(name));
        b.setGeometry({left, 120, 1215, 375});
        b.setText(QString::fromUtf8(caption));
        b.setPicture(QString::fromLatin1(picture));
        if (manual) b.setToolTip(QString::fromUtf8(tip));
        return &b;
    };
    button("cmdSommario", 120, "&Sommario", "guide", "cliccare per tornare al sommario")->onClick =
        [this] { cmdSommario_Click(); };
    button("cmdstampa", 1320, "S&tampa", "print",
           "cliccare per avere la copia su carta del MANUALE D'USO RAPIDO")
        ->onClick = [this] { cmdstampa_Click(); };
    button("cmdchiudi", 2520, "&Chiudi", "close", "cliccare per chiudere la finestra")->onClick =
        [this] { cmdchiudi_Click(); };

    // The texts are shown as they stand: an "&" in them marks no access key.
    tk::Control& title = add(ControlKind::Label, QStringLiteral("Label1"));
    title.setGeometry(layout_->titleRect);
    title.setUseMnemonic(false);
    title.setText(QString::fromUtf8(layout_->title));
    title.setForeColor(kBlue);
    title.setBackColor(kHelpYellow);
    title.setFont(kTitleFont);

    tk::Control& body = add(ControlKind::Label, QStringLiteral("Label2"));
    body.setGeometry(layout_->bodyRect);
    body.setUseMnemonic(false);
    // On a screen smaller than the page, the window shrinks but its text does not.
    body.setScrollable(true);
    body.setText(helpBody(name()));
    body.setBackColor(kHelpYellow);
    body.setFont(kBodyFont);
}

void HelpPageForm::load() {
    HelpWindow::load();
    if (layout_->rightSide) setLeft(kRightSideLeft);
}

void HelpPageForm::cmdSommario_Click() {
    shared_->showWindow(shared::window::kContents);
}

void HelpPageForm::cmdstampa_Click() {
    shared_->printHelpPage(
        {at(QStringLiteral("Label1")).text(), at(QStringLiteral("Label2")).text()});
}

void HelpPageForm::cmdchiudi_Click() {
    app().unload(name());
}

void registerHelpPages(tk::Application& app, shared::ModZelmor& shared) {
    for (const HelpPageLayout& page : helpPages()) {
        app.registerForm(QString::fromLatin1(page.name), [&shared, &page](tk::Application& a) {
            return std::make_unique<HelpPageForm>(a, shared, page);
        });
    }
}

}  // namespace zelmor::help
