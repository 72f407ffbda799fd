#include "documentfiles.h"

#include "model/encoding.h"
#include "modzelmor.h"
#include "shared/windows.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace zelmor::shared {

namespace {

// Why a file could not be removed, in the user's words.
QString whyNotRemoved(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("il file non esiste");
    if (info.isDir()) return QStringLiteral("è una cartella");
    return QStringLiteral("accesso negato");
}

// The reader's reason, as a sentence of its own.
QString sentence(QString reason) {
    if (!reason.isEmpty()) reason[0] = reason[0].toUpper();
    return reason + QLatin1Char('.');
}

// Asks whether to save although some characters will be written as "?"; true to go on.
bool acceptLostCharacters(ModZelmor& shared, const std::vector<model::UnencodableField>& fields) {
    if (fields.empty()) return true;
    QString text = QStringLiteral(
        "Alcuni caratteri non possono essere archiviati nel file dei dati e verrebbero "
        "sostituiti da \"?\":\r");
    for (const model::UnencodableField& f : fields)
        text += QStringLiteral("\r") + f.name + QStringLiteral(": ") +
                f.characters.join(QLatin1Char(' '));
    text += QStringLiteral("\r\rSalvare comunque con i caratteri sostituiti da \"?\"?");
    return shared.app().message(tk::MessageIcon::Question, shared.titles().dataCheck, text,
                                tk::MessageButtons::YesNo,
                                tk::MessageResult::No) == tk::MessageResult::Yes;
}

}  // namespace

const QString& DocumentFiles::current() const {
    return shared_->document().fileName;
}

void DocumentFiles::tell(const QString& text) {
    shared_->app().message(tk::MessageIcon::Critical, shared_->titles().dataCheck, text);
}

DocumentFiles::OpenResult DocumentFiles::open(const QString& path, const QString& window) {
    tk::Application& app = shared_->app();
    if (!app.isRegistered(window::kMenu)) return OpenResult::Unread;
    auto* holder = dynamic_cast<ModelHolder*>(&app.load(window::kMenu));
    if (holder == nullptr) return OpenResult::Unread;

    const QString unchanged = QStringLiteral("I dati nella finestra non sono stati modificati.");
    const model::FileBytes file = model::readRegularFile(path, kMaxDataFile);
    if (file.tooLong) {
        tell(QStringLiteral("Impossibile aprire il file \"%1\": è troppo grande per essere un "
                            "archivio di dati.")
                 .arg(path));
        return OpenResult::Unread;
    }
    if (!file.ok()) {
        tell(QStringLiteral("Impossibile aprire il file \"%1\": %2.").arg(path, file.failure));
        return OpenResult::Unread;
    }
    const model::DataFileContent content = model::readDataFile(file.bytes);
    if (!content.headerRead) {
        // Nothing of the windows has been touched: the model stays as it was.
        tell(QStringLiteral("Impossibile leggere il file \"%1\".\r").arg(path) +
             sentence(content.error ? content.error->reason : QString()) + QLatin1Char('\r') +
             unchanged);
        return OpenResult::Unread;
    }

    // Both windows start from their state at load, so that what they show depends on the file
    // alone, not on what they showed before.
    holder->startAfresh();
    shared_->restartTitlePage();
    holder->showFile(content, path);
    if (content.titleRead) shared_->setTitlePage(content.title, content.denominationsRead);

    model::Document& document = shared_->document();
    if (content.complete()) {
        document.setCurrentFile(path, model::stampOf(file.bytes));
    } else {
        document.forgetCurrentFile();
    }
    // What was read is archived in the file, even when not all of it could be read.
    document.markArchived();
    // The data-entry window's later save without a dialog goes to the file it opened itself;
    // after another window's Open, to the current file.
    menuChoice_ = window == QLatin1String(window::kMenu) ? path : document.fileName;
    if (content.complete()) return OpenResult::Whole;

    // Saving this over the file would lose what could not be read: the save asks where.
    tell(QStringLiteral("Impossibile leggere tutto il file \"%1\".\r").arg(path) +
         sentence(content.error->reason) +
         QStringLiteral("\rSono stati caricati solo i dati letti fino a quel punto: "
                        "completarli seguendo le indicazioni nella casella gialla."));
    return OpenResult::Partial;
}

QString DocumentFiles::saveTarget(const QString& window) const {
    if (window == QLatin1String(window::kMenu) && !menuChoice_.isEmpty()) return menuChoice_;
    return current();
}

void DocumentFiles::chosenInDialog(const QString& window, const QString& path) {
    if (window == QLatin1String(window::kMenu)) menuChoice_ = path;
}

bool DocumentFiles::save(const QString& path) {
    model::Document& document = shared_->document();
    model::FileStamp written;
    if (!write(path, document.model, document.title, &written)) return false;
    document.setCurrentFile(path, written);
    document.markArchived();
    // Every window's next save without a dialog writes here.
    menuChoice_ = path;
    return true;
}

bool DocumentFiles::write(const QString& path, const model::ModelData& model,
                          const model::TitlePage& title, model::FileStamp* written) {
    // An accent typed as a separate mark has its one-character form in the code page.
    model::ModelData composedModel = model;
    model::TitlePage composedTitle = title;
    model::composeTexts(composedModel, composedTitle);
    if (!acceptLostCharacters(*shared_, model::unencodableFields(composedModel, composedTitle)))
        return false;
    // Written beside the old file and renamed over it only when whole, so a failed write never
    // destroys it.
    const QByteArray bytes = model::writeDataFile(composedModel, composedTitle);
    const QString why = model::writeWholeFile(path, bytes);
    if (!why.isEmpty()) {
        tell(QStringLiteral("Impossibile salvare il file \"%1\": %2.\rIl file precedente, se "
                            "esisteva, non è stato modificato.")
                 .arg(path, why));
        return false;
    }
    if (written != nullptr) *written = model::stampOf(bytes);
    return true;
}

bool DocumentFiles::remove(const QString& path) {
    QFile file(path);
    if (file.remove()) return true;
    tell(
        QStringLiteral("Impossibile eliminare il file \"%1\": %2.").arg(path, whyNotRemoved(path)));
    return false;
}

void DocumentFiles::startModelAfresh() {
    shared_->document().startModelAfresh();
    menuChoice_.clear();
}

}  // namespace zelmor::shared
