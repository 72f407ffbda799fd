#include "scriptrunner.h"

#include "toolkit/testing/fakes.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>
#include <utility>

namespace zelmor::script {

using tk::Control;
using tk::ControlKind;
using tk::Form;
using tk::testing::MissingAnswer;

void Host::setFileArgument(const QString& /*path*/) {
    throw ScriptFailure(QStringLiteral("this program takes no file argument"));
}

std::vector<DrawnPrimitive> Host::lastDrawing() {
    if (!app().isRegistered(QStringLiteral("disegno"))) {
        throw ScriptFailure(QStringLiteral("unknown window disegno"));
    }
    throw ScriptFailure(QStringLiteral("the drawing window does not report its drawings yet"));
}

namespace {

// The folders of the installed tree's read-only files, as the program installed there finds
// them: the data folder first, then the executable's.
QStringList installedFolders(const Options& options) {
    return tk::installedDataFolders(options.installedBin, QCoreApplication::organizationName(),
                                    QCoreApplication::applicationName());
}

[[noreturn]] void fail(const QString& message) {
    throw ScriptFailure(message);
}

QString text(const QByteArray& utf8) {
    return QString::fromUtf8(utf8);
}
QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
QString rgb(const tk::Color& c) {
    return QStringLiteral("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b);
}

QString kindName(ControlKind k) {
    switch (k) {
        case ControlKind::Label:
            return QStringLiteral("a label");
        case ControlKind::TextBox:
            return QStringLiteral("a text box");
        case ControlKind::ComboBox:
            return QStringLiteral("a combo box");
        case ControlKind::CheckBox:
            return QStringLiteral("a check box");
        case ControlKind::OptionButton:
            return QStringLiteral("an option button");
        case ControlKind::Frame:
            return QStringLiteral("a frame");
        case ControlKind::VScrollBar:
            return QStringLiteral("a scroll bar");
        case ControlKind::CommandButton:
            return QStringLiteral("a command button");
        case ControlKind::Image:
            return QStringLiteral("a picture");
        case ControlKind::Shape:
            return QStringLiteral("a shape");
        case ControlKind::Line:
            return QStringLiteral("a line");
        case ControlKind::MenuItem:
            return QStringLiteral("a menu item");
        case ControlKind::ToolbarButton:
            return QStringLiteral("a toolbar button");
    }
    return QStringLiteral("a control");
}

QString iconName(tk::MessageIcon icon) {
    switch (icon) {
        case tk::MessageIcon::None:
            return QStringLiteral("none");
        case tk::MessageIcon::Critical:
            return QStringLiteral("critical");
        case tk::MessageIcon::Exclamation:
            return QStringLiteral("exclamation");
        case tk::MessageIcon::Information:
            return QStringLiteral("information");
        case tk::MessageIcon::Question:
            return QStringLiteral("question");
    }
    return QStringLiteral("none");
}

QString describe(const tk::Message& m) {
    return QStringLiteral("%1 %2 %3").arg(iconName(m.icon), quoteText(m.title), quoteText(m.text));
}

QString primitiveName(DrawnPrimitive::Kind k) {
    switch (k) {
        case DrawnPrimitive::Kind::Segment:
            return QStringLiteral("segment");
        case DrawnPrimitive::Kind::Box:
            return QStringLiteral("box");
        case DrawnPrimitive::Kind::Circle:
            return QStringLiteral("circle");
    }
    return {};
}

QString describe(const DrawnPrimitive& p) {
    QString s = QStringLiteral("%1 %2 %3 %4").arg(primitiveName(p.kind)).arg(p.a).arg(p.b).arg(p.c);
    if (p.kind != DrawnPrimitive::Kind::Circle) s += QStringLiteral(" %1").arg(p.d);
    return s;
}

// The fakes throw MissingAnswer when a dialog has no answer queued. The program could swallow
// that exception, so the runner also notes it here and fails the command regardless.
class NotingMessageBox : public tk::testing::RecordingMessageBox {
  public:
    explicit NotingMessageBox(QString& missing) : missing_(&missing) {}
    tk::MessageResult show(const tk::Message& message) override {
        try {
            return RecordingMessageBox::show(message);
        } catch (const MissingAnswer& e) {
            if (missing_->isEmpty()) *missing_ = QString::fromStdString(e.what());
            throw;
        }
    }

  private:
    QString* missing_;
};

class NotingFileDialog : public tk::testing::QueuedFileDialog {
  public:
    explicit NotingFileDialog(QString& missing) : missing_(&missing) {}
    std::optional<QString> run(const tk::FileDialogRequest& request) override {
        try {
            return QueuedFileDialog::run(request);
        } catch (const MissingAnswer& e) {
            if (missing_->isEmpty()) *missing_ = QString::fromStdString(e.what());
            throw;
        }
    }

  private:
    QString* missing_;
};

class NotingColorDialog : public tk::testing::QueuedColorDialog {
  public:
    explicit NotingColorDialog(QString& missing) : missing_(&missing) {}
    std::optional<tk::Color> run(tk::Color initial) override {
        try {
            return QueuedColorDialog::run(initial);
        } catch (const MissingAnswer& e) {
            if (missing_->isEmpty()) *missing_ = QString::fromStdString(e.what());
            throw;
        }
    }

  private:
    QString* missing_;
};

// The program's current folder is the scenario's folder while it runs.
class CurrentFolder {
  public:
    explicit CurrentFolder(const QString& dir) : saved_(QDir::currentPath()) {
        QDir::setCurrent(dir);
    }
    ~CurrentFolder() { QDir::setCurrent(saved_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    QString saved_;
};

// Copies every file under from into to, keeping sub-folders.
bool copyTree(const QString& from, const QString& to) {
    if (from.isEmpty() || !QFileInfo(from).isDir()) return true;
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) return false;
        if (!QFile::copy(file, target)) return false;
    }
    return true;
}

// Word processor log lines compare by their tokens, so that "\x41" and "A" are the same line.
bool sameLogLine(const std::vector<Token>& expected, const QString& recorded) {
    try {
        return tokenize(recorded.toUtf8()) == expected;
    } catch (const SyntaxError&) {
        return false;
    }
}

class Session {
  public:
    Session(const HostFactory& factory, const Options& options, const Placeholders& places)
        : factory_(factory),
          options_(options),
          places_(places),
          messages_(missing_),
          files_(missing_),
          colors_(missing_) {
        platform_.data = places.dir;  // the picture goes to {picture}
        platform_.documents = QFileInfo(places.reports).absolutePath();
        if (options.installedBin.isEmpty()) {
            platform_.folder = places.program;
        } else {
            platform_.installed = installedFolders(options);
        }
    }

    ~Session() {
        // The program goes before the services it points at.
        host_.reset();
    }

    void execute(const Command& cmd);
    // Fails when the last command showed a dialog that had no answer, even if the program
    // swallowed the exception.
    void checkMissingAnswer() const {
        if (!missing_.isEmpty()) fail(missing_);
    }
    const QString& missingAnswer() const { return missing_; }
    void finish() const;

  private:
    Host& host() {
        if (!host_) {
            const tk::Application::Services services{&messages_, &files_, &colors_, &platform_,
                                                     &clipboard_};
            host_ = factory_(services, recorders_);
            if (!host_) fail(QStringLiteral("the program could not be built"));
        }
        return *host_;
    }
    tk::Application& app() { return host().app(); }

    QByteArray bytes(const QByteArray& raw) const { return substitute(raw, places_); }
    QString str(const QByteArray& raw) const { return text(substitute(raw, places_)); }

    void dispatch(const std::function<void()>& action) { app().dispatch(action); }

    Form& window(const QString& name);
    Control& control(const Ref& ref);
    static QString whyUnreachable(const Form& f);
    static QString whyUnreachable(const Control& c);
    Form& reachableWindow(const Command& cmd, const QString& verb);
    Control& reachableControl(const Command& cmd, const QString& verb);
    static void requireKind(const Control& c, const Ref& ref, const QString& verb,
                            std::initializer_list<ControlKind> kinds);

    void setUp(const Command& cmd);
    void act(const Command& cmd);
    void answer(const Command& cmd);
    void expectProperty(const Command& cmd);
    QString controlProperty(const Control& c, const Ref& ref, const QString& prop) const;
    QString windowProperty(const Form& f, const QString& prop) const;
    void expectMessage(const Command& cmd);
    void expectDialog(const Command& cmd) const;
    void expectWindow(const Command& cmd);
    void expectFile(const Command& cmd) const;
    void expectPicture(const Command& cmd) const;
    void expectClipboard(const Command& cmd) const;
    void expectDrawn(const Command& cmd);
    void expectWord(const Command& cmd);
    void expectMusic(const Command& cmd) const;

    const HostFactory& factory_;
    const Options& options_;
    Placeholders places_;
    QString missing_;
    NotingMessageBox messages_;
    NotingFileDialog files_;
    NotingColorDialog colors_;
    tk::testing::FakePlatform platform_;
    tk::testing::RecordingClipboard clipboard_;
    Recorders recorders_;
    qsizetype wordMark_ = 0;  // the word log lines before it are consumed
    bool started_ = false;
    std::optional<QString> argument_;  // for the next start or restart

    void giveArgument(Host& h) {
        if (argument_) h.setFileArgument(*std::exchange(argument_, std::nullopt));
    }
    std::unique_ptr<Host> host_;
};

Form& Session::window(const QString& name) {
    tk::Application& a = app();
    if (!a.isRegistered(name)) fail(QStringLiteral("unknown window %1").arg(name));
    Form* f = a.form(name);
    if (f == nullptr) fail(QStringLiteral("window %1 is not loaded").arg(name));
    return *f;
}

Control& Session::control(const Ref& ref) {
    Form& f = window(ref.window);
    Control* c = f.find(ref.control, ref.index);
    if (c == nullptr) fail(QStringLiteral("unknown control %1").arg(ref.display()));
    return *c;
}

QString Session::whyUnreachable(const Form& f) {
    if (!f.visible()) return QStringLiteral("window %1 is not visible").arg(f.name());
    if (f.windowState() == tk::WindowState::Minimized) {
        return QStringLiteral("window %1 is minimized").arg(f.name());
    }
    return {};
}

QString Session::whyUnreachable(const Control& c) {
    QString why = whyUnreachable(c.form());
    if (!why.isEmpty()) return why;
    for (const Control* p = &c; p != nullptr; p = p->container()) {
        const QString who = p == &c ? QStringLiteral("it")
                                    : QStringLiteral("its container %1").arg(p->displayName());
        if (!p->visible()) return who + QStringLiteral(" is not visible");
        if (!p->enabled()) return who + QStringLiteral(" is disabled");
    }
    if (c.kind() == ControlKind::MenuItem) {
        if (c.separator()) return QStringLiteral("it is a separator");
        // A menu item is reached through the menus above it.
        QString parent = c.parentMenu();
        for (int depth = 0; !parent.isEmpty() && depth < 16; ++depth) {
            const Control* m = c.form().find(parent);
            if (m == nullptr) break;
            // A popup menu is never seen until the program opens it where the user asks.
            if (!m->visible() && !c.form().isPopupMenu(*m))
                return QStringLiteral("its menu %1 is not visible").arg(parent);
            if (!m->enabled()) return QStringLiteral("its menu %1 is disabled").arg(parent);
            parent = m->parentMenu();
        }
    }
    if (!c.reachable()) return QStringLiteral("it cannot be reached");
    return {};
}

Form& Session::reachableWindow(const Command& cmd, const QString& verb) {
    Form& f = window(cmd.ref.window);
    const QString why = whyUnreachable(f);
    if (!why.isEmpty()) fail(QStringLiteral("cannot %1 %2: %3").arg(verb, cmd.ref.display(), why));
    return f;
}

Control& Session::reachableControl(const Command& cmd, const QString& verb) {
    Control& c = control(cmd.ref);
    const QString why = whyUnreachable(c);
    if (!why.isEmpty()) fail(QStringLiteral("cannot %1 %2: %3").arg(verb, cmd.ref.display(), why));
    return c;
}

void Session::requireKind(const Control& c, const Ref& ref, const QString& verb,
                          std::initializer_list<ControlKind> kinds) {
    if (std::find(kinds.begin(), kinds.end(), c.kind()) == kinds.end()) {
        fail(QStringLiteral("cannot %1 %2: it is %3").arg(verb, ref.display(), kindName(c.kind())));
    }
}

void Session::execute(const Command& cmd) {
    switch (cmd.op) {
        case Op::Screen:
        case Op::Today:
        case Op::Setting:
        case Op::Write:
        case Op::Remove:
        case Op::Pages:
        case Op::Argument:
        case Op::Start:
        case Op::Restart:
            setUp(cmd);
            return;
        case Op::Click:
        case Op::Type:
        case Op::Set:
        case Op::Choose:
        case Op::Scroll:
        case Op::Key:
        case Op::Mouse:
        case Op::Resize:
        case Op::Minimize:
        case Op::Restore:
        case Op::Close:
        case Op::HandOver:
            act(cmd);
            return;
        case Op::AnswerFile:
        case Op::AnswerColour:
        case Op::AnswerQuestion:
            answer(cmd);
            return;
        case Op::ExpectProperty:
            expectProperty(cmd);
            return;
        case Op::ExpectMessage:
        case Op::ExpectNoMessage:
            expectMessage(cmd);
            return;
        case Op::ExpectDialog:
            expectDialog(cmd);
            return;
        case Op::ExpectWindow:
            expectWindow(cmd);
            return;
        case Op::ExpectFile:
        case Op::ExpectFileAbsent:
        case Op::ExpectFileBegins:
        case Op::ExpectFileHolds:
            expectFile(cmd);
            return;
        case Op::ExpectPictureSize:
        case Op::ExpectPicturePixel:
            expectPicture(cmd);
            return;
        case Op::ExpectClipboardPicture:
        case Op::ExpectClipboardEmpty:
            expectClipboard(cmd);
            return;
        case Op::ExpectDrawnCount:
        case Op::ExpectDrawn:
            expectDrawn(cmd);
            return;
        case Op::ExpectWord:
        case Op::ExpectWordTyped:
        case Op::ExpectWordHas:
            expectWord(cmd);
            return;
        case Op::ExpectMusic:
        case Op::ExpectMusicFile:
            expectMusic(cmd);
            return;
        case Op::ExpectProgramEnded: {
            tk::Application& a = app();
            if (a.ended() || !a.anyLoaded()) return;
            QStringList names;
            for (const Form* f : a.loadedForms()) names << f->name();
            fail(QStringLiteral("expected program ended, got windows still loaded: %1")
                     .arg(names.join(QStringLiteral(", "))));
        }
    }
}

void Session::setUp(const Command& cmd) {
    switch (cmd.op) {
        case Op::Screen:
            platform_.screenW = cmd.numbers[0];
            platform_.screenH = cmd.numbers[1];
            return;
        case Op::Today:
            platform_.date = cmd.date;
            return;
        case Op::Setting:
            platform_.settings[cmd.word] = str(cmd.strings[0]);
            return;
        case Op::Write: {
            const QString path = str(cmd.strings[0]);
            const QByteArray content = bytes(cmd.strings[1]);
            const QFileInfo info(path);
            if (!QDir().mkpath(info.absolutePath())) {
                fail(QStringLiteral("cannot create the folder of %1").arg(quoteText(path)));
            }
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(content) != content.size() || !file.flush()) {
                fail(
                    QStringLiteral("cannot write %1: %2").arg(quoteText(path), file.errorString()));
            }
            return;
        }
        case Op::Remove: {
            const QString path = str(cmd.strings[0]);
            const QFileInfo info(path);
            if (!info.exists() && !info.isSymLink()) {
                fail(QStringLiteral("cannot remove %1: there is no such file or folder")
                         .arg(quoteText(path)));
            }
            if (info.isDir() && !info.isSymLink()) {
                if (!QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                        QDir::NoDotAndDotDot)) {
                    fail(QStringLiteral("cannot remove %1: the folder is not empty")
                             .arg(quoteText(path)));
                }
                if (!QDir().rmdir(path))
                    fail(QStringLiteral("cannot remove the folder %1").arg(quoteText(path)));
            } else if (!QFile::remove(path)) {
                fail(QStringLiteral("cannot remove %1").arg(quoteText(path)));
            }
            return;
        }
        case Op::Pages:
            recorders_.pages = cmd.numbers[0];
            return;
        case Op::Argument:
            if (started_ && !app().ended())
                fail(QStringLiteral("the file argument must come before start or restart"));
            argument_ = str(cmd.strings[0]);
            return;
        case Op::Start:
            if (started_) fail(QStringLiteral("the program has already started"));
            started_ = true;
            {
                Host& h = host();
                giveArgument(h);
                dispatch([&h] { h.startup(); });
            }
            return;
        case Op::Restart: {
            // A new run of the program in the same folder, with the same settings and date:
            // what a user sees who starts it again after leaving it.
            if (!started_) fail(QStringLiteral("the program has not started yet"));
            if (!app().ended()) fail(QStringLiteral("the program is still running"));
            host_.reset();
            recorders_.music.clear();
            recorders_.musicFiles.clear();
            Host& h = host();
            giveArgument(h);
            dispatch([&h] { h.startup(); });
            return;
        }
        default:
            return;
    }
}

void Session::act(const Command& cmd) {
    const Ref& ref = cmd.ref;
    switch (cmd.op) {
        case Op::Click:
            if (ref.isWindow()) {
                Form& f = reachableWindow(cmd, QStringLiteral("click"));
                dispatch([&f] { f.click(); });
            } else {
                Control& c = control(ref);
                requireKind(c, ref, QStringLiteral("click"),
                            {ControlKind::CommandButton, ControlKind::OptionButton,
                             ControlKind::CheckBox, ControlKind::MenuItem,
                             ControlKind::ToolbarButton, ControlKind::Label, ControlKind::Image});
                reachableControl(cmd, QStringLiteral("click"));
                dispatch([&c] { c.click(); });
            }
            return;
        case Op::Type: {
            requireKind(control(ref), ref, QStringLiteral("type into"),
                        {ControlKind::TextBox, ControlKind::ComboBox});
            const QString typed = str(cmd.strings[0]);
            // One keystroke per character; the handlers of one may disable the box or close
            // its window before the next, so the box is looked up and checked every time.
            int done = 0;
            for (qsizetype i = 0; i < typed.size(); ++done) {
                const qsizetype n = typed[i].isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
                const QString ch = typed.mid(i, n);
                i += n;
                Control& c = [&]() -> Control& {
                    try {
                        return reachableControl(cmd, QStringLiteral("type into"));
                    } catch (const ScriptFailure& e) {
                        if (done == 0) throw;
                        fail(QStringLiteral("%1 (after typing %2 of %3 characters)")
                                 .arg(e.message())
                                 .arg(done)
                                 .arg(typed.size()));
                    }
                }();
                dispatch([&c, &ch] { c.setText(c.text() + ch); });
            }
            if (typed.isEmpty()) reachableControl(cmd, QStringLiteral("type into"));
            return;
        }
        case Op::Set: {
            Control& c = control(ref);
            requireKind(c, ref, QStringLiteral("set"),
                        {ControlKind::TextBox, ControlKind::ComboBox});
            reachableControl(cmd, QStringLiteral("set"));
            const QString value = str(cmd.strings[0]);
            dispatch([&c, &value] { c.setText(value); });
            return;
        }
        case Op::Choose: {
            Control& c = control(ref);
            requireKind(c, ref, QStringLiteral("choose in"), {ControlKind::ComboBox});
            reachableControl(cmd, QStringLiteral("choose in"));
            const QString item = str(cmd.strings[0]);
            if (!c.items().contains(item)) {
                QStringList items;
                for (const QString& i : c.items()) items << quoteText(i);
                fail(QStringLiteral("cannot choose %1 in %2: its items are %3")
                         .arg(quoteText(item), ref.display(),
                              items.isEmpty() ? QStringLiteral("none")
                                              : items.join(QStringLiteral(", "))));
            }
            dispatch([&c, &item] { c.choose(item); });
            return;
        }
        case Op::Scroll: {
            Control& c = control(ref);
            requireKind(c, ref, QStringLiteral("scroll"), {ControlKind::VScrollBar});
            reachableControl(cmd, QStringLiteral("scroll"));
            const int lo = std::min(c.minimum(), c.maximum());
            const int hi = std::max(c.minimum(), c.maximum());
            const int v = cmd.numbers[0];
            if (v < lo || v > hi) {
                fail(QStringLiteral("cannot scroll %1 to %2: its range is %3 to %4")
                         .arg(ref.display())
                         .arg(v)
                         .arg(c.minimum())
                         .arg(c.maximum()));
            }
            dispatch([&c, v] { c.setValue(v); });
            return;
        }
        case Op::Key: {
            Form& f = reachableWindow(cmd, QStringLiteral("press a key in"));
            const QChar k = str(cmd.strings[0]).at(0);
            dispatch([&f, k] { f.key(k); });
            return;
        }
        case Op::Mouse: {
            const tk::MouseAction a = cmd.word == QLatin1String("down") ? tk::MouseAction::Down
                                      : cmd.word == QLatin1String("up") ? tk::MouseAction::Up
                                                                        : tk::MouseAction::Move;
            if (ref.isWindow()) {
                Form& f = reachableWindow(cmd, QStringLiteral("use the mouse on"));
                dispatch([&f, a] { f.mouse(a); });
            } else {
                Control& c = reachableControl(cmd, QStringLiteral("use the mouse on"));
                dispatch([&c, a] { c.mouse(a); });
            }
            return;
        }
        case Op::Resize: {
            Form& f = reachableWindow(cmd, QStringLiteral("resize"));
            const int w = cmd.numbers[0];
            const int h = cmd.numbers[1];
            dispatch([&f, w, h] { f.setScaleSize(w, h); });
            return;
        }
        case Op::Minimize:
        case Op::Restore: {
            Form& f = window(ref.window);
            if (!f.visible()) {
                fail(QStringLiteral("cannot %1 %2: window %2 is not visible")
                         .arg(cmd.op == Op::Minimize ? QStringLiteral("minimize")
                                                     : QStringLiteral("restore"),
                              ref.window));
            }
            const auto s =
                cmd.op == Op::Minimize ? tk::WindowState::Minimized : tk::WindowState::Normal;
            dispatch([&f, s] { f.setWindowState(s); });
            return;
        }
        case Op::Close: {
            Form& f = window(ref.window);
            if (!f.visible())
                fail(QStringLiteral("cannot close %1: window %1 is not visible").arg(ref.window));
            if (!f.hasTitleBar()) {
                fail(QStringLiteral("cannot close %1: window %1 has no title bar").arg(ref.window));
            }
            tk::Application& a = app();
            const QString name = ref.window;
            dispatch([&a, &name] { a.close(name); });
            return;
        }
        case Op::HandOver: {
            // A later `zelmor FILE` while this one runs: the running copy is handed the file.
            if (!started_ || app().ended())
                fail(QStringLiteral("no running program to hand the file over to"));
            Host& h = host();
            const QString path = str(cmd.strings[0]);
            dispatch([&h, &path] { h.setFileArgument(path); });
            return;
        }
        default:
            return;
    }
}

void Session::answer(const Command& cmd) {
    switch (cmd.op) {
        case Op::AnswerFile:
            if (cmd.cancel) {
                files_.answers.emplace_back(std::nullopt);
            } else {
                files_.answers.emplace_back(str(cmd.strings[0]));
            }
            return;
        case Op::AnswerColour:
            if (cmd.cancel) {
                colors_.answers.emplace_back(std::nullopt);
            } else {
                colors_.answers.emplace_back(
                    tk::Color{cmd.numbers[0], cmd.numbers[1], cmd.numbers[2]});
            }
            return;
        case Op::AnswerQuestion:
            messages_.answers.push_back(cmd.cancel ? tk::MessageResult::No
                                                   : tk::MessageResult::Yes);
            return;
        default:
            return;
    }
}

QString Session::controlProperty(const Control& c, const Ref& ref, const QString& prop) const {
    const auto notFor = [&]() -> QString {
        fail(QStringLiteral("%1 is %2: it has no %3").arg(ref.display(), kindName(c.kind()), prop));
    };
    const bool isLine = c.kind() == ControlKind::Line;
    if (prop == QLatin1String("text")) return c.text();
    if (prop == QLatin1String("enabled")) return flag(c.enabled());
    if (prop == QLatin1String("visible")) return flag(c.visible());
    if (prop == QLatin1String("checked")) {
        switch (c.kind()) {
            case ControlKind::CheckBox:
            case ControlKind::OptionButton:
            case ControlKind::MenuItem:
            case ControlKind::ToolbarButton:
                return QString::number(c.value());
            default:
                return notFor();
        }
    }
    if (prop == QLatin1String("value")) return QString::number(c.value());
    if (prop == QLatin1String("bold")) return flag(c.font().bold);
    if (prop == QLatin1String("tooltip")) return c.toolTip();
    // A label's single-line border: 1 when drawn, 0 when not.
    if (prop == QLatin1String("border")) {
        if (c.kind() != ControlKind::Label) return notFor();
        return flag(c.bordered());
    }
    if (prop == QLatin1String("left") || prop == QLatin1String("top") ||
        prop == QLatin1String("width") || prop == QLatin1String("height")) {
        if (!c.hasGeometry() || isLine) return notFor();
        const int v = prop == QLatin1String("left")    ? c.left()
                      : prop == QLatin1String("top")   ? c.top()
                      : prop == QLatin1String("width") ? c.width()
                                                       : c.height();
        return QString::number(v);
    }
    if (prop == QLatin1String("x1") || prop == QLatin1String("y1") || prop == QLatin1String("x2") ||
        prop == QLatin1String("y2")) {
        if (!isLine) return notFor();
        const int v = prop == QLatin1String("x1")   ? c.x1()
                      : prop == QLatin1String("y1") ? c.y1()
                      : prop == QLatin1String("x2") ? c.x2()
                                                    : c.y2();
        return QString::number(v);
    }
    if (prop == QLatin1String("backcolor")) {
        // A control without a colour of its own shows its container's, and at the top the
        // window's background.
        for (const Control* p = &c; p != nullptr; p = p->container()) {
            if (p->backColor()) return rgb(*p->backColor());
        }
        return rgb(c.form().backColor());
    }
    if (prop == QLatin1String("borderwidth")) {
        if (c.kind() != ControlKind::Shape && !isLine) return notFor();
        return QString::number(c.borderWidth());
    }
    return notFor();
}

QString Session::windowProperty(const Form& f, const QString& prop) const {
    if (prop == QLatin1String("caption")) return f.caption();
    if (prop == QLatin1String("backcolor")) return rgb(f.backColor());
    if (prop == QLatin1String("left")) return QString::number(f.left());
    if (prop == QLatin1String("top")) return QString::number(f.top());
    if (prop == QLatin1String("width")) return QString::number(f.width());
    if (prop == QLatin1String("height")) return QString::number(f.height());
    if (prop == QLatin1String("visible")) return flag(f.visible());
    fail(QStringLiteral("a window has no %1").arg(prop));
}

void Session::expectProperty(const Command& cmd) {
    const QString expected = str(cmd.strings[0]);
    const QString got = cmd.ref.isWindow() ? windowProperty(window(cmd.ref.window), cmd.word)
                                           : controlProperty(control(cmd.ref), cmd.ref, cmd.word);
    if (got != expected) {
        fail(QStringLiteral("expected %1 %2 %3, got %4")
                 .arg(cmd.ref.display(), cmd.word, quoteText(expected), quoteText(got)));
    }
}

void Session::expectMessage(const Command& cmd) {
    const std::size_t unchecked = messages_.shown.size() - messages_.checked;
    if (cmd.op == Op::ExpectNoMessage) {
        if (unchecked == 0) return;
        QString got =
            QStringLiteral("message %1").arg(describe(messages_.shown[messages_.checked]));
        if (unchecked > 1) got += QStringLiteral(" and %1 more").arg(unchecked - 1);
        fail(QStringLiteral("expected no message, got %1").arg(got));
    }
    const QString title = str(cmd.strings[0]);
    const QString body = str(cmd.strings[1]);
    const QString wanted =
        QStringLiteral("message %1 %2 %3").arg(cmd.word, quoteText(title), quoteText(body));
    if (unchecked == 0) fail(QStringLiteral("expected %1, got no message").arg(wanted));
    const tk::Message& m = messages_.shown[messages_.checked];
    if (iconName(m.icon) != cmd.word || m.title != title || m.text != body) {
        fail(QStringLiteral("expected %1, got message %2").arg(wanted, describe(m)));
    }
    ++messages_.checked;
}

void Session::expectDialog(const Command& cmd) const {
    const QString title = str(cmd.strings[0]);
    const QString filter = str(cmd.strings[1]);
    const QString fileName = str(cmd.strings[2]);
    const int index = cmd.numbers[0];
    const auto show = [](const QString& t, const QString& f, int i, const QString& n) {
        return QStringLiteral("dialog %1 %2 %3 %4")
            .arg(quoteText(t), quoteText(f))
            .arg(i)
            .arg(quoteText(n));
    };
    const QString wanted = show(title, filter, index, fileName);
    if (files_.shown.empty()) fail(QStringLiteral("expected %1, got no file dialog").arg(wanted));
    const tk::FileDialogRequest& r = files_.shown.back();
    if (r.title != title || r.filter != filter || r.filterIndex != index ||
        r.fileName != fileName) {
        fail(QStringLiteral("expected %1, got %2")
                 .arg(wanted, show(r.title, r.filter, r.filterIndex, r.fileName)));
    }
}

void Session::expectWindow(const Command& cmd) {
    tk::Application& a = app();
    const QString& name = cmd.ref.window;
    if (!a.isRegistered(name)) fail(QStringLiteral("unknown window %1").arg(name));
    const Form* f = a.form(name);
    const QString got = f == nullptr   ? QStringLiteral("unloaded")
                        : f->visible() ? QStringLiteral("visible")
                                       : QStringLiteral("hidden");
    // "loaded" holds for a visible or a hidden window alike.
    const bool holds = cmd.word == got || (cmd.word == QLatin1String("loaded") && f != nullptr);
    if (!holds) fail(QStringLiteral("expected window %1 %2, got %3").arg(name, cmd.word, got));
}

void Session::expectFile(const Command& cmd) const {
    const QString path = str(cmd.strings[0]);
    const QString shownPath = quoteText(text(cmd.strings[0]));
    const QFileInfo info(path);
    if (cmd.op == Op::ExpectFileAbsent) {
        if (!info.exists() && !info.isSymLink()) return;
        fail(QStringLiteral("expected file %1 absent, got %2")
                 .arg(shownPath, info.isDir()
                                     ? QStringLiteral("a folder")
                                     : QStringLiteral("a file of %1 bytes").arg(info.size())));
    }
    const bool begins = cmd.op == Op::ExpectFileBegins;
    const bool holds = cmd.op == Op::ExpectFileHolds;
    const QByteArray expected = bytes(cmd.strings[1]);
    const QString wanted = QStringLiteral("file %1 %2%3")
                               .arg(shownPath,
                                    begins  ? QStringLiteral("begins ")
                                    : holds ? QStringLiteral("holds ")
                                            : QString(),
                                    quoteBytes(expected));
    if (!info.exists()) fail(QStringLiteral("expected %1, got no such file").arg(wanted));
    if (info.isDir()) fail(QStringLiteral("expected %1, got a folder").arg(wanted));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("expected %1, got an unreadable file: %2")
                 .arg(wanted, file.errorString()));
    }
    if (holds) {
        if (file.readAll().contains(expected)) return;
        fail(QStringLiteral("expected %1, got a file of %2 bytes without them")
                 .arg(wanted)
                 .arg(info.size()));
    }
    // A file's first bytes: as many as expected, and a few more to show what follows.
    const QByteArray got = begins ? file.read(expected.size() + 8) : file.readAll();
    if (begins ? got.startsWith(expected) : got == expected) return;
    qsizetype at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
    fail(QStringLiteral("expected %1, got %2%3 (first difference at byte %4)")
             .arg(wanted, quoteBytes(got),
                  begins && !file.atEnd() ? QStringLiteral("...") : QString())
             .arg(at));
}

