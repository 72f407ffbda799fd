// The LibreOffice Writer back-end, as the program sees it: a word processor loaded from a plugin
// at the first report, so that the program starts (and can say what is missing) on a machine
// without LibreOffice.
#pragma once

#include "wordprocessor.h"

#include <QString>

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
};

// The back-end behind a loader: the plugin is loaded at the first start(); when it cannot be,
// start() throws WordError Missing. hidden keeps every document hidden (tests). The plugin is
// pluginPath, else $ZELMOR_WRITER_PLUGIN, else officePluginPath() of the executable's folder.
std::unique_ptr<OfficeWordProcessor> makeOfficeWordProcessor(bool hidden,
                                                             const QString& pluginPath = {});

// The plugin of a program whose executable is in executableFolder: beside it (the build tree),
// else where the install puts it relative to it. The first of these that exists; the installed
// place when neither does, so that the message about it names where it should be.
QString officePluginPath(const QString& executableFolder);

}  // namespace zelmor::reports
