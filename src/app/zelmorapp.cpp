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
#include "periphery/ufficioform.h"
#include "shared/windows.h"
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
    registerWindow<SplashForm>(app_, *shared_, shared::window::kSplash);
    registerWindow<entry::MenuForm>(app_, *shared_, shared::window::kMenu);
    registerWindow<drawing::DisegnoForm>(app_, *shared_, shared::window::kDrawing);
    registerWindow<titlepage::FrontespizioForm>(app_, *shared_, shared::window::kTitlePage);
    registerWindow<periphery::ProdottiForm>(app_, *shared_, shared::window::kCatalogue);
    registerWindow<periphery::InformaForm>(app_, *shared_, shared::window::kAbout);
    registerWindow<periphery::SupportoClientiForm>(app_, *shared_, shared::window::kSupport);
    registerWindow<periphery::EmailForm>(app_, *shared_, shared::window::kEmail);
    registerWindow<periphery::UfficioForm>(app_, *shared_, shared::window::kOffice);
    registerWindow<help::SommarioForm>(app_, *shared_, shared::window::kContents);
    help::registerHelpPages(app_, *shared_);
    registerWindow<help::FrmTip>(app_, *shared_, shared::window::kTip);
}

ZelmorApp::~ZelmorApp() = default;

void ZelmorApp::startup() {
    app_.load(shared::window::kCatalogue);  // hidden: the catalogue reads its price list now
    shared_->loadOfficeData();
    app_.show(shared::window::kSplash);
}

void ZelmorApp::openFile(const QString& path) {
    tk::Form* front = app_.activeForm();
    if (!path.isEmpty()) {
        shared_->openAtMenu(path);
        if (app_.isLoaded(shared::window::kMenu)) return;  // shown, with the file
        if (front != nullptr && front->name() != QLatin1String(shared::window::kSplash)) {
            shared_->showMenuWindow();
            return;
        }
    }
    if (front != nullptr) app_.show(front->name());
}

}  // namespace zelmor::app
