#include "frontespizioform.h"
#include "frontespiziolayout.h"

#include "drawing/disegnoform.h"
#include "model/encoding.h"
#include "shared/windows.h"
#include "shared/workwindow.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zelmor::titlepage {

namespace {

using tk::Alignment;
using tk::ControlKind;
using tk::Font;
using tk::MessageIcon;
using tk::Rect;
namespace colors = tk::colors;

}  // namespace

QString longDate(const QDate& date) {
    static const char* const days[] = {"lunedì",  "martedì", "mercoledì", "giovedì",
                                       "venerdì", "sabato",  "domenica"};
    static const char* const months[] = {"gen", "feb", "mar", "apr", "mag", "giu",
                                         "lug", "ago", "set", "ott", "nov", "dic"};
    if (!date.isValid()) return QString();
    return QStringLiteral("%1, %2 %3 %4")
        .arg(QString::fromUtf8(days[date.dayOfWeek() - 1]))
        .arg(date.day())
        .arg(QString::fromLatin1(months[date.month() - 1]))
        .arg(date.year());
}

FrontespizioForm::FrontespizioForm(tk::Application& app, shared::ModZelmor& shared)
    : shared::WorkWindow(app, shared::window::kTitlePage, shared,
                         QStringLiteral("Zelmor: frontespizio per la relazione")) {
    build();
}

FrontespizioForm::~FrontespizioForm() = default;

void FrontespizioForm::build() {
    tk::addControls(*this, titlePageLayout());
    for (std::size_t k = 0; k < fields_.size(); ++k) {
        Control& box = at(titlePageFields().at(static_cast<qsizetype>(k)));
        box.onChange = [this, &box] { field_Change(box); };
        fields_.at(k) = &box;
    }
    progetto = fields_[0];
    localita = fields_[1];
    tipostudio = fields_[2];
    committente = fields_[3];
    luogo = fields_[4];
    data = fields_[5];
    allegati = fields_[6];
    Labelstudio = &at(QStringLiteral("Labelstudio"));
    labelindirizzo = &at(QStringLiteral("labelindirizzo"));
    for (int i = 1; i <= 9; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        tiposotto[k] = &at(QStringLiteral("tiposotto"), i);
        denominazione[k] = &at(QStringLiteral("denominazione"), i);
        denominazione[k]->onChange = [this, i] { denominazione_Change(i); };
    }
    passo = &at(QStringLiteral("passo"));
    at(QStringLiteral("aiuto")).onClick = [this] { aiuto_Click(); };
    at(QStringLiteral("stampa")).onClick = [this] { stampa_Click(); };

    buildMenus();
    addToolbar(QStringLiteral("stampa completa dell'elaborazione"));
    wireSharedCommands("guidaonline", "stampatutto");
}

void FrontespizioForm::buildMenus() {
    shared::addMenu(*this, "file", QStringLiteral("&File"),
                    {{"apri", "&Apri..."},
                     {},
                     {"salva", "&Salva"},
                     {"salvanome", "Salva con &nome..."},
                     {},
                     {"eliminare", "&Elimina..."},
                     {}});
    shared::addMenu(*this, "stampe", QStringLiteral("S&tampa"),
                    {{"stampadati", "&solo dati finestra"},
                     {"stampamodello", "solo &modello"},
                     {"stampatutto", "&relazione e modello"}},
                    QStringLiteral("file"));
    shared::addMenuEntries(*this, QStringLiteral("file"), {{}, {"esci", "&Esci"}});
    shared::addMenu(*this, "modifica", QStringLiteral("&Modifica"),
                    {{"colorare", "&Colore di sfondo"},
                     {},
                     {"controllodati", "Controllo &dati immessi"},
                     {},
                     {"cancella", "C&ancella dati finestra"}});
    shared::addNavigationMenus(*this, "guidaonline", 3);
    at(QStringLiteral("fin1")).setShortcut(QStringLiteral("Ctrl+A"));
    at(QStringLiteral("fin2")).setShortcut(QStringLiteral("Ctrl+B"));
    at(QStringLiteral("fin3")).setShortcut(QStringLiteral("Ctrl+C"));
    at(QStringLiteral("fin3")).setValue(1);  // shown ticked: this is the window

    auto on = [&](const char* name, std::function<void()> f) {
        at(QString::fromLatin1(name)).onClick = std::move(f);
    };
    on("stampadati", [this] { stampadati_Click(); });
    on("stampamodello", [this] { stampamodello_Click(); });
    on("controllodati", [this] { controllodati_Click(); });
    on("cancella", [this] { cancella_Click(); });
    on("fin2", [this] { disegno_Click(); });
    on("fin3", [this] { Toolbar1_ButtonClick(10); });
    on("finestra", [this] { shared_->showWindow(shared::window::kGuideTitlePage); });
}

