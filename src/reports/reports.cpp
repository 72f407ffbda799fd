#include "reports.h"

#include "geometry/bmp.h"
#include "model/modelwords.h"

#include <QChar>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace zelmor::reports {

namespace {

const QString kFont = QStringLiteral("Century Gothic");
const QChar kCR = QChar(13);  // ends a paragraph
const QChar kFF = QChar(12);  // starts a new page
constexpr int kTableFormat = 9;
constexpr int kTableFontSize = 10;
// The full report's section headings and the first words of its closing block.
const QString kCriteria = QStringLiteral("Criteri di elaborazione");
const QString kAnalysis = QStringLiteral("Analisi del grafico");
const QString kClosingStart = QStringLiteral("La presente relazione è composta di n.");

// A number as the reports print it: a blank where a minus sign would go.
QString str(int n) {
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString crs(int n) {
    return QString(n, kCR);
}

// A new document, its title and author set as file managers and PDF viewers show them.
void begin(WordProcessor& word, const ReportTexts& texts, const QString& title) {
    word.start();
    word.show();
    word.addDocument();
    word.describe(title, texts.officeName);
}

QString titled(const ReportTexts& texts, const QString& what) {
    return texts.productName + QStringLiteral(" – ") + what;
}

// A title that fits a PDF viewer's title bar and a file manager's column: at most about
// kMaxTitle characters, cut after a whole word, with an ellipsis for what was left out.
QString shortTitle(const QString& title) {
    constexpr qsizetype kMaxTitle = 80;
    if (title.size() <= kMaxTitle) return title;
    QString cut = title.left(kMaxTitle - 1);
    if (cut.back().isLowSurrogate()) cut.chop(1);  // never half a character
    const qsizetype blank = cut.lastIndexOf(QLatin1Char(' '));
    if (blank > kMaxTitle / 2) cut.truncate(blank);
    while (!cut.isEmpty() && (cut.back().isSpace() || cut.back().isPunct())) cut.chop(1);
    return cut + QChar(0x2026);
}

// The phrase of the closing block that holds the page count.
QString pagesPhrase(int pages) {
    return QStringLiteral("composta di n.") + str(pages) + QStringLiteral(" pagine.");
}

// The program's name at 20 points and its subtitle at 16, followed by `ends` paragraph ends: what
// the data reports and the help prints open with.
void productLines(WordProcessor& word, const ReportTexts& texts, int ends) {
    word.fontName(kFont);
    word.fontSize(20);
    word.type(texts.productName + kCR);
    word.fontSize(16);
    word.type(texts.productSubtitle + crs(ends));
}

// The program's name and subtitle, then what the document holds.
void heading(WordProcessor& word, const ReportTexts& texts, const QString& title) {
    productLines(word, texts, 2);
    word.fontSize(12);
    word.type(title + kCR);
}

// A table at the end of the document, after a paragraph of its own, filled row by row.
void table(WordProcessor& word, const std::vector<QStringList>& rows) {
    word.appendParagraph();
    const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    word.addTable(static_cast<int>(rows.size()), columns);
    word.tableFontSize(kTableFontSize);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            word.cell(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c]);
    }
    word.autoformat(kTableFormat);
}

std::vector<QStringList> endemicRows(const model::ModelData& m) {
    return {
        {QStringLiteral("dati"), QStringLiteral("valori")},
        {QStringLiteral("situazione endemica"), model::kindReportName(m.endemicKind)},
        {QStringLiteral("tipologia"), m.endemicTypologyText},
        {QStringLiteral("valore"), m.endemicValue},
        {QStringLiteral("numero di sottosistemi"), m.subsystemCount},
    };
}

const model::Subsystem& subsystem(const model::ModelData& m, int i) {
    return m.subsystems[static_cast<std::size_t>(i - 1)];
}

// The count that sizes a subsystem table: the model's own, within 0..9.
int rowsOf(const model::ModelData& m) {
    return std::clamp(m.count(), 0, model::kMaxSubsystems);
}

// Every text that goes into a table cell, with the name the user knows it by, is checked before
// the report starts: a report never stops half-written over it.
void requireFittingCells(const std::vector<std::pair<QString, QString>>& fields) {
    for (const auto& [name, text] : fields)
        if (text.size() > kMaxCellText) throw WordError(WordError::Kind::CellTooLong, name);
}

std::vector<std::pair<QString, QString>> denominationFields(const model::TitlePage& page, int n) {
    std::vector<std::pair<QString, QString>> out;
    for (int i = 1; i <= std::clamp(n, 0, model::kMaxSubsystems); ++i)
        out.emplace_back(QStringLiteral("denominazione %1").arg(i),
                         page.denominations[static_cast<std::size_t>(i - 1)]);
    return out;
}

