#include "menuform.h"

#include "drawing/disegnoform.h"
#include "menulayout.h"
#include "shared/windows.h"

namespace zelmor::entry {

namespace {

using tk::Control;
using tk::MessageIcon;

// Numbers joined to texts carry one leading blank, where a sign would stand.
QString num(int n) {
    return QStringLiteral(" %1").arg(n);
}

}  // namespace

MenuForm::MenuForm(tk::Application& app, shared::ModZelmor& shared)
    : shared::WorkWindow(app, shared::window::kMenu, shared,
                         QStringLiteral("Zelmor: menu - immissione dati")),
      controls_(build()),
      procedure_(shared.document().model, controls_) {
    connectProcedure();
}

MenuForm::~MenuForm() = default;

// The window as it is designed; the load handler then fits it to the screen.
ProcedureControls MenuForm::build() {
    tk::addControls(*this, menuLayout());
    ProcedureControls c;
    auto one = [this](const char* name, int index = 0) {
        return &at(QString::fromLatin1(name), index);
    };
    c.situazione = one("situazione");
    c.valore = one("valore");
    for (const QString& item : model::valueItems()) c.valore->addItem(item);
    c.Frame1 = one("Frame1");
    c.Frame2 = one("Frame2");
    c.Frame3 = one("Frame3");
    for (int k = 1; k <= 3; ++k) nth(c.endemica, k) = one("endemica", k);
    for (int j = 1; j <= 9; ++j) {
        nth(c.Option1, j) = one("Option1", j);
        nth(c.Option2, j) = one("Option2", j);
        nth(c.Option3, j) = one("Option3", j);
        nth(c.rows, j) = Row{.tick = one("Check1", j),
                             .typology = one("tiposotto", j),
                             .value = one("Combo1", j),
                             .marker = one("Image1", j),
                             .links = one("Label3", j),
                             .erase = one("correggo", j),
                             .link = one("legami", j)};
    }
    c.sottosistemi = one("sottosistemi");
    // 9 at the top end, 1 at the bottom end: the upper arrow raises the count.
    c.VScroll1 = one("VScroll1");
    c.VScroll1->setRange(9, 1);
    c.VScroll1->setValue(1);
    c.dopo = one("dopo");
    c.passo = one("passo");

    buildMenus();
    addToolbar(QStringLiteral("stampa dati finestra"));
    wireSharedCommands("guidainlinea", "solodati");
    at(QStringLiteral("aiuto")).onClick = [this] { aiuto_Click(); };
    at(QStringLiteral("disegn")).onClick = [this] { disegn_Click(); };
    return c;
}

void MenuForm::connectProcedure() {
    // The handlers live as long as the window, and so does its procedure.
    Procedure* const p = &procedure_;
    const ProcedureControls& c = controls_;
    auto rule = [p](std::function<void()> body) -> Control::Handler {
        return [p, body = std::move(body)] { p->rule(body); };
    };
    // A combo box's rule runs when its text is typed (onChange) and when an item is picked
    // (onClick).
    auto comboRule = [&rule](Control* combo, std::function<void()> body) {
        combo->onChange = rule(body);
        combo->onClick = rule(std::move(body));
    };
    comboRule(c.valore, [p] { p->valore_Change(); });
    for (int k = 1; k <= 3; ++k) {
        const model::EndemicKind kind = *model::endemicKindOf(k);
        nth(c.endemica, k)->onClick = rule([p, kind] { p->endemica_Click(kind); });
    }
    for (int j = 1; j <= 9; ++j) {
        Control* area = nth(c.Option1, j);
        Control* line = nth(c.Option2, j);
        area->onClick = rule([p, j, area] { p->endemicTypology_Click(j, *area); });
        line->onClick = rule([p, j, line] { p->endemicTypology_Click(j, *line); });
        nth(c.Option3, j)->onClick = rule([p, j] { p->Option3_Click(j); });
        const Row& r = nth(c.rows, j);
        r.tick->onClick = rule([p, j] { p->Check1_Click(j); });
        comboRule(r.value, [p, j] { p->Combo1_Change(j); });
        r.erase->onClick = rule([p, j] { p->correggo_Click(j); });
        r.link->onClick = rule([p, j] { p->legami_Click(j); });
    }
    c.VScroll1->onChange = rule([p] { p->VScroll1_Change(); });
    c.dopo->onClick = rule([p] { p->dopo_Click(); });
}

void MenuForm::buildMenus() {
    shared::addMenu(*this, "file", QStringLiteral("&File"),
                    {{"apri", "&Apri..."},
                     {"salva", "&Salva"},
                     {"salvanome", "Salva con &nome..."},
                     {},
                     {"eliminare", "E&limina..."},
                     {},
                     {"solodati", "S&tampa"},
                     {},
                     {"esci", "&Esci"}});
    shared::addMenu(*this, "modifica", QStringLiteral("&Modifica"),
                    {{"colorare", "&Colore di sfondo"},
                     {},
                     {"controlla", "Controllo &dati immessi"},
                     {},
                     {"cancelladati", "C&ancella dati immessi"}});
    shared::addNavigationMenus(*this, "guidainlinea", 1);

    auto on = [&](const char* name, std::function<void()> f) {
        at(QString::fromLatin1(name)).onClick = std::move(f);
    };
    on("controlla", [this] { controlla_Click(); });
    on("cancelladati", [this] { cancelladati_Click(); });
    on("fin2", [this] { disegn_Click(); });
    on("fin3", [this] { shared_->showTitlePage(); });
    on("finestra", [this] { shared_->showWindow(shared::window::kGuideMenu); });
}

void MenuForm::windowButton(int index) {
    switch (index) {
        case 6:
            solodati_Click();
            break;
        case 8:
            app().message(MessageIcon::Exclamation, shared_->titles().dataCheck,
                          QStringLiteral("E' questa la finestra 'Menu'."));
            break;
        case 9:
            disegn_Click();
            break;
        case 10:
            shared_->showTitlePage();
            break;
        case 19:
            controlla_Click();
            break;
        case 20:
            cancelladati_Click();
            break;
        default:
            break;
    }
}

// ---- the model-data report --------------------------------------------------------------

void MenuForm::solodati_Click() {
    if (!complete()) {
        app().message(MessageIcon::Information, shared_->titles().onlineHelp,
                      QStringLiteral("I dati immessi sono incompleti: seguire le indicazioni della "
                                     "casella gialla prima di stamparli."));
        return;
    }
    controls_.passo->setText(QStringLiteral("sto caricando WORD"));
    const model::ModelData data = model();
    shared_->runReport([&](reports::WordProcessor& word) {
        reports::writeModelData(word, data, shared_->reportTexts());
    });
    controls_.passo->setText(Procedure::kFinalHint);
}

// ---- window events -----------------------------------------------------------------------

void MenuForm::load() {
    shared::WorkWindow::load();
    shared_->files().startModelAfresh();
    procedure_.reset();
    for (int i = 1; i <= 9; ++i) {
        const Row& r = nth(controls_.rows, i);
        for (const QString& item : model::valueItems()) r.value->addItem(item);
        r.value->setToolTip(
            QStringLiteral("cliccare sulla freccia per scegliere il valore del sottosistema n.") +
            num(i));
        r.erase->setToolTip(
            QStringLiteral("cliccare per cancellare i legami digitati per il sottosistema n.") +
            num(i));
        r.link->setToolTip(QStringLiteral(
            "cliccare per inserire il numero del sottosistema interagente con quello indicato"));
        r.tick->setToolTip(QStringLiteral(
            "cliccare per scegliere il sottosistema al quale vanno riferiti i dati successivi"));
    }
    rememberStartState();
}

void MenuForm::unload() {
    // The model lives as long as the window that shows it, and so does its current file: a
    // later save must not put another model into it.
    shared_->files().startModelAfresh();
    shared::WorkWindow::unload();
}

bool MenuForm::holdsData() const {
    return model() != model::ModelData{};
}

QString MenuForm::closeQuestion() const {
    return QStringLiteral("Chiudere la finestra Menu?");
}

const model::ModelData& MenuForm::model() const {
    return procedure_.model();
}

int MenuForm::subsystemCount() const {
    return procedure_.subsystemCount();
}

// ---- checks and help ---------------------------------------------------------------------

void MenuForm::disegn_Click() {
    // Here the count is wanted as well as the endemic typology; the title page's "Finestra
    // Disegno" asks only for the typology and leaves the rest to the drawing window's check.
    drawing::DisegnoForm::drawCommand(
        app(), *shared_,
        !model().subsystemCount.isEmpty() && model().endemicTypology.value_or(0) != 0);
}

void MenuForm::controlla_Click() {
    if (complete()) {
        app().message(MessageIcon::Information, shared_->titles().dataCheck,
                      QStringLiteral("I dati sono stati immessi correttamente."));
    } else {
        app().message(MessageIcon::Exclamation, shared_->titles().dataCheck,
                      QStringLiteral("Inserire i dati seguendo le indicazioni nella casella gialla "
                                     "in basso nella finestra, o correggere quelli immessi.") +
                          QChar(13) +
                          QStringLiteral("Cliccare sul tasto AIUTO per avere una guida pertinente "
                                         "al contesto."));
    }
}

void MenuForm::aiuto_Click() {
    app().message(MessageIcon::Information, shared_->titles().onlineHelp, procedure_.help());
}

void MenuForm::cancelladati_Click() {
    // The window is discarded and made afresh; this object stays alive until the click ends.
    tk::Application& a = app();
    a.unload(name());
    a.show(shared::window::kMenu);
}

// Unlike the title page's, this window's colour dialog opens on the last colour chosen in
// either window.
tk::Color MenuForm::colourDialogStart() const {
    return shared_->lastBackColor;
}

// ---- data file ---------------------------------------------------------------------------

// The project is asked of the title page, which is loaded (hidden) when closed.
QString MenuForm::projectToSave() {
    return shared_->titlePage().project;
}

// Without a project, the title page is shown for it to be typed; without a model, the user is
// here already.
void MenuForm::showWhereMissing(Missing what) {
    if (what == Missing::Project) shared_->showTitlePage();
}

void MenuForm::startAfresh() {
    restoreStartState();
    procedure_.startAfresh();
}

void MenuForm::showFile(const model::DataFileContent& content, const QString& path) {
    procedure_.showFile(content);
    // A save of what was read only in part asks where, proposing the file's name.
    if (!content.complete()) CommonDialog1.fileName = path;
}

}  // namespace zelmor::entry
