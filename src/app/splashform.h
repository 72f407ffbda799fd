// The splash window `frmSplash`: the opening screen with its music, parked behind the working
// windows once the user has clicked it, and the closing screen after a confirmed exit.
//
// A click pauses the music and opens the data-entry window; a key closes the music and the
// splash (and the hidden catalogue), which ends the program when nothing else is open.
#pragma once

#include "music/music.h"
#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

#include <QImage>

namespace zelmor::app {

// The splash's multimedia control: a file name and a command word, as a player control has.
// Commands go to the program's music player whether or not the file could be opened, so the
// splash behaves the same with or without sound.
class MultimediaControl {
  public:
    MultimediaControl(tk::Application& app, music::MusicPlayer& player)
        : app_(&app), player_(&player) {}

    QString FileName;
    // "open", "play", "pause" or "close"; any other word does nothing.
    void setCommand(const QString& command);
    // Between "open" and "close".
    bool isOpen() const { return open_; }
    // The file "open" plays: a bare name is looked up beside the program, then in the current
    // folder.
    QString resolvedPath() const;

  private:
    tk::Application* app_;
    music::MusicPlayer* player_;
    bool open_ = false;
};

class SplashForm : public tk::Form, public shared::ClosingScreen {
  public:
    static constexpr int kClientWidth = 8790;
    static constexpr int kClientHeight = 5415;

    SplashForm(tk::Application& app, shared::ModZelmor& shared);

    MultimediaControl MMControl1;

    // After a confirmed exit (the splash loaded afresh if it had gone): its music resumed, and
    // "elaborazione eseguita con" above the product name.
    void showAsClosingScreen() override;

    // The picture beside the titles: a model of the program's own, drawn as the drawing window
    // draws it, turned upright and reduced to 215 x 299 pixels in 256 colours.
    static const QImage& picture();

    void load() override;
    void unload() override;
    void clicked() override;
    void keyPressed(QChar c) override;

  private:
    void build();
    tk::Control& addLabel(int index, const tk::Rect& geometry);

    shared::ModZelmor* shared_;
};

}  // namespace zelmor::app