void Session::expectPicture(const Command& cmd) const {
    const QString path = str(cmd.strings[0]);
    const QString shownPath = quoteText(text(cmd.strings[0]));
    const QString wanted = cmd.op == Op::ExpectPictureSize
                               ? QStringLiteral("picture %1 size %2 %3")
                                     .arg(shownPath)
                                     .arg(cmd.numbers[0])
                                     .arg(cmd.numbers[1])
                               : QStringLiteral("picture %1 pixel %2 %3 %4 %5 %6")
                                     .arg(shownPath)
                                     .arg(cmd.numbers[0])
                                     .arg(cmd.numbers[1])
                                     .arg(cmd.numbers[2])
                                     .arg(cmd.numbers[3])
                                     .arg(cmd.numbers[4]);
    QFile file(path);
    if (!QFileInfo(path).isFile())
        fail(QStringLiteral("expected %1, got no such file").arg(wanted));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("expected %1, got an unreadable file: %2")
                 .arg(wanted, file.errorString()));
    }
    const QByteArray data = file.readAll();
    // The name may say .jpg; what counts is that the bytes are a Windows bitmap.
    if (!data.startsWith("BM"))
        fail(QStringLiteral("expected %1, got a file that is not a BMP").arg(wanted));
    QImage image;
    if (!image.loadFromData(data, "BMP"))
        fail(QStringLiteral("expected %1, got an unreadable BMP").arg(wanted));
    if (cmd.op == Op::ExpectPictureSize) {
        if (image.width() != cmd.numbers[0] || image.height() != cmd.numbers[1]) {
            fail(QStringLiteral("expected %1, got size %2 %3")
                     .arg(wanted)
                     .arg(image.width())
                     .arg(image.height()));
        }
        return;
    }
    const int x = cmd.numbers[0];
    const int y = cmd.numbers[1];
    if (x >= image.width() || y >= image.height()) {
        fail(QStringLiteral("expected %1, got a picture of %2 x %3 pixels")
                 .arg(wanted)
                 .arg(image.width())
                 .arg(image.height()));
    }
    const QColor c = image.pixelColor(x, y);
    if (c.red() != cmd.numbers[2] || c.green() != cmd.numbers[3] || c.blue() != cmd.numbers[4]) {
        fail(QStringLiteral("expected %1, got %2 %3 %4")
                 .arg(wanted)
                 .arg(c.red())
                 .arg(c.green())
                 .arg(c.blue()));
    }
}

