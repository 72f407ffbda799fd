// What the data file's code page can hold, and texts counted the way the user sees them.
//
// The data file is Windows-1252: a character outside it is written as "?". Before a save the
// program finds the texts that would lose characters, so that the user can be asked first.
#pragma once

#include "model.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zelmor::model {

// A text of the data file holding characters the code page lacks.
struct UnencodableField {
    QString name;            // as the windows call it: "progetto", "valore del sottosistema n. 2"
    QStringList characters;  // each lost character as the user sees it, once, in text order
    bool operator==(const UnencodableField&) const = default;
};

// The user-perceived characters of text that Windows-1252 cannot hold, each once, in order.
QStringList unencodableCharacters(const QString& text);

// The texts in canonical composed form (NFC): an accent typed as a separate combining mark
// ("e" + U+0301) becomes the one character the code page has ("é"). Every field the data file
// writes is normalised.
void composeTexts(ModelData& model, TitlePage& title);

// Every text the data file writes for this model and title page (only the subsystems the count
// covers), in the order written, that holds characters Windows-1252 cannot hold.
std::vector<UnencodableField> unencodableFields(const ModelData& model, const TitlePage& title);

// The number of characters as the user sees them (grapheme clusters): an emoji with its skin
// tone, or a letter with combining accents, counts one.
int visibleLength(const QString& text);
// The first n user-perceived characters of text; never splits one. n <= 0 gives an empty text.
QString leftVisible(const QString& text, int n);

}  // namespace zelmor::model
