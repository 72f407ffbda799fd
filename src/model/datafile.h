// The "Zelmor-dati-" data file: the model and the title page as comma-separated lines of
// Windows-1252 text with CR LF line ends.
//
//   1                kind, typology text, typology, value, "count"
//   2 .. n+1         per subsystem: typology, typology text, value, links
//   n+2              project, place, type of study
//   n+3              client, town, date, attachments
//   n+4 .. 2n+3      per subsystem: denomination
//
// Texts are quoted; numbers are plain; an empty number writes nothing between its commas. A
// double quote inside a text is written doubled, so that every file reads back to the same
// data; files without double quotes are exactly the classic layout. The reader never opens a
// dialog: it returns everything it could read and, when it stopped early, where and why.
#pragma once

#include "model.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zelmor::model {

QByteArray writeDataFile(const ModelData& model, const TitlePage& title);

struct DataFileError {
    int line = 0;    // 1-based line of the file where reading stopped
    QString reason;  // in Italian, for the user
};

struct DataFileContent {
    // What was read of the model: line 1 (valid only when headerRead is true), and lines
    // 2 .. n+1 read so far (subsystemsRead of them, in order; the others blank).
    ModelData model;
    bool headerRead = false;
    int count = 0;  // the model's count, 1..9 when headerRead
    int subsystemsRead = 0;

    // Lines n+2 and n+3: true once both were read whole.
    bool titleRead = false;
    TitlePage title;  // denominations filled up to denominationsRead
    int denominationsRead = 0;

    std::optional<DataFileError> error;  // nothing: the whole file was read
    bool complete() const { return !error.has_value(); }
};

DataFileContent readDataFile(const QByteArray& bytes);

}  // namespace zelmor::model
