// The whole program without a display: the window registry with every window the program has,
// the shared module, and the start-up. main.cpp wires it to Qt; the scenario runner to fakes.
#pragma once

#include "music/music.h"
#include "shared/modzelmor.h"
#include "toolkit/application.h"

#include <memory>

namespace zelmor::app {

class ZelmorApp {
  public:
    // The music player plays the splash music; none: silence. The word processor receives the
    // reports; none: a report tells the user that there is no word processor.
    explicit ZelmorApp(tk::Application::Services services, music::MusicPlayer* music = nullptr,
                       reports::WordProcessor* word = nullptr);
    ~ZelmorApp();

    tk::Application& app() { return app_; }
    shared::ModZelmor& shared() { return *shared_; }

    // Start-up: shared texts and titles, the hidden catalogue, the office data from the
    // settings, then the splash with its music.
    void startup();

    // A data file named on the command line, before start-up, or handed over by a later start
    // of the program ("": none, only come to the front). The data-entry window opens it as its
    // "Apri..." would: at once when it is loaded, or when it first appears after the splash. When
    // only the splash is up (opening or closing screen) the file waits for the user's click;
    // when other windows are open without the data-entry window, that window is shown for it.
    // Without a file, the front window comes to the front.
    void openFile(const QString& path);

  private:
    tk::Application app_;
    std::unique_ptr<shared::ModZelmor> shared_;
};

}  // namespace zelmor::app
