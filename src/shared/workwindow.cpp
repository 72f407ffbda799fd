#include "workwindow.h"

#include "model/fileio.h"
#include "shared/windows.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zelmor::shared {

using tk::Control;
using tk::ControlKind;

namespace {

void addEntry(tk::Form& form, const QString& menu, const MenuEntry& entry) {
    if (entry.name == nullptr) {
        const QString sepName = menu + QStringLiteral("Sep");
        const auto& all = form.controls();
        const int used = static_cast<int>(std::count_if(
            all.begin(), all.end(), [&](const auto& c) { return c->name() == sepName; }));
        Control& sep = form.add(ControlKind::MenuItem, sepName, used + 1);
        sep.setParentMenu(menu);
        sep.setSeparator(true);
        return;
    }
    Control& item = form.add(ControlKind::MenuItem, QString::fromLatin1(entry.name));
    item.setParentMenu(menu);
    item.setText(QString::fromUtf8(entry.caption));
}

}  // namespace

WorkWindow::WorkWindow(tk::Application& app, const QString& name, ModZelmor& shared,
                       const QString& caption)
    : tk::Form(app, name), shared_(&shared), CommonDialog1(app) {
    setCaption(caption);
    setBackColor(tk::colors::kLightGrey);
    setHasMenuBar(true);
    setToolbarHeight(420);
    setWidth(kDesignWidth);
    setHeight(kDesignHeight);
    CommonDialog1.fileName = QStringLiteral("Zelmor-dati-");
}

WorkWindow::~WorkWindow() = default;

void WorkWindow::load() {
    rescaling_.load(*this, 75, kDesignWidth, kDesignHeight);
}

void WorkWindow::unload() {
    rescaling_.unload();
}

void WorkWindow::resize() {
    rescaling_.resize();
}

bool WorkWindow::queryUnload() {
    if (!holdsData() || !shared_->document().unarchived()) return true;
    return app().message(tk::MessageIcon::Question,
                         QStringLiteral("Attenzione: i dati non archiviati andranno persi !"),
                         closeQuestion(), tk::MessageButtons::YesNo,
                         tk::MessageResult::No) == tk::MessageResult::Yes;
}

tk::ControlEntry barButtonEntry(const char* name, int left, const char* caption,
                                const char* picture, const char* tip) {
    return {.kind = ControlKind::CommandButton,
            .name = QString::fromLatin1(name),
            .container = QStringLiteral("Frame5"),
            .rect = {left, 240, 1215, 375},
            .caption = QString::fromUtf8(caption),
            .tip = QString::fromUtf8(tip),
            .picture = QString::fromLatin1(picture)};
}

void addBottomBar(tk::Layout& out, const QString& hint, const tk::ControlEntry& command) {
    out.push_back({.kind = ControlKind::Frame,
                   .name = QStringLiteral("Frame5"),
                   .rect = {0, 5520, 9495, 615},
                   .back = tk::colors::kDarkGrey});
    out.push_back(barButtonEntry("guida", 120, "&Guida in linea", "guide",
                                 "cliccare per visualizzare il sommario della guida"));
    out.push_back(barButtonEntry("aiuto", 1320, "&AIUTO", "aid",
                                 "cliccare per visualizzare gli aiuti in linea"));
    tk::ControlEntry box =
        tk::labelEntry("passo", 0, "Frame5", {2640, 120, 4215, 495}, hint, tk::colors::kYellow,
                       "indicazioni in linea sulla immissione dei dati");
    box.fore = tk::colors::kBlack;
    box.bordered = true;
    // The line that says what to do next is read out whenever it changes.
    box.speech.announced = true;
    out.push_back(box);
    out.push_back(command);
    out.push_back(
        barButtonEntry("uscita", 8160, "&USCITA", "exit", "cliccare per uscire da Zelmor"));
}

// ---- the file and colour commands --------------------------------------------------------

void WorkWindow::apri_Click() {
    CommonDialog1.title = fileDialogTitle(QStringLiteral("Apri file"));
    CommonDialog1.fileName.clear();
    CommonDialog1.filter = kAllFilesFilter;
    CommonDialog1.filterIndex = 2;
    if (!CommonDialog1.showOpen()) return;
    const QString path = CommonDialog1.fileName;
    openGivenFile(path);
}

void WorkWindow::openGivenFile(const QString& path) {
    shared_->files().open(path, name());
}

