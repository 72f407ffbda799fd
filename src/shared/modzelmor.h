// The values and routines every window shares: product texts, message titles, the office
// data, the last background colour, the document (model, title page and current data file),
// and the commands that move between windows or end the program.
#pragma once

#include "documentfiles.h"
#include "model/model.h"
#include "music/music.h"
#include "reports/reports.h"
#include "reports/wordprocessor.h"
#include "shared/windows.h"
#include "toolkit/application.h"

#include <QString>

#include <functional>
#include <optional>

namespace zelmor::shared {

// The technical office that uses the program, from the settings.
struct OfficeData {
    QString name;
    QString address;
};

// The window that holds the title page in its text boxes.
class TitlePageHolder {
  public:
    virtual ~TitlePageHolder() = default;
    // Fills the seven fields and denominations 1..denominations; the others keep their text.
    virtual void fillTitlePage(const model::TitlePage& page, int denominations) = 0;
    // Every box back to what it showed when the window was loaded.
    virtual void startAfresh() = 0;
    // The office's name and address were changed in the settings.
    virtual void showOffice(const OfficeData& office) = 0;
};

// The window that, once every other window has gone, is shown as the closing screen.
class ClosingScreen {
  public:
    virtual ~ClosingScreen() = default;
    virtual void showAsClosingScreen() = 0;
};

// The product as windows, messages and reports name it.
struct Product {
    QString name = QStringLiteral("Zelmor");
    QString subtitle = QStringLiteral("composizioni di modelli logici aspaziali");
    QString version = QStringLiteral("4.04.05");
    QString date = QStringLiteral("14/02/99");
    QString yearCode = QStringLiteral("281211");  // the last two digits are the last year
};

// The titles of the messages that several windows show.
struct MessageTitles {
    QString dataCheck;   // "Zelmor: controllo dati immessi nella finestra attiva"
    QString onlineHelp;  // "Zelmor: aiuto in linea"
    QString deleteFile;  // the title of the dialog of "Elimina..."
};

class ModZelmor {
  public:
    explicit ModZelmor(tk::Application& app) : app_(&app) { setProduct(Product{}); }
    ~ModZelmor();
    ModZelmor(const ModZelmor&) = delete;
    ModZelmor& operator=(const ModZelmor&) = delete;

    tk::Application& app() const { return *app_; }

    const Product& product() const { return product_; }
    // Another edition (the tests' way of checking that windows read the product at load).
    void setProduct(const Product& product);
    const MessageTitles& titles() const { return titles_; }
    const OfficeData& office() const { return office_; }
    void loadOfficeData();  // from the program settings, at start-up
    // Stores the office data in the program settings and shows them on the title page, if it is
    // loaded. False when the settings could not be written; what they hold is shown either way.
    bool setOfficeData(const OfficeData& office);

    tk::Color lastBackColor = tk::colors::kBlack;  // the colour dialog opens on it

    // The model, the title page and the current "Zelmor-dati-" file of both working windows.
    // The data-entry window empties the model (and forgets the current file) when it is loaded
    // and unloaded, the title-page window its page; a confirmed exit starts a new document.
    model::Document& document() { return document_; }
    const model::Document& document() const { return document_; }
    // Open, Save, Save as and Delete of the document's data files, and its current file.
    DocumentFiles& files() { return files_; }

    // Shows a window by name; a window this program was built without (as in tests that build
    // parts of it) is ignored.
    void showWindow(const QString& name);
    // Shows the data-entry window; a file waiting for it (see openAtMenu) is then opened there,
    // after a question when the document holds data not archived.
    void showMenuWindow();
    // A file named outside the program's dialogs (its command line, or a later start of it),
    // for the data-entry window to open as its "Apri..." would have: at once when it is loaded
    // (it is shown first), otherwise when it next appears. A later file replaces one waiting.
    void openAtMenu(const QString& path);
    // Asks, and on Yes unloads every window and shows the splash as the closing screen; a
    // program without a splash simply ends.
    void confirmExit();

    // Writes a help page into a new document, left open for the user.
    void printHelpPage(const reports::HelpText& page);

    // The player of the splash music; silent until the program gives it one.
    music::MusicPlayer& music() const { return *music_; }
    void setMusicPlayer(music::MusicPlayer* player) {
        music_ = player != nullptr ? player : &silent_;
    }

    // The model picture: every complete drawing writes it and the reports insert it. Its folder
    // ("Programmi" in the program's data folder) is created when missing.
    QString picturePath() const;

    // What the last complete drawing of this run wrote into the picture file; the picture and
    // full reports print the picture only while it still holds for the model and the file.
    const std::optional<reports::DrawnPicture>& drawnPicture() const { return drawnPicture_; }
    void setDrawnPicture(const reports::DrawnPicture& drawn) { drawnPicture_ = drawn; }

    // Where the full report and the whole guide are saved: "Zelmor" in the user's documents
    // folder (the save creates it when missing).
    QString reportsFolder() const;
    // The file an export of the drawing proposes: "DisegnoZelmor-", the project made safe for a
    // file name, and the suffix, in the reports' folder ("DisegnoZelmor" alone without one).
    QString drawingExportPath(const QString& suffix) const;

    // The model: what the drawing and the reports read.
    const model::ModelData& currentModel() const { return document_.model; }

    // The title page travels in the data file and is typed in the title-page window, which is
    // loaded (hidden) when the page is read or filled. Empty, and not filled, when the program
    // has no such window.
    model::TitlePage titlePage();
    void setTitlePage(const model::TitlePage& page, int denominations);
    void restartTitlePage();
    // Shows the title-page window (when the program has it).
    // Shows the title-page window; the word processor gets ready for a report meanwhile.
    void showTitlePage();

    // The word processor every report writes into; none: reports say that it is missing.
    void setWordProcessor(reports::WordProcessor* word);
    // The product texts and office data the reports print.
    reports::ReportTexts reportTexts() const;
    // Writes one report, with the program marked busy meanwhile. A failure of the word processor
    // is told to the user; false then.
    bool runReport(const std::function<void(reports::WordProcessor&)>& write);
    // Tells the user why a report could not be written, and what to do.
    void reportFailure(const reports::WordError& error);
    // A report saved under another name than asked, because the earlier document of that name
    // is open with the user's changes, says where it went.
    void tellSavedElsewhere(const QString& asked, const QString& saved);
    // The user is about to print (a title page shown, a drawing made): the word processor may
    // get ready in the background.
    void prepareWordProcessor();
    // The message a failure shows.
    static QString failureText(const reports::WordError& error);

  private:
    TitlePageHolder* titlePageWindow();

    tk::Application* app_;
    Product product_;
    MessageTitles titles_;
    OfficeData office_;
    model::Document document_;
    DocumentFiles files_{*this};
    QString fileForMenu_;  // waiting for the data-entry window
    std::optional<reports::DrawnPicture> drawnPicture_;
    reports::WordProcessor* word_ = nullptr;
    music::SilentMusicPlayer silent_;
    music::MusicPlayer* music_ = &silent_;
};

}  // namespace zelmor::shared