// The user needs the name that could not be written; the office's own reason is a code that
// says nothing to them.
QString saveAs(WordProcessor& word, const QString& path) {
    // The folder is made only for a document that is there to be saved; when it cannot be, the
    // save fails and says where.
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        return word.save(path);
    } catch (const WordError& e) {
        if (e.kind() != WordError::Kind::SaveFailed) throw;
        throw WordError(e.kind(), path);
    }
}

QString helpTitle(const HelpText& page) {
    return QStringLiteral("Guida: ") + page.title + crs(2);
}

QString trimmedFolder(QString folder) {
    while (folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    return folder;
}

}  // namespace

void writeModelData(WordProcessor& word, const model::ModelData& m, const ReportTexts& texts) {
    begin(word, texts, titled(texts, QStringLiteral("dati del modello")));
    heading(word, texts, QStringLiteral("DATI"));

    table(word, endemicRows(m));

    std::vector<QStringList> rows{{QStringLiteral("n. sottosistema"), QStringLiteral("tipologia"),
                                   QStringLiteral("valore"),
                                   QStringLiteral("legami tra sottosistemi")}};
    for (int i = 1; i <= rowsOf(m); ++i) {
        const model::Subsystem& s = subsystem(m, i);
        rows.push_back({str(i), s.typologyText, s.value, s.links});
    }
    table(word, rows);
}

void writeTitlePageData(WordProcessor& word, const model::TitlePage& page, int subsystems,
                        const QStringList& types, const ReportTexts& texts) {
    const std::vector<std::pair<QString, QString>> general{
        {QStringLiteral("progetto"), page.project},
        {QStringLiteral("località"), page.place},
        {QStringLiteral("tipologia di studio"), page.studyType},
        {QStringLiteral("committente"), page.client},
        {QStringLiteral("luogo di elaborazione"), page.town},
        {QStringLiteral("data di elaborazione"), page.date},
        {QStringLiteral("allegati alla relazione"), page.attachments},
        {QStringLiteral("studio tecnico"), texts.officeName},
        {QStringLiteral("indirizzo dello studio"), texts.officeAddress}};
    auto checked = general;
    for (auto& field : denominationFields(page, subsystems)) checked.push_back(std::move(field));
    requireFittingCells(checked);
    begin(word, texts, titled(texts, QStringLiteral("dati generali")));
    heading(word, texts, QStringLiteral("Dati generali"));

    std::vector<QStringList> generalRows{{QStringLiteral("tipologia"), QStringLiteral("dati")}};
    for (const auto& [name, text] : general) generalRows.push_back({name, text});
    table(word, generalRows);

    std::vector<QStringList> rows{{QStringLiteral("n. sottosistema"), QStringLiteral("tipologia"),
                                   QStringLiteral("denominazione")}};
    const int n = std::clamp(subsystems, 0, model::kMaxSubsystems);
    for (int i = 1; i <= n; ++i) {
        rows.push_back(
            {str(i), types.value(i - 1), page.denominations[static_cast<std::size_t>(i - 1)]});
    }
    table(word, rows);
}

namespace {
PictureWords pictureWords(const model::ModelData& model) {
    return {model::drawingTitle(), model::modelInWords(model)};
}
}  // namespace

void requireReadablePicture(const QString& picture) {
    if (!QFileInfo(picture).isFile()) throw WordError(WordError::Kind::PictureMissing, picture);
    // By content: the drawing writes a bitmap under a ".jpg" name.
    QImageReader reader(picture);
    reader.setDecideFormatFromContent(true);
    if (reader.read().isNull()) throw WordError(WordError::Kind::PictureUnreadable, picture);
}

void requireDrawnPicture(const QString& picture, const std::optional<DrawnPicture>& drawn,
                         const model::ModelData& model) {
    if (!QFileInfo(picture).isFile()) throw WordError(WordError::Kind::PictureMissing, picture);
    // The model compared whole: its captions are printed beside the picture too.
    if (!drawn || drawn->model != model || drawn->digest.isEmpty() ||
        geometry::pictureFileDigest(picture) != drawn->digest)
        throw WordError(WordError::Kind::PictureStale, picture);
}

void writeModelPicture(WordProcessor& word, const QString& picture, const model::ModelData& model,
                       const ReportTexts& texts) {
    requireReadablePicture(picture);
    begin(word, texts, titled(texts, QStringLiteral("modello")));
    word.addPicture(picture, pictureWords(model));
}

