// What the two working windows with a menu bar and a toolbar (data entry and title page) build
// and run alike: their menus, the 21-button toolbar, and the commands that only show another
// window or end the program.
#pragma once

#include "modzelmor.h"
#include "toolkit/form.h"

#include <QString>

#include <functional>
#include <initializer_list>

namespace zelmor::shell {

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

// The toolbar `Toolbar1`: 21 buttons, the separators at 5, 7, 11, 13 and 18. `printTip` is the
// tooltip of button 6, which differs between the windows. A pressed button calls `pressed`.
void addToolbar(tk::Form& form, const QString& printTip, const std::function<void(int)>& pressed);

// The commands both windows run alike: "&Esci", "&USCITA", "&Guida in linea" (button and
// `helpItem`), "&Suggerimenti...", "Supporto &prodotto", "&Informazioni su Zelmor".
void wireSharedCommands(tk::Form& form, ModZelmor& shared, const char* helpItem);
// Runs toolbar button `index` when it is one of those shared commands (14 to 17 and 21).
bool runSharedToolbarButton(ModZelmor& shared, int index);

// The data file as both windows write and delete it. A failure is told to the user (title
// `titleDataCheck`) and leaves any earlier file as it was. True when done.
bool saveDataFile(ModZelmor& shared, const QString& path, const model::ModelData& model,
                  const model::TitlePage& title);
bool deleteDataFile(ModZelmor& shared, const QString& path);
// Why a file could not be opened or removed, in the user's words.
QString whyNot(const QString& path);

inline const QString kDataFileFilter = QStringLiteral("File Zelmor-dati- | Zelmor-dati-*");
inline const QString kAllFilesFilter =
    QStringLiteral("Tutti i file (*.*)|*.*|File Zelmor-dati- | Zelmor-dati-*");

}  // namespace zelmor::shell
