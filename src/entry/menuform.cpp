#include "menuform.h"

#include "drawing/disegnoform.h"
#include "shared/workwindow.h"

#include "model/datafile.h"
#include "model/fileio.h"
#include "shared/windows.h"

#include <algorithm>

namespace zelmor::entry {

namespace {

using tk::Alignment;
using tk::Color;
using tk::ControlKind;
using tk::Font;
using tk::MessageIcon;
using tk::Rect;
namespace colors = tk::colors;

const QString kStartHint = QStringLiteral("cliccare sul tasto della situazione endemica prescelta");
const QString kFinalHint = QStringLiteral("correggere, archiviare i dati o disegnare il modello");

// Data files are a few hundred bytes; anything far larger is not one of them.
constexpr qint64 kMaxDataFile = 1 << 20;

QString kindHint(int kind) {
    switch (kind) {
        case 2:
            return QStringLiteral("scegliere la tipologia della situazione lineare");
        case 3:
            return QStringLiteral("scegliere la tipologia della situazione puntuale");
        default:
            return QStringLiteral("scegliere la tipologia della situazione superficiale");
    }
}

// Numbers joined to texts carry one leading blank, where a sign would stand.
QString num(int n) {
    return QStringLiteral(" %1").arg(n);
}

int rowTop(int i) {
    return 2400 + 240 * (i - 1);
}

// A link text holds a subsystem's number where a character is a digit 1..9.
int digit(QChar c) {
    return c >= QLatin1Char('1') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0;
}

}  // namespace

MenuForm::MenuForm(tk::Application& app, shared::ModZelmor& shared)
    : shared::WorkWindow(app, shared::window::kMenu, shared,
                         QStringLiteral("Zelmor: menu - immissione dati")) {
    build();
}

MenuForm::~MenuForm() = default;

// The window as it is designed; the load handler then fits it to the screen.
void MenuForm::build() {
    const Font bold825{QString(), 8.25, true, false};
    const Font bold12{QString(), 12, true, false};

    auto label = [this](const QString& name, int index, Control* parent, Rect r, const QString& cap,
                        std::optional<Color> back, const QString& tip = QString()) -> Control& {
        return addLabel(name, index, parent, r, cap, back, tip);
    };

    Frame4 = &add(ControlKind::Frame, QStringLiteral("Frame4"));
    Frame4->setGeometry({240, 600, 9015, 975});
    Frame4->setText(QStringLiteral("Situazione endemica"));
    Frame4->setBackColor(colors::kDarkGrey);
    Frame4->setFont(bold825);

    label(QStringLiteral("Label6"), 0, Frame4, {120, 240, 2295, 255}, QStringLiteral("Tipologia"),
          colors::kYellow,
          QStringLiteral("situazione generale del territorio o dell'area oggetto di studio"));
    situazione = &label(QStringLiteral("situazione"), 0, Frame4, {120, 480, 2295, 255}, QString(),
                        colors::kCyan,
                        QStringLiteral("riporta la tipologia scelta per la situazione endemica"));
    label(QStringLiteral("Label5"), 0, Frame4, {2400, 240, 855, 255}, QStringLiteral("Valore"),
          colors::kYellow,
          QStringLiteral("scegliere il valore cliccando sulla freccia sottostante"));

    valore = &add(ControlKind::ComboBox, QStringLiteral("valore"), 0, Frame4);
    valore->setGeometry({2400, 480, 855, 315});
    valore->setToolTip(
        QStringLiteral("cliccare per scegliere il valore della situazione endemica"));
    for (const QString& item : model::valueItems()) valore->addItem(item);
    valore->onChange = [this] { rule([&] { valore_Change(); }); };
    valore->onClick = [this] { rule([&] { valore_Change(); }); };

    static const int kindLeft[] = {0, 3480, 5640, 7200};
    static const int kindWidth[] = {0, 1815, 1335, 1695};
    static const char* const kindTip[] = {
        nullptr, "cliccare per scegliere una situazione generale di tipo superficiale",
        "cliccare per scegliere una situazione generale di tipo lineare",
        "cliccare per scegliere una situazione generale di tipo puntuale"};
    for (int k = 1; k <= 3; ++k) {
        Control& o = add(ControlKind::OptionButton, QStringLiteral("endemica"), k, Frame4);
        o.setGeometry({kindLeft[k], 240, kindWidth[k], 495});
        o.setText(model::kindCaptions().at(k - 1));
        o.setToolTip(QString::fromUtf8(kindTip[k]));
        o.setForeColor(colors::kYellow);
        o.setBackColor(colors::kDarkGrey);
        o.setFont(bold12);
        o.onClick = [this, k] { rule([&] { endemica_Click(k); }); };
        endemica[k] = &o;
    }

    // The three typology frames share one rectangle; the particular one lies on top.
    auto typologyFrame = [&](const QString& name, const QString& cap, const QString& tip,
                             const QStringList& captions, std::array<Control*, 10>& options,
                             int optionWidth) -> Control* {
        Control& f = add(ControlKind::Frame, name);
        f.setGeometry({240, 1800, 2775, 3615});
        f.setText(cap);
        f.setToolTip(tip);
        const QString optionName = name == QLatin1String("Frame1")   ? QStringLiteral("Option1")
                                   : name == QLatin1String("Frame2") ? QStringLiteral("Option2")
                                                                     : QStringLiteral("Option3");
        for (int j = 1; j <= 9; ++j) {
            Control& o = add(ControlKind::OptionButton, optionName, j, &f);
            o.setGeometry({120, 240 + 360 * (j - 1), optionWidth, 375});
            o.setText(captions.at(j - 1));
            options[static_cast<std::size_t>(j)] = &o;
        }
        return &f;
    };
    Frame1 = typologyFrame(
        QStringLiteral("Frame1"), QStringLiteral("Tipologia situazione superficiale"),
        QStringLiteral("cliccare sulla tipologia relativa alla situazione endemica prescelta"),
        model::areaTypologies(), Option1, 1815);
    Frame2 = typologyFrame(
        QStringLiteral("Frame2"), QStringLiteral("Tipologia situazione lineare"),
        QStringLiteral("cliccare sulla tipologia relativa alla situazione endemica lineare"),
        model::linearTypologies(), Option2, 2535);
    Frame3 =
        typologyFrame(QStringLiteral("Frame3"), QStringLiteral("Tipologia situazione particolare"),
                      QStringLiteral("cliccare sulla tipologia riferita al sottosistema indicato"),
                      model::particularTypologies(), Option3, 1815);
    for (int j = 1; j <= 9; ++j) {
        Option1[j]->onClick = [this, j] { rule([&] { endemicTypology_Click(j, *Option1[j]); }); };
        Option2[j]->onClick = [this, j] { rule([&] { endemicTypology_Click(j, *Option2[j]); }); };
        Option3[j]->onClick = [this, j] { rule([&] { Option3_Click(j); }); };
    }

    label(QStringLiteral("Label1"), 0, nullptr, {3240, 2040, 1935, 255},
          QStringLiteral("Numero dei sottosistemi"), colors::kYellow);
    sottosistemi = &label(
        QStringLiteral("sottosistemi"), 0, nullptr, {5280, 2040, 615, 255}, QString(),
        colors::kHighlightText,
        QStringLiteral("cliccare sulle frecce laterali per immettere il numero di sottosistemi"));
    sottosistemi->setAlignment(Alignment::Center);

    // 9 at the top end, 1 at the bottom end: the upper arrow raises the count.
    VScroll1 = &add(ControlKind::VScrollBar, QStringLiteral("VScroll1"));
    VScroll1->setGeometry({6000, 2040, 375, 255});
    VScroll1->setRange(9, 1);
    VScroll1->setValue(1);
    VScroll1->onChange = [this] { rule([&] { VScroll1_Change(); }); };

    label(QStringLiteral("Label2"), 0, nullptr, {6480, 2040, 2775, 255},
          QStringLiteral("Legami tra sottosistemi"), colors::kYellow);

    for (int i = 1; i <= 9; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        Check1[k] = &add(ControlKind::CheckBox, QStringLiteral("Check1"), i);
        Check1[k]->setGeometry({3240, rowTop(i), 615, 255});
        Check1[k]->setText(QStringLiteral("n.%1").arg(i));
        Check1[k]->onClick = [this, i] { rule([&] { Check1_Click(i); }); };

        tiposotto[k] = &label(QStringLiteral("tiposotto"), i, nullptr, {3840, rowTop(i), 1335, 255},
                              QString(), colors::kCyan);

        Combo1[k] = &add(ControlKind::ComboBox, QStringLiteral("Combo1"), i);
        Combo1[k]->setGeometry({5280, rowTop(i), 1095, 315});
        Combo1[k]->onChange = [this, i] { rule([&] { Combo1_Change(i); }); };
        Combo1[k]->onClick = [this, i] { rule([&] { Combo1_Change(i); }); };

        Image1[k] = &add(ControlKind::Image, QStringLiteral("Image1"), i);
        Image1[k]->setGeometry({6480, rowTop(i), 375, 255});
        Image1[k]->setPicture(QStringLiteral("arrow"));
        Image1[k]->setVisible(false);

        Label3[k] = &label(QStringLiteral("Label3"), i, nullptr, {6960, rowTop(i), 1935, 255},
                           QString(), colors::kCyan);

        correggo[k] = &add(ControlKind::CommandButton, QStringLiteral("correggo"), i);
        correggo[k]->setGeometry({9000, rowTop(i), 255, 255});
        correggo[k]->setPicture(QStringLiteral("erase"));
        correggo[k]->setVisible(false);
        correggo[k]->onClick = [this, i] { rule([&] { correggo_Click(i); }); };
    }
    for (int i = 1; i <= 9; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        legami[k] = &add(ControlKind::CommandButton, QStringLiteral("legami"), i);
        legami[k]->setGeometry({3240 + 360 * (i - 1), 4680, 375, 375});
        legami[k]->setText(QString::number(i));
        legami[k]->onClick = [this, i] { rule([&] { legami_Click(i); }); };
    }

    dopo = &add(ControlKind::CommandButton, QStringLiteral("dopo"));
    dopo->setGeometry({6480, 4680, 375, 375});
    dopo->setPicture(QStringLiteral("next"));
    dopo->setToolTip(
        QStringLiteral("cliccare per passare ai legami del sottosistema successivo o terminare"));
    dopo->onClick = [this] { rule([&] { dopo_Click(); }); };

    Control* Frame5 = &add(ControlKind::Frame, QStringLiteral("Frame5"));
    Frame5->setGeometry({0, 5520, 9495, 615});
    Frame5->setBackColor(colors::kDarkGrey);

    auto barButton = [this, Frame5](const QString& name, int left, const QString& cap,
                                    const QString& pic, const QString& tip) -> Control& {
        return addBarButton(*Frame5, name, left, cap, pic, tip);
    };
    barButton(QStringLiteral("guida"), 120, QStringLiteral("&Guida in linea"),
              QStringLiteral("guide"),
              QStringLiteral("cliccare per visualizzare il sommario della guida"));
    barButton(QStringLiteral("aiuto"), 1320, QStringLiteral("&AIUTO"), QStringLiteral("aid"),
              QStringLiteral("cliccare per visualizzare gli aiuti in linea"))
        .onClick = [this] { aiuto_Click(); };

    passo =
        &label(QStringLiteral("passo"), 0, Frame5, {2640, 120, 4215, 495}, kStartHint,
               colors::kYellow, QStringLiteral("indicazioni in linea sulla immissione dei dati"));
    passo->setForeColor(colors::kBlack);
    passo->setBordered(true);

    barButton(QStringLiteral("disegn"), 6960, QStringLiteral("&Disegno"), QStringLiteral("draw"),
              QStringLiteral("cliccare per visualizzare il disegno del modello"))
        .onClick = [this] { disegn_Click(); };
    barButton(QStringLiteral("uscita"), 8160, QStringLiteral("&USCITA"), QStringLiteral("exit"),
              QStringLiteral("cliccare per uscire da Zelmor"));

    buildMenus();
    addToolbar(QStringLiteral("stampa dati finestra"));
    wireSharedCommands("guidainlinea", "solodati");
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
    passo->setText(QStringLiteral("sto caricando WORD"));
    const model::ModelData data = model();
    shared_->runReport([&](reports::WordProcessor& word) {
        reports::writeModelData(word, data, shared_->reportTexts());
    });
    passo->setText(kFinalHint);
}

// ---- window events -----------------------------------------------------------------------

void MenuForm::load() {
    shared::WorkWindow::load();
    shared_->document().startModelAfresh();
    resetProcedure();
    for (int i = 1; i <= 9; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        for (const QString& item : model::valueItems()) Combo1[k]->addItem(item);
        Combo1[k]->setToolTip(
            QStringLiteral("cliccare sulla freccia per scegliere il valore del sottosistema n.") +
            num(i));
        correggo[k]->setToolTip(
            QStringLiteral("cliccare per cancellare i legami digitati per il sottosistema n.") +
            num(i));
        legami[k]->setToolTip(QStringLiteral(
            "cliccare per inserire il numero del sottosistema interagente con quello indicato"));
        Check1[k]->setToolTip(QStringLiteral(
            "cliccare per scegliere il sottosistema al quale vanno riferiti i dati successivi"));
    }
    rememberStartState();
}

void MenuForm::unload() {
    // The model lives as long as the window that shows it, and so does its current file: a
    // later save must not put another model into it.
    shared_->document().startModelAfresh();
    shared::WorkWindow::unload();
}

bool MenuForm::holdsData() const {
    return model() != model::ModelData{};
}

QString MenuForm::closeQuestion() const {
    return QStringLiteral("Chiudere la finestra Menu?");
}

// ---- the model ---------------------------------------------------------------------------

const model::ModelData& MenuForm::model() const {
    return shared_->document().model;
}

model::ModelData& MenuForm::m() {
    return shared_->document().model;
}

int MenuForm::subsystemCount() const {
    return model().count();
}

void MenuForm::setHint(Step step, const QString& text) {
    step_ = step;
    passo->setText(text);
}

bool MenuForm::ticked(int row) const {
    return Check1[static_cast<std::size_t>(row)]->value() != 0;
}

void MenuForm::setCount(const QString& text) {
    m().subsystemCount = text;
    sottosistemi->setText(text);
}

void MenuForm::setRowTypology(int row, std::optional<int> index, const QString& text) {
    model::Subsystem& s = m().subsystems[static_cast<std::size_t>(row - 1)];
    // The index and its caption go together: a row without a caption draws nothing.
    s.typology = index;
    s.typologyText = text;
    tiposotto[static_cast<std::size_t>(row)]->setText(text);
}

void MenuForm::setLinks(int row, const QString& text) {
    m().subsystems[static_cast<std::size_t>(row - 1)].links = text;
    Label3[static_cast<std::size_t>(row)]->setText(text);
}

void MenuForm::rule(const std::function<void()>& body) {
    body();
    keepLinksSound();
}

void MenuForm::keepLinksSound() {
    const int n = subsystemCount();
    const int c = currentSubsystem_;
    const std::vector<int> entered =
        c >= 1 && c <= 9
            ? model::linkedNumbers(m().subsystems[static_cast<std::size_t>(c - 1)].links)
            : std::vector<int>{};
    for (int k = 1; k <= 9; ++k) {
        Control& b = *legami[static_cast<std::size_t>(k)];
        if (!b.enabled()) continue;
        // A subsystem never lists itself, a number at most once, and only subsystems that exist.
        if (k > n || k == c || std::find(entered.begin(), entered.end(), k) != entered.end())
            b.setEnabled(false);
    }
    // A typology chosen now would go to a row above the count.
    if (c > n && Frame3->enabled()) Frame3->setEnabled(false);
}

// ---- the guided procedure ----------------------------------------------------------------

void MenuForm::resetProcedure() {
    valore->setText(QString());
    resetSteps();
}

void MenuForm::resetSteps() {
    valore->setEnabled(false);
    for (int i = 1; i <= 9; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        Combo1[k]->setEnabled(false);
        Check1[k]->setEnabled(false);
        Option1[k]->setValue(0);
        Option2[k]->setValue(0);
        Option3[k]->setValue(0);
        Image1[k]->setVisible(false);
        Label3[k]->setEnabled(false);
        legami[k]->setEnabled(false);
        correggo[k]->setVisible(false);
    }
    dopo->setEnabled(false);
    Frame1->setVisible(false);
    Frame2->setVisible(false);
    Frame3->setEnabled(false);
    Frame3->setVisible(false);
    VScroll1->setEnabled(false);
}

void MenuForm::endemica_Click(int kind) {
    m().endemicKind = kind;
    resetProcedure();
    if (kind == 2) {
        Frame2->setVisible(true);
    } else {
        Frame1->setVisible(true);
        Frame1->setText(kind == 3 ? QStringLiteral("Tipologia situazione puntuale")
                                  : QStringLiteral("Tipologia situazione superficiale"));
    }
    setHint(Step::KindChosen, kindHint(kind));
}

void MenuForm::endemicTypology_Click(int index, Control& option) {
    m().endemicTypology = index;
    m().endemicTypologyText = option.text();
    situazione->setText(option.text());
    setHint(Step::TypologyChosen, QStringLiteral("scegliere il valore della situazione endemica"));
    valore->setEnabled(true);
}

void MenuForm::valore_Change() {
    m().endemicValue = valore->text();
    VScroll1->setEnabled(true);
    if (model().subsystemCount.isEmpty()) {
        setHint(Step::ValueChosen, QStringLiteral("indicare il numero dei sottosistemi"));
    } else {
        refresh();
    }
}

void MenuForm::VScroll1_Change() {
    const int value = VScroll1->value();
    setCount(QString::number(value));
    for (int i = 9; i > value; --i) {
        const std::size_t k = static_cast<std::size_t>(i);
        Check1[k]->setValue(0);
        Combo1[k]->setText(QString());
        Check1[k]->setEnabled(false);
        Combo1[k]->setEnabled(false);
        correggo[k]->setVisible(false);
        Option3[k]->setValue(0);
        setLinks(i, QString());
        Label3[k]->setEnabled(false);
        legami[k]->setEnabled(false);
        setRowTypology(i, std::nullopt, QString());
    }
    // The remaining rows keep only the links to subsystems that still exist.
    for (int i = 1; i <= value; ++i) {
        const QString& links = m().subsystems[static_cast<std::size_t>(i - 1)].links;
        setLinks(i, model::usableLinks(links, i, value));
    }
    for (int i = 1; i <= 9; ++i) Image1[static_cast<std::size_t>(i)]->setVisible(false);
    Frame3->setVisible(true);
    for (int i = 1; i <= value; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        Check1[k]->setEnabled(true);
        Combo1[k]->setEnabled(true);
        if (!ticked(i)) setHint(Step::Rows, QStringLiteral("spuntare il sottosistema da indicare"));
    }
}

void MenuForm::Check1_Click(int row) {
    if (!ticked(row)) {
        setRowTypology(row, std::nullopt, QString());
        Combo1[static_cast<std::size_t>(row)]->setText(QString());
        setHint(Step::Rows, QStringLiteral("spuntare il sottosistema n.") + num(row));
        return;
    }
    const int n = subsystemCount();
    for (int j = 1; j <= n; ++j) {
        if (m().subsystems[static_cast<std::size_t>(j - 1)].typologyText.isEmpty()) {
            Frame3->setVisible(true);
            Frame3->setEnabled(true);
            for (int o = 1; o <= 9; ++o) Option3[static_cast<std::size_t>(o)]->setValue(0);
            currentSubsystem_ = row;
            setHint(Step::Rows,
                    QStringLiteral("cliccare sulla tipologia della situazione particolare"));
            return;
        }
    }
    startLinks();
}

void MenuForm::Option3_Click(int index) {
    const int n = subsystemCount();
    if (currentSubsystem_ < 1 || currentSubsystem_ > n) return;
    bool stopped = false;
    for (int j = 1; j <= n && !stopped; ++j) {
        if (m().subsystems[static_cast<std::size_t>(j - 1)].value.isEmpty()) {
            setHint(Step::Rows, QStringLiteral("scegliere il valore del sottosistema n.") + num(j));
            stopped = true;
        } else if (!ticked(j)) {
            setHint(Step::Rows, QStringLiteral("spuntare i rimanenti sottosistemi"));
            stopped = true;
        }
    }
    if (!stopped) allSubsystemsComplete_ = true;
    setRowTypology(currentSubsystem_, index, Option3[static_cast<std::size_t>(index)]->text());
    if (allSubsystemsComplete_) {
        allSubsystemsComplete_ = false;
        startLinks();
    }
}

void MenuForm::Combo1_Change(int row) {
    m().subsystems[static_cast<std::size_t>(row - 1)].value =
        Combo1[static_cast<std::size_t>(row)]->text();
    if (!stopAtRowGap(false)) startLinks();
}

// Says what the first row 1..n lacks (its tick, its typology, its value, in that order) and
// true; false when no row lacks anything. With `needIndex` a caption without its typology
// index counts as missing, and the next typology chosen goes to that row.
bool MenuForm::stopAtRowGap(bool needIndex) {
    const int n = subsystemCount();
    for (int j = 1; j <= n; ++j) {
        const model::Subsystem& s = model().subsystems[static_cast<std::size_t>(j - 1)];
        if (!ticked(j)) {
            setHint(Step::Rows, QStringLiteral("spuntare il sottosistema n.") + num(j));
            return true;
        }
        if (s.typologyText.isEmpty() || (needIndex && !s.typology)) {
            if (needIndex) {
                Frame3->setVisible(true);
                Frame3->setEnabled(true);
                for (int o = 1; o <= 9; ++o) Option3[static_cast<std::size_t>(o)]->setValue(0);
                currentSubsystem_ = j;
            }
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

void MenuForm::startLinks() {
    const int n = subsystemCount();
    for (int j = 1; j <= n; ++j) {
        if (m().subsystems[static_cast<std::size_t>(j - 1)].typologyText.isEmpty()) {
            setHint(Step::Rows, QStringLiteral("ri-spuntare il sottosistema n.") + num(j) +
                                    QStringLiteral(" per inserire la tipologia"));
            return;
        }
    }
    setHint(Step::Links, QStringLiteral("indicare i legami di ogni sottosistema"));
    Frame3->setEnabled(false);
    for (int j = 1; j <= n; ++j) {
        const std::size_t k = static_cast<std::size_t>(j);
        Label3[k]->setEnabled(true);
        legami[k]->setEnabled(true);
        correggo[k]->setVisible(true);
        correggo[k]->setEnabled(true);
    }
    dopo->setEnabled(true);
    currentSubsystem_ = 1;
    Image1[1]->setVisible(true);
    legami[1]->setEnabled(false);
}

void MenuForm::legami_Click(int number) {
    const int c = currentSubsystem_;
    if (c < 1 || c > subsystemCount()) return;
    QString text = m().subsystems[static_cast<std::size_t>(c - 1)].links;
    QString separator = QStringLiteral("-");
    if (text.isEmpty() || text == QLatin1String("con nessuno")) {
        text = QStringLiteral("con");
        separator = QStringLiteral(" ");
    }
    setLinks(c, text + separator + legami[static_cast<std::size_t>(number)]->text());
    legami[static_cast<std::size_t>(number)]->setEnabled(false);
}

void MenuForm::dopo_Click() {
    const int n = subsystemCount();
    for (int i = 1; i <= 9; ++i) Image1[static_cast<std::size_t>(i)]->setVisible(false);
    if (currentSubsystem_ < n) {
        ++currentSubsystem_;
        const int c = currentSubsystem_;
        Image1[static_cast<std::size_t>(c)]->setVisible(true);
        for (int j = 1; j <= n; ++j) legami[static_cast<std::size_t>(j)]->setEnabled(true);
        legami[static_cast<std::size_t>(c)]->setEnabled(false);
        // Links already entered cannot be entered twice.
        for (QChar ch : m().subsystems[static_cast<std::size_t>(c - 1)].links) {
            if (const int d = digit(ch)) legami[static_cast<std::size_t>(d)]->setEnabled(false);
        }
        if (m().subsystems[static_cast<std::size_t>(c - 2)].links.isEmpty())
            setLinks(c - 1, QStringLiteral("con nessuno"));
        setHint(Step::Links,
                QStringLiteral("indicare i sottosistemi legati al sottosistema n.") + num(c));
    } else {
        finishLinks();
    }
}

// The last subsystem's links are done: the final step, when nothing else is missing.
void MenuForm::finishLinks() {
    const int n = subsystemCount();
    for (int j = 1; j <= 9; ++j) legami[static_cast<std::size_t>(j)]->setEnabled(false);
    dopo->setEnabled(false);
    if (n >= 1 && m().subsystems[static_cast<std::size_t>(n - 1)].links.isEmpty())
        setLinks(n, QStringLiteral("con nessuno"));
    if (model().isComplete()) {
        setHint(Step::Final, kFinalHint);
    } else if (!continuing_) {
        continueProcedure();
    }
}

void MenuForm::correggo_Click(int row) {
    setLinks(row, QString());
    enterLinksOf(row);
}

// The links step on subsystem `row`: its arrow shown, every other link button open.
void MenuForm::enterLinksOf(int row) {
    const int n = subsystemCount();
    setHint(Step::Links,
            QStringLiteral("indicare i sottosistemi legati al sottosistema n.") + num(row));
    for (int j = 1; j <= n; ++j) {
        Image1[static_cast<std::size_t>(j)]->setVisible(false);
        legami[static_cast<std::size_t>(j)]->setEnabled(true);
    }
    legami[static_cast<std::size_t>(row)]->setEnabled(false);
    Image1[static_cast<std::size_t>(row)]->setVisible(true);
    currentSubsystem_ = row;
    dopo->setEnabled(true);
}

void MenuForm::refresh() {
    VScroll1->setValue(subsystemCount());
    VScroll1_Change();
    continueProcedure();
}

// Takes the procedure to the first item the model still lacks, in the order the user enters
// them, or to the final step when nothing is missing. A refresh and Open end here.
void MenuForm::continueProcedure() {
    const model::ModelData& d = model();
    const int n = subsystemCount();
    if (n == 0) return;
    if (!d.hasEndemicTypology()) {
        // As just after a choice of kind: its typologies come to the front and every later
        // step waits for one. Nothing entered is lost.
        const int kind = d.endemicKind.value_or(1);
        resetSteps();
        (kind == 2 ? Frame2 : Frame1)->setVisible(true);
        setHint(Step::KindChosen, kindHint(kind));
        return;
    }
    if (d.endemicValue.isEmpty()) {
        valore->setEnabled(true);
        setHint(Step::TypologyChosen,
                QStringLiteral("scegliere il valore della situazione endemica"));
        return;
    }
    if (stopAtRowGap(true)) return;
    startLinks();
    for (int j = 1; j < n; ++j) {
        if (d.subsystems[static_cast<std::size_t>(j - 1)].links.isEmpty()) {
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
    auto help = [this](const QString& text) {
        app().message(MessageIcon::Information, shared_->titles().onlineHelp, text);
    };
    int kind = 0;
    for (int k = 1; k <= 3; ++k) {
        if (endemica[static_cast<std::size_t>(k)]->value() != 0) kind = k;
    }
    if (kind == 0) {
        help(
            QStringLiteral("Aprire un file con i dati archiviati (Zelmor-dati-...) o iniziarne "
                           "l'introduzione cliccando sulla situazione endemica prescelta."));
        return;
    }
    const auto& options = kind == 2 ? Option2 : Option1;
    bool typologyChosen = false;
    for (int j = 1; j <= 9; ++j) {
        if (options[static_cast<std::size_t>(j)]->value() != 0) typologyChosen = true;
    }
    if (!typologyChosen) {
        help(QStringLiteral(
            "Scegliere la tipologia di situazione endemica cliccando sull'opzione relativa."));
        return;
    }
    if (model().endemicValue.isEmpty()) {
        help(QStringLiteral(
            "Scegliere il valore della situazione endemica cliccando sull'apposita freccia."));
        return;
    }
    const int n = subsystemCount();
    if (n == 0) {
        help(QStringLiteral("Inserire il numero dei sottosistemi (da 1 a 9)."));
        return;
    }
    for (int i = 1; i <= n; ++i) {
        const model::Subsystem& s = model().subsystems[static_cast<std::size_t>(i - 1)];
        if (!ticked(i)) {
            help(QStringLiteral("Spuntare la casella relativa al sottosistema n.") + num(i));
            return;
        }
        if (s.typologyText.isEmpty()) {
            help(QStringLiteral("Cliccare sulla casella della 'Tipologia situazione particolare' "
                                "relativa al sottosistema n.") +
                 num(i));
            return;
        }
        if (s.value.isEmpty()) {
            help(QStringLiteral(
                     "Cliccare sull'apposito tasto per scegliere il valore del sottosistema n.") +
                 num(i));
            return;
        }
    }
    if (Image1[static_cast<std::size_t>(n)]->visible()) {
        for (int i = 1; i <= n; ++i) {
            if (model().subsystems[static_cast<std::size_t>(i - 1)].links.isEmpty()) {
                help(QStringLiteral(
                         "Inserire i numeri dei sottosistemi interagenti con il sottosistema n.") +
                     num(i));
                return;
            }
        }
    }
    const QChar cr(13);
    help(QStringLiteral("Scegliere tra le seguenti possibilità:") + cr +
         QStringLiteral(
             "- archiviare i dati per un uso futuro in un file del tipo Zelmor-dati...;") +
         cr +
         QStringLiteral(
             "- cliccare sul tasto 'Disegno' per visualizzare la composizione del modello;") +
         cr + QStringLiteral("- digitare qualche dato diverso per modificare il disegno;") + cr +
         QStringLiteral("- ricominciare daccapo azzerando tutto con il penultimo tasto della "
                        "barra degli strumenti."));
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

void MenuForm::fileError(const QString& text) {
    app().message(MessageIcon::Critical, shared_->titles().dataCheck, text);
}

// The project is asked of the title page, which is loaded (hidden) when closed.
QString MenuForm::projectToSave() {
    return shared_->titlePage().project;
}

// Without a project, the title page is shown for it to be typed; without a model, the user is
// here already.
void MenuForm::showWhereMissing(Missing what) {
    if (what == Missing::Project) shared_->showTitlePage();
}

// Unlike the title page, this window remembers the name chosen in its own save and delete
// dialogs (and a file it opened), and a later save without a dialog writes there.
void MenuForm::rememberChoice(const QString& path) {
    dialogChoice_ = path;
}

// Without a dialog the file is the name last chosen in this window's dialog. When another
// window has opened or saved a file since, or this window never chose one, that is the current
// file instead. It becomes the current file once it holds the model.
QString MenuForm::fileToSaveWithoutDialog(const QString& current) const {
    return dialogChoice_.isEmpty() ? current : dialogChoice_;
}

void MenuForm::openChosenFile(const QString& path) {
    // A file that could not be read at all is not the window's choice: a later save does not
    // go there.
    if (openDataFile(path) != OpenResult::Unread) rememberChoice(path);
}

void MenuForm::followCurrentFile() {
    dialogChoice_ = shared_->document().fileName;
}

MenuForm::OpenResult MenuForm::openDataFile(const QString& path) {
    const QString unchanged = QStringLiteral("I dati nella finestra non sono stati modificati.");
    const model::FileBytes file = model::readRegularFile(path, kMaxDataFile);
    if (file.tooLong) {
        fileError(QStringLiteral("Impossibile aprire il file \"%1\": è troppo grande per essere un "
                                 "archivio di dati.")
                      .arg(path));
        return OpenResult::Unread;
    }
    if (!file.ok()) {
        fileError(QStringLiteral("Impossibile aprire il file \"%1\": %2.").arg(path, file.failure));
        return OpenResult::Unread;
    }
    // The reader's reason, as a sentence of its own.
    auto sentence = [](QString reason) {
        if (!reason.isEmpty()) reason[0] = reason[0].toUpper();
        return reason + QLatin1Char('.');
    };
    const model::DataFileContent content = model::readDataFile(file.bytes);
    if (!content.headerRead) {
        // Nothing of the windows has been touched: the model stays as it was.
        fileError(QStringLiteral("Impossibile leggere il file \"%1\".\r").arg(path) +
                  sentence(content.error ? content.error->reason : QString()) + QLatin1Char('\r') +
                  unchanged);
        return OpenResult::Unread;
    }

    // Both windows start from their state at load, so that what they show depends on the file
    // alone, not on what they showed before.
    startAfresh();
    shared_->restartTitlePage();

    const int n = content.count;
    setCount(content.subsystemCount);
    rule([&] { endemica[static_cast<std::size_t>(*content.endemicKind)]->setValue(1); });
    m().endemicTypologyText = content.endemicTypologyText;
    situazione->setText(content.endemicTypologyText);
    m().endemicTypology = content.endemicTypology;
    rule([&] { valore->setText(content.endemicValue); });
    rule([&] { abili(); });

    for (int i = 1; i <= content.subsystemsRead; ++i) {
        const model::Subsystem& s = content.subsystems[static_cast<std::size_t>(i - 1)];
        setRowTypology(i, s.typology, s.typologyText);
        rule([&] { Combo1[static_cast<std::size_t>(i)]->setText(s.value); });
        setLinks(i, s.links);
    }
    if (content.titleRead) shared_->setTitlePage(content.title, content.denominationsRead);

    rule([&] {
        VScroll1->setValue(n);
        continueProcedure();
    });
    model::Document& document = shared_->document();
    if (content.complete()) {
        document.setCurrentFile(path, model::stampOf(file.bytes));
    } else {
        document.forgetCurrentFile();
    }
    // What was read is archived in the file, even when not all of it could be read.
    document.markArchived();
    if (content.complete()) return OpenResult::Whole;

    // Saving this over the file would lose what could not be read: the save asks where.
    CommonDialog1.fileName = path;
    fileError(QStringLiteral("Impossibile leggere tutto il file \"%1\".\r").arg(path) +
              sentence(content.error->reason) +
              QStringLiteral("\rSono stati caricati solo i dati letti fino a quel punto: "
                             "completarli seguendo le indicazioni nella casella gialla."));
    return OpenResult::Partial;
}

void MenuForm::startAfresh() {
    restoreStartState();
    m() = model::ModelData{};
    step_ = Step::Start;
    currentSubsystem_ = 1;
    allSubsystemsComplete_ = false;
}

void MenuForm::abili() {
    valore->setEnabled(true);
    VScroll1->setEnabled(true);
    const int n = subsystemCount();
    for (int i = 1; i <= n; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        Check1[k]->setEnabled(true);
        Check1[k]->setValue(1);
        Combo1[k]->setEnabled(true);
    }
}

}  // namespace zelmor::entry
