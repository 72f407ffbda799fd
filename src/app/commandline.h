// The program's command line: help and version, which need no display and so are answered
// before Qt's application object exists, and the one data file to open. Qt's own options
// (-platform, -style, ...) are accepted and left to Qt.
#pragma once

#include <QString>
#include <QStringList>

namespace zelmor::app {

struct CommandLine {
    enum class Action {
        Run,      // start (or hand `file` over to the copy already running)
        Help,     // print `output` on standard output, end with status 0
        Version,  // likewise
        Error,    // print `output` on standard error, end with status 1
    };
    Action action = Action::Run;
    QString file;  // the data file, absolute; empty: none given
    QString output;
};

// `arguments` as main receives them, the program's name first. A relative file is resolved
// against the current folder.
CommandLine parseCommandLine(const QStringList& arguments);

// The program's version, "4.4.5".
QString programVersion();

}  // namespace zelmor::app
