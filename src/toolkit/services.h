// Platform services that the forms use. The Qt backend implements them with real dialogs; the
// scenario runner and the tests answer them from queues and record what was asked.
#pragma once

#include "control.h"

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace zelmor::tk {

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Yes, No };

struct Message {
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult defaultButton = MessageResult::Ok;
};

class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    // Modal: returns when the user has answered.
    virtual MessageResult show(const Message& message) = 0;
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString title;
    QString fileName;  // initial file name
    QString filter;    // "description|pattern|description|pattern..."
    int filterIndex = 1;
};

class FileDialogService {
  public:
    virtual ~FileDialogService() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> run(const FileDialogRequest& request) = 0;
};

class ColorDialogService {
  public:
    virtual ~ColorDialogService() = default;
    virtual std::optional<Color> run(Color initial) = 0;
};

// A picture for other programs, in the forms they may ask for: a scalable drawing (SVG), a
// printable bitmap (PNG at print resolution) and the plain bitmap of the screen.
struct ClipboardPicture {
    QByteArray svg;
    QByteArray png;
    QImage image;
};

class ClipboardService {
  public:
    virtual ~ClipboardService() = default;
    // Puts the picture on the clipboard in every form it holds, replacing what was there.
    virtual void setPicture(const ClipboardPicture& picture) = 0;
};

// The rest of the desktop: screen, clock, settings, the program's folders.
class Platform {
  public:
    virtual ~Platform() = default;
    virtual int screenWidth() const = 0;  // twips
    virtual int screenHeight() const = 0;
    virtual QDate today() const = 0;
    virtual QString setting(const QString& key) const = 0;
    // False when the value could not be stored (a read-only or broken settings file).
    virtual bool setSetting(const QString& key, const QString& value) = 0;
    // The folder where the program keeps its own files for this user (it may not exist yet).
    virtual QString dataFolder() const = 0;
    // The folders where the program's read-only files (music, tips, price list) are looked for,
    // in order: the user's own copies first, then the installed ones, then the build tree's.
    virtual QStringList dataFolders() const = 0;
    // The user's documents folder (it may not exist yet).
    virtual QString documentsFolder() const = 0;

    // The first of dataFolders() that holds an ordinary file of that name; empty when none does.
    QString dataFile(const QString& name) const;
};

// The folders of an installed tree beside the executable's: the data folder the install put at
// the same place relative to the executable, then the executable's own folder (the build tree,
// where the build copies the data files). Nothing absolute: the tree may be moved.
QStringList installedDataFolders(const QString& executableFolder, const QString& organization,
                                 const QString& application);

}  // namespace zelmor::tk
