// The office process behind the writer plugin: starting an office on a pipe of its own (or
// taking over one that an earlier run of the program left behind), the UNO connection to it, the
// question whether it still answers, its end (asked for, or killed), and abort() from another
// thread. The documents written in it are libreofficewriter.cpp's.
//
// Failures are thrown as WordFailure (officeplugin.h), and UNO's exceptions go on as they are:
// the plugin's edge, in libreofficewriter.cpp, turns every one into a value.
#pragma once

#include "reports/officeplugin.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QtGlobal>

#include <sys/types.h>

#include <atomic>
#include <memory>

namespace zelmor::reports::office {

// One running office and what is needed from it for every document.
struct Office {
    css::uno::Reference<css::lang::XComponent> bridge;  // the connection; disposing it cuts calls
    css::uno::Reference<css::uno::XComponentContext> context;
    css::uno::Reference<css::frame::XDesktop2> desktop;
    css::uno::Reference<css::graphic::XGraphicProvider> graphics;  // on the first picture
    std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);
    qint64 pid = 0;      // the process started for it (it has ended at once when another took over)
    bool owned = false;  // that process is the office: this program started it
    pid_t group = 0;     // its process group, when owned
};

// The back-ends of the program that are writing a document in the office they share: an office
// with such a document is not ended under them, hidden or not.
std::atomic<int>& documentsBeingWritten();

// The office one back-end uses. It is the one every back-end of the program shares, as one Word
// application served every report; the remote calls made for it are counted into `calls`.
class OfficeConnection {
  public:
    explicit OfficeConnection(long long& calls) : calls_(&calls) {}

    // The office for a new report: the shared one while it answers, else a new one (an office
    // that has been told to end, or stopped answering, is first waited for until it has gone).
    void start();
    // Whether the shared office is there, has not been told to end, and answers.
    bool sharedOfficeAnswers();
    // A new office in place of the one used so far, which was ending or died.
    void replace();
    // The office in use, when there is one that has stopped answering.
    bool stoppedAnswering();
    // The office in use is given up when it has been told to end or does not answer.
    void dropIfGone();
    // endIfIdle() and shutdown() of the plugin (officeplugin.h, officewordprocessor.h).
    void endIfIdle();
    void shutdown();

    // The office in use; none before start(), or once it has been given up.
    const std::shared_ptr<Office>& office() const { return office_; }
    // It was running before this report: it may have been ending, or died, just after it last
    // answered.
    bool reused() const { return reused_; }

  private:
    void connect();
    void launch();
    bool takeOverEarlierOffice(const css::uno::Reference<css::uno::XComponentContext>& local);
    void use(std::shared_ptr<Office> office, bool reused);
    bool answers(const Office& office);
    void waitUntilGone(const Office& office);
    void drop();

    long long* calls_;
    std::shared_ptr<Office> office_;
    bool reused_ = false;  // the office was running before this report
};

// abort() of the plugin (officeplugin.h), from any thread.
bool abortOffice() noexcept;

}  // namespace zelmor::reports::office