void WorkWindow::salva_Click() {
    CommonDialog1.title = fileDialogTitle(QStringLiteral("Salva file"));
    saveRoutine(false);
}

void WorkWindow::salvanome_Click() {
    // Refused or cancelled, the current file stays as it was.
    CommonDialog1.title = fileDialogTitle(QStringLiteral("Salva file con nome"));
    saveRoutine(true);
}

void WorkWindow::saveRoutine(bool askName) {
    if (shared_->currentModel().subsystemCount.isEmpty()) {
        app().message(tk::MessageIcon::Critical, shared_->titles().dataCheck,
                      QStringLiteral("Non esistono dati da archiviare."));
        showWhereMissing(Missing::Model);
        return;
    }
    if (projectToSave().isEmpty()) {
        app().message(tk::MessageIcon::Critical, shared_->titles().dataCheck,
                      QStringLiteral("Attenzione: immettere i dati del progetto."));
        showWhereMissing(Missing::Project);
        return;
    }
    DocumentFiles& files = shared_->files();
    QString target;
    if (askName || files.current().isEmpty()) {
        CommonDialog1.filter = kDataFileFilter;
        CommonDialog1.filterIndex = 1;
        if (!CommonDialog1.showSave()) return;
        target = CommonDialog1.fileName;
        files.chosenInDialog(name(), target);
    } else {
        target = files.saveTarget(name());
        if (!mayReplace(target)) return;
    }
    files.save(target);
}

bool WorkWindow::mayReplace(const QString& path) {
    const model::Document& document = shared_->document();
    // Only the current file's bytes are known; a file that is gone is simply written again.
    if (path != document.fileName || !document.fileHeld ||
        model::checkFile(path, *document.fileHeld) != model::FileCheck::Changed)
        return true;
    return app().message(
               tk::MessageIcon::Question, shared_->titles().dataCheck,
               QStringLiteral("Il file \"%1\" è stato modificato da un altro programma dopo "
                              "l'apertura.")
                       .arg(path) +
                   QChar(13) + QStringLiteral("Sovrascriverlo con i dati della finestra?"),
               tk::MessageButtons::YesNo, tk::MessageResult::No) == tk::MessageResult::Yes;
}

void WorkWindow::eliminare_Click() {
    CommonDialog1.title = shared_->titles().deleteFile;
    CommonDialog1.filter = kAllFilesFilter;
    CommonDialog1.filterIndex = 2;
    if (!CommonDialog1.showOpen()) return;
    shared_->files().chosenInDialog(name(), CommonDialog1.fileName);
    shared_->files().remove(CommonDialog1.fileName);
}

void WorkWindow::colorare_Click() {
    CommonDialog1.color = colourDialogStart();
    if (!CommonDialog1.showColor()) return;
    setBackColor(CommonDialog1.color);
    shared_->lastBackColor = CommonDialog1.color;
}

// ---- the start state ---------------------------------------------------------------------

void WorkWindow::rememberStartState() {
    startState_.clear();
    for (const auto& c : controls()) {
        startState_.push_back({c.get(), c->text(), c->value(), c->enabled(), c->visible()});
    }
}

void WorkWindow::restoreStartState() {
    for (const ControlState& s : startState_) {
        Control& c = *s.control;
        // Handlers stay out of it: the state is put back, no rule runs.
        const Control::Handler click = std::exchange(c.onClick, nullptr);
        const Control::Handler change = std::exchange(c.onChange, nullptr);
        c.setText(s.text);
        c.setValue(s.value);
        c.setEnabled(s.enabled);
        c.setVisible(s.visible);
        c.onClick = click;
        c.onChange = change;
    }
}

Control& addMenu(tk::Form& form, const char* name, const QString& caption,
                 std::initializer_list<MenuEntry> entries, const QString& parent) {
    Control& top = form.add(ControlKind::MenuItem, QString::fromLatin1(name));
    top.setText(caption);
    top.setParentMenu(parent);
    addMenuEntries(form, top.name(), entries);
    return top;
}

void addMenuEntries(tk::Form& form, const QString& menu, std::initializer_list<MenuEntry> entries) {
    for (const MenuEntry& e : entries) addEntry(form, menu, e);
}

