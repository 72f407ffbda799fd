#include "officeplugin.h"
#include "officewordprocessor.h"

#include "geometry/bmp.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>

#include <csignal>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <iostream>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>

namespace zelmor::reports {

namespace {

using Clock = std::chrono::steady_clock;

// How often a waiting call lets the windows paint.
constexpr auto kPaintSlice = std::chrono::milliseconds(15);
// How long a call may take to end once its office has been cut off.
constexpr auto kAbortGrace = std::chrono::seconds(5);

// A call posted to the office thread, and its time limit, which counts from when the call
// begins: a call queued behind others waits for them within their own limits.
struct Ticket {
    Ticket(OfficeTimeLimits::ms limit, const char* what) : limit(limit), what(what) {}
    const OfficeTimeLimits::ms limit;
    const char* const what;
    std::atomic<bool> begun{false};
    std::atomic<Clock::rep> beganAt{0};
    Clock::time_point deadline() const {
        return Clock::time_point(Clock::duration(beganAt.load())) + limit;
    }
};

// One thread that runs the calls to the office in the order they are posted. A thread whose
// call never came back is abandoned: it keeps what it holds, and a new thread takes over.
class OfficeThread {
  public:
    OfficeThread() : state_(std::make_shared<State>()) {
        thread_ = std::thread([state = state_] { run(*state); });
    }
    // A call still hanging in the office's library is not waited for past a few seconds: the
    // thread is then left to it.
    ~OfficeThread() {
        if (!thread_.joinable()) return;
        post({}, nullptr);  // the end
        if (state_->ended.get_future().wait_for(kAbortGrace) == std::future_status::ready) {
            thread_.join();
        } else {
            thread_.detach();
        }
    }
    OfficeThread(const OfficeThread&) = delete;
    OfficeThread& operator=(const OfficeThread&) = delete;

    void post(std::function<void()> job, std::shared_ptr<Ticket> ticket) {
        {
            const std::lock_guard lock(state_->mutex);
            state_->jobs.push_back({std::move(job), std::move(ticket)});
        }
        state_->wake.notify_one();
    }
    // The call running now, if any.
    std::shared_ptr<Ticket> running() const {
        const std::lock_guard lock(state_->mutex);
        return state_->running;
    }
    // The calls not begun are dropped: the office they were for has been given up.
    void dropQueued() {
        std::deque<Job> dropped;
        {
            const std::lock_guard lock(state_->mutex);
            for (Job& job : state_->jobs)
                if (!job.work) dropped.push_back(std::move(job));  // the end stays
            std::swap(dropped, state_->jobs);
        }
    }
    // Lets the thread finish its call, and what is queued after it, on its own.
    void abandon() {
        post({}, nullptr);
        thread_.detach();
    }

  private:
    struct Job {
        std::function<void()> work;  // none: the end
        std::shared_ptr<Ticket> ticket;
    };
    struct State {
        mutable std::mutex mutex;
        std::condition_variable wake;
        std::deque<Job> jobs;
        std::shared_ptr<Ticket> running;
        std::promise<void> ended;  // set when the thread has run its last job
    };
    static void run(State& state) {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(state.mutex);
                state.wake.wait(lock, [&] { return !state.jobs.empty(); });
                job = std::move(state.jobs.front());
                state.jobs.pop_front();
                if (job.ticket) {
                    job.ticket->beganAt = Clock::now().time_since_epoch().count();
                    job.ticket->begun = true;
                }
                state.running = job.ticket;
            }
            if (!job.work) {
                state.ended.set_value();
                return;
            }
            job.work();
            const std::lock_guard lock(state.mutex);
            state.running.reset();
        }
    }

    std::shared_ptr<State> state_;
    std::thread thread_;
};

// Lets the windows paint while the office works; what the user types or clicks waits.
void paintWhileWaiting() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr && QThread::currentThread() == app->thread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// What the office said of a failure that the user is told in other words: one line on the
// terminal, for whoever looks into it.
void tellTerminal(QString detail) {
    detail.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::cerr << "zelmor: LibreOffice Writer: " << detail.toLocal8Bit().constData() << '\n';
}

// A failure the plugin gave back, as the program's error. Thrown on the office thread, within the
// program's own code: the waiting call rethrows it.
void throwIfFailed(const Outcome& outcome) {
    if (outcome) throw WordError(outcome->kind, outcome->message);
}

// A failure of work that ended after its call returned, told on the program's main thread (the
// handler there may have been taken away meanwhile).
void tellLate(const std::shared_ptr<std::function<void(const WordError&)>>& handler,
              const WordError& error) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    QMetaObject::invokeMethod(
        app,
        [handler, error] {
            if (*handler) (*handler)(error);
        },
        Qt::QueuedConnection);
}

