#include "zelmorapp.h"

#include "drawing/disegnoform.h"
#include "entry/menuform.h"

namespace zelmor::shell {

ZelmorApp::ZelmorApp(tk::Application::Services services)
    : app_(services), shared_(std::make_unique<ModZelmor>(app_)) {
    app_.registerForm(QStringLiteral("menu"), [this](tk::Application& a) {
        return std::make_unique<entry::MenuForm>(a, *shared_);
    });
    app_.registerForm(QStringLiteral("disegno"), [this](tk::Application& a) {
        return std::make_unique<drawing::DisegnoForm>(a, *shared_);
    });
    shared_->modelSource = [this] {
        const auto* menu = app_.formAs<entry::MenuForm>(QStringLiteral("menu"));
        return menu != nullptr ? menu->model() : model::ModelData{};
    };
}

ZelmorApp::~ZelmorApp() = default;

void ZelmorApp::startup() {
    shared_->initProductTexts();
    shared_->initMessageTitles();
    shared_->loadOfficeData();
    // The splash window, when the program has it, comes first; a click on it opens the menu.
    if (app_.isRegistered(QStringLiteral("frmSplash"))) {
        app_.show(QStringLiteral("frmSplash"));
    } else {
        shared_->showMenuWindow();
    }
}

}  // namespace zelmor::shell
