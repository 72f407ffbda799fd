// The runtime's dialogs and desktop services on Qt: message boxes, file and colour dialogs,
// screen, clock, settings and folders.
#pragma once

#include "toolkit/application.h"
#include "toolkit/services.h"

#include <QStringList>

namespace zelmor::qtui {

// A Windows-style filter ("description|pattern|description|pattern", patterns separated by
// ';') as Qt name filters ("description (pattern pattern)"). "*.*" means every file.
QStringList qtNameFilters(const QString& windowsFilter);

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

// The four together, as the desktop program hands them to its application.
struct QtServices {
    QtMessageBox messages;
    QtFileDialog files;
    QtColorDialog colors;
    QtPlatform platform;
    tk::Application::Services services() { return {&messages, &files, &colors, &platform}; }
};

}  // namespace zelmor::qtui
