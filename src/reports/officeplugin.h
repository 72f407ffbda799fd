// What the office plugin offers its loader besides the word processor itself. The plugin is
// synchronous; the loader runs its calls on a thread of its own and watches their time.
#pragma once

#include "officewordprocessor.h"

namespace zelmor::reports {

class OfficePlugin : public OfficeWordProcessor {
  public:
    // Whether the office of the earlier reports is still there and answers: one call.
    virtual bool officeAnswers() = 0;
    // Called from another thread while a call of this back-end hangs: cuts the connection, so
    // that the call ends with an error, and kills the office process this program started
    // (never an office the user started). True when such a process was ended.
    virtual bool abort() = 0;
    // Ends the office when this program started it and it shows no document to the user: an
    // office started in the background for a report that never came, or one whose reports
    // nobody can see (hidden, or an office without a user interface), at the program's end.
    virtual void endIfIdle() = 0;
};

// The plugin's one entry point, "zelmor_create_writer".
using CreateOfficePlugin = OfficePlugin* (*)(bool hidden);

}  // namespace zelmor::reports
