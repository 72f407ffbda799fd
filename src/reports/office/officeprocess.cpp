// The office process: its start on a pipe named after this run, the connection to it, the offices
// an earlier run left behind, its end and abort(). See officeprocess.h.

#include "officeprocess.h"

#include "unohelpers.h"

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/bridge/XBridgeFactory2.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/connection/XConnector.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/EventObject.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>

#include <QByteArrayList>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

#include <unistd.h>

#include <chrono>
#include <future>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#ifndef ZELMOR_OFFICE_PROGRAM_DIR
#define ZELMOR_OFFICE_PROGRAM_DIR "/usr/lib/libreoffice/program"
#endif

namespace zelmor::reports::office {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;
using Kind = WordError::Kind;

// How long a starting office may take to answer, and how long an office that has been asked to
// end may take to go away, before the program gives up on it.
constexpr auto kStartTimeout = std::chrono::seconds(90);
constexpr auto kForwardedStartTimeout = std::chrono::seconds(15);
constexpr auto kEndTimeout = std::chrono::seconds(10);
// How long an office left by an earlier run of the program may take to say what it holds.
constexpr auto kEarlierOfficeTimeout = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

// Set by the office when it ends (the user quit it, or it was told to): an office that still
// answers for a moment after that must not be used for a new report.
class TerminationWatch final : public cppu::WeakImplHelper1<css::frame::XTerminateListener> {
  public:
    explicit TerminationWatch(std::shared_ptr<std::atomic<bool>> ended)
        : ended_(std::move(ended)) {}
    void SAL_CALL queryTermination(const css::lang::EventObject&) override {}
    void SAL_CALL notifyTermination(const css::lang::EventObject&) override { *ended_ = true; }
    void SAL_CALL disposing(const css::lang::EventObject&) override { *ended_ = true; }

