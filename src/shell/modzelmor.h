// The values and routines every window shares: product texts, message titles, the office
// data, the last background colour, the current data file, and the commands that move between
// windows or end the program.
#pragma once

#include "model/model.h"
#include "music.h"
#include "toolkit/application.h"

#include <QString>

#include <functional>

namespace zelmor::shell {

class ModZelmor {
  public:
    explicit ModZelmor(tk::Application& app) : app_(&app) {}
    virtual ~ModZelmor() = default;
    ModZelmor(const ModZelmor&) = delete;
    ModZelmor& operator=(const ModZelmor&) = delete;

    tk::Application& app() const { return *app_; }

    QString productName;
    QString productSubtitle;
    QString productVersion;
    QString productDate;
    QString productYearCode;
    QString titleDataCheck;
    QString titleOnlineHelp;
    QString titleDeleteFile;
    QString officeName;
    QString officeAddress;
    tk::Color lastBackColor = tk::colors::kBlack;  // the colour dialog opens on it
    QString dataFileName;  // the current "Zelmor-dati-" file of both working windows

    void initProductTexts();
    void initMessageTitles();
    void loadOfficeData();  // officeName, officeAddress from the program settings

    // Shows a window by name; a window the program does not have yet is ignored.
    void showWindow(const QString& name);
    void showMenuWindow() { showWindow(QStringLiteral("menu")); }
    // Asks, and on Yes unloads every window and brings back the closing screen.
    void confirmExit();
    // Brings back the splash as the closing screen; set by the program that has a splash.
    // Without it a confirmed exit simply ends the program.
    std::function<void()> closingScreen;

    // The player of the splash music; silent until the program gives it one.
    MusicPlayer& music() const { return *music_; }
    void setMusicPlayer(MusicPlayer* player) { music_ = player != nullptr ? player : &silent_; }

    // The model as the data-entry window holds it: what the drawing and the reports read. Empty
    // when no source is set or the window is not loaded.
    std::function<model::ModelData()> modelSource;
    model::ModelData currentModel() const {
        return modelSource ? modelSource() : model::ModelData{};
    }

    // The title page travels in the data file. Until its window is loaded the page read from a
    // file is kept here, so that a save writes it back unchanged.
    virtual model::TitlePage titlePage() const { return titlePage_; }
    virtual void setTitlePage(const model::TitlePage& page, int denominations);
    // Shows the title-page window (when the program has it).
    virtual void showTitlePage() { showWindow(QStringLiteral("frontespizio")); }

  private:
    tk::Application* app_;
    model::TitlePage titlePage_;
    SilentMusicPlayer silent_;
    MusicPlayer* music_ = &silent_;
};

}  // namespace zelmor::shell