void Session::expectClipboard(const Command& cmd) const {
    const int copies = clipboard_.copies;
    if (cmd.op == Op::ExpectClipboardEmpty) {
        if (copies == 0) return;
        fail(QStringLiteral("expected clipboard empty, got %1 picture(s) copied").arg(copies));
    }
    const QString wanted =
        QStringLiteral("clipboard picture %1 %2").arg(cmd.numbers[0]).arg(cmd.numbers[1]);
    if (copies == 0) fail(QStringLiteral("expected %1, got nothing copied").arg(wanted));
    const tk::ClipboardPicture& p = clipboard_.last;
    if (p.image.width() != cmd.numbers[0] || p.image.height() != cmd.numbers[1]) {
        fail(QStringLiteral("expected %1, got a plain picture of %2 x %3 pixels")
                 .arg(wanted)
                 .arg(p.image.width())
                 .arg(p.image.height()));
    }
    if (p.svg.isEmpty()) fail(QStringLiteral("expected %1, got no SVG").arg(wanted));
    if (QImage().loadFromData(p.png, "PNG")) return;
    fail(QStringLiteral("expected %1, got %2")
             .arg(wanted, p.png.isEmpty() ? QStringLiteral("no PNG")
                                          : QStringLiteral("an unreadable PNG")));
}