  private:
    std::shared_ptr<std::atomic<bool>> ended_;
};

// What abort() needs, from whatever thread it is called: the connection and the process group
// of the office being started or used.
struct AbortTarget {
    std::mutex mutex;
    Reference<css::lang::XComponent> bridge;
    pid_t group = 0;  // the started office's own process group; 0: none of ours
    std::atomic<bool> aborting{false};
};

AbortTarget& abortTarget() {
    static auto* target = new AbortTarget();
    return *target;
}

// What abort() is to cut and kill from now on.
void aimAbort(const Reference<css::lang::XComponent>& bridge, pid_t group) {
    const std::lock_guard lock(abortTarget().mutex);
    abortTarget().bridge = bridge;
    abortTarget().group = group;
}

// The process group of a process started in a session of its own (as QProcess::startDetached
// does): the office script, its launcher and the office itself. Never this program's own.
pid_t ownGroupOf(qint64 pid) {
    const pid_t group = ::getpgid(static_cast<pid_t>(pid));
    return group > 0 && group != ::getpgrp() ? group : 0;
}

// The office is shared by every word processor of the program. Never destroyed: releasing
// proxies while the program exits gains nothing.
std::shared_ptr<Office>& sharedOffice() {
    static auto* office = new std::shared_ptr<Office>();
    return *office;
}

// The office's program folder: the one UNO_PATH names, as the office's own scripts set it, else
// the installed office's.
QString programFolder() {
    return qEnvironmentVariableIsSet("UNO_PATH") ? qEnvironmentVariable("UNO_PATH")
                                                 : QStringLiteral(ZELMOR_OFFICE_PROGRAM_DIR);
}

// The local UNO runtime, set up once: type and service registries of the installed office.
Reference<css::uno::XComponentContext> localContext(const QString& programDir) {
    static auto* context = new Reference<css::uno::XComponentContext>();
    if (!context->is()) {
        rtl::Bootstrap::set("URE_BOOTSTRAP",
                            rtl::Bootstrap::encode(toOu(fileUrl(programDir + "/fundamentalrc"))));
        *context = cppu::defaultBootstrap_InitialComponentContext();
    }
    return *context;
}

// Whether a process is there and not merely waiting to be reaped.
bool processRunning(qint64 pid) {
    if (pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.readAll();
    const qsizetype name = line.lastIndexOf(')');
    return name < 0 || line.mid(name + 2, 1) != "Z";
}

// Waits, within kEndTimeout, until the process has gone.
void waitWhileRunning(qint64 pid) {
    QElapsedTimer clock;
    clock.start();
    while (processRunning(pid) && std::chrono::milliseconds(clock.elapsed()) < kEndTimeout)
        std::this_thread::sleep_for(kPollInterval);
}

QString pipeName() {
    return QStringLiteral("zelmor%1x%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->generate64(), 0, 36);
}

OUString pipeAddress(const QString& pipe) {
    return toOu(QStringLiteral("pipe,name=%1").arg(pipe));
}

// --- offices left by an earlier run of the program ----------------------------------------------

// What /proc tells of a process of this user: its group, its start (in clock ticks since boot),
// its arguments and environment.
struct ProcessInfo {
    pid_t pid = 0;
    pid_t group = 0;
    qulonglong started = 0;
    QByteArrayList arguments;
    QByteArrayList environment;
};

// Every process of the system, by its folder in /proc.
std::vector<pid_t> processIds() {
    std::vector<pid_t> ids;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const int pid = entry.toInt(&number);
        if (number && pid > 0) ids.push_back(static_cast<pid_t>(pid));
    }
    return ids;
}

std::optional<ProcessInfo> processInfo(pid_t pid, bool withText) {
    const QString folder = QStringLiteral("/proc/%1").arg(pid);
    if (QFileInfo(folder).ownerId() != ::getuid()) return std::nullopt;
    QFile stat(folder + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray line = stat.readAll();
    const qsizetype name = line.lastIndexOf(')');
    if (name < 0) return std::nullopt;
    // After the name: state, parent, group, ..., the start is the 20th field.
    const QList<QByteArray> fields = line.mid(name + 2).split(' ');
    if (fields.size() < 20 || fields[0] == "Z") return std::nullopt;
    ProcessInfo info;
    info.pid = pid;
    info.group = static_cast<pid_t>(fields[2].toInt());
    info.started = fields[19].toULongLong();
    if (withText) {
        QFile cmdline(folder + QStringLiteral("/cmdline"));
        QFile environ(folder + QStringLiteral("/environ"));
        if (!cmdline.open(QIODevice::ReadOnly) || !environ.open(QIODevice::ReadOnly))
            return std::nullopt;
        info.arguments = cmdline.readAll().split('\0');
        info.environment = environ.readAll().split('\0');
    }
    return info;
}

// The profile an office runs on: its own argument, else what its environment says; empty for
// the user's default one.
QByteArray profileOf(const QByteArrayList& arguments, const QByteArrayList& environment) {
    const QByteArray argument("-env:UserInstallation=");
    for (const QByteArray& a : arguments)
        if (a.startsWith(argument)) return a.mid(argument.size());
    const QByteArray variable("UserInstallation=");
    for (const QByteArray& v : environment)
        if (v.startsWith(variable)) return v.mid(variable.size());
    return {};
}

// The pipe an office of this program listens on is named after the program's process
// ("zelmor<pid>x..."): that names the run that started it.
constexpr char kAcceptPrefix[] = "--accept=pipe,name=zelmor";

struct EarlierOffice {
    pid_t pid = 0;    // soffice.bin
    pid_t group = 0;  // the office's own process group, started in a session of its own
    QString pipe;
};

// The pipe of an office that one of this program's runs started; empty for any other office.
QByteArray zelmorPipeOf(const QByteArrayList& arguments) {
    QByteArray accept;
    for (const QByteArray& a : arguments)
        if (a.startsWith(kAcceptPrefix)) accept = a;
    if (accept.isEmpty()) return {};
    const QByteArray name = accept.mid(static_cast<qsizetype>(qstrlen("--accept=pipe,name=")));
    return name.left(name.indexOf(';'));
}

// The pipe's name before that process's number.
constexpr qsizetype kOwnPrefix = 6;  // "zelmor"

// The offices of this user that a run of the program which has ended started on this profile.
// An office the user started has no such pipe; one of a program still running is its own.
std::vector<EarlierOffice> earlierOffices(const QByteArray& profile) {
    std::vector<EarlierOffice> found;
    for (const pid_t pid : processIds()) {
        if (pid == ::getpid()) continue;
        const std::optional<ProcessInfo> office = processInfo(pid, true);
        if (!office || office->arguments.isEmpty() ||
            !office->arguments.front().endsWith("soffice.bin"))
            continue;
        const QByteArray pipe = zelmorPipeOf(office->arguments);
        if (pipe.isEmpty() || profileOf(office->arguments, office->environment) != profile)
            continue;
        const pid_t creator =
            static_cast<pid_t>(pipe.mid(kOwnPrefix, pipe.indexOf('x') - kOwnPrefix).toInt());
        if (creator == ::getpid()) continue;
        // A creator still running that started before the office is the run it belongs to.
        const std::optional<ProcessInfo> run = processInfo(creator, false);
        if (run && run->started <= office->started) continue;
        if (office->group <= 1 || office->group == ::getpgrp()) continue;
        found.push_back({pid, office->group, QString::fromLatin1(pipe)});
    }
    return found;
}

// Whether an office of ours can show a window at all: without a windowing plug-in (the office
// installed without its user interface) it runs headless, and nobody sees its documents.
bool showsWindows(pid_t group) {
    if (group <= 1) return false;
    for (const pid_t pid : processIds()) {
        if (::getpgid(pid) != group) continue;
        QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
        if (maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/libvclplug_")) return true;
    }
    return false;
}

// Whether the user may be reading a document of this office: one shown in a window of an
// office that can show windows. Hidden documents, and every document of a headless office, are
// nobody's to read; their reports are saved.
bool documentSeen(const Office& office, long long& calls) {
    if (!showsWindows(office.group)) return false;
    ++calls;
    Reference<css::container::XEnumeration> each =
        office.desktop->getComponents()->createEnumeration();
    for (;;) {
        ++calls;
        if (!each->hasMoreElements()) return false;
        ++calls;
        Reference<css::frame::XModel> model(each->nextElement(), css::uno::UNO_QUERY);
        if (!model.is()) continue;
        ++calls;
        Reference<css::frame::XController> controller = model->getCurrentController();
        if (!controller.is() || !controller->getFrame().is()) continue;
        ++calls;
        Reference<css::awt::XWindow2> window(controller->getFrame()->getContainerWindow(),
                                             css::uno::UNO_QUERY);
        ++calls;
        if (window.is() && window->isVisible()) return true;
    }
}

// Whether the office holds any document, shown or not.
bool holdsDocuments(const Office& office, long long& calls) {
    calls += 3;
    return office.desktop->getComponents()->createEnumeration()->hasMoreElements();
}

// The office's side of a new connection: its desktop, watched for its end. `group` is the
// office's own process group when it is ours to end; an abortable connection is the one abort()
// cuts, from before the first call that goes through it.
std::shared_ptr<Office> attach(const Reference<css::uno::XComponentContext>& local,
                               const Reference<css::connection::XConnection>& connection,
                               qint64 pid, pid_t group, bool abortable, long long& calls) {
    // A bridge of its own rather than a URL resolver's: abort() can then cut it.
    Reference<css::bridge::XBridge> bridge =
        css::bridge::BridgeFactory::create(local)->createBridge("", "urp", connection, {});
    auto office = std::make_shared<Office>();
    office->bridge.set(bridge, UNO_QUERY_THROW);
    office->pid = pid;
    office->owned = group != 0;
    office->group = group;
    if (abortable) {
        const std::lock_guard lock(abortTarget().mutex);
        abortTarget().bridge = office->bridge;
    }
    calls += 2;  // the instance, its interface
    Reference<css::uno::XInterface> remote = bridge->getInstance("StarOffice.ComponentContext");
    office->context.set(remote, UNO_QUERY_THROW);
    calls += 3;  // the service manager, the new desktop, its interface
    office->desktop = css::frame::Desktop::create(office->context);
    ++calls;
    office->desktop->addTerminateListener(new TerminationWatch(office->ended));
    return office;
}

// What an office left by an earlier run says of itself: none when it does not answer.
struct EarlierAnswer {
    std::shared_ptr<Office> office;
    bool shown = false;  // it shows documents
};

// Asked from a thread of its own: an office that hangs is ended, which ends the question too.
EarlierAnswer askEarlier(const Reference<css::uno::XComponentContext>& local,
                         const EarlierOffice& earlier) {
    auto promise = std::make_shared<std::promise<EarlierAnswer>>();
    std::future<EarlierAnswer> asked = promise->get_future();
    std::thread([promise, local, earlier] {
        EarlierAnswer answer;
        try {
            long long calls = 0;
            Reference<css::connection::XConnection> connection =
                css::connection::Connector::create(local)->connect(pipeAddress(earlier.pipe));
            answer.office = attach(local, connection, earlier.pid, earlier.group,
                                   /*abortable=*/false, calls);
            answer.shown = documentSeen(*answer.office, calls);
        } catch (...) {
            answer.office.reset();
        }
        promise->set_value(answer);
    }).detach();
    if (asked.wait_for(kEarlierOfficeTimeout) != std::future_status::ready) return {};
    return asked.get();
}

// The fonts an office started here sees: the system's, and URW Gothic (the metric clone of ITC
// Avant Garde Gothic, the face Century Gothic was drawn after) for Century Gothic, the reports'
// face, which Linux systems lack and would otherwise draw in a wide humanist face. Only that
// name gets a substitute, and only after itself: a Century Gothic that is installed still
// wins, and no other font changes. Written into the user's cache when it is not there yet;
// empty (the office sees the system's fonts alone) when it cannot be.
QString fontConfiguration() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           QStringLiteral("/zelmor");
    QString path = folder + QStringLiteral("/fonts.conf");
    QString system = qEnvironmentVariable("FONTCONFIG_FILE");
    if (system.isEmpty() || QFileInfo(system) == QFileInfo(path))
        system = QStringLiteral("/etc/fonts/fonts.conf");
    if (!QFileInfo(system).isFile()) return {};
    const QByteArray content =
        QStringLiteral(
            "<?xml version=\"1.0\"?>\n"
            "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
            "<!-- Written by Zelmor for the office it starts; written again when missing. -->\n"
            "<fontconfig>\n"
            "  <include ignore_missing=\"no\">%1</include>\n"
            "  <alias binding=\"same\">\n"
            "    <family>Century Gothic</family>\n"
            "    <accept><family>URW Gothic</family></accept>\n"
            "  </alias>\n"
            "</fontconfig>\n")
            .arg(system.toHtmlEscaped())
            .toUtf8();
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) return path;
    QSaveFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(content) < 0 ||
        !file.commit())
        return {};
    return path;
}

// Starts the office program listening on `pipe`, in a session of its own, its output nowhere
// (it would write into this program's terminal). Its process id.
qint64 startProcess(const QString& soffice, const QString& pipe) {
    QProcess process;
    process.setProgram(soffice);
    process.setArguments({QStringLiteral("--nologo"), QStringLiteral("--nodefault"),
                          QStringLiteral("--norestore"), QStringLiteral("--nolockcheck"),
                          QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe)});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const QString fonts = fontConfiguration();
    if (!fonts.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("FONTCONFIG_FILE"), fonts);
        process.setProcessEnvironment(environment);
    }
    qint64 pid = 0;
    if (!process.startDetached(&pid)) throw WordFailure{Kind::NotStarted, process.errorString()};
    return pid;
}

