// The LibreOffice Writer back-end, as the program sees it: a word processor loaded from a plugin
// at the first report, so that the program starts (and can say what is missing) on a machine
// without LibreOffice.
//
// The office is another process, which may hang (a full disk, a dialog nobody sees, a stopped
// process): every call to it runs on a thread of its own and has a time limit. Past the limit the
// office process the program started is ended, the call fails with WordError TimedOut, and the
// next report starts a new office.
//
// Threads (officeloader.cpp, officeplugin.h):
// - The calling thread (the program's main thread; a test's or benchmark's main()) makes every
//   call of this interface, creates and destroys the back-end, loads the plugin, and makes and
//   destroys its instances. It waits for each call; a call behind earlier work of the office
//   thread waits for that work within the work's own limit, then within its own.
// - The office thread, one per plugin instance, runs every call of that instance but abort(), one
//   at a time, in the order they were made; the work nobody waits for runs there too (the start
//   asked by prepare(), the PDF of exportPdf()). A failed PDF is told to the late-failure handler
//   by a call queued to QCoreApplication's thread (to nobody without one); a failed start is
//   left to the report, which starts again.
// - abort() runs on the calling thread when a call, or the work ahead of it, has passed its
//   limit, while that call may still be running on the office thread. The call then has 5 s to
//   come back; when it does not, its thread and its plugin instance are left to it, never called
//   nor destroyed again, and the next start() or prepare() makes a new instance.
// While a call waits (and during those 5 s), a calling thread that is QCoreApplication's runs
// its events every 15 ms, user input excepted (QEventLoop::ExcludeUserInputEvents); any other
// thread only waits.
// - Windows paint; timers, sockets and queued calls are served. A file handed over by a later
//   start waits (main.cpp's openHandedOver() tries again until the program is no longer busy);
//   a session's end (SIGTERM) ends the program once the report is over; the failure of an
//   earlier PDF is told at once, in a message box, whose own loop takes the user's input.
// - Keys, the mouse and a window's close from its title bar (user input to Qt as well) stay in
//   Qt's queue until the report is over and an event loop runs again; a close that reaches a
//   window while the program is busy (in such a message box's loop) is ignored by
//   FormWindow::closeEvent().
// The plugin may assume: the calls of one instance one at a time from its office thread (those
// of other back-ends' instances from their own threads, at the same moments), abort() aside,
// which may come at any moment, between calls too; SIGPIPE ignored before the plugin is loaded
// (ignoreBrokenPipes()). It must throw nothing across its boundary, leave the process's signal
// dispositions alone, and never wait for the office in abort().
#pragma once

#include "wordprocessor.h"

#include <QString>

#include <chrono>
#include <memory>

namespace zelmor::reports {

class OfficeWordProcessor : public WordProcessor {
  public:
    // Remote calls this back-end has made to the office so far.
    virtual long long bridgeCalls() const = 0;
    // Closes the current document without saving it (tests and benchmarks).
    virtual void closeDocument() = 0;
    // Ends the office the back-ends share and waits until it has gone (tests and benchmarks).
    virtual void shutdown() = 0;
    // Waits until what runs in the background (a start asked by prepare()) is done (tests and
    // benchmarks).
    virtual void settle() = 0;
};

// How long each kind of call to the office may take before the office is given up.
struct OfficeTimeLimits {
    using ms = std::chrono::milliseconds;
    ms answer{5000};   // asking an office of earlier reports whether it is still there
    ms start{100000};  // starting an office (the office itself gives up at 90 s)
    ms call{20000};    // typing, fonts, cells: what needs no layout
    ms layout{40000};  // a new document, tables' looks, pictures, page counts, justification
    ms save{30000};    // writing a file (.doc or PDF)
    ms end{15000};     // closing a document, ending the office
};

// The back-end behind a loader: the plugin is loaded at the first start(); when it cannot be,
// start() throws WordError Missing. hidden keeps every document hidden (tests). The plugin is
// pluginPath, else $ZELMOR_WRITER_PLUGIN, else officePluginPath() of the executable's folder.
std::unique_ptr<OfficeWordProcessor> makeOfficeWordProcessor(bool hidden,
                                                             const QString& pluginPath = {},
                                                             const OfficeTimeLimits& limits = {});

// A write into a pipe or socket whose reader has gone (an office that died or was killed, while
// the connection writes to it) fails with EPIPE instead of ending the process with SIGPIPE. A
// signal's disposition belongs to the whole process: the program chooses it in main(), before any
// thread; the loader chooses it again before it loads the plugin, for the processes that load
// it without the program's main() (the office tests, the benchmark, the tools), so that none of
// them can forget it. The plugin itself never touches it.
void ignoreBrokenPipes();

// The plugin of a program whose executable is in executableFolder: beside it (the build tree),
// else where the install puts it relative to it. The first of these that exists; the installed
// place when neither does, so that the message about it names where it should be.
QString officePluginPath(const QString& executableFolder);

}  // namespace zelmor::reports