void Session::expectDrawn(const Command& cmd) {
    const DrawnPrimitive::Kind kind =
        cmd.word == QLatin1String("segment") ? DrawnPrimitive::Kind::Segment
        : cmd.word == QLatin1String("box")   ? DrawnPrimitive::Kind::Box
                                             : DrawnPrimitive::Kind::Circle;
    const std::vector<DrawnPrimitive> drawn = host().lastDrawing();
    std::vector<DrawnPrimitive> same;
    std::copy_if(drawn.begin(), drawn.end(), std::back_inserter(same),
                 [kind](const DrawnPrimitive& p) { return p.kind == kind; });
    if (cmd.op == Op::ExpectDrawnCount) {
        if (static_cast<int>(same.size()) != cmd.numbers[0]) {
            fail(QStringLiteral("expected drawn %1 %2, got %3")
                     .arg(cmd.word)
                     .arg(cmd.numbers[0])
                     .arg(same.size()));
        }
        return;
    }
    DrawnPrimitive wanted{kind, cmd.numbers[0], cmd.numbers[1], cmd.numbers[2],
                          kind == DrawnPrimitive::Kind::Circle ? 0 : cmd.numbers[3]};
    const auto matches = [&wanted](const DrawnPrimitive& p) {
        return p.kind == wanted.kind && p.a == wanted.a && p.b == wanted.b && p.c == wanted.c &&
               (p.kind == DrawnPrimitive::Kind::Circle || p.d == wanted.d);
    };
    if (std::any_of(same.begin(), same.end(), matches)) return;
    QStringList got;
    for (const DrawnPrimitive& p : same) {
        if (got.size() == 8) {
            got << QStringLiteral("...");
            break;
        }
        got << describe(p);
    }
    fail(QStringLiteral("expected drawn %1, got %2")
             .arg(describe(wanted), got.isEmpty() ? QStringLiteral("no %1").arg(cmd.word)
                                                  : got.join(QStringLiteral("; "))));
}

