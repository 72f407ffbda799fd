#include "sommarioform.h"

#include "helppages.h"
#include "reports/reports.h"
#include "shared/windows.h"

#include <array>

namespace zelmor::help {

using tk::ControlKind;
using tk::MouseAction;

namespace {

struct Entry {
    const char* caption;
    int top;
    const char* window;
};

// The gaps after entries 4 and 7 set the general topics, the working windows and the tip apart.
constexpr std::array<Entry, SommarioForm::kEntries> kEntryTable{{
    {"  Manuale d'uso rapido", 960, shared::window::kManual},
    {"  Funzionamento del programma", 1320, shared::window::kGuideWorking},
    {"  Archivio dati", 1680, shared::window::kGuideArchive},
    {" Stampa", 2040, shared::window::kGuidePrint},
    {" Finestra Menu", 2760, shared::window::kGuideMenu},
    {" Finestra Disegno modello", 3120, shared::window::kGuideDrawing},
    {" Finestra Frontespizio", 3480, shared::window::kGuideTitlePage},
    {"  Suggerimento del giorno", 4440, shared::window::kTip},
}};

}  // namespace

SommarioForm::SommarioForm(tk::Application& app, shared::ModZelmor& shared)
    : HelpWindow(app, shared::window::kContents, kWidth), shared_(&shared) {
    build();
}

void SommarioForm::build() {
    setCaption(QStringLiteral("Zelmor: guida in linea"));

    tk::Control& heading = add(ControlKind::Label, QStringLiteral("Label1"));
    heading.setGeometry({240, 240, 3375, 375});
    heading.setText(QStringLiteral("Argomenti della guida"));
    heading.setBackColor(tk::colors::kCyan);
    heading.setFont({QString(), 12, true, false});
    heading.setAlignment(tk::Alignment::Center);

    for (int i = 1; i <= kEntries; ++i) {
        const Entry& e = kEntryTable[static_cast<std::size_t>(i - 1)];
        tk::Control& button = add(ControlKind::CommandButton, QStringLiteral("puls"), i);
        button.setGeometry({240, e.top, 375, 255});
        button.setText(QStringLiteral("--->"));
        // The arrow opens the topic its label names.
        button.setSpeech(
            {.name = QStringLiteral("argomento: ") + QString::fromUtf8(e.caption).simplified(),
             .labelledBy = QStringLiteral("lbl")});
        button.onClick = [this, i] { puls_Click(i); };

        tk::Control& label = add(ControlKind::Label, QStringLiteral("lbl"), i);
        label.setGeometry({720, e.top, 2895, 255});
        label.setText(QString::fromUtf8(e.caption));
        label.setUseMnemonic(false);
        label.setBordered(true);
        label.setBackColor(tk::colors::kCyan);
        label.onMouse = [this, i](MouseAction a) {
            switch (a) {
                case MouseAction::Down:
                    lbl_MouseDown(i);
                    break;
                case MouseAction::Up:
                    lbl_MouseUp(i);
                    break;
                case MouseAction::Move:
                    lbl_MouseMove(i);
                    break;
            }
        };
    }

    const auto button = [this](const char* name, int left, const char* caption, const char* picture,
                               const char* tip) {
        tk::Control& b = add(ControlKind::CommandButton, QString::fromLatin1(name));
        b.setGeometry({left, 5880, 1215, 375});
        b.setText(QString::fromUtf8(caption));
        b.setPicture(QString::fromLatin1(picture));
        b.setToolTip(QString::fromUtf8(tip));
        return &b;
    };
    button("cmdstampa", 120, "&Stampa", "print",
           "cliccare per avere la copia su carta del sommario")
        ->onClick = [this] { cmdstampa_Click(); };
    button("cmdchiudi", 1320, "&Chiudi", "close", "cliccare per chiudere la finestra")->onClick =
        [this] { cmdchiudi_Click(); };
    button("uscita", 2520, "&USCITA", "exit", "cliccare per uscire da Zelmor")->onClick = [this] {
        uscita_Click();
    };
}

QString SommarioForm::entryWindow(int i) {
    if (i < 1 || i > kEntries) return {};
    return QString::fromLatin1(kEntryTable[static_cast<std::size_t>(i - 1)].window);
}

void SommarioForm::mouse(MouseAction action) {
    if (action == MouseAction::Move) resetEntryHighlight();
}

void SommarioForm::puls_Click(int i) {
    shared_->showWindow(entryWindow(i));
}

void SommarioForm::lbl_MouseDown(int i) {
    // Without its border the entry looks pressed.
    at(QStringLiteral("lbl"), i).setBordered(false);
    shared_->showWindow(entryWindow(i));
}

void SommarioForm::lbl_MouseUp(int i) {
    at(QStringLiteral("lbl"), i).setBordered(true);
}

void SommarioForm::lbl_MouseMove(int i) {
    // The entry under the pointer keeps its bold face from one move to the next, rather than
    // losing and regaining it at every move.
    for (int j = 1; j <= kEntries; ++j) at(QStringLiteral("lbl"), j).setBold(j == i);
}

void SommarioForm::resetEntryHighlight() {
    for (int i = 1; i <= kEntries; ++i) at(QStringLiteral("lbl"), i).setBold(false);
}

void SommarioForm::cmdstampa_Click() {
    // Every page gives its texts as its window holds them; a page not open is loaded, unseen.
    std::vector<reports::HelpText> pages;
    for (const HelpPageLayout& layout : helpPages()) {
        const tk::Form& page = app().load(QString::fromLatin1(layout.name));
        pages.push_back(
            {page.at(QStringLiteral("Label1")).text(), page.at(QStringLiteral("Label2")).text()});
    }
    const QString path = reports::guidePath(shared_->reportsFolder(), shared_->product().name);
    QString saved = path;
    const bool done = shared_->runReport([&](reports::WordProcessor& word) {
        saved = reports::writeGuide(word, shared_->reportTexts(), pages, path);
    });
    if (done) shared_->tellSavedElsewhere(path, saved);
}

void SommarioForm::cmdchiudi_Click() {
    app().hide(name());
}

void SommarioForm::uscita_Click() {
    shared_->confirmExit();
}

}  // namespace zelmor::help