// Forwards every operation to the back-end in the plugin, which it loads at the first start(),
// on the office thread and within the time limit of its kind.
class LoadingWordProcessor final : public OfficeWordProcessor {
  public:
    LoadingWordProcessor(bool hidden, QString path, const OfficeTimeLimits& limits)
        : hidden_(hidden), path_(std::move(path)), limits_(limits) {}

    // An office started for a report that never came, or holding reports that nobody sees, is
    // not left behind without a window, even one given up earlier and still starting; the
    // program's end waits for it a few seconds at most (a start under way is then given up:
    // nothing of the user's is in it yet).
    ~LoadingWordProcessor() override {
        if (create_ == nullptr) return;
        try {
            if (!plugin_) load();
            call(
                limits_.answer, "end if idle",
                [p = plugin_.get()] { throwIfFailed(p->endIfIdle()); },
                Clock::now() + limits_.answer);
        } catch (const WordError&) {
        }
    }

    void start() override {
        load();
        // An office of earlier reports that has stopped answering is given up quickly: a new
        // one may then take its time to start.
        if (mayHaveOffice_) fetch<bool>(limits_.answer, "answer", &OfficePlugin::officeAnswers);
        forward(limits_.start, "start", &OfficePlugin::start);
        mayHaveOffice_ = true;
    }
    // Each time a report comes near: an office closed since the last report (by the user, or
    // ended here) is started again ahead of the report.
    void prepare() override {
        try {
            load();
        } catch (const WordError&) {
            return;  // no office here: the report will say so
        }
        mayHaveOffice_ = true;
        // One start ahead at a time: a report asked meanwhile waits for it within the start's
        // limit, then counts its own.
        if (preparing_ && !preparing_->done) return;
        auto preparing = std::make_shared<Preparing>();
        preparing_ = preparing;
        thread_->post(
            [p = plugin_.get(), preparing] {
                bool answers = false;
                if (!p->officeAnswers(answers)) preparing->answered = answers;
            },
            std::make_shared<Ticket>(limits_.answer, "answer"));
        thread_->post(
            [p = plugin_.get(), preparing] {
                // A start that fails here is the report's to tell: it tries again.
                if (!preparing->answered) (void)p->start();
                preparing->done = true;
            },
            std::make_shared<Ticket>(limits_.start, "start"));
    }
    void show() override { forward(limits_.call, "show", &OfficePlugin::show); }
    void addDocument() override {
        forward(limits_.layout, "add document", &OfficePlugin::addDocument);
    }
    void fontName(const QString& name) override {
        forward(limits_.call, "font name", &OfficePlugin::fontName, name);
    }
    void fontSize(int points) override {
        forward(limits_.call, "font size", &OfficePlugin::fontSize, points);
    }
    void type(const QString& text) override {
        forward(limits_.call, "type", &OfficePlugin::type, text);
    }
    void appendParagraph() override {
        forward(limits_.call, "append paragraph", &OfficePlugin::appendParagraph);
    }
    void paragraphText(const QString& text) override {
        forward(limits_.call, "paragraph text", &OfficePlugin::paragraphText, text);
    }
    void paragraphFontSize(int points) override {
        forward(limits_.call, "paragraph font size", &OfficePlugin::paragraphFontSize, points);
    }
    void addTable(int rows, int columns) override {
        forward(limits_.call, "add table", &OfficePlugin::addTable, rows, columns);
    }
    void tableFontSize(int points) override {
        forward(limits_.call, "table font size", &OfficePlugin::tableFontSize, points);
    }
    void cell(int row, int column, const QString& text) override {
        forward(limits_.call, "cell", &OfficePlugin::cell, row, column, text);
    }
    void autoformat(int format) override {
        forward(limits_.layout, "autoformat", &OfficePlugin::autoformat, format);
    }
    // The picture's vector twin, when it belongs to this very picture, is laid out in its
    // place: the same drawing at the same size on the page, sharp at any zoom and in print.
    void addPicture(const QString& path, const PictureWords& words) override {
        const QString twin = geometry::currentVectorTwin(path);
        forward(limits_.layout, "add picture", &OfficePlugin::addPicture,
                twin.isEmpty() ? path : twin, words);
    }
    int countPages() override {
        return fetch<int>(limits_.layout, "count pages", &OfficePlugin::countPages);
    }
    void justifyAll() override {
        forward(limits_.layout, "justify all", &OfficePlugin::justifyAll);
    }
    QString save(const QString& path) override {
        return fetch<QString>(limits_.save, "save", &OfficePlugin::save, path);
    }
    void describe(const QString& title, const QString& author) override {
        forward(limits_.call, "describe", &OfficePlugin::describe, title, author);
    }
    // The office lays out every page as the text comes: the pages now are the finished ones.
    std::optional<int> finishedPages() override {
        return fetch<int>(limits_.layout, "finished pages", &OfficePlugin::countPages);
    }
    void typeset(const Typesetting& how) override {
        forward(limits_.layout, "typeset", &OfficePlugin::typeset, how);
    }
    void replaceLast(const QString& from, const QString& to) override {
        forward(limits_.call, "replace", &OfficePlugin::replaceLast, from, to);
    }
    // A whole report takes the office a tenth of a second or more to export: the report returns
    // without waiting, the next call waits for it (within its limit), and a failure goes to the
    // late-failure handler.
    void exportPdf(const QString& path) override {
        requirePlugin();
        thread_->post(
            [p = plugin_.get(), path, late = lateFailure_] {
                const Outcome failure = p->exportPdf(path);
                if (!failure) return;
                tellTerminal(QStringLiteral("PDF: ") + failure->message);
                // The user needs the file that could not be written.
                const bool notWritten = failure->kind == WordError::Kind::ExportFailed;
                tellLate(late, WordError(failure->kind, notWritten ? path : failure->message));
            },
            std::make_shared<Ticket>(limits_.save, "export"));
    }
    // Failures of work asked before go to the handler of that time, or nowhere once it has
    // been replaced: never to a later program's windows.
    void setLateFailureHandler(std::function<void(const WordError&)> handler) override {
        *lateFailure_ = nullptr;
        lateFailure_ = std::make_shared<std::function<void(const WordError&)>>(std::move(handler));
    }
    long long bridgeCalls() const override { return calls_; }
    void settle() override {
        if (plugin_) call(limits_.start, "settle", [] {});
    }
    void closeDocument() override {
        if (plugin_) forward(limits_.end, "close document", &OfficePlugin::closeDocument);
    }
    void shutdown() override {
        load();  // the office may have been started by another back-end
        forward(limits_.end, "shutdown", &OfficePlugin::shutdown);
        mayHaveOffice_ = false;
    }

