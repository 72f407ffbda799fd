#include "fakes.h"

namespace zelmor::tk::testing {

MessageResult RecordingMessageBox::show(const Message& message) {
    shown.push_back(message);
    if (onShow) onShow();
    if (message.buttons == MessageButtons::Ok) return MessageResult::Ok;
    if (answers.empty()) {
        throw MissingAnswer("a question appeared with no answer queued: \"" +
                            message.text.toStdString() + "\"");
    }
    const MessageResult r = answers.front();
    answers.pop_front();
    return r;
}

std::optional<QString> QueuedFileDialog::run(const FileDialogRequest& request) {
    shown.push_back(request);
    if (answers.empty()) {
        throw MissingAnswer("a file dialog \"" + request.title.toStdString() +
                            "\" appeared with no answer queued");
    }
    auto r = answers.front();
    answers.pop_front();
    return r;
}

std::optional<Color> QueuedColorDialog::run(Color initial) {
    shownWith.push_back(initial);
    if (answers.empty()) throw MissingAnswer("a colour dialog appeared with no answer queued");
    auto r = answers.front();
    answers.pop_front();
    return r;
}

QStringList FakePlatform::dataFolders() const {
    QStringList folders;
    if (!data.isEmpty()) folders << data;
    folders << installed;
    if (!folder.isEmpty()) folders << folder;
    return folders;
}

}  // namespace zelmor::tk::testing
