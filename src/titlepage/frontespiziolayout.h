// The title-page window's controls as the designer placed them: names, kinds, frames,
// rectangles (twips), captions, tooltips and the text boxes' keyboard order.
#pragma once

#include "toolkit/controltable.h"

#include <QStringList>

namespace zelmor::titlepage {

const tk::Layout& titlePageLayout();
// The seven text boxes of the general data, top to bottom: progetto, località, tipostudio,
// committente, luogo, data, allegati.
const QStringList& titlePageFields();

}  // namespace zelmor::titlepage