QString writeFullReport(WordProcessor& word, const model::ModelData& m,
                        const model::TitlePage& page, const ReportTexts& texts,
                        const QString& picture, const QString& savePath) {
    requireReadablePicture(picture);
    requireFittingCells(denominationFields(page, rowsOf(m)));
    // The title page.
    const QString report = QStringLiteral("Relazione ") + texts.productName;
    begin(word, texts,
          shortTitle(page.project.isEmpty() ? report
                                            : report + QStringLiteral(" – ") + page.project));
    word.fontName(kFont);
    word.fontSize(24);
    word.type(texts.productName + kCR);
    word.fontSize(14);
    word.type(texts.productSubtitle + crs(2));
    word.type(QStringLiteral("progetto: ") + page.project + kCR);
    word.type(QStringLiteral("località: ") + page.place + kCR);
    word.type(QStringLiteral("tipologia di studio: ") + page.studyType + kCR);
    for (int i = 0; i < 6; ++i) word.type(QString(kCR));
    word.type(QStringLiteral("progettista: ") + texts.officeName + kCR);
    word.type(QStringLiteral("committente: ") + page.client + crs(2));
    word.type(page.town + QStringLiteral(": ") + page.date + kCR);
    for (int i = 0; i < 20; ++i) word.type(QString(kCR));
    word.type(texts.officeName + kCR);
    word.type(texts.officeAddress + kFF);

    // How the model is built, and the picture.
    word.fontSize(16);
    word.type(kCriteria + crs(2));
    word.fontSize(12);
    word.type(kTextT1 + kCR);
    word.type(kTextT2 + kCR);
    word.type(kTextT3 + crs(4));
    word.appendParagraph();
    word.addPicture(picture, pictureWords(m));
    word.type(QString(kFF));

    // How to read it, and the data.
    word.fontSize(16);
    word.type(kAnalysis + crs(2));
    word.fontSize(12);
    word.type(kTextT4 + kCR);
    word.type(kTextT5 + kCR);
    word.type(kTextT6 + kCR);
    word.type(QStringLiteral("Si riportano i dati inseriti nella elaborazione.") + crs(2));

    table(word, endemicRows(m));
    std::vector<QStringList> rows{{QStringLiteral("n. sottosistema"), QStringLiteral("tipologia"),
                                   QStringLiteral("denominazione"), QStringLiteral("valore"),
                                   QStringLiteral("legami tra sottosistemi")}};
    for (int i = 1; i <= rowsOf(m); ++i) {
        const model::Subsystem& s = subsystem(m, i);
        rows.push_back({str(i), s.typologyText, page.denominations[static_cast<std::size_t>(i - 1)],
                        s.value, s.links});
    }
    table(word, rows);

    // The closing block counts the pages written before it.
    word.appendParagraph();
    word.paragraphFontSize(12);
    int pages = word.countPages();
    word.paragraphText(crs(2) + kClosingStart + str(pages) + QStringLiteral(" pagine.") + kCR +
                       QStringLiteral("Si allegano: ") + page.attachments + crs(2) + page.town +
                       QStringLiteral(": ") + page.date + crs(2) +
                       QStringLiteral("il progettista") + kCR + QLatin1Char('(') +
                       texts.officeName + QLatin1Char(')'));
    word.justifyAll();
    // Set for the reader who files it: sections in the outline, the signed closing whole on its
    // page, numbered pages after the title page.
    Typesetting how;
    how.headings = QStringList{kCriteria, kAnalysis};
    how.keptFrom = kClosingStart;
    how.titlePage = true;
    how.footer = QStringLiteral("pagina %1 di %2");
    word.typeset(how);
    // The block itself may carry the end of the document onto a new page: the number printed
    // is the finished document's. (A longer number could move a line again: a few rounds.)
    for (int round = 0; round < 3; ++round) {
        const std::optional<int> finished = word.finishedPages();
        if (!finished || *finished == pages) break;
        word.replaceLast(pagesPhrase(pages), pagesPhrase(*finished));
        pages = *finished;
    }
    QString saved = saveAs(word, savePath);
    const QString pdf = pdfPath(saved);
    try {
        word.exportPdf(pdf);
    } catch (const WordError& e) {
        if (e.kind() != WordError::Kind::ExportFailed) throw;
        throw WordError(e.kind(), pdf);
    }
    return saved;
}

void writeHelpPage(WordProcessor& word, const ReportTexts& texts, const HelpText& page) {
    begin(word, texts, titled(texts, QStringLiteral("Guida: ") + page.title));
    productLines(word, texts, 3);
    word.type(helpTitle(page));
    word.fontSize(12);
    word.type(page.body + kCR);
    word.justifyAll();
}

