// The model: one endemic situation and up to nine subsystems, with the texts the program shows.
//
// The data-entry window fills a ModelData through the guided procedure, the data file saves and
// reloads it together with the title page, and the drawing and the reports only read it. The
// typology index drives the drawing; the caption is what windows, files and reports show.
#pragma once

#include "fileio.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace zelmor::model {

inline constexpr int kMaxSubsystems = 9;

// The kinds of endemic situation, numbered as the data file writes them and as the option
// buttons `endemica(1..3)` are indexed.
enum class EndemicKind { Superficiale = 1, Lineare = 2, Puntuale = 3 };

// The kind a data file's number stands for; none for a number outside 1..3.
std::optional<EndemicKind> endemicKindOf(int number);
inline int numberOf(EndemicKind kind) {
    return static_cast<int>(kind);
}

struct Subsystem {
    std::optional<int> typology;  // 1..9 into particularTypologies(); empty until chosen
    QString typologyText;
    QString value;  // "debole", "medio", "forte" or whatever the user typed
    QString links;  // "", "con nessuno" or "con 2-5-7"
    bool operator==(const Subsystem&) const = default;
};

struct ModelData {
    std::optional<EndemicKind> endemicKind;
    QString endemicTypologyText;
    std::optional<int> endemicTypology;  // 1..9 into the kind's table; empty or 0: none
    QString endemicValue;
    QString subsystemCount;  // the text "1".."9"; empty until entered
    std::array<Subsystem, kMaxSubsystems> subsystems{};

    // The count as a number (countOf), 0 when there is none.
    int count() const;
    // The endemic typology is chosen: an index 1..9 with that index's caption in its kind's
    // table. The caption of another kind's table (kept by a change of kind until the user
    // picks again) is no chosen typology.
    bool hasEndemicTypology() const;
    // Every field of the endemic situation and of subsystems 1..count is filled, each link
    // text included: what the guided procedure's final step stands for.
    bool isComplete() const;
    bool operator==(const ModelData&) const = default;
};

// The one rule for reading a count, wherever it comes from: a whole number written in digits
// (at most four), blanks around it allowed; anything else ("", "+2", "due") is no number.
std::optional<int> numberOfSubsystems(const QString& text);
// The count the program works with: that number when it is 1..9; anything else (empty, "0",
// "+2", "10", "due") is no count: 0.
int countOf(const QString& text);

// The title page's general data, which travel in the same data file.
struct TitlePage {
    QString project;      // progetto
    QString place;        // località
    QString studyType;    // tipostudio
    QString client;       // committente
    QString town;         // luogo
    QString date;         // data
    QString attachments;  // allegati
    std::array<QString, kMaxSubsystems> denominations{};
    bool operator==(const TitlePage&) const = default;
};

// What the program works on: the model, the title page that travels with it in the data file,
// and the data file they were last opened from or saved to (empty: none yet). The program owns
// one; the data-entry and title-page windows show it and change it, and everything else reads it.
struct Document {
    ModelData model;
    TitlePage title;
    QString fileName;
    // What the current file held when it was read or last saved; nothing without a current file.
    std::optional<FileStamp> fileHeld;
    // The model and the title page as they were last read, saved or started afresh: what the
    // document holds beyond them is not archived anywhere.
    ModelData keptModel;
    TitlePage keptTitle;

    // The model or the title page differ from what was last read, saved or started afresh.
    bool unarchived() const { return model != keptModel || title != keptTitle; }
    // Both parts are now what a file holds (they were read or saved).
    void markArchived() {
        keptModel = model;
        keptTitle = title;
    }
    void setCurrentFile(const QString& path, const FileStamp& held) {
        fileName = path;
        fileHeld = held;
    }
    void forgetCurrentFile() {
        fileName.clear();
        fileHeld.reset();
    }
    // An empty model, with no file: nothing of it is to be archived.
    void startModelAfresh() {
        model = keptModel = ModelData{};
        forgetCurrentFile();
    }
    // The title page as its window shows it when loaded: nothing of it is to be archived.
    void startTitleAfresh(const TitlePage& page) { title = keptTitle = page; }
    bool operator==(const Document&) const = default;
};

// Captions of the kinds as the option buttons show them (with their access keys), and as the
// reports write them.
const QStringList& kindCaptions();     // " &superficiale", "&lineare", "&puntuale"
const QStringList& kindReportNames();  // "superficiale", "lineare", "puntuale"
const QStringList& valueItems();       // "debole", "medio", "forte"
// Typology captions, index 0 holds typology 1.
const QStringList& areaTypologies();        // kinds 1 and 3: "totale", "lato nord", ...
const QStringList& linearTypologies();      // kind 2: "longitudinale nord", ...
const QStringList& particularTypologies();  // subsystems: "centrale", "lato nord", ...
// The endemic typologies of a kind: linearTypologies() for the lineare kind, areaTypologies()
// for the other two, none without a kind.
const QStringList& endemicTypologies(std::optional<EndemicKind> kind);
// The kind's caption on its option button, and its name in the reports; a model without a kind
// is reported as superficiale.
QString kindCaption(EndemicKind kind);
QString kindReportName(std::optional<EndemicKind> kind);

// The link text for the numbers in the order clicked: "con 2-5-7"; none gives "con nessuno".
QString linkText(const std::vector<int>& numbers);
// The subsystem a character of a link text names: a digit 1..9; 0 for any other character.
int linkedNumber(QChar c);
// The linked numbers of a link text: every character that is a digit 1..9, in order.
std::vector<int> linkedNumbers(const QString& links);
// The link text of subsystem `self` in a model of `count` subsystems as the procedure would
// have built it: itself, repeated numbers and numbers above the count left out. A text that
// names none of those comes back unchanged.
QString usableLinks(const QString& links, int self, int count);

}  // namespace zelmor::model