// The connection to the office started as `pid`, once it answers on its pipe. An office already
// running on the same profile takes over the request and the process started here ends at
// once: the pipe is then asked for a while longer.
Reference<css::connection::XConnection> connectWhenAnswering(
    const Reference<css::uno::XComponentContext>& local, const QString& pipe, qint64 pid) {
    Reference<css::connection::XConnector> connector = css::connection::Connector::create(local);
    const OUString where = pipeAddress(pipe);
    QElapsedTimer clock;
    clock.start();
    std::optional<qint64> endedAt;  // when the started process ended
    for (;;) {
        if (abortTarget().aborting)
            throw WordFailure{Kind::NotStarted, QStringLiteral("The start was given up")};
        try {
            return connector->connect(where);
        } catch (const css::connection::NoConnectException&) {
            const auto elapsed = std::chrono::milliseconds(clock.elapsed());
            if (!endedAt && !processRunning(pid)) endedAt = clock.elapsed();
            if (endedAt &&
                std::chrono::milliseconds(clock.elapsed() - *endedAt) > kForwardedStartTimeout)
                throw WordFailure{Kind::NotStarted,
                                  QStringLiteral("The office ended without answering")};
            if (elapsed > kStartTimeout)
                throw WordFailure{
                    Kind::NotStarted,
                    QStringLiteral("The office did not answer within %1 s")
                        .arg(std::chrono::duration_cast<std::chrono::seconds>(kStartTimeout)
                                 .count())};
            std::this_thread::sleep_for(kPollInterval);
        }
    }
}

}  // namespace