QString writeGuide(WordProcessor& word, const ReportTexts& texts,
                   const std::vector<HelpText>& pages, const QString& savePath) {
    begin(word, texts, titled(texts, QStringLiteral("Guida")));
    productLines(word, texts, 3);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        word.type(helpTitle(pages[i]));
        // Only the first title stays at the heading's size.
        if (i == 0) word.fontSize(12);
        // No page break after the last body: the document would end on an empty page.
        const bool last = i + 1 == pages.size();
        word.type(last ? pages[i].body : pages[i].body + kCR + kFF);
    }
    word.justifyAll();
    return saveAs(word, savePath);
}

QString pdfPath(const QString& documentPath) {
    const QFileInfo info(documentPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

QString guidePath(const QString& reportsFolder, const QString& productName) {
    return trimmedFolder(reportsFolder) + QLatin1Char('/') + safeFileNamePart(productName) +
           QStringLiteral("-guida.doc");
}

QString safeFileNamePart(const QString& text) {
    QString out;
    out.reserve(text.size());
    // What a USB stick's or a Windows share's file system refuses in a name, besides "/".
    static const QString kRefused = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : text) {
        if (kRefused.contains(c) || c.category() == QChar::Other_Control) {
            out += QLatin1Char('-');
        } else if (c.category() == QChar::Other_Format || c == QChar::LineSeparator ||
                   c == QChar::ParagraphSeparator) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    // Names are limited to 255 bytes; the rest of the report's name needs some of them.
    constexpr qsizetype kMaxBytes = 150;
    while (out.toUtf8().size() > kMaxBytes) {
        out.chop(1);
        if (!out.isEmpty() && out.back().isHighSurrogate()) out.chop(1);
    }
    return out;
}

QString fullReportPath(const QString& reportsFolder, const QString& client) {
    return trimmedFolder(reportsFolder) + QStringLiteral("/RelazioneZelmor-") +
           safeFileNamePart(client) + QStringLiteral(".doc");
}

// clang-format off
const QString kTextT1 = QStringLiteral("Il modello fenomelogico aspaziale è uno schema della situazione analizzata o progettata. E' un disegno fenomenologico perchè riguarda i fenomeni osservati con tutti i loro legami e la loro importanza. E' aspaziale perchè non contempla scale di riferimento alla grandezza naturale dei fatti, ma solo alla loro importanza.");
const QString kTextT2 = QStringLiteral("Per questi motivi la situazione viene indicata come endemica in quanto riferita a tutto l'insieme territoriale oggetto della elaborazione e con la specificazione di 'superficiale', 'lineare', 'puntuale, secondo che essa sia estesa su tutta la superficie o solo su una sua dimensione, o su un punto concentrato. A tale proposito sono state indicate le tipologie possibili ed il loro valore come forza del fenomeno.");
const QString kTextT3 = QStringLiteral("Nello schema territoriale sono stati individuati nove sottosistemi massimi: ciascuno che occupa una zona predefinita dividendo l'intera mappa in una tavola di quadranti (tre superiormente, tre centrali e tre inferiori, oppure tre sulla sinistra, tre al centro e tre sulla destra). Per ciascuno di essi sono stati indicati i legami e la loro natura rispetto agli altri sottosistemi in modo da ottenere, quantitativamente e qualitativamente, uno schema grafico che è riportato in questa relazione sulla elaborazione effettuata. Il modello è un mezzo di lettura o di progetto semplificato della situazione che consente, nello stesso tempo, di avere un'immagine precisa di dove intervenire, se necessario, ed anche come farlo urbanisticamente.");
const QString kTextT4 = QStringLiteral("Il grafico è strutturato come un insieme di rettangoli che possono anche intersecarsi tra loro quando hanno elementi di sovrapposizione. Rappresentano, in tal modo, le singole zone del territorio oggetto di studio. Tali aree possono caratterizzarsi anche come elementi concentrati lungo un asse o in singoli punti. In questi casi la rappresentazione prende la forma di segmenti o di cerchi. Anch'essi possono essere posizionati in un ambito specifico o nell'intera area, secondo i dati di input.");
const QString kTextT5 = QStringLiteral("I legami tra le parti possono essere di vario tipo, secondo la distanza tra gli elementi da collegare: una serie di segmenti paralelli, una serie di cerchi di dimensioni variabili, una serie di rettangoli paralleli di dimensioni pure variabili. In tutti i casi i legami sono posti tra le zone da collegare e strettamente connesse.");
const QString kTextT6 = QStringLiteral("Infine vi è da specificare l'aspetto qualitativo degli elementi rappresentati, sia in senso generale che come legami. In tutti i casi lo spessore della grafica simboleggia l'importanza come fenomeno: maggiore è lo spessore delle linee del contorno e maggiore sarà anche il valore all'interno dell'insieme studiato. Il colore serve solo a fornire una differenziazione delle parti ed evitare confusioni di lettura del grafico.");
// clang-format on

}  // namespace zelmor::reports
