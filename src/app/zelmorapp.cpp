#include "zelmorapp.h"

#include "drawing/disegnoform.h"
#include "entry/menuform.h"
#include "help/frmtip.h"
#include "help/helppageform.h"
#include "help/sommarioform.h"
#include "periphery/emailform.h"
#include "periphery/informaform.h"
#include "periphery/prodottiform.h"
#include "periphery/supportoclientiform.h"
#include "splashform.h"
#include "titlepage/frontespizioform.h"

namespace zelmor::app {

namespace {

template <class Window>
void registerWindow(tk::Application& app, shared::ModZelmor& shared, const char* name) {
    app.registerForm(QString::fromLatin1(name),
                     [&shared](tk::Application& a) { return std::make_unique<Window>(a, shared); });
}

}  // namespace

ZelmorApp::ZelmorApp(tk::Application::Services services, music::MusicPlayer* music,
                     reports::WordProcessor* word)
    : app_(services), shared_(std::make_unique<shared::ModZelmor>(app_)) {
    shared_->setMusicPlayer(music);
    shared_->setWordProcessor(word);
    registerWindow<SplashForm>(app_, *shared_, "frmSplash");
    registerWindow<entry::MenuForm>(app_, *shared_, "menu");
    registerWindow<drawing::DisegnoForm>(app_, *shared_, "disegno");
    registerWindow<titlepage::FrontespizioForm>(app_, *shared_, "frontespizio");
    registerWindow<periphery::ProdottiForm>(app_, *shared_, "prodotti");
    registerWindow<periphery::InformaForm>(app_, *shared_, "informa");
    registerWindow<periphery::SupportoClientiForm>(app_, *shared_, "supportoclienti");
    registerWindow<periphery::EmailForm>(app_, *shared_, "emailform");
    registerWindow<help::SommarioForm>(app_, *shared_, "sommario");
    help::registerHelpPages(app_, *shared_);
    registerWindow<help::FrmTip>(app_, *shared_, "frmTip");
    shared_->closingScreen = [this] { SplashForm::showClosingScreen(app_); };
}

ZelmorApp::~ZelmorApp() = default;

void ZelmorApp::startup() {
    shared_->initProductTexts();
    shared_->initMessageTitles();
    app_.load(QStringLiteral("prodotti"));  // hidden: the catalogue reads its price list now
    shared_->loadOfficeData();
    app_.show(QStringLiteral("frmSplash"));
}

}  // namespace zelmor::app