std::atomic<int>& documentsBeingWritten() {
    static std::atomic<int> count{0};
    return count;
}

void OfficeConnection::start() {
    abortTarget().aborting = false;
    office_ = sharedOffice();
    if (office_ && (*office_->ended || !answers(*office_))) {
        waitUntilGone(*office_);
        drop();
    }
    reused_ = office_ != nullptr;
    if (!office_) connect();
}

bool OfficeConnection::sharedOfficeAnswers() {
    const std::shared_ptr<Office> office = sharedOffice();
    return office && !*office->ended && answers(*office);
}

void OfficeConnection::replace() {
    drop();
    connect();
}

bool OfficeConnection::stoppedAnswering() {
    return office_ && !answers(*office_);
}

// A disposed object: the office is gone, or only the document (closed by the user).
void OfficeConnection::dropIfGone() {
    if (office_ && (*office_->ended || !answers(*office_))) drop();
}

void OfficeConnection::endIfIdle() {
    const std::shared_ptr<Office> office = sharedOffice();
    if (!office || !office->owned || *office->ended) return;
    // Another back-end of the program may still be writing into a hidden document.
    if (documentsBeingWritten() > 0 ? holdsDocuments(*office, *calls_)
                                    : documentSeen(*office, *calls_))
        return;
    bool ended = false;
    try {
        ++*calls_;
        ended = office->desktop->terminate();
    } catch (const css::lang::DisposedException&) {
        ended = true;
    }
    // Only documents nobody sees can veto the end (a report cut short): nothing of the user's is
    // lost with them.
    if (!ended && office->group > 1) ::kill(-office->group, SIGKILL);
}