void Session::expectWord(const Command& cmd) {
    // With the real office back-end there is no log to read.
    if (options_.office) return;
    const QStringList recent = recorders_.word.mid(wordMark_);
    switch (cmd.op) {
        case Op::ExpectWord: {
            for (std::size_t i = 0; i < cmd.block.size(); ++i) {
                const auto& line = cmd.block[i];
                std::vector<Token> wanted = line.tokens;
                for (Token& t : wanted) {
                    if (t.kind == Token::Kind::String) t.bytes = bytes(t.bytes);
                }
                const QString shownWanted = text(substitute(line.text, places_));
                if (static_cast<qsizetype>(i) >= recent.size()) {
                    fail(QStringLiteral("expected word operation %1 to be '%2' (line %3), got no "
                                        "more operations")
                             .arg(i + 1)
                             .arg(shownWanted)
                             .arg(line.line));
                }
                const QString& got = recent[static_cast<qsizetype>(i)];
                if (!sameLogLine(wanted, got)) {
                    fail(QStringLiteral("expected word operation %1 to be '%2' (line %3), got '%4'")
                             .arg(i + 1)
                             .arg(shownWanted)
                             .arg(line.line)
                             .arg(got));
                }
            }
            if (static_cast<qsizetype>(cmd.block.size()) < recent.size()) {
                fail(QStringLiteral("expected %1 word operations, got %2 more, the first '%3'")
                         .arg(cmd.block.size())
                         .arg(recent.size() - cmd.block.size())
                         .arg(recent[static_cast<qsizetype>(cmd.block.size())]));
            }
            wordMark_ = recorders_.word.size();
            return;
        }
        case Op::ExpectWordTyped: {
            QByteArray typed;
            for (const QString& l : recent) {
                try {
                    const std::vector<Token> t = tokenize(l.toUtf8());
                    if (t.size() == 2 && t[0].kind == Token::Kind::Word && t[0].bytes == "type" &&
                        t[1].kind == Token::Kind::String) {
                        typed += t[1].bytes;
                    }
                } catch (const SyntaxError&) {
                    // Not a type line.
                }
            }
            const QByteArray wanted = bytes(cmd.strings[0]);
            if (typed != wanted) {
                fail(QStringLiteral("expected word typed %1, got %2")
                         .arg(quoteText(text(wanted)), quoteText(text(typed))));
            }
            return;
        }
        case Op::ExpectWordHas: {
            const QByteArray wantedLine = bytes(cmd.strings[0]);
            std::vector<Token> wanted;
            try {
                wanted = tokenize(wantedLine);
            } catch (const SyntaxError& e) {
                fail(QStringLiteral("the expected word line is malformed: %1").arg(e.message()));
            }
            for (const QString& l : recent) {
                if (sameLogLine(wanted, l)) return;
            }
            fail(QStringLiteral("expected word has '%1', got no such line among %2 operations")
                     .arg(text(wantedLine))
                     .arg(recent.size()));
        }
        default:
            return;
    }
}

