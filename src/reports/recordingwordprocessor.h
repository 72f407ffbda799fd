// A word processor that writes nothing but a log: one line per operation, in call order, with
// strings in the scenario files' quoted form (`type "Zelmor\r"`). The scenario runner and the
// tests read the log; the page count it answers is set from outside.
//
// Saving writes the text of the document (typed text, paragraph texts and cells, in call order)
// as UTF-8, so that a save that cannot be done fails here as it would in the office.
#pragma once

#include "wordprocessor.h"

#include <QStringList>

namespace zelmor::reports {

class RecordingWordProcessor final : public WordProcessor {
  public:
    RecordingWordProcessor(QStringList& log, const int& pages) : log_(&log), pages_(&pages) {}

    void start() override;
    void show() override;
    void addDocument() override;
    void fontName(const QString& name) override;
    void fontSize(int points) override;
    void type(const QString& text) override;
    void appendParagraph() override;
    void paragraphText(const QString& text) override;
    void paragraphFontSize(int points) override;
    void addTable(int rows, int columns) override;
    void tableFontSize(int points) override;
    void cell(int row, int column, const QString& text) override;
    void autoformat(int format) override;
    void addPicture(const QString& path, const PictureWords& words) override;
    int countPages() override;
    void justifyAll() override;
    QString save(const QString& path) override;
    // No pages and no PDF here; none of these is logged.
    void describe(const QString& title, const QString& author) override;
    std::optional<int> finishedPages() override;
    void typeset(const Typesetting& how) override;
    void replaceLast(const QString& from, const QString& to) override;
    void exportPdf(const QString& path) override;
    void setLateFailureHandler(std::function<void(const WordError&)> handler) override;
    // Counted, not logged: whether the program asks for the office early is no part of a
    // document.
    void prepare() override;
    int prepared() const { return prepared_; }

  private:
    void record(const QString& line) { log_->append(line); }

    QStringList* log_;
    const int* pages_;
    QString text_;  // what the document holds, for save
    int prepared_ = 0;
};

// A string in the quoted form of the scenario files: "\r", "\n", "\t", "\"", "\\" and "\xHH"
// for the other control characters; everything else as it stands.
QString quoted(const QString& text);

}  // namespace zelmor::reports