void OfficeConnection::shutdown() {
    office_ = sharedOffice();
    if (!office_) return;
    bool ended = false;
    try {
        ++*calls_;
        ended = office_->desktop->terminate();
    } catch (const css::lang::DisposedException&) {
        ended = true;  // already gone
    }
    if (!ended) throw WordFailure{Kind::Failed, QStringLiteral("The office refused to end")};
    waitUntilGone(*office_);
    drop();
}

// Starts an office with a pipe of its own and connects to it. cppu::bootstrap() does the same,
// but waits in steps of half a second, forever when the office never answers, and leaves the
// office writing into this program's terminal.
void OfficeConnection::connect() {
    try {
        launch();
    } catch (const WordFailure&) {
        throw;
    } catch (const cppu::BootstrapException& e) {
        throw WordFailure{Kind::NotStarted, toQt(e.getMessage())};
    } catch (const css::uno::Exception& e) {
        throw WordFailure{Kind::NotStarted, toQt(e.Message)};
    }
}

void OfficeConnection::launch() {
    const QString programDir = programFolder();
    const QString soffice = programDir + QStringLiteral("/soffice");
    // The office's libraries may be there without the office (the program's package needs only
    // them): without its program, the office is not installed.
    if (!QFileInfo(soffice).isExecutable())
        throw WordFailure{Kind::Missing, QStringLiteral("No office program at %1").arg(soffice)};
    const Reference<css::uno::XComponentContext> local = localContext(programDir);
    if (!local.is()) throw WordFailure{Kind::NotStarted, QStringLiteral("No local UNO runtime")};
    if (takeOverEarlierOffice(local)) return;

    const QString pipe = pipeName();
    const qint64 pid = startProcess(soffice, pipe);
    const pid_t group = ownGroupOf(pid);
    aimAbort({}, group);
    // An office started here that did not come to answer (given up, or failed) is not left
    // running: it holds no document yet.
    auto unanswered = qScopeGuard([] {
        pid_t started = 0;
        {
            const std::lock_guard lock(abortTarget().mutex);
            started = std::exchange(abortTarget().group, 0);
            abortTarget().bridge.clear();
        }
        if (started != 0) ::kill(-started, SIGKILL);
    });
    const Reference<css::connection::XConnection> connection =
        connectWhenAnswering(local, pipe, pid);
    const bool owned = group != 0 && processRunning(pid);
    std::shared_ptr<Office> office =
        attach(local, connection, pid, owned ? group : 0, /*abortable=*/true, *calls_);
    if (!owned) {
        const std::lock_guard lock(abortTarget().mutex);
        abortTarget().group = 0;  // the user's office: never killed
    }
    unanswered.dismiss();
    use(office, /*reused=*/false);
}