void Session::expectMusic(const Command& cmd) const {
    const QString wanted = str(cmd.strings[0]);
    if (cmd.op == Op::ExpectMusic) {
        static const QRegularExpression kBlanks(QStringLiteral("\\s+"));
        const QStringList expected = wanted.split(kBlanks, Qt::SkipEmptyParts);
        if (expected != recorders_.music) {
            fail(QStringLiteral("expected music %1, got %2")
                     .arg(quoteText(expected.join(QLatin1Char(' '))),
                          quoteText(recorders_.music.join(QLatin1Char(' ')))));
        }
        return;
    }
    if (recorders_.musicFiles.isEmpty()) {
        fail(QStringLiteral("expected music file %1, got no file opened").arg(quoteText(wanted)));
    }
    const QString& opened = recorders_.musicFiles.last();
    // The name alone is enough; a full path must match in full.
    if (opened != wanted && QFileInfo(opened).fileName() != wanted) {
        fail(QStringLiteral("expected music file %1, got %2")
                 .arg(quoteText(wanted), quoteText(opened)));
    }
}

void Session::finish() const {
    const std::size_t unchecked = messages_.shown.size() - messages_.checked;
    if (unchecked > 0) {
        QString got =
            QStringLiteral("message %1").arg(describe(messages_.shown[messages_.checked]));
        if (unchecked > 1) got += QStringLiteral(" and %1 more").arg(unchecked - 1);
        fail(
            QStringLiteral("expected every message checked at the end, got %1 unchecked").arg(got));
    }
    QStringList unused;
    for (const auto& a : files_.answers) {
        unused << QStringLiteral("file %1").arg(a ? quoteText(*a) : QStringLiteral("cancel"));
    }
    for (const auto& a : colors_.answers) {
        unused << QStringLiteral("colour %1")
                      .arg(a ? QStringLiteral("%1 %2 %3").arg(a->r).arg(a->g).arg(a->b)
                             : QStringLiteral("cancel"));
    }
    for (const auto a : messages_.answers) {
        unused << QStringLiteral("question %1")
                      .arg(a == tk::MessageResult::No ? QStringLiteral("no")
                                                      : QStringLiteral("yes"));
    }
    if (!unused.isEmpty()) {
        fail(QStringLiteral("expected every answer used at the end, got unused: %1")
                 .arg(unused.join(QStringLiteral(", "))));
    }
}

}  // namespace

