#include "modzelmor.h"
#include "reports/reports.h"
#include "shared/windows.h"

#include <QDir>
#include <QFileInfo>

#include <iostream>
#include <optional>
#include <utility>

namespace zelmor::shared {

void ModZelmor::setProduct(const Product& product) {
    product_ = product;
    titles_.dataCheck =
        product_.name + QStringLiteral(": controllo dati immessi nella finestra attiva");
    titles_.onlineHelp = product_.name + QStringLiteral(": aiuto in linea");
    titles_.deleteFile =
        QStringLiteral("Elimina: seleziona il file desiderato e clicca su Apri per cancellarlo");
}

void ModZelmor::loadOfficeData() {
    office_.name = app_->platform().setting(QStringLiteral("ufficio/nome"));
    office_.address = app_->platform().setting(QStringLiteral("ufficio/indirizzo"));
}

bool ModZelmor::setOfficeData(const OfficeData& office) {
    tk::Platform& platform = app_->platform();
    const bool stored = platform.setSetting(QStringLiteral("ufficio/nome"), office.name) &&
                        platform.setSetting(QStringLiteral("ufficio/indirizzo"), office.address);
    loadOfficeData();
    if (app_->isLoaded(window::kTitlePage)) {
        if (TitlePageHolder* page = titlePageWindow()) page->showOffice(office_);
    }
    return stored;
}

QString ModZelmor::picturePath() const {
    const QString folder = app_->platform().dataFolder() + QStringLiteral("/Programmi");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/schemaZelmor.jpg");
}

QString ModZelmor::reportsFolder() const {
    const QString documents = app_->platform().documentsFolder();
    // Without a documents folder (no home at all) the reports go to the current folder's Zelmor.
    return (documents.isEmpty() ? QDir::currentPath() : documents) + QStringLiteral("/Zelmor");
}

QString ModZelmor::drawingExportPath(const QString& suffix) const {
    const QString project = document_.title.project.simplified();
    const QString name =
        project.isEmpty() ? QStringLiteral("DisegnoZelmor")
                          : QStringLiteral("DisegnoZelmor-") + reports::safeFileNamePart(project);
    return reportsFolder() + QLatin1Char('/') + name + suffix;
}

void ModZelmor::showWindow(const QString& name) {
    if (app_->isRegistered(name)) app_->show(name);
}

void ModZelmor::showTitlePage() {
    showWindow(window::kTitlePage);
    prepareWordProcessor();
}

void ModZelmor::showMenuWindow() {
    showWindow(window::kMenu);
    if (fileForMenu_.isEmpty()) return;
    const QString path = std::exchange(fileForMenu_, QString());
    // A file from outside (a double click in the file manager) never replaces unsaved work
    // unasked; "No" keeps the work and forgets the file.
    if (document_.unarchived() &&
        app_->message(tk::MessageIcon::Question,
                      QStringLiteral("Attenzione: i dati non archiviati andranno persi !"),
                      QStringLiteral("Aprire il file \"%1\"?").arg(path), tk::MessageButtons::YesNo,
                      tk::MessageResult::No) != tk::MessageResult::Yes)
        return;
    if (app_->isLoaded(window::kMenu)) files_.open(path, window::kMenu);
}

void ModZelmor::openAtMenu(const QString& path) {
    fileForMenu_ = path;
    if (app_->isLoaded(window::kMenu)) showMenuWindow();
}

TitlePageHolder* ModZelmor::titlePageWindow() {
    const QString name = window::kTitlePage;
    if (!app_->isRegistered(name)) return nullptr;
    return dynamic_cast<TitlePageHolder*>(&app_->load(name));
}

model::TitlePage ModZelmor::titlePage() {
    return titlePageWindow() != nullptr ? document_.title : model::TitlePage{};
}

void ModZelmor::setTitlePage(const model::TitlePage& page, int denominations) {
    if (TitlePageHolder* window = titlePageWindow()) window->fillTitlePage(page, denominations);
}

void ModZelmor::restartTitlePage() {
    if (TitlePageHolder* window = titlePageWindow()) window->startAfresh();
}

void ModZelmor::confirmExit() {
    const auto answer =
        app_->message(tk::MessageIcon::Question,
                      QStringLiteral("Attenzione: i dati non archiviati andranno persi !"),
                      QStringLiteral("Vuoi uscire da ") + product_.name + QStringLiteral("?"),
                      tk::MessageButtons::YesNo, tk::MessageResult::No);
    if (answer != tk::MessageResult::Yes) return;
    app_->unloadAll({QString::fromLatin1(window::kSplash)});
    // Starting again is a new document: no save may go to the file of the one that ended.
    files_.startModelAfresh();
    document_ = model::Document{};
    if (!app_->isRegistered(window::kSplash)) return;
    if (auto* splash = dynamic_cast<ClosingScreen*>(&app_->load(window::kSplash)))
        splash->showAsClosingScreen();
}

reports::ReportTexts ModZelmor::reportTexts() const {
    return {product_.name, product_.subtitle, office_.name, office_.address};
}

void ModZelmor::printHelpPage(const reports::HelpText& page) {
    runReport(
        [&](reports::WordProcessor& word) { reports::writeHelpPage(word, reportTexts(), page); });
}

bool ModZelmor::runReport(const std::function<void(reports::WordProcessor&)>& write) {
    std::optional<reports::WordError> failure;
    {
        const tk::Application::BusyScope busy(*app_);
        try {
            if (word_ == nullptr) {
                throw reports::WordError(reports::WordError::Kind::Missing,
                                         QStringLiteral("nessun elaboratore di testi collegato"));
            }
            write(*word_);
        } catch (const reports::WordError& e) {
            failure = e;
        }
    }
    if (failure) reportFailure(*failure);
    return !failure;
}

void ModZelmor::tellSavedElsewhere(const QString& asked, const QString& saved) {
    if (saved == asked) return;
    app_->message(tk::MessageIcon::Information, product_.name + QStringLiteral(": stampa"),
                  QStringLiteral("Il documento \"%1\" è aperto in LibreOffice Writer con "
                                 "modifiche non salvate, che restano come sono.")
                          .arg(QFileInfo(asked).fileName()) +
                      QChar(13) + QStringLiteral("Il nuovo documento è stato salvato come ") +
                      saved);
}

ModZelmor::~ModZelmor() {
    if (word_ != nullptr) word_->setLateFailureHandler({});
}

void ModZelmor::setWordProcessor(reports::WordProcessor* word) {
    word_ = word;
    // The PDF copy of a full report is written after the report: its failure is told then.
    if (word_ != nullptr)
        word_->setLateFailureHandler([this](const reports::WordError& e) { reportFailure(e); });
}

void ModZelmor::prepareWordProcessor() {
    if (word_ != nullptr) word_->prepare();
}

void ModZelmor::reportFailure(const reports::WordError& error) {
    const QString text = failureText(error);
    if (!error.detail().isEmpty() && !text.contains(error.detail())) {
        QString detail = error.detail();
        detail.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        std::cerr << "zelmor: stampa: " << detail.toLocal8Bit().constData() << '\n';
    }
    app_->message(tk::MessageIcon::Critical, product_.name + QStringLiteral(": stampa"), text);
}

QString ModZelmor::failureText(const reports::WordError& error) {
    using Kind = reports::WordError::Kind;
    const QChar cr(13);
    QString text;
    switch (error.kind()) {
        case Kind::Missing:
            text = QStringLiteral(
                       "Non è possibile scrivere il documento: LibreOffice Writer non è "
                       "installato.") +
                   cr +
                   QStringLiteral(
                       "Installare LibreOffice Writer (pacchetto \"libreoffice-writer\") "
                       "e ripetere la stampa.");
            break;
        case Kind::NotStarted:
            text = QStringLiteral("Non è stato possibile avviare LibreOffice Writer.") + cr +
                   QStringLiteral(
                       "Verificare che LibreOffice Writer si apra normalmente, poi "
                       "ripetere la stampa.");
            break;
        case Kind::Lost:
            text = QStringLiteral(
                       "LibreOffice Writer si è chiuso mentre il documento veniva "
                       "scritto: il documento è incompleto.") +
                   cr +
                   QStringLiteral("Ripetere la stampa: LibreOffice Writer verrà avviato di nuovo.");
            break;
        case Kind::Failed:
            text = QStringLiteral(
                       "LibreOffice Writer non ha eseguito un'operazione: il documento "
                       "è incompleto.") +
                   cr +
                   QStringLiteral(
                       "Ripetere la stampa; se il problema rimane, chiudere LibreOffice "
                       "Writer e riprovare.");
            break;
        case Kind::PictureMissing:
            text = QStringLiteral("Il disegno del modello non è ancora stato salvato (") +
                   error.detail() + QStringLiteral(").") + cr +
                   QStringLiteral(
                       "Visualizzare il disegno (Finestra Disegno), poi ripetere la "
                       "stampa.");
            return text;
        case Kind::PictureStale:
            return QStringLiteral("Il disegno del modello non corrisponde ai dati attuali (") +
                   error.detail() + QStringLiteral(").") + cr +
                   QStringLiteral(
                       "Visualizzare il disegno (Finestra Disegno), poi ripetere la stampa.");
        case Kind::CellTooLong:
            return QStringLiteral(
                       "Il dato \"%1\" è troppo lungo per la tabella della relazione (più di %2 "
                       "caratteri): la relazione non è stata scritta.")
                       .arg(error.detail())
                       .arg(reports::kMaxCellText) +
                   cr +
                   QStringLiteral(
                       "Accorciarlo nella finestra Frontespizio, poi ripetere la stampa.");
        case Kind::PictureUnreadable:
            return QStringLiteral(
                       "Il file del disegno del modello è danneggiato e non si può "
                       "leggere come immagine (") +
                   error.detail() + QStringLiteral(").") + cr +
                   QStringLiteral(
                       "Disegnare di nuovo il modello (Finestra Disegno), poi ripetere la "
                       "stampa.");
        case Kind::ExportFailed:
            text = QStringLiteral(
                       "La relazione è stata salvata, ma non è stato possibile scriverne la "
                       "copia PDF.") +
                   cr +
                   QStringLiteral(
                       "La relazione resta aperta in LibreOffice Writer: esportarla da lì con "
                       "il comando Esporta nel formato PDF.");
            break;
        case Kind::TimedOut:
            text = QStringLiteral(
                       "LibreOffice Writer ha smesso di rispondere ed è stato chiuso: il "
                       "documento non è stato completato.") +
                   cr +
                   QStringLiteral(
                       "Ripetere la stampa: LibreOffice Writer verrà avviato di nuovo. Se il "
                       "problema si ripete, controllare lo spazio libero sul disco.");
            break;
        case Kind::TimedOutLeft:
            text = QStringLiteral(
                       "LibreOffice Writer ha smesso di rispondere: il documento non è stato "
                       "completato.") +
                   cr +
                   QStringLiteral(
                       "Chiudere LibreOffice Writer (se non risponde, terminarlo), poi ripetere "
                       "la stampa.");
            break;
        case Kind::SaveFailed:
            // Said of the full report and of the whole guide alike.
            text = QStringLiteral(
                       "Il documento è stato scritto, ma non è stato possibile "
                       "salvarlo.") +
                   cr +
                   QStringLiteral(
                       "Il documento resta aperto in LibreOffice Writer: salvarlo da lì "
                       "con il comando Salva con nome.");
            break;
    }
    // The file that could not be written is named; what the office said of the other failures
    // is technical, in English, and goes to the terminal (reportFailure).
    const bool aFile = error.kind() == Kind::SaveFailed || error.kind() == Kind::ExportFailed;
    if (aFile && !error.detail().isEmpty())
        text += cr + QStringLiteral("(") + error.detail() + QStringLiteral(")");
    return text;
}

}  // namespace zelmor::shared
