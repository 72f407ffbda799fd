#include "qtbackend.h"

#include <QPalette>

#include "widgets.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include <algorithm>

namespace zelmor::qtui {

void prepareApplication(QApplication& qapp) {
    // Windows are hidden and shown again as the user moves between them; only the runtime
    // knows when the program is over.
    qapp.setQuitOnLastWindowClosed(false);
    // The windows set their own colours over the style's: a fixed light style and palette keep
    // them readable under any desktop theme.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
        QPalette palette = fusion->standardPalette();
        // Disabled captions stay legible on the grey windows, as on the classic desktop.
        const QColor disabledText(128, 128, 128);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
        palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
        QApplication::setPalette(palette);
    }
    QApplication::setFont(toQFont(tk::Font{}));
    installItalianDialogs(qapp);
}

bool installItalianDialogs(QCoreApplication& qapp) {
    // The whole program speaks Italian, whatever the user's locale. Only Qt's own texts are
    // translated: the default locale (dates, numbers) is left alone. Without the translations
    // package the dialogs stay in English.
    auto* translator = new QTranslator(&qapp);
    if (!translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

QtBackend::QtBackend(tk::Application& app)
    : app_(&app), end_([] {
          // Queued: the program may end before the event loop has started.
          QMetaObject::invokeMethod(
              qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
      }) {}

QtBackend::~QtBackend() {
    for (auto& [form, window] : windows_) {
        if (form->observer() == this) const_cast<tk::Form*>(form)->setObserver(nullptr);
        delete window;
    }
    for (const auto& window : retired_) delete window.data();
}

FormWindow* QtBackend::window(const tk::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second;
}

void QtBackend::formLoaded(tk::Form& form) {
    if (window(form) != nullptr) return;
    windows_[&form] = new FormWindow(*app_, form);
    form.setObserver(this);
}

void QtBackend::formUnloaded(tk::Form& form) {
    auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    FormWindow* w = it->second;
    windows_.erase(it);
    // The form is freed when the current user action ends; the window may still be running
    // one of its own signals, so it only lets go of the form now and goes later.
    w->detach();
    w->hide();
    w->deleteLater();
    retired_.erase(std::remove(retired_.begin(), retired_.end(), nullptr), retired_.end());
    retired_.emplace_back(w);
}

void QtBackend::formShown(tk::Form& form) {
    FormWindow* w = window(form);
    if (w == nullptr) return;
    w->syncForm();
    // Showing restores a minimised window: the user sees the window the command names.
    if (w->isMinimized()) {
        w->showNormal();
    } else {
        w->show();
    }
    w->raise();
    w->activateWindow();
    // Once now, and once the window manager has put its frame around the window.
    w->keepOnScreen();
    QTimer::singleShot(250, w, [w] { w->keepOnScreen(); });
}

void QtBackend::formHidden(tk::Form& form) {
    if (FormWindow* w = window(form)) w->hide();
}

void QtBackend::programEnded() {
    if (end_) end_();
}

void QtBackend::busyChanged(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // The event loop does not run during the operation: paint now what changed before it,
        // such as a status line that says what is happening.
        for (const auto& [form, w] : windows_) {
            if (w->isVisible()) w->repaint();
        }
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtBackend::controlChanged(tk::Control& control) {
    if (FormWindow* w = window(control.form())) w->syncControl(control);
}

void QtBackend::formChanged(tk::Form& form) {
    if (FormWindow* w = window(form)) w->syncForm();
}

void QtBackend::updatesFrozen(tk::Form& form, bool frozen) {
    // The controls have all moved: the drawing area may need a pixel more or less for them.
    if (FormWindow* w = window(form); w != nullptr && !frozen) w->applyClientSize();
}

void QtBackend::menuPoppedUp(tk::Form& form, tk::Control& menu) {
    if (FormWindow* w = window(form)) w->popupMenu(menu);
}

}  // namespace zelmor::qtui
