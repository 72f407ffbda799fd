// Running scenario files against a fresh, headless program: one temporary folder, one program
// instance and one set of queued dialogs per file.
//
// The runner knows the program only through Host, so its own tests can drive a small test
// window, and the tool drives the real program.
#pragma once

#include "scriptparser.h"
#include "toolkit/application.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zelmor::script {

// A command that did not hold; the text is what the output line says after "FILE:LINE: ".
class ScriptFailure : public std::runtime_error {
  public:
    explicit ScriptFailure(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

// A link primitive of the drawing window's last drawing, in twips.
struct DrawnPrimitive {
    enum class Kind { Segment, Box, Circle };
    Kind kind = Kind::Segment;
    int a = 0;  // segment, box: x1 y1 x2 y2; circle: x y r (d unused)
    int b = 0;
    int c = 0;
    int d = 0;
    bool operator==(const DrawnPrimitive&) const = default;
};

// What the program's recording back-ends leave for the runner to check. The runner owns it for
// the length of one file; the host hands it to the recording word processor and to the silent
// music player.
struct Recorders {
    QStringList word;        // one line per word-processor operation, strings quoted
    int pages = 1;           // what the word processor's "count pages" answers
    QStringList music;       // commands sent to the music player: open, play, pause, close
    QStringList musicFiles;  // each file the player opened, in order
};

// The program under test.
class Host {
  public:
    virtual ~Host() = default;
    virtual tk::Application& app() = 0;
    // The program's start-up; the runner calls it inside a dispatch.
    virtual void startup() = 0;
    // A file given on the program's command line: before start-up, or on the command line of a
    // later start while the program runs, which hands it over (the runner calls it inside a
    // dispatch then). By default the program takes none: ScriptFailure.
    virtual void setFileArgument(const QString& path);
    // The primitives of the drawing window's last drawing. Throws ScriptFailure when there is
    // none to read; by default, until the program has a drawing window, "unknown window disegno".
    virtual std::vector<DrawnPrimitive> lastDrawing();
};

// Builds the program for one file, wired to the runner's services and recorders.
using HostFactory =
    std::function<std::unique_ptr<Host>(const tk::Application::Services&, Recorders&)>;

struct Options {
    bool keep = false;    // leave the temporary folder in place
    bool office = false;  // the real office back-end: word expectations are skipped
    QString resources;    // copied into {program}; empty: nothing to copy
    // An installed tree's executable folder: the program's read-only files are looked up as the
    // program installed there looks them up, {program} is the installed data folder and nothing
    // is copied.
    QString installedBin;
};

struct Outcome {
    bool passed = false;
    QString failure;  // "FILE:LINE: ..." when it failed
    QString keptDir;  // the temporary folder, when kept
};

class Runner {
  public:
    Runner(HostFactory factory, Options options);

    Outcome runFile(const QString& path) const;
    // name is what the output lines start with.
    Outcome run(const QString& name, const QByteArray& text) const;

  private:
    HostFactory factory_;
    Options options_;
};

}  // namespace zelmor::script
