// The word processor the reports write into: the operations the reports and help prints call,
// in the order they call them. One back-end drives LibreOffice Writer; the recording one logs
// each operation as one line for the scenarios and tests.
//
// Every operation may throw WordError; a report then stops where it stands and the program tells
// the user why.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <stdexcept>

namespace zelmor::reports {

class WordError : public std::runtime_error {
  public:
    enum class Kind {
        Missing,            // the office's libraries or program are not installed
        NotStarted,         // the office would not start or answer
        Lost,               // the office went away during the report (closed or crashed)
        Failed,             // the office refused an operation
        PictureMissing,     // the picture file to insert does not exist
        PictureUnreadable,  // it exists but is no picture (damaged); the detail is its path
        PictureStale,       // it was not drawn from the model printed beside it; detail: its path
        CellTooLong,        // a field too long for a table cell; the detail names the field
        SaveFailed,         // the document could not be written under the name asked
        ExportFailed,       // the document was saved, but its PDF copy could not be written
        TimedOut,           // the office stopped answering and was ended; the detail says when
        TimedOutLeft,       // the same with an office this program did not start: left running
    };
    WordError(Kind kind, const QString& detail)
        : std::runtime_error(detail.toStdString()), kind_(kind), detail_(detail) {}
    Kind kind() const { return kind_; }
    // What went wrong in the office's own words (technical; may be empty).
    const QString& detail() const { return detail_; }

  private:
    Kind kind_;
    QString detail_;
};

// How a finished report is set on its pages beyond what its text says; the document's own
// paragraphs are found by their text, as it stands when this is asked.
// A picture's text alternative.
struct PictureWords {
    QString title;
    QString description;
};

struct Typesetting {
    // Paragraphs, each by its whole text (the first one that reads so), that head the sections
    // of the document's outline, in a PDF's bookmarks too; they keep their look.
    QStringList headings;
    // The last paragraph that begins with this and everything after it stay together on one
    // page, unhyphenated; empty: nothing is kept.
    QString keptFrom;
    // The text before the first heading, on the first page, is a title page: unhyphenated, no
    // footer.
    bool titlePage = false;
    // The footer of every page but a title page, "%1" the page's number and "%2" the number
    // of pages; empty: no footer.
    QString footer;
};

class WordProcessor {
  public:
    virtual ~WordProcessor() = default;

    // A new session for one report: makes sure an office is running (starting one when there
    // is none, or when the one used before has been closed or has died) and forgets the
    // document and table of the previous report.
    virtual void start() = 0;
    // The documents of this session are shown to the user (a back-end may be told to keep them
    // hidden, for tests).
    virtual void show() = 0;
    // A new empty document, in a window of its own, with the insertion point at its end.
    virtual void addDocument() = 0;

    // Font of the text typed after it at the insertion point.
    virtual void fontName(const QString& name) = 0;
    virtual void fontSize(int points) = 0;
    // Text at the insertion point, which moves after it. "\r" ends a paragraph, "\f" starts a
    // new page.
    virtual void type(const QString& text) = 0;

    // A new last paragraph at the end of the document; its text and font size can be set.
    virtual void appendParagraph() = 0;
    virtual void paragraphText(const QString& text) = 0;  // "\r" ends a paragraph
    virtual void paragraphFontSize(int points) = 0;

    // A table at the end of the document, which becomes the current table.
    virtual void addTable(int rows, int columns) = 0;
    virtual void tableFontSize(int points) = 0;                       // every cell
    virtual void cell(int row, int column, const QString& text) = 0;  // 1-based
    // A predefined look for the current table; 9 is the coloured one with a header row and
    // banded rows, the only one the program asks for.
    virtual void autoformat(int format) = 0;

    // The picture file inline at the insertion point, its format recognised by content, with its
    // text alternative: a short title and the description a reader hears instead of it.
    virtual void addPicture(const QString& path, const PictureWords& words) = 0;
    // The number of pages the document has now.
    virtual int countPages() = 0;
    // Every paragraph of the document justified.
    virtual void justifyAll() = 0;
    // The current document written as a Word 97 document under this full path; it stays open.
    // An earlier document of this office open under the same path is closed first when it
    // holds no change of the user's; when it does, it is kept, and the new one is saved under
    // the first free numbered name instead ("name (2).doc", ...). Returns the path written.
    virtual QString save(const QString& path) = 0;

    // Finishing touches of a back-end that lays out pages and writes files. The recording
    // back-end has neither: it leaves them out of its log, which holds the writing alone.
    //
    // Title and author of the current document, as file managers and PDF viewers show them.
    virtual void describe(const QString& title, const QString& author) = 0;
    // The pages of the current document as it stands now, with every text written so far laid
    // out; nothing from a back-end that has no pages.
    virtual std::optional<int> finishedPages() = 0;
    // The finished document set as `how` says, once its text is all written.
    virtual void typeset(const Typesetting& how) = 0;
    // The last occurrence of `from` in the document becomes `to`.
    virtual void replaceLast(const QString& from, const QString& to) = 0;
    // The current document, as it stands, also written as PDF under this full path. A back-end
    // may finish it after the call has returned (an office takes a few tenths of a second for a
    // page with a print-resolution picture); a failure found then goes to the late-failure
    // handler.
    virtual void exportPdf(const QString& path) = 0;
    // Where failures of work finished after its call returned are told, on the thread that
    // runs the program's windows.
    virtual void setLateFailureHandler(std::function<void(const WordError&)> handler) = 0;

    // A report may come soon: a back-end that needs a slow start (an office) begins it now,
    // in the background. Never waits and never fails; the next start() waits for it.
    virtual void prepare() = 0;
};

}  // namespace zelmor::reports
