// What the two working windows with a menu bar and a toolbar (data entry and title page) build
// and run alike: their menus, the 21-button toolbar, the file and colour commands (each window
// answering a few hooks where they differ), and the commands that only show another window or
// end the program.
#pragma once

#include "clsresize.h"
#include "modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/controltable.h"
#include "toolkit/form.h"

#include <QString>

#include <initializer_list>
#include <optional>
#include <vector>

namespace zelmor::shared {

// A working window with a menu bar and the toolbar: light grey, 9600 x 6825 twips, fitted to
// the screen at load, rescaling its controls with its size, with one file and colour dialog.
class WorkWindow : public tk::Form {
  public:
    static constexpr int kDesignWidth = 9600;
    static constexpr int kDesignHeight = 6825;

    WorkWindow(tk::Application& app, const QString& name, ModZelmor& shared,
               const QString& caption);
    ~WorkWindow() override;

    void load() override;  // derived windows call it first
    void unload() override;
    void resize() override;
    // Closed from its title bar, a window whose part of the document is not as freshly loaded
    // asks first while the document holds data not archived: "No" keeps it.
    bool queryUnload() override;

    // The file and colour commands (toolbar buttons 1..4, 12), one routine for both windows;
    // where the windows differ, each answers one of the hooks below.
    void apri_Click();
    void salva_Click();
    void salvanome_Click();
    void eliminare_Click();
    void colorare_Click();
    // Opens a file named outside the dialog (the command line) as Open does once the user has
    // chosen that file in it.
    void openGivenFile(const QString& path);

    // Runs toolbar button `index`. A separator's index stands for the button after it, and an
    // index outside 1..21 for the first button.
    void Toolbar1_ButtonClick(int index);

  protected:
    // The buttons whose command is the window's own: 6, 8, 9, 10, 19 and 20.
    virtual void windowButton(int index) = 0;

    // The hooks of the file and colour commands, where the two windows differ on purpose.
    //
    // The title of the open and save dialogs for `command` ("Apri file", "Salva file", "Salva
    // file con nome"); the delete dialog's title is the same in both windows.
    virtual QString fileDialogTitle(const QString& command) const { return command; }
    // The project's name, which a save requires.
    virtual QString projectToSave() = 0;
    // Called once the save has told the user that the model or the project is missing.
    enum class Missing { Model, Project };
    virtual void showWhereMissing(Missing /*what*/) {}
    // What the window's close discards: nothing when its part of the document (the model, or
    // the title page) is as the window shows it freshly loaded.
    virtual bool holdsData() const = 0;
    // The question its close asks: "Chiudere la finestra Menu?".
    virtual QString closeQuestion() const = 0;
    // The colour the colour dialog opens on: by default the last one chosen in this window.
    virtual tk::Color colourDialogStart() const { return CommonDialog1.color; }

    // The toolbar `Toolbar1`, its buttons running Toolbar1_ButtonClick; `printTip` is button
    // 6's tooltip, which differs between the windows.
    void addToolbar(const QString& printTip);
    // The menu items and buttons that run a toolbar button's command: the file commands, the
    // report item `printItem`, "Finestra Menu", "&Colore di sfondo", "&Esci", "&USCITA", "&Guida
    // in linea" (button and the help item `helpItem`), "&Suggerimenti...", "Supporto &prodotto",
    // "&Informazioni su Zelmor".
    void wireSharedCommands(const char* helpItem, const char* printItem);

    // What every control shows at the end of the load handler (text, value, enabled, visible),
    // and bringing it back without running any handler: the window as freshly loaded, for a
    // file to be applied to.
    void rememberStartState();
    void restoreStartState();

    ModZelmor* shared_;
    tk::CommonDialog CommonDialog1;  // the window's one file and colour dialog

  private:
    // Saves the model and the title page: refused without a model or a project; into the file
    // a save without a dialog writes, or (with `askName`, or without a current file) the one
    // chosen in the save dialog; it then becomes the current file.
    void saveRoutine(bool askName);
    // Before a save without a dialog replaces `path`: when it is the current file and another
    // program has changed it since it was read or saved, the user is asked. True to save.
    bool mayReplace(const QString& path);

    struct ControlState {
        tk::Control* control;
        QString text;
        int value;
        bool enabled;
        bool visible;
    };

    WindowRescaling rescaling_;
    std::vector<ControlState> startState_;
};

// A button of the bottom bar `Frame5`: 1215 x 375 twips at `left`, 240 down, its picture above
// its caption.
tk::ControlEntry barButtonEntry(const char* name, int left, const char* caption,
                                const char* picture, const char* tip);

// The bottom bar `Frame5` of both working windows: "&Guida in linea", "&AIUTO", the hint box
// `passo` showing `hint`, the window's own button `command`, "&USCITA".
void addBottomBar(tk::Layout& out, const QString& hint, const tk::ControlEntry& command);

struct MenuEntry {
    const char* name = nullptr;  // nullptr: a separator
    const char* caption = nullptr;
};

// Adds a menu (top level, or a submenu when `parent` names a menu) and its entries, in order.
tk::Control& addMenu(tk::Form& form, const char* name, const QString& caption,
                     std::initializer_list<MenuEntry> entries, const QString& parent = QString());
// Appends entries to an existing menu.
void addMenuEntries(tk::Form& form, const QString& menu, std::initializer_list<MenuEntry> entries);

// "&Visualizza" (fin1, fin2, fin3), "&?" (the help item named `helpItem`, sugger, supporto,
// informazioni) and the window item `finestra` at the right end of the bar, captioned
// "Fi&nestra n.<number> di 3".
void addNavigationMenus(tk::Form& form, const char* helpItem, int windowNumber);

inline const QString kDataFileFilter = QStringLiteral("File Zelmor-dati- | Zelmor-dati-*");
inline const QString kAllFilesFilter =
    QStringLiteral("Tutti i file (*.*)|*.*|File Zelmor-dati- | Zelmor-dati-*");

}  // namespace zelmor::shared
