#include "application.h"

#include <algorithm>
#include <stdexcept>

namespace zelmor::tk {

Application::Application(Services services) : services_(services) {}

Application::~Application() {
    // Windows go without their unload handlers: the program is being torn down.
    observer_ = nullptr;
    loaded_.clear();
    discarded_.clear();
}

void Application::registerForm(const QString& name, Factory factory) {
    factories_[name] = std::move(factory);
}

bool Application::isRegistered(const QString& name) const {
    return factories_.count(name) != 0;
}

Form* Application::form(const QString& name) const {
    for (const auto& f : loaded_) {
        if (f->name() == name) return f.get();
    }
    return nullptr;
}

std::vector<Form*> Application::loadedForms() const {
    std::vector<Form*> out;
    for (const auto& f : loaded_) out.push_back(f.get());
    return out;
}

Form* Application::activeForm() const {
    for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
        if ((*it)->visible()) return *it;
    }
    return nullptr;
}

Form& Application::load(const QString& name) {
    if (Form* f = form(name)) return *f;
    auto it = factories_.find(name);
    if (it == factories_.end()) throw std::out_of_range("unknown window " + name.toStdString());
    started_ = true;
    loaded_.push_back(it->second(*this));
    Form& f = *loaded_.back();
    f.load();
    // The load handler may have unloaded the window again.
    if (form(name) != &f)
        throw std::runtime_error("window unloaded during its load: " + name.toStdString());
    if (observer_ != nullptr) observer_->formLoaded(f);
    return f;
}

Form& Application::show(const QString& name) {
    Form& f = load(name);
    // A window left minimised comes back: otherwise the command would seem to do nothing.
    f.setWindowState(WindowState::Normal);
    f.setVisibleState(true);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), &f), zOrder_.end());
    zOrder_.push_back(&f);
    if (observer_ != nullptr) observer_->formShown(f);
    return f;
}

void Application::hide(const QString& name) {
    Form* f = form(name);
    if (f == nullptr || !f->visible()) return;
    f->setVisibleState(false);
    if (observer_ != nullptr) observer_->formHidden(*f);
    closedSinceSettle_ = true;
    if (depth_ == 0) settle();
}

void Application::unload(const QString& name) {
    auto it = std::find_if(loaded_.begin(), loaded_.end(),
                           [&](const auto& f) { return f->name() == name; });
    if (it == loaded_.end()) return;
    Form* f = it->get();
    f->unload();
    // The unload handler may have unloaded it already.
    it = std::find_if(loaded_.begin(), loaded_.end(), [&](const auto& p) { return p.get() == f; });
    if (it == loaded_.end()) return;
    f->setVisibleState(false);
    if (observer_ != nullptr) observer_->formUnloaded(*f);
    f->setObserver(nullptr);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), f), zOrder_.end());
    discarded_.push_back(std::move(*it));
    loaded_.erase(it);
    closedSinceSettle_ = true;
    if (depth_ == 0) settle();
}

void Application::close(const QString& name) {
    Form* f = form(name);
    if (f != nullptr && f->queryUnload()) unload(name);
}

void Application::unloadAll(const std::vector<QString>& keep) {
    unloadAllBut(keep);
    if (depth_ == 0) settle();
}

void Application::unloadAllBut(const std::vector<QString>& keep) {
    ++depth_;
    std::vector<QString> names;
    for (const auto& f : loaded_) {
        if (std::find(keep.begin(), keep.end(), f->name()) == keep.end())
            names.push_back(f->name());
    }
    // In load order; an unload handler that unloads another window makes its turn a no-op.
    for (const QString& n : names) unload(n);
    --depth_;
}

void Application::dispatch(const std::function<void()>& action) {
    ++depth_;
    try {
        action();
    } catch (...) {
        --depth_;
        if (depth_ == 0) settle();
        throw;
    }
    --depth_;
    if (depth_ == 0) settle();
}

void Application::settle() {
    // When the user's action closed or hid the last window that could be seen, windows that were
    // only hidden go too: otherwise the program would live on with nothing on the screen to end
    // it.
    if (closedSinceSettle_ && !loaded_.empty() &&
        std::none_of(loaded_.begin(), loaded_.end(), [](const auto& f) { return f->visible(); })) {
        unloadAllBut({});
    }
    closedSinceSettle_ = false;
    discarded_.clear();
    if (started_ && !ended_ && loaded_.empty()) {
        ended_ = true;
        if (observer_ != nullptr) observer_->programEnded();
    }
}

MessageResult Application::message(MessageIcon icon, const QString& title, const QString& text,
                                   MessageButtons buttons, MessageResult defaultButton) {
    return services_.messages->show(Message{icon, title, text, buttons, defaultButton});
}

void Application::copyToClipboard(const ClipboardPicture& picture) {
    if (services_.clipboard != nullptr) services_.clipboard->setPicture(picture);
}

bool CommonDialog::run(FileDialogMode mode) {
    FileDialogRequest req{mode, title, fileName, filter, filterIndex};
    auto chosen = app_->services().files->run(req);
    if (!chosen) return false;
    fileName = *chosen;
    return true;
}

bool CommonDialog::showColor() {
    auto chosen = app_->services().colors->run(color);
    if (!chosen) return false;
    color = *chosen;
    return true;
}

}  // namespace zelmor::tk
