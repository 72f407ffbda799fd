// The registry of windows and the entry point of every user action.
//
// "Show" loads a window if needed (its load handler runs), restores it when minimised and makes
// it visible without waiting; "hide" makes it invisible and keeps it; "unload" runs its unload
// handler and discards it. A window unloaded from inside one of its own handlers stays alive until
// the user action that started it has finished (dispatch), so handlers never run on a destroyed
// window.
#pragma once

#include "form.h"
#include "services.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace zelmor::tk {

class Application {
  public:
    struct Services {
        MessageBoxService* messages = nullptr;
        FileDialogService* files = nullptr;
        ColorDialogService* colors = nullptr;
        Platform* platform = nullptr;
        // Last, so that the set-ups that name only the others still build: nullptr is a
        // program without a clipboard, where a copy does nothing.
        ClipboardService* clipboard = nullptr;
    };

    class Observer {
      public:
        virtual ~Observer() = default;
        virtual void formLoaded(Form& form) = 0;
        virtual void formUnloaded(Form& form) = 0;
        virtual void formShown(Form& form) = 0;  // made visible and brought to the front
        virtual void formHidden(Form& form) = 0;
        virtual void programEnded() = 0;
        // A long operation starts or ends: the display shows what changed so far and that the
        // program is busy.
        virtual void busyChanged(bool /*busy*/) {}
    };

    using Factory = std::function<std::unique_ptr<Form>(Application&)>;

    explicit Application(Services services);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void registerForm(const QString& name, Factory factory);
    bool isRegistered(const QString& name) const;

    Form* form(const QString& name) const;  // the loaded window, or nullptr
    template <class T>
    T* formAs(const QString& name) const {
        return dynamic_cast<T*>(form(name));
    }
    bool isLoaded(const QString& name) const { return form(name) != nullptr; }
    bool anyLoaded() const { return !loaded_.empty(); }
    std::vector<Form*> loadedForms() const;
    Form* activeForm() const;

    // Unknown names throw std::out_of_range.
    Form& load(const QString& name);
    Form& show(const QString& name);
    void hide(const QString& name);
    void unload(const QString& name);  // nothing when not loaded
    // The user's close from the title bar: the window's queryUnload, then unload unless it said
    // no. Nothing when not loaded.
    void close(const QString& name);
    // Unloads every loaded window but those named in `keep`, in the order they were loaded.
    void unloadAll(const std::vector<QString>& keep = {});

    // Runs one user action; afterwards frees the discarded windows and, when no window is
    // loaded any more, ends the program. An action that unloads or hides the last visible
    // window also unloads the hidden ones, so the program never lingers without a window on
    // the screen.
    void dispatch(const std::function<void()>& action);
    bool ended() const { return ended_; }

    void setObserver(Observer* o) { observer_ = o; }

    // Marks a long operation (a report) from its construction to its destruction.
    class BusyScope {
      public:
        explicit BusyScope(Application& app) : app_(&app) { app_->setBusy(true); }
        ~BusyScope() { app_->setBusy(false); }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        Application* app_;
    };
    void setBusy(bool busy) {
        busyDepth_ += busy ? 1 : -1;
        if (observer_ != nullptr) observer_->busyChanged(busy);
    }
    // Within a BusyScope. The windows keep painting then (a report waits for the office), but
    // must not be closed under the operation.
    bool busy() const { return busyDepth_ > 0; }

    MessageResult message(MessageIcon icon, const QString& title, const QString& text,
                          MessageButtons buttons = MessageButtons::Ok,
                          MessageResult defaultButton = MessageResult::Ok);
    // Puts the picture on the clipboard; nothing when the program was given no clipboard.
    void copyToClipboard(const ClipboardPicture& picture);
    const Services& services() const { return services_; }
    Platform& platform() const { return *services_.platform; }

  private:
    void settle();
    void unloadAllBut(const std::vector<QString>& keep);

    Services services_;
    std::map<QString, Factory> factories_;
    std::vector<std::unique_ptr<Form>> loaded_;  // in load order
    std::vector<std::unique_ptr<Form>> discarded_;
    std::vector<Form*> zOrder_;  // last is the front window
    Observer* observer_ = nullptr;
    int busyDepth_ = 0;
    int depth_ = 0;
    bool started_ = false;
    bool ended_ = false;
    bool closedSinceSettle_ = false;  // a window was unloaded or hidden
};

// The standard dialog of a window (open, save, colour) with the properties the program sets
// before showing it. The file name it holds after a dialog is the one last chosen.
class CommonDialog {
  public:
    explicit CommonDialog(Application& app) : app_(&app) {}

    QString title;
    QString fileName;
    QString filter;
    int filterIndex = 1;
    Color color = colors::kBlack;

    bool showOpen() { return run(FileDialogMode::Open); }
    bool showSave() { return run(FileDialogMode::Save); }
    bool showColor();  // false when cancelled

  private:
    bool run(FileDialogMode mode);
    Application* app_;
};

}  // namespace zelmor::tk