  private:
    void requirePlugin() const {
        if (!plugin_)
            throw WordError(WordError::Kind::NotStarted,
                            QStringLiteral("The word processor has not been started"));
    }

    // A plugin that cannot be loaded (not built, or the office's libraries are not installed)
    // leaves the program as it was; the next start() tries again.
    void load() {
        if (plugin_) return;
        if (create_ == nullptr) {
            ignoreBrokenPipes();
            // The plugin stays loaded for the life of the program (QLibrary does not unload on
            // destruction): the office connection it keeps must outlive every back-end.
            QLibrary library(path_);
            if (!library.load()) throw WordError(WordError::Kind::Missing, library.errorString());
            create_ = reinterpret_cast<CreateOfficePlugin>(library.resolve("zelmor_create_writer"));
            if (create_ == nullptr)
                throw WordError(WordError::Kind::Missing, library.errorString());
        }
        plugin_.reset(create_(hidden_));
        if (!plugin_)
            throw WordError(
                WordError::Kind::Missing,
                QStringLiteral("%1: the word processor could not be created").arg(path_));
        thread_ = std::make_unique<OfficeThread>();
    }

    // One operation of the plugin, its arguments copied: a call that never comes back must not
    // hold on to anything of its caller's. A failure it gives back is thrown as a WordError.
    template <typename Operation, typename... Args>
    void forward(OfficeTimeLimits::ms limit, const char* what, Operation operation, Args... args) {
        requirePlugin();
        call(limit, what, [p = plugin_.get(), operation, args...] {
            throwIfFailed(std::invoke(operation, p, args...));
        });
    }
    // The same for an operation that gives a value through its last parameter.
    template <typename R, typename Operation, typename... Args>
    R fetch(OfficeTimeLimits::ms limit, const char* what, Operation operation, Args... args) {
        requirePlugin();
        return call(limit, what, [p = plugin_.get(), operation, args...] {
            R value{};
            throwIfFailed(std::invoke(operation, p, args..., value));
            return value;
        });
    }

