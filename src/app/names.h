// The program's names on the desktop. They place its settings (~/.config/Zelmor/Zelmor.ini) and
// its data folders (~/.local/share/Zelmor/Zelmor for the user, <prefix>/share/Zelmor/Zelmor for
// the installed files).
#pragma once

#include <QCoreApplication>
#include <QString>

namespace zelmor::app {

inline void setProgramNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Zelmor"));
    QCoreApplication::setApplicationName(QStringLiteral("Zelmor"));
}

}  // namespace zelmor::app
