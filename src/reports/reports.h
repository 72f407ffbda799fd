// The four reports: what each writes into the word processor, in the order it writes it.
//
// They read only what they are given; the windows gather the model, the title page and the
// texts, check what must be checked first, and tell the user when the word processor fails.
#pragma once

#include "model/model.h"
#include "wordprocessor.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zelmor::reports {

// The program's texts and the office data that the reports print.
struct ReportTexts {
    QString productName;      // "Zelmor"
    QString productSubtitle;  // "composizioni di modelli logici aspaziali"
    QString officeName;
    QString officeAddress;
};

// The model's data: a heading and two tables (endemic situation; subsystems).
void writeModelData(WordProcessor& word, const model::ModelData& model, const ReportTexts& texts);

// The longest text a report puts into a table cell. Past a page or so, a cell's row is split
// across pages, and Writer lays such a row out in a time that grows much faster than its text
// (10,000 characters in the denomination column: about 10 s; 20,000: more than 40 s). The
// reports check their cells before anything is written and throw WordError CellTooLong.
constexpr qsizetype kMaxCellText = 2000;

// The title page's data and the subsystems with their denominations. subsystems sizes the second
// table; types holds the type caption of subsystems 1, 2, ... as the title-page window shows them
// (missing entries print empty).
void writeTitlePageData(WordProcessor& word, const model::TitlePage& page, int subsystems,
                        const QStringList& types, const ReportTexts& texts);

// The picture reports check the picture file before anything is written: a missing or damaged
// one throws WordError PictureMissing (the detail is the path, or says that the file is
// damaged), so that the user is told to draw the model again rather than about the office.
void requireReadablePicture(const QString& picture);

// What the last complete drawing wrote into the picture file: the model it drew and the file's
// bytes as geometry::pictureDigest gives them.
struct DrawnPicture {
    model::ModelData model;
    QByteArray digest;
};

// The picture and full reports print the picture only beside the model it was drawn from. The
// windows check it before a report starts: a missing file throws WordError PictureMissing; a
// file that no drawing of this run wrote (`drawn` empty: a file left by an earlier run), one
// drawn from another model than `model`, or one rewritten since (by another program, say)
// throws PictureStale. The detail is the picture's path.
void requireDrawnPicture(const QString& picture, const std::optional<DrawnPicture>& drawn,
                         const model::ModelData& model);

// The model picture alone.
void writeModelPicture(WordProcessor& word, const QString& picture, const model::ModelData& model,
                       const ReportTexts& texts);

// The full report: title page, explanatory text, the picture, the two tables, the closing block
// with the page count of the finished document, everything justified, then saved under savePath
// (or the numbered name the word processor chose, which is returned) and exported as PDF beside
// it (pdfPath). A PDF that cannot be written throws WordError ExportFailed with its path.
QString writeFullReport(WordProcessor& word, const model::ModelData& model,
                        const model::TitlePage& page, const ReportTexts& texts,
                        const QString& picture, const QString& savePath);

// The PDF copy of a saved report: the same name with ".pdf" for its last suffix.
QString pdfPath(const QString& documentPath);

// A help page as its window shows it.
struct HelpText {
    QString title;
    QString body;
};

// One help page: the program's name and subtitle, "Guida: " and the page's title, its body,
// everything justified. Not saved: it stays open for the user.
void writeHelpPage(WordProcessor& word, const ReportTexts& texts, const HelpText& page);

// The whole guide: the program's name and subtitle, then every page in the order given, each
// after the previous one on a page of its own, everything justified, then saved under savePath
// (or the numbered name the word processor chose, which is returned).
QString writeGuide(WordProcessor& word, const ReportTexts& texts,
                   const std::vector<HelpText>& pages, const QString& savePath);

// Where the whole guide is saved: the product name followed by "-guida.doc", in the reports'
// folder (the user's; an installed program's own folder is never writable by its user).
QString guidePath(const QString& reportsFolder, const QString& productName);

// Where the full report is saved: "RelazioneZelmor-", the client and ".doc", in the reports'
// folder. The client is made safe for a file name first (see safeFileNamePart).
QString fullReportPath(const QString& reportsFolder, const QString& client);

// A text made fit to be part of one file name on any common file system, a USB stick's or a
// Windows share's included: folder separators, control characters and : * ? " < > | become
// "-", and the text is cut short enough for the name limit; readable otherwise.
QString safeFileNamePart(const QString& text);

// The explanatory paragraphs of the full report.
extern const QString kTextT1;
extern const QString kTextT2;
extern const QString kTextT3;
extern const QString kTextT4;
extern const QString kTextT5;
extern const QString kTextT6;

}  // namespace zelmor::reports
