// The display of the form runtime: one Qt window per loaded form, kept in step with the runtime
// through its observers.
#pragma once

#include "formwindow.h"

#include "toolkit/application.h"

#include <QPointer>

#include <functional>
#include <map>
#include <utility>
#include <vector>

class QApplication;
class QCoreApplication;

namespace zelmor::qtui {

// Desktop-wide settings of the program: names for the settings and data folders, the default
// face, Italian texts in Qt's own dialogs, and the program (not the last window closed) ending
// the event loop.
void prepareApplication(QApplication& qapp);
// Qt's own Italian texts for its dialogs (file, colour); false when they are not installed.
bool installItalianDialogs(QCoreApplication& qapp);

class QtBackend : public tk::Application::Observer, public tk::FormObserver {
  public:
    explicit QtBackend(tk::Application& app);
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    // The window of a loaded form, or nullptr.
    FormWindow* window(const tk::Form& form) const;

    // What the end of the program does; by default it leaves Qt's event loop.
    void setEndAction(std::function<void()> end) { end_ = std::move(end); }

    void formLoaded(tk::Form& form) override;
    void formUnloaded(tk::Form& form) override;
    void formShown(tk::Form& form) override;
    void formHidden(tk::Form& form) override;
    void programEnded() override;
    void busyChanged(bool busy) override;

    void controlChanged(tk::Control& control) override;
    void formChanged(tk::Form& form) override;
    void updatesFrozen(tk::Form& form, bool frozen) override;
    void menuPoppedUp(tk::Form& form, tk::Control& menu) override;

  private:
    tk::Application* app_;
    std::function<void()> end_;
    std::map<const tk::Form*, FormWindow*> windows_;
    std::vector<QPointer<FormWindow>> retired_;  // unloaded, waiting for deletion
};

}  // namespace zelmor::qtui