void FrontespizioForm::windowButton(int index) {
    switch (index) {
        case 6:
            stampa_Click();
            break;
        case 8:
            shared_->showMenuWindow();
            break;
        case 9:
            disegno_Click();
            break;
        case 10:
            app().message(MessageIcon::Exclamation, shared_->titles().dataCheck,
                          QStringLiteral("E' questa la finestra Frontespizio."));
            break;
        case 19:
            controllodati_Click();
            break;
        case 20:
            cancella_Click();
            break;
        default:
            break;
    }
}

// ---- window events -----------------------------------------------------------------------

void FrontespizioForm::load() {
    shared::WorkWindow::load();
    startDate_ = longDate(app().platform().today());
    shared_->document().startTitleAfresh(freshPage());
    data->setText(startDate_);
    showOffice(shared_->office());
    passo->setText(QStringLiteral("digitare i dati in ogni campo"));
    rememberStartState();
}

void FrontespizioForm::showOffice(const shared::OfficeData& office) {
    Labelstudio->setText(office.name);
    labelindirizzo->setText(office.address);
}

void FrontespizioForm::unload() {
    // The page lives as long as the window where it is typed.
    shared_->document().startTitleAfresh(model::TitlePage{});
    shared::WorkWindow::unload();
}

model::TitlePage FrontespizioForm::freshPage() const {
    model::TitlePage page;
    page.date = startDate_;
    return page;
}

bool FrontespizioForm::holdsData() const {
    return titlePage() != freshPage();
}

QString FrontespizioForm::closeQuestion() const {
    return QStringLiteral("Chiudere la finestra Frontespizio?");
}

void FrontespizioForm::startAfresh() {
    restoreStartState();
    // The office may have been changed since the window was loaded.
    showOffice(shared_->office());
    shared_->document().title = freshPage();
}

// ---- the record --------------------------------------------------------------------------

const model::TitlePage& FrontespizioForm::titlePage() const {
    return shared_->document().title;
}

QString& FrontespizioForm::fieldOf(const Control& box) {
    model::TitlePage& t = shared_->document().title;
    QString* const members[7] = {&t.project, &t.place, &t.studyType,  &t.client,
                                 &t.town,    &t.date,  &t.attachments};
    for (std::size_t k = 0; k < fields_.size(); ++k) {
        if (fields_[k] == &box) return *members[k];
    }
    for (std::size_t i = 1; i <= 9; ++i) {
        if (denominazione[i] == &box) return t.denominations[i - 1];
    }
    throw std::logic_error("not a box of the title page");
}

void FrontespizioForm::fillTitlePage(const model::TitlePage& page, int denominations) {
    // A file brings its own model: the boxes follow it even when the project reads the same.
    const bool sameProject = progetto->text() == page.project;
    progetto->setText(page.project);
    if (sameProject) progetto_Change();
    localita->setText(page.place);
    tipostudio->setText(page.studyType);
    committente->setText(page.client);
    luogo->setText(page.town);
    data->setText(page.date);
    allegati->setText(page.attachments);
    const QScopedValueRollback<bool> reading(filling_, true);
    for (int i = 1; i <= std::min(denominations, model::kMaxSubsystems); ++i) {
        denominazione[static_cast<std::size_t>(i)]->setText(
            page.denominations[static_cast<std::size_t>(i - 1)]);
    }
}

int FrontespizioForm::subsystemCount() const {
    return shared_->currentModel().count();
}

// ---- typing ------------------------------------------------------------------------------

