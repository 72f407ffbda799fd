// The runtime's dialogs and desktop services on Qt: message boxes, file and colour dialogs,
// screen, clock, settings, folders and the clipboard.
#pragma once

#include "toolkit/application.h"
#include "toolkit/services.h"

#include <QStringList>

namespace zelmor::qtui {

// A Windows-style filter ("description|pattern|description|pattern", patterns separated by
// ';') as Qt name filters ("description (pattern pattern)"). "*.*" means every file.
QStringList qtNameFilters(const QString& windowsFilter);

// The name a save dialog saves under: the typed name, with the chosen type's suffix added when
// it ends in none of that type's suffixes, nor of the other types `offered`, and the type's
// first pattern is a plain "*.ext" ("modello.pdf" stays a PDF whichever type is chosen). Other
// patterns (the data files' "Zelmor-dati-*", "*") add nothing. Filters are in Qt's form,
// "PDF (*.pdf)".
QString withFilterSuffix(const QString& fileName, const QString& nameFilter,
                         const QStringList& offered = {});

class QtMessageBox : public tk::MessageBoxService {
  public:
    tk::MessageResult show(const tk::Message& message) override;
};

class QtFileDialog : public tk::FileDialogService {
  public:
    std::optional<QString> run(const tk::FileDialogRequest& request) override;
};

class QtColorDialog : public tk::ColorDialogService {
  public:
    std::optional<tk::Color> run(tk::Color initial) override;
};

// The system clipboard. On X11 the program answers other programs' requests for it until it
// ends or another copy replaces it.
class QtClipboard : public tk::ClipboardService {
  public:
    void setPicture(const tk::ClipboardPicture& picture) override;
};

class QtPlatform : public tk::Platform {
  public:
    int screenWidth() const override;
    int screenHeight() const override;
    QDate today() const override;
    // From the user's settings file (INI) of the program.
    QString setting(const QString& key) const override;
    bool setSetting(const QString& key, const QString& value) override;
    QString dataFolder() const override;
    QStringList dataFolders() const override;
    QString documentsFolder() const override;
};

// All of them together, as the desktop program hands them to its application.
struct QtServices {
    QtMessageBox messages;
    QtFileDialog files;
    QtColorDialog colors;
    QtPlatform platform;
    QtClipboard clipboard;
    tk::Application::Services services() {
        return {&messages, &files, &colors, &platform, &clipboard};
    }
};

}  // namespace zelmor::qtui
