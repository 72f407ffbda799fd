// The office plugin as its loader (officeloader.cpp) sees it: the word processor's operations
// and the office's own (whether it answers, abort, the end), in a shared object loaded at the
// first report. The plugin is synchronous; which thread calls what is told in
// officewordprocessor.h.
//
// Nothing thrown crosses this boundary: every call gives its failure back as a value, which the
// loader turns into the program's WordError, and every function here is noexcept, so that an
// exception that got out of the plugin would end the program at once instead of being caught,
// or not, by a type the two sides merely share a name with.
#pragma once

#include "wordprocessor.h"

#include <QString>

#include <optional>

namespace zelmor::reports {

// Why a call of the plugin failed: the kind and the detail of the WordError the program gets.
struct WordFailure {
    WordError::Kind kind;
    QString message;
};
// What a call of the plugin comes to: nothing when it succeeded.
using Outcome = std::optional<WordFailure>;

class OfficePlugin {
  public:
    virtual ~OfficePlugin() = default;

    // The operations of WordProcessor (wordprocessor.h), with the same meaning; a value one of
    // them gives goes into its last parameter, which is set only when the call succeeds. The
    // pages of finishedPages() are those of countPages(); there is no work finished later.
    [[nodiscard]] virtual Outcome start() noexcept = 0;
    [[nodiscard]] virtual Outcome show() noexcept = 0;
    [[nodiscard]] virtual Outcome addDocument() noexcept = 0;
    [[nodiscard]] virtual Outcome fontName(const QString& name) noexcept = 0;
    [[nodiscard]] virtual Outcome fontSize(int points) noexcept = 0;
    [[nodiscard]] virtual Outcome type(const QString& text) noexcept = 0;
    [[nodiscard]] virtual Outcome appendParagraph() noexcept = 0;
    [[nodiscard]] virtual Outcome paragraphText(const QString& text) noexcept = 0;
    [[nodiscard]] virtual Outcome paragraphFontSize(int points) noexcept = 0;
    [[nodiscard]] virtual Outcome addTable(int rows, int columns) noexcept = 0;
    [[nodiscard]] virtual Outcome tableFontSize(int points) noexcept = 0;
    [[nodiscard]] virtual Outcome cell(int row, int column, const QString& text) noexcept = 0;
    [[nodiscard]] virtual Outcome autoformat(int format) noexcept = 0;
    [[nodiscard]] virtual Outcome addPicture(const QString& path,
                                             const PictureWords& words) noexcept = 0;
    [[nodiscard]] virtual Outcome countPages(int& pages) noexcept = 0;
    [[nodiscard]] virtual Outcome justifyAll() noexcept = 0;
    [[nodiscard]] virtual Outcome save(const QString& path, QString& saved) noexcept = 0;
    [[nodiscard]] virtual Outcome describe(const QString& title,
                                           const QString& author) noexcept = 0;
    [[nodiscard]] virtual Outcome typeset(const Typesetting& how) noexcept = 0;
    [[nodiscard]] virtual Outcome replaceLast(const QString& from, const QString& to) noexcept = 0;
    [[nodiscard]] virtual Outcome exportPdf(const QString& path) noexcept = 0;

    // Those of OfficeWordProcessor (officewordprocessor.h).
    virtual long long bridgeCalls() const noexcept = 0;
    [[nodiscard]] virtual Outcome closeDocument() noexcept = 0;
    [[nodiscard]] virtual Outcome shutdown() noexcept = 0;

    // Whether the office of the earlier reports is still there and answers: one call.
    [[nodiscard]] virtual Outcome officeAnswers(bool& answers) noexcept = 0;
    // Cuts the connection, so that the call hanging in the office ends with a failure, and
    // kills the office process this program started (never an office the user started). True
    // when such a process was ended. Never waits for the office.
    virtual bool abort() noexcept = 0;
    // Ends the office when this program started it and it shows no document to the user: an
    // office started in the background for a report that never came, or one whose reports
    // nobody can see (hidden, or an office without a user interface), at the program's end.
    [[nodiscard]] virtual Outcome endIfIdle() noexcept = 0;
};

// The plugin's one entry point, "zelmor_create_writer": a new back-end, its documents kept
// hidden when `hidden`; null when it cannot be made.
using CreateOfficePlugin = OfficePlugin* (*)(bool hidden) noexcept;

}  // namespace zelmor::reports
