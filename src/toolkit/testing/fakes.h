// Services answered from queues, for the scenario runner and the tests: every message box,
// file dialog and colour dialog is recorded, and one that needs an answer takes it from its
// queue (or fails when none is queued); the clipboard keeps what was last copied.
#pragma once

#include "toolkit/services.h"

#include <QMap>

#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

namespace zelmor::tk::testing {

// Thrown when a dialog appears with no answer queued.
class MissingAnswer : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class RecordingMessageBox : public MessageBoxService {
  public:
    MessageResult show(const Message& message) override;
    std::vector<Message> shown;         // every message, in order
    std::size_t checked = 0;            // how many of them a test has looked at
    std::deque<MessageResult> answers;  // for Yes/No questions
    std::function<void()> onShow;       // runs as each message appears
};

class QueuedFileDialog : public FileDialogService {
  public:
    std::optional<QString> run(const FileDialogRequest& request) override;
    std::vector<FileDialogRequest> shown;
    std::deque<std::optional<QString>> answers;  // nothing: cancel
};

class QueuedColorDialog : public ColorDialogService {
  public:
    std::optional<Color> run(Color initial) override;
    std::vector<Color> shownWith;
    std::deque<std::optional<Color>> answers;  // nothing: cancel
};

class RecordingClipboard : public ClipboardService {
  public:
    void setPicture(const ClipboardPicture& picture) override {
        last = picture;
        ++copies;
    }
    ClipboardPicture last;  // the picture last copied
    int copies = 0;         // how many pictures were copied
};

class FakePlatform : public Platform {
  public:
    int screenWidth() const override { return screenW; }
    int screenHeight() const override { return screenH; }
    QDate today() const override { return date.isValid() ? date : QDate::currentDate(); }
    QString setting(const QString& key) const override { return settings.value(key); }
    bool setSetting(const QString& key, const QString& value) override {
        if (settingsReadOnly) return false;
        settings.insert(key, value);
        return true;
    }
    QString dataFolder() const override { return data; }
    QStringList dataFolders() const override;
    QString documentsFolder() const override { return documents; }

    int screenW = 15360;
    int screenH = 11520;
    QDate date;
    QMap<QString, QString> settings;
    bool settingsReadOnly = false;
    QString folder;         // the program's own folder: its read-only files, looked up last
    QStringList installed;  // installed read-only files, between the user's and the program's
    QString data;           // the user's data folder: the user's own copies come first
    QString documents;
};

// All of them, wired together, for building an Application.
struct FakeServices {
    RecordingMessageBox messages;
    QueuedFileDialog files;
    QueuedColorDialog colors;
    FakePlatform platform;
    RecordingClipboard clipboard;
};

}  // namespace zelmor::tk::testing