void FrontespizioForm::field_Change(Control& field) {
    fieldOf(field) = field.text();
    if (&field == progetto) progetto_Change();
    if (model::visibleLength(field.text()) > kFieldLimit) {
        app().message(
            MessageIcon::Exclamation, shared_->titles().dataCheck,
            QStringLiteral("Per una stampa corretta non digitare dati lunghi più di 60 spazi."));
    }
}

void FrontespizioForm::denominazione_Change(int i) {
    Control& d = *denominazione[static_cast<std::size_t>(i)];
    QString& stored = fieldOf(d);
    // The box now shows what the document holds: the cut below, being shown.
    if (d.text() == stored) return;
    const QString before = std::exchange(stored, d.text());
    const int length = model::visibleLength(d.text());
    if (length > kDenominationLimit) {
        app().message(
            MessageIcon::Exclamation, shared_->titles().dataCheck,
            QStringLiteral("Per una stampa corretta non digitare dati lunghi più di 25 spazi."));
    }
    // A text read from a file is kept whole, so that a save writes back what was read. Typing
    // makes no text longer than the limit, nor a longer one read from a file longer still:
    // such a change is cut to the limit, or leaves the longer text as it was.
    const int longest = std::max(kDenominationLimit, model::visibleLength(before));
    if (filling_ || length <= longest) return;
    // Cut where the user sees a character end: never inside one.
    stored = longest > kDenominationLimit ? before : model::leftVisible(d.text(), longest);
    d.setText(stored);
}

// The denominations follow the model: one open box per subsystem, beside its type text.
void FrontespizioForm::progetto_Change() {
    for (int i = 1; i <= 9; ++i) {
        denominazione[static_cast<std::size_t>(i)]->setEnabled(false);
        tiposotto[static_cast<std::size_t>(i)]->setText(QString());
    }
    const int n = subsystemCount();
    const model::ModelData& m = shared_->currentModel();
    for (int i = 1; i <= n; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        tiposotto[k]->setText(m.subsystems[k - 1].typologyText);
        denominazione[k]->setEnabled(true);
    }
}

// ---- checks and help ---------------------------------------------------------------------

void FrontespizioForm::controllodati_Click() {
    auto say = [this](MessageIcon icon, const char* text) {
        app().message(icon, shared_->titles().dataCheck, QString::fromUtf8(text));
    };
    const auto empty = [](const Control* c) { return c->text().isEmpty(); };
    if (empty(progetto) && empty(localita) && empty(tipostudio) && empty(committente) &&
        empty(allegati)) {
        say(MessageIcon::Question, "Non è stato immesso alcun dato.");
        return;
    }
    if (empty(progetto) || empty(localita) || empty(tipostudio) || empty(committente) ||
        empty(data) || empty(allegati)) {
        say(MessageIcon::Exclamation, "Inserire dati per ogni campo.");
        return;
    }
    for (int i = 1; i <= subsystemCount(); ++i) {
        if (empty(denominazione[static_cast<std::size_t>(i)])) {
            say(MessageIcon::Exclamation,
                "Mancano solo le denominazioni complete dei sottosistemi: digitarle se "
                "necessario.");
            return;
        }
    }
    say(MessageIcon::Information, "I dati sono stati immessi correttamente.");
}

void FrontespizioForm::cancella_Click() {
    for (Control* f : fields_) f->setText(QString());
    for (int i = 1; i <= 9; ++i) denominazione[static_cast<std::size_t>(i)]->setText(QString());
}

void FrontespizioForm::aiuto_Click() {
    const QChar cr(13);
    app().message(
        MessageIcon::Information, shared_->titles().onlineHelp,
        QStringLiteral("- Digitare o correggere i dati spostandosi con il tasto TAB, o con il "
                       "mouse, nei campi;") +
            cr + QStringLiteral("- la data viene impostata in automatico, ma è modificabile;") +
            cr +
            QStringLiteral("- lo studio tecnico non è modificabile: nome e indirizzo sono quelli "
                           "registrati nelle impostazioni del programma;") +
            cr +
            QStringLiteral("- aprire un file archiviato per prelevare, eventualmente, i dati "
                           "registrati (Zelmor-dati-);") +
            cr +
            QStringLiteral("- non digitare dati più lunghi di 60 spazi per i dati di sinistra;") +
            cr +
            QStringLiteral("- non digitare dati più lunghi di 25 spazi per i dati di destra;") +
            cr +
            QStringLiteral("- effettuare il controllo dei dati immessi cliccando sul tasto ABC."));
}