Runner::Runner(HostFactory factory, Options options)
    : factory_(std::move(factory)), options_(std::move(options)) {}

Outcome Runner::runFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Outcome out;
        out.failure =
            QStringLiteral("%1:0: cannot read the file: %2").arg(path, file.errorString());
        return out;
    }
    return run(path, file.readAll());
}

Outcome Runner::run(const QString& name, const QByteArray& content) const {
    Outcome out;
    const auto failAt = [&](int line, const QString& message) {
        out.passed = false;
        // One line per failure, whatever the program's text holds.
        QString oneLine = message;
        oneLine.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
            .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        out.failure = QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(oneLine);
    };

    Script script;
    try {
        script = parse(content);
    } catch (const SyntaxError& e) {
        failAt(e.line(), QStringLiteral("syntax error: %1").arg(e.message()));
        return out;
    }

    QTemporaryDir tmp(QDir::tempPath() + QStringLiteral("/zelmor-script-XXXXXX"));
    if (!tmp.isValid()) {
        failAt(0, QStringLiteral("cannot create a temporary folder: %1").arg(tmp.errorString()));
        return out;
    }
    tmp.setAutoRemove(!options_.keep);
    if (options_.keep) out.keptDir = tmp.path();

    Placeholders places;
    // The program sees its current folder resolved, so {dir} is the resolved path too.
    places.dir = QFileInfo(tmp.path()).canonicalFilePath();
    const bool installed = !options_.installedBin.isEmpty();
    // Installed, {program} is the folder where the install put the program's data files.
    places.program = installed ? installedFolders(options_).constFirst()
                               : places.dir + QStringLiteral("/program");
    places.picture = places.dir + QStringLiteral("/Programmi/schemaZelmor.jpg");
    // The documents folder is left for the program to create.
    places.reports = places.dir + QStringLiteral("/Documenti/Zelmor");
    if (!QDir().mkpath(places.program) ||
        !QDir().mkpath(QFileInfo(places.picture).absolutePath())) {
        failAt(0, QStringLiteral("cannot prepare the temporary folder %1").arg(places.dir));
        return out;
    }
    if (!installed && !copyTree(options_.resources, places.program)) {
        failAt(0, QStringLiteral("cannot copy the resources from %1").arg(options_.resources));
        return out;
    }

    CurrentFolder folder(places.dir);
    Session session(factory_, options_, places);
    out.passed = true;
    for (const Command& cmd : script.commands) {
        QString problem;
        try {
            session.execute(cmd);
            session.checkMissingAnswer();
        } catch (const ScriptFailure& e) {
            problem = e.message();
        } catch (const MissingAnswer& e) {
            problem = QString::fromStdString(e.what());
        } catch (const std::exception& e) {
            // A swallowed missing answer is the cause of whatever failed after it.
            problem =
                session.missingAnswer().isEmpty()
                    ? QStringLiteral("the program failed: %1").arg(QString::fromStdString(e.what()))
                    : session.missingAnswer();
        } catch (...) {
            problem = QStringLiteral("the program failed with an unknown exception");
        }
        if (!problem.isEmpty()) {
            failAt(cmd.line, problem);
            return out;
        }
    }
    try {
        session.finish();
    } catch (const ScriptFailure& e) {
        failAt(std::max(1, script.lastLine), e.message());
    }
    return out;
}

}  // namespace zelmor::script
