#include "procedure.h"

#include <algorithm>

namespace zelmor::entry {

namespace {

using model::EndemicKind;
using tk::Control;

QString kindHint(EndemicKind kind) {
    switch (kind) {
        case EndemicKind::Lineare:
            return QStringLiteral("scegliere la tipologia della situazione lineare");
        case EndemicKind::Puntuale:
            return QStringLiteral("scegliere la tipologia della situazione puntuale");
        case EndemicKind::Superficiale:
            break;
    }
    return QStringLiteral("scegliere la tipologia della situazione superficiale");
}

// Numbers joined to texts carry one leading blank, where a sign would stand.
QString num(int n) {
    return QStringLiteral(" %1").arg(n);
}

QString linksHint(int row) {
    return QStringLiteral("indicare i sottosistemi legati al sottosistema n.") + num(row);
}

}  // namespace

const QString Procedure::kStartHint =
    QStringLiteral("cliccare sul tasto della situazione endemica prescelta");
const QString Procedure::kFinalHint =
    QStringLiteral("correggere, archiviare i dati o disegnare il modello");

Procedure::Procedure(model::ModelData& model, const ProcedureControls& controls)
    : model_(&model), controls_(controls) {}

// ---- the fields, in the model and on the screen together ----------------------------------

void Procedure::setHint(Step step, const QString& text) {
    step_ = step;
    controls_.passo->setText(text);
}

bool Procedure::ticked(int i) const {
    return row(i).tick->value() != 0;
}

void Procedure::setCount(const QString& text) {
    model_->subsystemCount = text;
    controls_.sottosistemi->setText(text);
}

void Procedure::setRowTypology(int i, std::optional<int> index, const QString& text) {
    model::Subsystem& s = subsystem(i);
    // The index and its caption go together: a row without a caption draws nothing.
    s.typology = index;
    s.typologyText = text;
    row(i).typology->setText(text);
}

void Procedure::setLinks(int i, const QString& text) {
    subsystem(i).links = text;
    row(i).links->setText(text);
}

// ---- the links' invariants, after every rule ----------------------------------------------

void Procedure::rule(const std::function<void()>& body) {
    body();
    keepLinksSound();
}

void Procedure::keepLinksSound() {
    const int n = subsystemCount();
    const int c = currentSubsystem_;
    const std::vector<int> entered =
        c >= 1 && c <= 9 ? model::linkedNumbers(subsystem(c).links) : std::vector<int>{};
    for (int k = 1; k <= 9; ++k) {
        Control& b = *row(k).link;
        if (!b.enabled()) continue;
        // A subsystem never lists itself, a number at most once, and only subsystems that exist.
        if (k > n || k == c || std::find(entered.begin(), entered.end(), k) != entered.end())
            b.setEnabled(false);
    }
    // A typology chosen now would go to a row above the count.
    if (c > n && controls_.Frame3->enabled()) controls_.Frame3->setEnabled(false);
}

// ---- the start -------------------------------------------------------------------------

void Procedure::reset() {
    controls_.valore->setText(QString());
    closeSteps();
}

// Every step after the choice of kind closed; the value left as it is.
void Procedure::closeSteps() {
    controls_.valore->setEnabled(false);
    for (int i = 1; i <= 9; ++i) {
        Row& r = row(i);
        r.value->setEnabled(false);
        r.tick->setEnabled(false);
        nth(controls_.Option1, i)->setValue(0);
        nth(controls_.Option2, i)->setValue(0);
        nth(controls_.Option3, i)->setValue(0);
        r.marker->setVisible(false);
        r.links->setEnabled(false);
        r.link->setEnabled(false);
        r.erase->setVisible(false);
    }
    controls_.dopo->setEnabled(false);
    controls_.Frame1->setVisible(false);
    controls_.Frame2->setVisible(false);
    controls_.Frame3->setEnabled(false);
    controls_.Frame3->setVisible(false);
    controls_.VScroll1->setEnabled(false);
}

void Procedure::startAfresh() {
    *model_ = model::ModelData{};
    step_ = Step::Start;
    currentSubsystem_ = 1;
}

// ---- the endemic situation ----------------------------------------------------------------

void Procedure::endemica_Click(EndemicKind kind) {
    model_->endemicKind = kind;
    reset();
    if (kind == EndemicKind::Lineare) {
        controls_.Frame2->setVisible(true);
    } else {
        controls_.Frame1->setVisible(true);
        controls_.Frame1->setText(kind == EndemicKind::Puntuale
                                      ? QStringLiteral("Tipologia situazione puntuale")
                                      : QStringLiteral("Tipologia situazione superficiale"));
    }
    setHint(Step::KindChosen, kindHint(kind));
}

void Procedure::endemicTypology_Click(int index, const Control& option) {
    model_->endemicTypology = index;
    model_->endemicTypologyText = option.text();
    controls_.situazione->setText(option.text());
    setHint(Step::TypologyChosen, QStringLiteral("scegliere il valore della situazione endemica"));
    controls_.valore->setEnabled(true);
}

void Procedure::valore_Change() {
    model_->endemicValue = controls_.valore->text();
    controls_.VScroll1->setEnabled(true);
    if (model_->subsystemCount.isEmpty()) {
        setHint(Step::ValueChosen, QStringLiteral("indicare il numero dei sottosistemi"));
    } else {
        refresh();
    }
}

// ---- the count and the rows ---------------------------------------------------------------

void Procedure::VScroll1_Change() {
    const int value = controls_.VScroll1->value();
    setCount(QString::number(value));
    for (int i = 9; i > value; --i) {
        Row& r = row(i);
        r.tick->setValue(0);
        r.value->setText(QString());
        r.tick->setEnabled(false);
        r.value->setEnabled(false);
        r.erase->setVisible(false);
        nth(controls_.Option3, i)->setValue(0);
        setLinks(i, QString());
        r.links->setEnabled(false);
        r.link->setEnabled(false);
        setRowTypology(i, std::nullopt, QString());
    }
    // The remaining rows keep only the links to subsystems that still exist.
    for (int i = 1; i <= value; ++i) setLinks(i, model::usableLinks(subsystem(i).links, i, value));
    for (int i = 1; i <= 9; ++i) row(i).marker->setVisible(false);
    controls_.Frame3->setVisible(true);
    for (int i = 1; i <= value; ++i) {
        row(i).tick->setEnabled(true);
        row(i).value->setEnabled(true);
        if (!ticked(i)) setHint(Step::Rows, QStringLiteral("spuntare il sottosistema da indicare"));
    }
}

// The particular typologies open, none chosen, for subsystem `i`.
void Procedure::openParticularTypologies(int i) {
    controls_.Frame3->setVisible(true);
    controls_.Frame3->setEnabled(true);
    for (Control* option : controls_.Option3) option->setValue(0);
    currentSubsystem_ = i;
}

void Procedure::Check1_Click(int i) {
    if (!ticked(i)) {
        setRowTypology(i, std::nullopt, QString());
        row(i).value->setText(QString());
        setHint(Step::Rows, QStringLiteral("spuntare il sottosistema n.") + num(i));
        return;
    }
    const int n = subsystemCount();
    for (int j = 1; j <= n; ++j) {
        if (subsystem(j).typologyText.isEmpty()) {
            openParticularTypologies(i);
            setHint(Step::Rows,
                    QStringLiteral("cliccare sulla tipologia della situazione particolare"));
            return;
        }
    }
    startLinks();
}

// The typology goes to the current subsystem; when every row then has its value and its tick,
// the links come next.
void Procedure::Option3_Click(int index) {
    const int n = subsystemCount();
    if (currentSubsystem_ < 1 || currentSubsystem_ > n) return;
    bool stopped = false;
    for (int j = 1; j <= n && !stopped; ++j) {
        if (subsystem(j).value.isEmpty()) {
            setHint(Step::Rows, QStringLiteral("scegliere il valore del sottosistema n.") + num(j));
            stopped = true;
        } else if (!ticked(j)) {
            setHint(Step::Rows, QStringLiteral("spuntare i rimanenti sottosistemi"));
            stopped = true;
        }
    }
    setRowTypology(currentSubsystem_, index, nth(controls_.Option3, index)->text());
    if (!stopped) startLinks();
}

void Procedure::Combo1_Change(int i) {
    subsystem(i).value = row(i).value->text();
    if (!stopAtRowGap(false)) startLinks();
}

// Says what the first row 1..n lacks (its tick, its typology, its value, in that order) and
// true; false when no row lacks anything. With `needIndex` a caption without its typology
// index counts as missing, and the next typology chosen goes to that row.
bool Procedure::stopAtRowGap(bool needIndex) {
    const int n = subsystemCount();
    for (int j = 1; j <= n; ++j) {
        const model::Subsystem& s = subsystem(j);
        if (!ticked(j)) {
            setHint(Step::Rows, QStringLiteral("spuntare il sottosistema n.") + num(j));
            return true;
        }
        if (s.typologyText.isEmpty() || (needIndex && !s.typology)) {
            if (needIndex) openParticularTypologies(j);
            setHint(Step::Rows,
                    QStringLiteral("scegliere la tipologia del sottosistema n.") + num(j));
            return true;
        }
        if (s.value.isEmpty()) {
            setHint(Step::Rows, QStringLiteral("scegliere il valore del sottosistema n.") + num(j));
            return true;
        }
    }
    return false;
}

// ---- the links ----------------------------------------------------------------------------

// Every row has its typology: the links step opens on subsystem 1.
void Procedure::startLinks() {
    const int n = subsystemCount();
    for (int j = 1; j <= n; ++j) {
        if (subsystem(j).typologyText.isEmpty()) {
            setHint(Step::Rows, QStringLiteral("ri-spuntare il sottosistema n.") + num(j) +
                                    QStringLiteral(" per inserire la tipologia"));
            return;
        }
    }
    setHint(Step::Links, QStringLiteral("indicare i legami di ogni sottosistema"));
    controls_.Frame3->setEnabled(false);
    for (int j = 1; j <= n; ++j) {
        Row& r = row(j);
        r.links->setEnabled(true);
        r.link->setEnabled(true);
        r.erase->setVisible(true);
        r.erase->setEnabled(true);
    }
    controls_.dopo->setEnabled(true);
    currentSubsystem_ = 1;
    row(1).marker->setVisible(true);
    row(1).link->setEnabled(false);
}

// Adds subsystem `number` to the current subsystem's links, which only a subsystem within the
// count may take.
void Procedure::legami_Click(int number) {
    const int c = currentSubsystem_;
    if (c < 1 || c > subsystemCount()) return;
    QString text = subsystem(c).links;
    QString separator = QStringLiteral("-");
    if (text.isEmpty() || text == QLatin1String("con nessuno")) {
        text = QStringLiteral("con");
        separator = QStringLiteral(" ");
    }
    setLinks(c, text + separator + row(number).link->text());
    row(number).link->setEnabled(false);
}

// On to the next subsystem's links, a subsystem left without any linked to none; after the
// last one, the links are done.
void Procedure::dopo_Click() {
    const int n = subsystemCount();
    for (int i = 1; i <= 9; ++i) row(i).marker->setVisible(false);
    if (currentSubsystem_ >= n) {
        finishLinks();
        return;
    }
    ++currentSubsystem_;
    const int c = currentSubsystem_;
    row(c).marker->setVisible(true);
    for (int j = 1; j <= n; ++j) row(j).link->setEnabled(true);
    row(c).link->setEnabled(false);
    // Links already entered cannot be entered twice.
    for (const int d : model::linkedNumbers(subsystem(c).links)) row(d).link->setEnabled(false);
    if (subsystem(c - 1).links.isEmpty()) setLinks(c - 1, QStringLiteral("con nessuno"));
    setHint(Step::Links, linksHint(c));
}

// The last subsystem's links are done: the final step, when nothing else is missing.
void Procedure::finishLinks() {
    const int n = subsystemCount();
    for (int j = 1; j <= 9; ++j) row(j).link->setEnabled(false);
    controls_.dopo->setEnabled(false);
    if (n >= 1 && subsystem(n).links.isEmpty()) setLinks(n, QStringLiteral("con nessuno"));
    if (model_->isComplete()) {
        setHint(Step::Final, kFinalHint);
    } else if (!continuing_) {
        continueProcedure();
    }
}

void Procedure::correggo_Click(int i) {
    setLinks(i, QString());
    enterLinksOf(i);
}

// The links step on subsystem `i`: its arrow shown, every other link button open.
void Procedure::enterLinksOf(int i) {
    const int n = subsystemCount();
    setHint(Step::Links, linksHint(i));
    for (int j = 1; j <= n; ++j) {
        row(j).marker->setVisible(false);
        row(j).link->setEnabled(true);
    }
    row(i).link->setEnabled(false);
    row(i).marker->setVisible(true);
    currentSubsystem_ = i;
    controls_.dopo->setEnabled(true);
}

// ---- going on from what the model holds ---------------------------------------------------

void Procedure::refresh() {
    controls_.VScroll1->setValue(subsystemCount());
    VScroll1_Change();
    continueProcedure();
}

// Takes the procedure to the first item the model still lacks, in the order the user enters
// them, or to the final step when nothing is missing. A refresh and Open end here.
void Procedure::continueProcedure() {
    const model::ModelData& d = *model_;
    const int n = subsystemCount();
    if (n == 0) return;
    if (!d.hasEndemicTypology()) {
        // As just after a choice of kind: its typologies come to the front and every later
        // step waits for one. Nothing entered is lost.
        const EndemicKind kind = d.endemicKind.value_or(EndemicKind::Superficiale);
        closeSteps();
        (kind == EndemicKind::Lineare ? controls_.Frame2 : controls_.Frame1)->setVisible(true);
        setHint(Step::KindChosen, kindHint(kind));
        return;
    }
    if (d.endemicValue.isEmpty()) {
        controls_.valore->setEnabled(true);
        setHint(Step::TypologyChosen,
                QStringLiteral("scegliere il valore della situazione endemica"));
        return;
    }
    if (stopAtRowGap(true)) return;
    startLinks();
    for (int j = 1; j < n; ++j) {
        if (subsystem(j).links.isEmpty()) {
            // Links are entered from here on, as after a correction that keeps what is there.
            enterLinksOf(j);
            return;
        }
    }
    currentSubsystem_ = n;
    continuing_ = true;
    dopo_Click();
    continuing_ = false;
}

// Every step up to the rows open, each row within the count ticked.
void Procedure::openRows() {
    controls_.valore->setEnabled(true);
    controls_.VScroll1->setEnabled(true);
    const int n = subsystemCount();
    for (int i = 1; i <= n; ++i) {
        Row& r = row(i);
        r.tick->setEnabled(true);
        r.tick->setValue(1);
        r.value->setEnabled(true);
    }
}

void Procedure::showFile(const model::DataFileContent& content) {
    const model::ModelData& read = content.model;
    setCount(read.subsystemCount);
    rule([&] { nth(controls_.endemica, model::numberOf(*read.endemicKind))->setValue(1); });
    model_->endemicTypologyText = read.endemicTypologyText;
    controls_.situazione->setText(read.endemicTypologyText);
    model_->endemicTypology = read.endemicTypology;
    rule([&] { controls_.valore->setText(read.endemicValue); });
    rule([&] { openRows(); });

    for (int i = 1; i <= content.subsystemsRead; ++i) {
        const model::Subsystem& s = nth(read.subsystems, i);
        setRowTypology(i, s.typology, s.typologyText);
        rule([&] { row(i).value->setText(s.value); });
        setLinks(i, s.links);
    }
    rule([&] {
        controls_.VScroll1->setValue(content.count);
        continueProcedure();
    });
}

// ---- help ---------------------------------------------------------------------------------

QString Procedure::help() const {
    int kind = 0;
    for (int k = 1; k <= 3; ++k) {
        if (nth(controls_.endemica, k)->value() != 0) kind = k;
    }
    if (kind == 0) {
        return QStringLiteral(
            "Aprire un file con i dati archiviati (Zelmor-dati-...) o iniziarne l'introduzione "
            "cliccando sulla situazione endemica prescelta.");
    }
    const auto& options =
        kind == model::numberOf(EndemicKind::Lineare) ? controls_.Option2 : controls_.Option1;
    if (std::none_of(options.begin(), options.end(),
                     [](const Control* o) { return o->value() != 0; })) {
        return QStringLiteral(
            "Scegliere la tipologia di situazione endemica cliccando sull'opzione relativa.");
    }
    if (model_->endemicValue.isEmpty()) {
        return QStringLiteral(
            "Scegliere il valore della situazione endemica cliccando sull'apposita freccia.");
    }
    const int n = subsystemCount();
    if (n == 0) return QStringLiteral("Inserire il numero dei sottosistemi (da 1 a 9).");
    for (int i = 1; i <= n; ++i) {
        const model::Subsystem& s = subsystem(i);
        if (!ticked(i))
            return QStringLiteral("Spuntare la casella relativa al sottosistema n.") + num(i);
        if (s.typologyText.isEmpty()) {
            return QStringLiteral(
                       "Cliccare sulla casella della 'Tipologia situazione "
                       "particolare' relativa al sottosistema n.") +
                   num(i);
        }
        if (s.value.isEmpty()) {
            return QStringLiteral(
                       "Cliccare sull'apposito tasto per scegliere il valore del sottosistema n.") +
                   num(i);
        }
    }
    if (row(n).marker->visible()) {
        for (int i = 1; i <= n; ++i) {
            if (subsystem(i).links.isEmpty()) {
                return QStringLiteral(
                           "Inserire i numeri dei sottosistemi interagenti con il sottosistema "
                           "n.") +
                       num(i);
            }
        }
    }
    const QChar cr(13);
    return QStringLiteral("Scegliere tra le seguenti possibilità:") + cr +
           QStringLiteral(
               "- archiviare i dati per un uso futuro in un file del tipo Zelmor-dati...;") +
           cr +
           QStringLiteral(
               "- cliccare sul tasto 'Disegno' per visualizzare la composizione del modello;") +
           cr + QStringLiteral("- digitare qualche dato diverso per modificare il disegno;") + cr +
           QStringLiteral(
               "- ricominciare daccapo azzerando tutto con il penultimo tasto della "
               "barra degli strumenti.");
}

}  // namespace zelmor::entry