void FrontespizioForm::disegno_Click() {
    // Only the endemic typology is asked for here, not the count as in the data-entry window;
    // the drawing window tells what else is missing.
    drawing::DisegnoForm::drawCommand(app(), *shared_,
                                      shared_->currentModel().endemicTypology.value_or(0) != 0);
}

// ---- data file ---------------------------------------------------------------------------

// The open and save dialogs of this window say that they are the title page's.
QString FrontespizioForm::fileDialogTitle(const QString& command) const {
    return command + QStringLiteral(" (frontespizio)");
}

// The project is the one typed in this window.
QString FrontespizioForm::projectToSave() {
    return progetto->text();
}

// Without a model, the data-entry window is shown for it to be entered; without a project, the
// user is here already.
void FrontespizioForm::showWhereMissing(Missing what) {
    if (what == Missing::Model) shared_->showMenuWindow();
}

// ---- the reports -------------------------------------------------------------------------

namespace {
const QString kLoading = QStringLiteral("sto caricando WORD");
const QString kNotDone = QStringLiteral("stampa non completata");
}  // namespace

bool FrontespizioForm::refuseWithoutModel() {
    if (subsystemCount() > 0) return false;
    app().message(MessageIcon::Critical, shared_->titles().dataCheck,
                  QStringLiteral("Non esistono dati del modello da stampare: immetterli nella "
                                 "finestra Menu o aprire un file archiviato."));
    shared_->showMenuWindow();
    return true;
}

bool FrontespizioForm::refuseWithoutPicture() {
    try {
        reports::requireDrawnPicture(shared_->picturePath(), shared_->drawnPicture(),
                                     shared_->currentModel());
        return false;
    } catch (const reports::WordError& e) {
        shared_->reportFailure(e);
        return true;
    }
}

void FrontespizioForm::stampadati_Click() {
    if (refuseWithoutModel()) return;
    passo->setText(kLoading);
    const int n = subsystemCount();
    // The model's own type texts: the labels here are copied only when the project changes.
    QStringList types;
    for (int i = 1; i <= n; ++i)
        types << shared_->currentModel().subsystems[static_cast<std::size_t>(i - 1)].typologyText;
    const model::TitlePage page = titlePage();
    const bool done = shared_->runReport([&](reports::WordProcessor& word) {
        reports::writeTitlePageData(word, page, n, types, shared_->reportTexts());
    });
    passo->setText(done ? QStringLiteral("ho visualizzato i dati su WORD") : kNotDone);
}

void FrontespizioForm::stampamodello_Click() {
    if (refuseWithoutPicture()) return;
    passo->setText(kLoading);
    const QString picture = shared_->picturePath();
    const bool done = shared_->runReport([&](reports::WordProcessor& word) {
        // The words go with the model the picture was drawn from.
        const auto& drawn = shared_->drawnPicture();
        reports::writeModelPicture(word, picture, drawn ? drawn->model : shared_->currentModel(),
                                   shared_->reportTexts());
    });
    passo->setText(done ? QStringLiteral("ho visualizzato il modello su WORD") : kNotDone);
}

void FrontespizioForm::stampa_Click() {
    if (refuseWithoutModel() || refuseWithoutPicture()) return;
    // The status is set once: it still says so when the report is open in the word processor.
    passo->setText(kLoading);
    const model::ModelData data = shared_->currentModel();
    const model::TitlePage page = titlePage();
    const QString picture = shared_->picturePath();
    const QString path = reports::fullReportPath(shared_->reportsFolder(), page.client);
    QString saved = path;
    const bool done = shared_->runReport([&](reports::WordProcessor& word) {
        saved = reports::writeFullReport(word, data, page, shared_->reportTexts(), picture, path);
    });
    if (!done) passo->setText(kNotDone);
    if (done) shared_->tellSavedElsewhere(path, saved);
}

}  // namespace zelmor::titlepage