void addNavigationMenus(tk::Form& form, const char* helpItem, int windowNumber) {
    addMenu(form, "visualizza", QStringLiteral("&Visualizza"),
            {{"fin1", "Finestra Menu"},
             {"fin2", "Finestra Disegno"},
             {"fin3", "Finestra Frontespizio"}});
    addMenu(form, "punto", QStringLiteral("&?"),
            {{helpItem, "&Guida in linea"},
             {"sugger", "&Suggerimenti..."},
             {},
             {"supporto", "Supporto &prodotto"},
             {},
             {"informazioni", "&Informazioni su Zelmor"}});
    // Stands at the right end of the bar, pushed there by its leading blanks.
    Control& finestra = form.add(ControlKind::MenuItem, QStringLiteral("finestra"));
    finestra.setText(QString(126, QLatin1Char(' ')) +
                     QStringLiteral("Fi&nestra n.%1 di 3").arg(windowNumber));
}

void WorkWindow::addToolbar(const QString& printTip) {
    struct Button {
        const char* tip;  // nullptr: separator
        const char* picture;
    };
    static const Button buttons[21] = {{"apri file", "open"},
                                       {"salva file", "save"},
                                       {"salva file con nome", "saveas"},
                                       {"elimina file", "delete"},
                                       {nullptr, nullptr},
                                       {"", "print"},
                                       {nullptr, nullptr},
                                       {"visualizza finestra 'Menu'", "window-menu"},
                                       {"visualizza finestra 'Disegno'", "window-drawing"},
                                       {"visualizza finestra 'Frontespizio'", "window-title"},
                                       {nullptr, nullptr},
                                       {"colore di sfondo", "colour"},
                                       {nullptr, nullptr},
                                       {"guida in linea", "help"},
                                       {"suggerimenti", "tips"},
                                       {"supporto prodotto", "support"},
                                       {"informazioni su Zelmor", "about"},
                                       {nullptr, nullptr},
                                       {"controllo dati immessi", "check"},
                                       {"cancella dati finestra", "clear"},
                                       {"uscita da Zelmor", "exit"}};
    for (int i = 1; i <= 21; ++i) {
        const Button& b = buttons[i - 1];
        Control& c = add(ControlKind::ToolbarButton, QStringLiteral("Toolbar1"), i);
        if (b.tip == nullptr) {
            c.setSeparator(true);
            continue;
        }
        c.setToolTip(i == 6 ? printTip : QString::fromUtf8(b.tip));
        c.setPicture(QString::fromLatin1(b.picture));
        c.onClick = [this, i] { Toolbar1_ButtonClick(i); };
    }
}

void WorkWindow::wireSharedCommands(const char* helpItem, const char* printItem) {
    // The same commands as the toolbar's buttons: the file commands, the report, the data-entry
    // window, the colour, help, tips, support, about, exit.
    auto on = [this](const QString& name, int button) {
        at(name).onClick = [this, button] { Toolbar1_ButtonClick(button); };
    };
    on(QStringLiteral("apri"), 1);
    on(QStringLiteral("salva"), 2);
    on(QStringLiteral("salvanome"), 3);
    on(QStringLiteral("eliminare"), 4);
    on(QString::fromLatin1(printItem), 6);
    on(QStringLiteral("fin1"), 8);
    on(QStringLiteral("colorare"), 12);
    on(QStringLiteral("esci"), 21);
    on(QStringLiteral("uscita"), 21);
    on(QStringLiteral("guida"), 14);
    on(QString::fromLatin1(helpItem), 14);
    on(QStringLiteral("sugger"), 15);
    on(QStringLiteral("supporto"), 16);
    on(QStringLiteral("informazioni"), 17);
}

void WorkWindow::Toolbar1_ButtonClick(int index) {
    if (index < 1 || index > 21) index = 1;
    if (index == 5 || index == 7 || index == 11 || index == 13 || index == 18) ++index;
    switch (index) {
        case 1:
            apri_Click();
            break;
        case 2:
            salva_Click();
            break;
        case 3:
            salvanome_Click();
            break;
        case 4:
            eliminare_Click();
            break;
        case 12:
            colorare_Click();
            break;
        case 14:
            shared_->showWindow(window::kContents);
            break;
        case 15:
            shared_->showWindow(window::kTip);
            break;
        case 16:
            shared_->showWindow(window::kSupport);
            break;
        case 17:
            shared_->showWindow(window::kAbout);
            break;
        case 21:
            shared_->confirmExit();
            break;
        default:
            windowButton(index);
            break;
    }
}

}  // namespace zelmor::shared
