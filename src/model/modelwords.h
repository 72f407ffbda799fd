// The model told in words: the text alternative of its drawing, for a screen reader on the
// drawing window, in the reports and in an exported picture.
#pragma once

#include "model.h"

#include <QString>

namespace zelmor::model {

// The title of the drawing as a picture ("Disegno del modello").
QString drawingTitle();

// Italian sentences: the endemic situation (kind, typology, value), the number of subsystems
// and each subsystem (number, zone, value, links), in the order of the rows. What is not yet
// entered is said to be missing rather than left out.
QString modelInWords(const ModelData& model);

}  // namespace zelmor::model