// An office that an earlier run of the program started on this profile and that outlived it (the
// run crashed, or was killed): the start of a new office would go to it, and it would pass for
// the user's own, never to be ended. One that does not answer, or that shows no document, is
// ended; one that shows documents (the user may still be reading its reports) is taken over as
// this program's own. True when one was taken over.
bool OfficeConnection::takeOverEarlierOffice(const Reference<css::uno::XComponentContext>& local) {
    for (const EarlierOffice& earlier : earlierOffices(qgetenv("UserInstallation"))) {
        const EarlierAnswer answer = askEarlier(local, earlier);
        *calls_ += 8;
        if (answer.office && answer.shown) {
            aimAbort(answer.office->bridge, earlier.group);
            use(answer.office, /*reused=*/true);
            return true;
        }
        if (answer.office) {
            try {
                ++*calls_;
                answer.office->desktop->terminate();
            } catch (const css::uno::Exception&) {
            }
            waitUntilGone(*answer.office);
        } else {
            ::kill(-earlier.group, SIGKILL);
            waitWhileRunning(earlier.pid);
        }
    }
    return false;
}

void OfficeConnection::use(std::shared_ptr<Office> office, bool reused) {
    sharedOffice() = office;
    office_ = std::move(office);
    reused_ = reused;
}

bool OfficeConnection::answers(const Office& office) {
    try {
        ++*calls_;
        office.desktop->getName();
        return true;
    } catch (const css::uno::Exception&) {
        return false;
    }
}

// An office told to end still answers for some moments, and its process goes on for a while
// after that; a new one on the same profile must not start before it is gone.
void OfficeConnection::waitUntilGone(const Office& office) {
    QElapsedTimer clock;
    clock.start();
    const auto waiting = [&] { return std::chrono::milliseconds(clock.elapsed()) < kEndTimeout; };
    while (waiting() && answers(office)) std::this_thread::sleep_for(kPollInterval);
    while (waiting() && processRunning(office.pid)) std::this_thread::sleep_for(kPollInterval);
    // Still there: it holds the profile, and a new office on it would hang waiting for it. One
    // of ours is ended; the user's own is left alone.
    if (office.owned && office.group != 0 && processRunning(office.pid)) {
        ::kill(-office.group, SIGKILL);
        waitWhileRunning(office.pid);
    }
}

void OfficeConnection::drop() {
    if (sharedOffice() == office_) sharedOffice().reset();
    office_.reset();
}

bool abortOffice() noexcept {
    AbortTarget& target = abortTarget();
    target.aborting = true;
    Reference<css::lang::XComponent> bridge;
    pid_t group = 0;
    {
        const std::lock_guard lock(target.mutex);
        bridge = target.bridge;
        group = std::exchange(target.group, 0);
    }
    // Killed first: a stopped office answers nothing, not even the end of the connection.
    const bool ended = group != 0 && ::kill(-group, SIGKILL) == 0;
    // Disposing the connection may itself wait on the call it cuts: never here.
    if (bridge.is()) {
        try {
            std::thread([bridge] {
                try {
                    bridge->dispose();
                } catch (const css::uno::Exception&) {
                }
            }).detach();
        } catch (const std::system_error&) {
            // No thread to be had: the office killed above ends the call all the same.
        }
    }
    return ended;
}

}  // namespace zelmor::reports::office