    // A call waits for those queued before it within their own limits, then within its own;
    // `cap`, when given, bounds the whole wait.
    template <typename F>
    auto call(OfficeTimeLimits::ms limit, const char* what, F job,
              Clock::time_point cap = Clock::time_point::max()) -> decltype(job()) {
        using R = decltype(job());
        OfficePlugin* plugin = plugin_.get();
        auto task = std::make_shared<std::packaged_task<std::pair<R*, long long>()>>(
            [job = std::move(job), plugin]() mutable {
                // The result travels on the heap, so that a void call needs no case of its own.
                if constexpr (std::is_void_v<R>) {
                    job();
                    return std::pair<R*, long long>(nullptr, plugin->bridgeCalls());
                } else {
                    R* result = new R(job());  // before the count it changes
                    return std::pair<R*, long long>(result, plugin->bridgeCalls());
                }
            });
        std::future<std::pair<R*, long long>> done = task->get_future();
        auto ticket = std::make_shared<Ticket>(limit, what);
        thread_->post([task] { (*task)(); }, ticket);
        waitFor(done, *ticket, cap);
        const std::pair<R*, long long> result = done.get();  // rethrows a failure's WordError
        calls_ = result.second;
        if constexpr (!std::is_void_v<R>) {
            const std::unique_ptr<R> value(result.first);
            return std::move(*value);
        }
    }

    template <typename T>
    void waitFor(std::future<T>& done, const Ticket& ticket, Clock::time_point cap) {
        while (done.wait_for(kPaintSlice) != std::future_status::ready) {
            paintWhileWaiting();
            const Clock::time_point now = Clock::now();
            if (now >= cap) giveUp(ticket.limit, ticket.what);
            if (ticket.begun) {
                if (now >= ticket.deadline()) giveUp(ticket.limit, ticket.what);
                continue;
            }
            // Not begun yet: the call ahead (a start asked by prepare(), a PDF being written)
            // is given up only past its own limit.
            const std::shared_ptr<Ticket> ahead = thread_->running();
            if (ahead && ahead->begun && now >= ahead->deadline())
                giveUp(ahead->limit, ahead->what);
        }
    }

    // The office has not answered in time: it is cut off (and ended, when it is ours), which
    // makes the waiting call fail; the report then fails with a message that says so.
    [[noreturn]] void giveUp(OfficeTimeLimits::ms limit, const char* what) {
        // Nothing queued for this office runs any more: no new start behind the one given up.
        thread_->dropQueued();
        preparing_.reset();
        const bool ended = plugin_->abort();
        // The call that hung (this one, or one ahead of it) is given a moment to end.
        const Clock::time_point grace = Clock::now() + kAbortGrace;
        while (thread_->running() && Clock::now() < grace) {
            std::this_thread::sleep_for(kPaintSlice);
            paintWhileWaiting();
        }
        if (thread_->running()) {
            // Still inside the office's library: that thread and back-end are left to it.
            thread_.release()->abandon();
            (void)plugin_.release();
        }
        mayHaveOffice_ = false;
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit).count();
        throw WordError(ended ? WordError::Kind::TimedOut : WordError::Kind::TimedOutLeft,
                        QStringLiteral("%1: no answer within %2 s")
                            .arg(QString::fromLatin1(what))
                            .arg(seconds));
    }

    bool hidden_;
    QString path_;
    OfficeTimeLimits limits_;
    CreateOfficePlugin create_ = nullptr;
    std::unique_ptr<OfficePlugin> plugin_;
    std::unique_ptr<OfficeThread> thread_;  // after the plugin: ends first, then the plugin
    bool mayHaveOffice_ = false;            // a start was asked since the office was last given up
    // The start asked by the last prepare(), run on the office thread.
    struct Preparing {
        std::atomic<bool> answered{false};  // the office of earlier reports answered
        std::atomic<bool> done{false};
    };
    std::shared_ptr<Preparing> preparing_;
    // Shared with the work in the background, which may end after this back-end.
    std::shared_ptr<std::function<void(const WordError&)>> lateFailure_ =
        std::make_shared<std::function<void(const WordError&)>>();
    long long calls_ = 0;
};

}  // namespace

std::unique_ptr<OfficeWordProcessor> makeOfficeWordProcessor(bool hidden, const QString& pluginPath,
                                                             const OfficeTimeLimits& limits) {
    QString path = pluginPath;
    if (path.isEmpty()) path = qEnvironmentVariable("ZELMOR_WRITER_PLUGIN");
    if (path.isEmpty()) path = officePluginPath(QCoreApplication::applicationDirPath());
    return std::make_unique<LoadingWordProcessor>(hidden, path, limits);
}

void ignoreBrokenPipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

QString officePluginPath(const QString& executableFolder) {
    const QString name = QStringLiteral("libzelmor_writer.so");
    const QDir folder(executableFolder);
    QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    return QDir::cleanPath(
        folder.filePath(QStringLiteral(ZELMOR_PLUGIN_FROM_BINDIR) + QLatin1Char('/') + name));
}

}  // namespace zelmor::reports
