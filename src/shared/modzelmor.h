// The values and routines every window shares: product texts, message titles, the office
// data, the last background colour, the document (model, title page and current data file),
// and the commands that move between windows or end the program.
#pragma once

#include "model/model.h"
#include "music/music.h"
#include "reports/reports.h"
#include "reports/wordprocessor.h"
#include "toolkit/application.h"

#include <QString>

#include <functional>

namespace zelmor::shared {

// The window that holds the title page in its text boxes.
class TitlePageHolder {
  public:
    virtual ~TitlePageHolder() = default;
    // Fills the seven fields and denominations 1..denominations; the others keep their text.
    virtual void fillTitlePage(const model::TitlePage& page, int denominations) = 0;
    // Every box back to what it showed when the window was loaded.
    virtual void startAfresh() = 0;
};

class ModZelmor {
  public:
    explicit ModZelmor(tk::Application& app) : app_(&app) {}
    ~ModZelmor() = default;
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

    // The model, the title page and the current "Zelmor-dati-" file of both working windows.
    // The data-entry window empties the model when it is loaded and unloaded, the title-page
    // window its page; a confirmed exit starts a new document.
    model::Document& document() { return document_; }
    const model::Document& document() const { return document_; }

    void initProductTexts();
    void initMessageTitles();
    void loadOfficeData();  // officeName, officeAddress from the program settings

    // Shows a window by name; a window this program was built without (as in tests that build
    // parts of it) is ignored.
    void showWindow(const QString& name);
    void showMenuWindow() { showWindow(QStringLiteral("menu")); }
    // Asks, and on Yes unloads every window and brings back the closing screen.
    void confirmExit();
    // Brings back the splash as the closing screen; set by the program that has a splash.
    // Without it a confirmed exit simply ends the program.
    std::function<void()> closingScreen;

    // The title and body labels of the help page to print; printHelpPage reads their texts.
    tk::Control* helpPageTitle = nullptr;
    tk::Control* helpPageBody = nullptr;
    // Writes the help page whose labels are set into a new document, left open for the user.
    // The labels are forgotten afterwards, so that none outlives its window here.
    void printHelpPage();

    // The player of the splash music; silent until the program gives it one.
    music::MusicPlayer& music() const { return *music_; }
    void setMusicPlayer(music::MusicPlayer* player) {
        music_ = player != nullptr ? player : &silent_;
    }

    // The model: what the drawing and the reports read.
    const model::ModelData& currentModel() const { return document_.model; }

    // The title page travels in the data file and is typed in the title-page window, which is
    // loaded (hidden) when the page is read or filled. Empty, and not filled, when the program
    // has no such window.
    model::TitlePage titlePage();
    void setTitlePage(const model::TitlePage& page, int denominations);
    void restartTitlePage();
    // Shows the title-page window (when the program has it).
    void showTitlePage() { showWindow(QStringLiteral("frontespizio")); }

    // The word processor every report writes into; none: reports say that it is missing.
    void setWordProcessor(reports::WordProcessor* word) { word_ = word; }
    // The product texts and office data the reports print.
    reports::ReportTexts reportTexts() const;
    // Writes one report, with the program marked busy meanwhile. A failure of the word processor
    // is told to the user; false then.
    bool runReport(const std::function<void(reports::WordProcessor&)>& write);
    // Tells the user why a report could not be written, and what to do.
    void reportFailure(const reports::WordError& error);
    // The message a failure shows.
    static QString failureText(const reports::WordError& error);

  private:
    TitlePageHolder* titlePageWindow();

    tk::Application* app_;
    model::Document document_;
    reports::WordProcessor* word_ = nullptr;
    music::SilentMusicPlayer silent_;
    music::MusicPlayer* music_ = &silent_;
};

}  // namespace zelmor::shared
