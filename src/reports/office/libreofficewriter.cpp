// The LibreOffice Writer back-end: the reports' operations as UNO calls into a Writer document, in
// an office process of its own that this plugin starts and talks to over a pipe.
//
// Every remote call costs a round trip (about 0.1 ms here), so the code keeps the interfaces it
// has asked for, sends the font only when it changes, and lets Writer split paragraphs itself.
// bridgeCalls() counts each remote call where it is made, interface queries across the bridge
// included (asking a proxy again for an interface it already gave is answered locally and not
// counted; neither are the one-way releases of proxies).

#include "reports/officeplugin.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/bridge/XBridgeFactory2.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/connection/XConnector.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/EventObject.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/XAutoFormattable.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>
#include <com/sun/star/util/XSearchable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>
#include <rtl/ustring.hxx>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStringList>
#include <QUrl>

#include <cerrno>
#include <csignal>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#ifndef ZELMOR_OFFICE_PROGRAM_DIR
#define ZELMOR_OFFICE_PROGRAM_DIR "/usr/lib/libreoffice/program"
#endif

namespace zelmor::reports {

namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
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

// Pictures without a resolution of their own are laid out at this one, as Word does.
constexpr int kPictureDpi = 96;
constexpr int kHundredthMmPerInch = 2540;

// Word's table format 9 is the coloured one with a header row and banded rows; this is Writer's
// nearest table style.
constexpr int kColouredTableFormat = 9;

OUString toOu(const QString& text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()),
                    static_cast<sal_Int32>(text.size()));
}

QString toQt(const OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

css::beans::PropertyValue property(const char* name, const Any& value) {
    return css::beans::PropertyValue(OUString::createFromAscii(name), -1, value,
                                     css::beans::PropertyState_DIRECT_VALUE);
}

template <typename T>
Sequence<T> sequenceOf(const std::vector<T>& items) {
    return Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

QString fileUrl(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

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

// One running office and what is needed from it for every document.
struct Office {
    Reference<css::lang::XComponent> bridge;  // the connection; disposing it cuts every call
    Reference<css::uno::XComponentContext> context;
    Reference<css::frame::XDesktop2> desktop;
    Reference<css::graphic::XGraphicProvider> graphics;  // on the first picture
    std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);
    qint64 pid = 0;      // the process started for it (it has ended at once when another took over)
    bool owned = false;  // that process is the office: this program started it
    pid_t group = 0;     // its process group, when owned
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

// The process group of a process started in a session of its own (as QProcess::startDetached
// does): the office script, its launcher and the office itself. Never this program's own.
pid_t ownGroupOf(qint64 pid) {
    const pid_t group = ::getpgid(static_cast<pid_t>(pid));
    return group > 0 && group != ::getpgrp() ? group : 0;
}

// The office is shared by every word processor of the program, as one Word application served
// every report. Never destroyed: releasing proxies while the program exits gains nothing.
std::shared_ptr<Office>& sharedOffice() {
    static auto* office = new std::shared_ptr<Office>();
    return *office;
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

QString pipeName() {
    return QStringLiteral("zelmor%1x%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->generate64(), 0, 36);
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
        QByteArray accept;
        for (const QByteArray& a : office->arguments)
            if (a.startsWith(kAcceptPrefix)) accept = a;
        if (accept.isEmpty() || profileOf(office->arguments, office->environment) != profile)
            continue;
        const QByteArray name = accept.mid(qstrlen("--accept=pipe,name="));
        const QByteArray pipe = name.left(name.indexOf(';'));
        const pid_t creator = static_cast<pid_t>(
            pipe.mid(qstrlen("zelmor"), pipe.indexOf('x') - qstrlen("zelmor")).toInt());
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

class LibreOfficeWriter final : public OfficePlugin {
  public:
    explicit LibreOfficeWriter(bool hidden) : hidden_(hidden) {}
    ~LibreOfficeWriter() override { forgetDocument(); }

    void start() override {
        dropPending();
        abortTarget().aborting = false;
        run([&] {
            forgetDocument();
            visible_ = false;
            office_ = sharedOffice();
            if (office_ && (*office_->ended || !answers(*office_))) {
                waitUntilGone(*office_);
                dropOffice();
            }
            reused_ = office_ != nullptr;
            if (!office_) connect();
        });
    }

    void show() override {
        run([&] {
            requireOffice();
            visible_ = !hidden_;
            if (visible_ && document_.is() && documentHidden_) {
                Reference<css::frame::XModel> model = query<css::frame::XModel>(document_);
                ++calls_;
                Reference<css::frame::XController> controller = model->getCurrentController();
                ++calls_;
                Reference<css::frame::XFrame> frame = controller->getFrame();
                ++calls_;
                Reference<css::awt::XWindow> window = frame->getContainerWindow();
                ++calls_;
                window->setVisible(true);
                documentHidden_ = false;
            }
        });
    }

    void addDocument() override {
        run([&] {
            requireOffice();
            forgetDocument();
            Reference<css::lang::XComponent> component;
            try {
                component = loadDocument();
            } catch (const css::lang::DisposedException&) {
                if (!reused_) throw;
            }
            if (!component.is() && reused_) {
                // The office of an earlier report was ending, or died, just after it last
                // answered: one new office, one more try.
                dropOffice();
                connect();
                component = loadDocument();
            }
            if (!component.is())
                throw WordError(Kind::Failed, QStringLiteral("The office made no new document"));
            if (!document_.is()) ++writing();
            document_ = component;
            documentHidden_ = !visible_;
            Reference<css::text::XTextDocument> textDocument =
                query<css::text::XTextDocument>(document_);
            ++calls_;
            text_ = textDocument->getText();
            ++calls_;
            cursor_ = text_->createTextCursor();
            cursorProperties_ = query<css::beans::XMultiPropertySet>(cursor_);
            speakItalian();
        });
    }

    void fontName(const QString& name) override { pendingFontName_ = name; }
    void fontSize(int points) override { pendingFontSize_ = points; }

    // The text waits, in the font it was typed in, for the next operation that is not more
    // text in that font, and goes with it in one call: a report types dozens of short pieces
    // (empty lines among them), and each call is a round trip and a reformat in the office.
    // Every report ends with an operation other than typing.
    void type(const QString& text) override {
        typing_ = true;
        const auto done = qScopeGuard([&] { typing_ = false; });
        run([&] {
            requireDocument();
            if (fontChangePending()) {
                flushTyped();
                applyPendingFont();
            }
            // Writer ends a paragraph at each CR inside the string itself; a page break is a
            // paragraph end whose new paragraph starts on a new page (the paragraphs after it
            // do not inherit the break).
            qsizetype from = 0;
            for (;;) {
                const qsizetype feed = text.indexOf(QChar(12), from);
                typed_ += text.mid(from, feed < 0 ? -1 : feed - from);
                if (feed < 0) break;
                typed_ += QChar(13);
                flushTyped();
                setCursorProperties({"BreakType"}, {Any(css::style::BreakType_PAGE_BEFORE)});
                from = feed + 1;
            }
        });
    }

    void appendParagraph() override {
        run([&] {
            requireDocument();
            // The new paragraph goes after the last one; the insertion point, even when it is
            // at the end of the document, stays where it is (Writer's APPEND_PARAGRAPH does not
            // move other cursors), as Word's selection stays put.
            if (!paragraph_.is()) {
                ++calls_;
                paragraph_ = text_->createTextCursor();
            }
            ++calls_;
            paragraph_->gotoEnd(false);
            ++calls_;
            text_->insertControlCharacter(paragraph_.get(),
                                          css::text::ControlCharacter::APPEND_PARAGRAPH, false);
            paragraphLength_ = 0;
        });
    }

    void paragraphText(const QString& text) override {
        run([&] {
            requireParagraph();
            ++calls_;
            text_->insertString(paragraph_.get(), toOu(text), false);
            // A CR becomes a paragraph end, which the cursor passes in one step as well.
            paragraphLength_ += static_cast<sal_Int16>(std::min<qsizetype>(text.size(), 0x7FFF));
        });
    }

    // The size of the text written into the paragraph so far and of what follows.
    void paragraphFontSize(int points) override {
        run([&] {
            requireParagraph();
            if (!paragraphProperties_.is())
                paragraphProperties_ = query<css::beans::XPropertySet>(paragraph_);
            if (paragraphLength_ > 0) {
                ++calls_;
                paragraph_->goLeft(paragraphLength_, true);
            }
            ++calls_;
            paragraphProperties_->setPropertyValue("CharHeight", Any(static_cast<float>(points)));
            if (paragraphLength_ > 0) {
                ++calls_;
                paragraph_->collapseToEnd();
            }
        });
    }

    void addTable(int rows, int columns) override {
        run([&] {
            requireDocument();
            if (rows < 1 || columns < 1)
                throw WordError(Kind::Failed,
                                QStringLiteral("A table of %1 x %2 cells").arg(rows).arg(columns));
            forgetTable();
            ++calls_;
            Reference<css::uno::XInterface> created =
                factory()->createInstance("com.sun.star.text.TextTable");
            Reference<css::text::XTextTable> table = query<css::text::XTextTable>(created);
            ++calls_;
            table->initialize(rows, columns);
            ++calls_;
            Reference<css::text::XTextRange> end = text_->getEnd();
            ++calls_;
            text_->insertTextContent(end, table.get(), false);
            table_ = table;
            tableCells_ = query<css::table::XCellRange>(table_);
            tableTexts_.assign(static_cast<std::size_t>(rows),
                               std::vector<QString>(static_cast<std::size_t>(columns)));
        });
    }

    void tableFontSize(int points) override {
        run([&] {
            requireTable();
            tableFontSize_ = points;
            applyTableFontSize();
        });
    }

    // The texts wait until the next operation, which writes every cell of the table in one call
    // (a call per cell was most of a report's calls).
    void cell(int row, int column, const QString& text) override {
        requireTable();
        if (row < 1 || column < 1 || row > rowCount() || column > columnCount())
            throw WordError(Kind::Failed,
                            QStringLiteral("No cell %1, %2 in the table").arg(row).arg(column));
        tableTexts_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)] = text;
        cellsPending_ = true;
    }

    void autoformat(int format) override {
        cellsPending_ = false;  // written once, after the style
        run([&] {
            requireTable();
            const OUString style = format == kColouredTableFormat ? OUString("Box List Red")
                                                                  : OUString("Default Style");
            // "Box List Red" sets the last row apart as a total row, which the data tables do
            // not have: the style goes onto the table with one more row, which then goes away,
            // so that the real last row keeps the banding.
            const auto rows = static_cast<sal_Int32>(rowCount());
            ++calls_;
            Reference<css::table::XTableRows> tableRows = table_->getRows();
            ++calls_;
            tableRows->insertByIndex(rows, 1);
            auto formattable = query<css::table::XAutoFormattable>(table_);
            ++calls_;
            formattable->autoFormat(style);
            ++calls_;
            tableRows->removeByIndex(rows, 1);
            // The style's number format turns cells such as " 3" into "3": the texts go back
            // as they were written, in one call.
            writeCells();
            // The style brings its own font size too. The cell range asked for before the
            // rows changed no longer reaches the cells: a new one.
            tableFont_.clear();
            if (tableFontSize_) applyTableFontSize();
        });
    }

    void addPicture(const QString& path) override {
        run([&] {
            requireDocument();
            if (!QFileInfo(path).isFile()) throw WordError(Kind::PictureMissing, path);
            std::vector<css::beans::PropertyValue> request{
                property("URL", Any(toOu(fileUrl(path))))};
            ++calls_;
            Reference<css::graphic::XGraphic> graphic =
                graphicProvider()->queryGraphic(sequenceOf(request));
            if (!graphic.is()) throw WordError(Kind::PictureUnreadable, path);
            // A bitmap that says its resolution (the print twin: four times the dots, the
            // same size) is laid out at it; one that does not, and a drawing, at 96 dpi.
            const OUString names[] = {"Size100thMM", "SizePixel"};  // sorted
            auto sizes = query<css::beans::XMultiPropertySet>(graphic);
            ++calls_;
            const Sequence<Any> values = sizes->getPropertyValues(Sequence<OUString>(names, 2));
            css::awt::Size natural;
            css::awt::Size pixels;
            values[0] >>= natural;
            values[1] >>= pixels;
            const bool hasSize = natural.Width > 0 && natural.Height > 0;
            const bool hasPixels = pixels.Width > 0 && pixels.Height > 0;
            const css::awt::Size size = hasSize     ? fitted(natural)
                                        : hasPixels ? pictureSize(pixels)
                                                    : fitted(natural);

            ++calls_;
            Reference<css::uno::XInterface> created =
                factory()->createInstance("com.sun.star.text.TextGraphicObject");
            auto object = query<css::beans::XPropertySet>(created);
            ++calls_;
            object->setPropertyValue("AnchorType",
                                     Any(css::text::TextContentAnchorType_AS_CHARACTER));
            ++calls_;
            object->setPropertyValue("Graphic", Any(graphic));
            ++calls_;
            object->setPropertyValue("Size", Any(size));
            auto content = query<css::text::XTextContent>(object);
            ++calls_;
            text_->insertTextContent(cursor_.get(), content, false);
        });
    }

    int countPages() override {
        return run([&] {
            requireDocument();
            if (!controllerProperties_.is()) {
                auto model = query<css::frame::XModel>(document_);
                ++calls_;
                Reference<css::frame::XController> controller = model->getCurrentController();
                controllerProperties_ = query<css::beans::XPropertySet>(controller);
            }
            sal_Int32 pages = 0;
            ++calls_;
            controllerProperties_->getPropertyValue("PageCount") >>= pages;
            return static_cast<int>(pages);
        });
    }

    void justifyAll() override {
        run([&] {
            requireDocument();
            // A selection from the start to the end of the body, as Word's select-all: it
            // takes in the paragraphs of the tables' cells as well.
            ++calls_;
            Reference<css::text::XTextCursor> all = text_->createTextCursor();
            ++calls_;
            all->gotoEnd(true);
            auto properties = query<css::beans::XPropertySet>(all);
            ++calls_;
            properties->setPropertyValue(
                "ParaAdjust", Any(static_cast<sal_Int16>(css::style::ParagraphAdjust_BLOCK)));
        });
    }

    QString save(const QString& path) override {
        return run([&] {
            requireDocument();
            const QString target = freePath(path);
            store(target, "MS Word 97", /*asCopy=*/false, Kind::SaveFailed);
            return target;
        });
    }

    void describe(const QString& title, const QString& author) override {
        run([&] {
            requireDocument();
            auto supplier = query<css::document::XDocumentPropertiesSupplier>(document_);
            ++calls_;
            Reference<css::document::XDocumentProperties> properties =
                supplier->getDocumentProperties();
            ++calls_;
            properties->setTitle(toOu(title));
            ++calls_;
            properties->setAuthor(toOu(author));
        });
    }

    std::optional<int> finishedPages() override { return countPages(); }

    void replaceLast(const QString& from, const QString& to) override {
        run([&] {
            requireDocument();
            auto searchable = query<css::util::XSearchable>(document_);
            ++calls_;
            Reference<css::util::XSearchDescriptor> search = searchable->createSearchDescriptor();
            ++calls_;
            search->setSearchString(toOu(from));
            ++calls_;
            Reference<css::container::XIndexAccess> found = searchable->findAll(search);
            ++calls_;
            const sal_Int32 count = found->getCount();
            if (count == 0)
                throw WordError(Kind::Failed,
                                QStringLiteral("No \"%1\" in the document").arg(from));
            ++calls_;
            auto range = query<css::text::XTextRange>(
                found->getByIndex(count - 1).get<Reference<css::uno::XInterface>>());
            ++calls_;
            range->setString(toOu(to));
        });
    }

    void exportPdf(const QString& path) override {
        run([&] {
            requireDocument();
            store(path, "writer_pdf_Export", /*asCopy=*/true, Kind::ExportFailed);
        });
    }

    void prepare() override { start(); }
    void setLateFailureHandler(std::function<void(const WordError&)>) override {}  // none late

    bool officeAnswers() override {
        dropPending();
        return run([&] {
            const std::shared_ptr<Office> office = sharedOffice();
            return office && !*office->ended && answers(*office);
        });
    }

    bool abort() override {
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
            std::thread([bridge] {
                try {
                    bridge->dispose();
                } catch (const css::uno::Exception&) {
                }
            }).detach();
        }
        return ended;
    }

    void endIfIdle() override {
        dropPending();
        run([&] {
            forgetDocument();
            const std::shared_ptr<Office> office = sharedOffice();
            if (!office || !office->owned || *office->ended) return;
            // Another back-end of the program may still be writing into a hidden document.
            if (writing() > 0 ? holdsDocuments(*office) : documentSeen(*office, &calls_)) return;
            bool ended = false;
            try {
                ++calls_;
                ended = office->desktop->terminate();
            } catch (const css::lang::DisposedException&) {
                ended = true;
            }
            // Only documents nobody sees can veto the end (a report cut short): nothing of the
            // user's is lost with them.
            if (!ended && office->group > 1) ::kill(-office->group, SIGKILL);
        });
    }

    long long bridgeCalls() const override { return calls_; }
    void settle() override {}

    void closeDocument() override {
        dropPending();
        run([&] {
            if (!document_.is()) return;
            Reference<css::lang::XComponent> document = document_;
            forgetDocument();
            auto closeable = query<css::util::XCloseable>(document);
            ++calls_;
            closeable->close(true);
        });
    }

    void shutdown() override {
        dropPending();
        run([&] {
            forgetDocument();
            office_ = sharedOffice();
            if (!office_) return;
            bool ended = false;
            try {
                ++calls_;
                ended = office_->desktop->terminate();
            } catch (const css::lang::DisposedException&) {
                ended = true;  // already gone
            }
            if (!ended) throw WordError(Kind::Failed, QStringLiteral("The office refused to end"));
            waitUntilGone(*office_);
            dropOffice();
        });
    }

  private:
    // Every operation runs through here: whatever the office throws becomes a WordError, and an
    // office that has gone away is dropped so that the next report starts a new one.
    template <typename F>
    auto run(F&& operation) -> decltype(operation()) {
        try {
            if (cellsPending_ && table_.is()) writeCells();
            if (!typing_) flushTyped();
            return operation();
        } catch (const WordError&) {
            throw;
        } catch (const css::lang::DisposedException& e) {
            officeLost();
            throw WordError(Kind::Lost, toQt(e.Message));
        } catch (const cppu::BootstrapException& e) {
            throw WordError(Kind::NotStarted, toQt(e.getMessage()));
        } catch (const css::uno::Exception& e) {
            // Whatever a call on a broken connection throws, a report cannot go on without the
            // office.
            if (office_ && !answers(*office_)) {
                officeLost();
                throw WordError(Kind::Lost, toQt(e.Message));
            }
            throw WordError(Kind::Failed, toQt(e.Message));
        } catch (const std::exception& e) {
            throw WordError(Kind::Failed, QString::fromLocal8Bit(e.what()));
        } catch (...) {
            throw WordError(Kind::Failed, QStringLiteral("Unknown error in the office back-end"));
        }
    }

    // An interface of a remote object: one call across the bridge.
    template <typename T, typename From>
    Reference<T> query(const Reference<From>& object) {
        ++calls_;
        return Reference<T>(object, UNO_QUERY_THROW);
    }

    void requireOffice() const {
        if (!office_)
            throw WordError(Kind::NotStarted, QStringLiteral("No office session has been started"));
    }
    void requireDocument() const {
        requireOffice();
        if (!document_.is())
            throw WordError(Kind::Failed, QStringLiteral("No document has been added"));
    }
    void requireParagraph() const {
        requireDocument();
        if (!paragraph_.is())
            throw WordError(Kind::Failed, QStringLiteral("No paragraph has been appended"));
    }
    void requireTable() const {
        requireDocument();
        if (!table_.is()) throw WordError(Kind::Failed, QStringLiteral("No table has been added"));
    }

    int rowCount() const { return static_cast<int>(tableTexts_.size()); }
    int columnCount() const {
        return tableTexts_.empty() ? 0 : static_cast<int>(tableTexts_.front().size());
    }

    // The current document written to a file through a filter: as the document's own file (it
    // then belongs to that file), or as a copy that leaves the document as it was.
    void store(const QString& path, const char* filter, bool asCopy, Kind failure) {
        auto storable = query<css::frame::XStorable>(document_);
        std::vector<css::beans::PropertyValue> arguments{
            property("FilterName", Any(OUString::createFromAscii(filter))),
            property("Overwrite", Any(true))};
        const OUString url = toOu(fileUrl(path));
        try {
            ++calls_;
            if (asCopy) {
                storable->storeToURL(url, sequenceOf(arguments));
            } else {
                storable->storeAsURL(url, sequenceOf(arguments));
            }
        } catch (const css::lang::DisposedException&) {
            throw;
        } catch (const css::uno::Exception& e) {
            throw WordError(failure, toQt(e.Message));
        }
    }

    // Italian text, hyphenated, in the document's defaults, which every paragraph and table
    // cell inherits: spell-checking and hyphenation follow the language of the reports.
    void speakItalian() {
        ++calls_;
        Reference<css::uno::XInterface> created =
            factory()->createInstance("com.sun.star.text.Defaults");
        auto defaults = query<css::beans::XPropertySet>(created);
        ++calls_;
        defaults->setPropertyValue("CharLocale", Any(css::lang::Locale("it", "IT", "")));
        ++calls_;
        defaults->setPropertyValue("ParaIsHyphenation", Any(true));
    }

    // Where a save under `path` can go. An earlier document of this office open under that
    // name (the previous report for the same client, say) keeps the file locked: it is closed
    // when it holds nothing of the user's; else it stays, and the new document takes the first
    // numbered name that is neither a file nor open.
    QString freePath(const QString& path) {
        const Reference<css::lang::XComponent> earlier = openUnder(path);
        if (!earlier.is() || closeUnchanged(earlier)) return path;
        const QFileInfo info(path);
        const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
        for (int n = 2;; ++n) {
            const QString numbered = info.dir().filePath(
                QStringLiteral("%1 (%2)%3").arg(info.completeBaseName()).arg(n).arg(suffix));
            if (!QFileInfo::exists(numbered) && !openUnder(numbered).is()) return numbered;
        }
    }

    // The document of this office, other than the current one, whose file is `path`.
    Reference<css::lang::XComponent> openUnder(const QString& path) {
        const QString wanted = QFileInfo(path).absoluteFilePath();
        ++calls_;
        Reference<css::container::XEnumerationAccess> all = office_->desktop->getComponents();
        ++calls_;
        Reference<css::container::XEnumeration> each = all->createEnumeration();
        for (;;) {
            ++calls_;
            if (!each->hasMoreElements()) return {};
            ++calls_;
            Reference<css::frame::XModel> model(each->nextElement(), css::uno::UNO_QUERY);
            if (!model.is() || model == document_) continue;
            ++calls_;
            const QUrl url(toQt(model->getURL()));
            if (url.isLocalFile() && QFileInfo(url.toLocalFile()).absoluteFilePath() == wanted)
                return Reference<css::lang::XComponent>(model, UNO_QUERY_THROW);
        }
    }

    bool closeUnchanged(const Reference<css::lang::XComponent>& document) {
        auto modifiable = query<css::util::XModifiable>(document);
        ++calls_;
        if (modifiable->isModified()) return false;
        try {
            auto closeable = query<css::util::XCloseable>(document);
            ++calls_;
            closeable->close(true);
            return true;
        } catch (const css::util::CloseVetoException&) {
            return false;  // busy with something of the user's (printing, a dialog)
        }
    }

    // Starts an office with a pipe of its own and connects to it. cppu::bootstrap() does the
    // same, but waits in steps of half a second, forever when the office never answers, and
    // leaves the office writing into this program's terminal.
    void connect() {
        try {
            launch();
        } catch (const WordError&) {
            throw;
        } catch (const cppu::BootstrapException& e) {
            throw WordError(Kind::NotStarted, toQt(e.getMessage()));
        } catch (const css::uno::Exception& e) {
            throw WordError(Kind::NotStarted, toQt(e.Message));
        }
    }

    void launch() {
        const QString programDir = qEnvironmentVariableIsSet("UNO_PATH")
                                       ? qEnvironmentVariable("UNO_PATH")
                                       : QStringLiteral(ZELMOR_OFFICE_PROGRAM_DIR);
        const QString soffice = programDir + QStringLiteral("/soffice");
        // The office's libraries may be there without the office (the program's package needs
        // only them): without its program, the office is not installed.
        if (!QFileInfo(soffice).isExecutable())
            throw WordError(Kind::Missing, QStringLiteral("No office program at %1").arg(soffice));
        const Reference<css::uno::XComponentContext> local = localContext(programDir);
        if (!local.is()) throw WordError(Kind::NotStarted, QStringLiteral("No local UNO runtime"));
        if (takeOverEarlierOffice(local)) return;

        const QString pipe = pipeName();
        QProcess process;
        process.setProgram(soffice);
        process.setArguments({QStringLiteral("--nologo"), QStringLiteral("--nodefault"),
                              QStringLiteral("--norestore"), QStringLiteral("--nolockcheck"),
                              QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe)});
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        qint64 pid = 0;
        if (!process.startDetached(&pid)) throw WordError(Kind::NotStarted, process.errorString());

        const pid_t group = ownGroupOf(pid);
        {
            const std::lock_guard lock(abortTarget().mutex);
            abortTarget().bridge.clear();
            abortTarget().group = group;
        }
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

        Reference<css::connection::XConnector> connector =
            css::connection::Connector::create(local);
        const OUString where = toOu(QStringLiteral("pipe,name=%1").arg(pipe));
        QElapsedTimer clock;
        clock.start();
        std::optional<qint64> endedAt;  // when the started process ended
        Reference<css::connection::XConnection> connection;
        for (;;) {
            if (abortTarget().aborting)
                throw WordError(Kind::NotStarted, QStringLiteral("The start was given up"));
            try {
                connection = connector->connect(where);
                break;
            } catch (const css::connection::NoConnectException&) {
                // An office already running on the same profile takes over the request and
                // the process started here ends at once: keep asking for a while.
                const auto elapsed = std::chrono::milliseconds(clock.elapsed());
                if (!endedAt && !processRunning(pid)) endedAt = clock.elapsed();
                if (endedAt &&
                    std::chrono::milliseconds(clock.elapsed() - *endedAt) > kForwardedStartTimeout)
                    throw WordError(Kind::NotStarted,
                                    QStringLiteral("The office ended without answering"));
                if (elapsed > kStartTimeout)
                    throw WordError(
                        Kind::NotStarted,
                        QStringLiteral("The office did not answer within %1 s")
                            .arg(std::chrono::duration_cast<std::chrono::seconds>(kStartTimeout)
                                     .count()));
                std::this_thread::sleep_for(kPollInterval);
            }
        }
        const bool owned = group != 0 && processRunning(pid);
        std::shared_ptr<Office> office =
            attach(local, connection, pid, owned ? group : 0, /*abortable=*/true, calls_);
        {
            const std::lock_guard lock(abortTarget().mutex);
            if (!owned) abortTarget().group = 0;  // the user's office: never killed
        }
        unanswered.dismiss();
        sharedOffice() = office;
        office_ = office;
        reused_ = false;
    }

    // The office's side of a new connection: its desktop, watched for its end. `group` is the
    // office's own process group when it is ours to end; an abortable connection is the one
    // abort() cuts.
    static std::shared_ptr<Office> attach(const Reference<css::uno::XComponentContext>& local,
                                          const Reference<css::connection::XConnection>& connection,
                                          qint64 pid, pid_t group, bool abortable,
                                          long long& calls) {
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

    // An office that an earlier run of the program started on this profile and that outlived it
    // (the run crashed, or was killed): the start of a new office would go to it, and it would
    // pass for the user's own, never to be ended. One that does not answer, or that shows no
    // document, is ended; one that shows documents (the user may still be reading its reports)
    // is taken over as this program's own. True when one was taken over.
    bool takeOverEarlierOffice(const Reference<css::uno::XComponentContext>& local) {
        struct Answer {
            std::shared_ptr<Office> office;
            bool shown = false;  // it shows documents
        };
        for (const EarlierOffice& earlier : earlierOffices(qgetenv("UserInstallation"))) {
            // Asked from a thread of its own: an office that hangs is ended, which ends the
            // question too.
            auto promise = std::make_shared<std::promise<Answer>>();
            std::future<Answer> asked = promise->get_future();
            std::thread([promise, local, earlier] {
                Answer answer;
                try {
                    long long calls = 0;
                    const OUString where = toOu(QStringLiteral("pipe,name=%1").arg(earlier.pipe));
                    Reference<css::connection::XConnection> connection =
                        css::connection::Connector::create(local)->connect(where);
                    answer.office = attach(local, connection, earlier.pid, earlier.group,
                                           /*abortable=*/false, calls);
                    answer.shown = documentSeen(*answer.office, &calls);
                } catch (...) {
                    answer.office.reset();
                }
                promise->set_value(answer);
            }).detach();
            Answer answer;
            if (asked.wait_for(kEarlierOfficeTimeout) == std::future_status::ready)
                answer = asked.get();
            calls_ += 8;
            if (answer.office && answer.shown) {
                {
                    const std::lock_guard lock(abortTarget().mutex);
                    abortTarget().bridge = answer.office->bridge;
                    abortTarget().group = earlier.group;
                }
                sharedOffice() = answer.office;
                office_ = answer.office;
                reused_ = true;
                return true;
            }
            if (answer.office) {
                try {
                    ++calls_;
                    answer.office->desktop->terminate();
                } catch (const css::uno::Exception&) {
                }
                waitUntilGone(*answer.office);
            } else {
                ::kill(-earlier.group, SIGKILL);
                QElapsedTimer clock;
                clock.start();
                while (processRunning(earlier.pid) &&
                       std::chrono::milliseconds(clock.elapsed()) < kEndTimeout)
                    std::this_thread::sleep_for(kPollInterval);
            }
        }
        return false;
    }

    // Whether the user may be reading a document of this office: one shown in a window of an
    // office that can show windows. Hidden documents, and every document of a headless office,
    // are nobody's to read; their reports are saved.
    bool holdsDocuments(const Office& office) {
        calls_ += 3;
        return office.desktop->getComponents()->createEnumeration()->hasMoreElements();
    }
    // The back-ends of the program that are writing a document in the office they share.
    static std::atomic<int>& writing() {
        static std::atomic<int> count{0};
        return count;
    }
    static bool documentSeen(const Office& office, long long* calls) {
        if (!showsWindows(office.group)) return false;
        ++*calls;
        Reference<css::container::XEnumeration> each =
            office.desktop->getComponents()->createEnumeration();
        for (;;) {
            ++*calls;
            if (!each->hasMoreElements()) return false;
            ++*calls;
            Reference<css::frame::XModel> model(each->nextElement(), css::uno::UNO_QUERY);
            if (!model.is()) continue;
            ++*calls;
            Reference<css::frame::XController> controller = model->getCurrentController();
            if (!controller.is() || !controller->getFrame().is()) continue;
            ++*calls;
            Reference<css::awt::XWindow2> window(controller->getFrame()->getContainerWindow(),
                                                 css::uno::UNO_QUERY);
            ++*calls;
            if (window.is() && window->isVisible()) return true;
        }
    }

    bool answers(const Office& office) {
        try {
            ++calls_;
            office.desktop->getName();
            return true;
        } catch (const css::uno::Exception&) {
            return false;
        }
    }

    // An office told to end still answers for some moments, and its process goes on for a while
    // after that; a new one on the same profile must not start before it is gone.
    void waitUntilGone(const Office& office) {
        QElapsedTimer clock;
        clock.start();
        const auto waiting = [&] {
            return std::chrono::milliseconds(clock.elapsed()) < kEndTimeout;
        };
        while (waiting() && answers(office)) std::this_thread::sleep_for(kPollInterval);
        while (waiting() && processRunning(office.pid)) std::this_thread::sleep_for(kPollInterval);
        // Still there: it holds the profile, and a new office on it would hang waiting for it.
        // One of ours is ended; the user's own is left alone.
        if (office.owned && office.group != 0 && processRunning(office.pid)) {
            ::kill(-office.group, SIGKILL);
            clock.restart();
            while (waiting() && processRunning(office.pid))
                std::this_thread::sleep_for(kPollInterval);
        }
    }

    void dropOffice() {
        if (sharedOffice() == office_) sharedOffice().reset();
        office_.reset();
        forgetDocument();
    }

    // A disposed object: the office is gone, or only the document (closed by the user).
    void officeLost() {
        std::shared_ptr<Office> office = office_;
        forgetDocument();
        if (office && (*office->ended || !answers(*office))) dropOffice();
    }

    Reference<css::lang::XComponent> loadDocument() {
        std::vector<css::beans::PropertyValue> arguments{property("Hidden", Any(!visible_))};
        ++calls_;
        return office_->desktop->loadComponentFromURL("private:factory/swriter", "_blank", 0,
                                                      sequenceOf(arguments));
    }

    void forgetDocument() {
        typed_.clear();
        forgetTable();
        if (document_.is()) --writing();
        document_.clear();
        text_.clear();
        cursor_.clear();
        cursorProperties_.clear();
        paragraph_.clear();
        paragraphProperties_.clear();
        paragraphLength_ = 0;
        factory_.clear();
        controllerProperties_.clear();
        textWidth_.reset();
        appliedFontName_.reset();
        appliedFontSize_.reset();
        pendingFontName_.reset();
        pendingFontSize_.reset();
        documentHidden_ = false;
    }

    void writeCells() {
        std::vector<Sequence<Any>> data;
        for (const std::vector<QString>& rowTexts : tableTexts_) {
            std::vector<Any> values;
            for (const QString& text : rowTexts) values.emplace_back(toOu(text));
            data.push_back(sequenceOf(values));
        }
        if (!cellData_.is()) cellData_ = query<css::sheet::XCellRangeData>(table_);
        ++calls_;
        cellData_->setDataArray(sequenceOf(data));
        cellsPending_ = false;
    }

    void forgetTable() {
        cellsPending_ = false;
        cellData_.clear();
        table_.clear();
        tableCells_.clear();
        tableFont_.clear();
        tableFontSize_.reset();
        tableTexts_.clear();
    }

    Reference<css::lang::XMultiServiceFactory> factory() {
        if (!factory_.is()) factory_ = query<css::lang::XMultiServiceFactory>(document_);
        return factory_;
    }

    Reference<css::graphic::XGraphicProvider> graphicProvider() {
        if (!office_->graphics.is()) {
            calls_ += 3;  // the service manager, the new provider, its interface
            office_->graphics = css::graphic::GraphicProvider::create(office_->context);
        }
        return office_->graphics;
    }

    void setCursorProperties(const std::vector<OUString>& names, const std::vector<Any>& values) {
        ++calls_;
        cursorProperties_->setPropertyValues(sequenceOf(names), sequenceOf(values));
    }

    // A report left unfinished: its table and its text are not written any more.
    void dropPending() {
        cellsPending_ = false;
        typed_.clear();
    }

    bool fontChangePending() const {
        return (pendingFontName_ && pendingFontName_ != appliedFontName_) ||
               (pendingFontSize_ && pendingFontSize_ != appliedFontSize_);
    }

    void flushTyped() {
        if (typed_.isEmpty() || !text_.is()) return;
        const OUString text = toOu(std::exchange(typed_, QString()));
        ++calls_;
        text_->insertString(cursor_.get(), text, false);
    }

    // The font chosen for the text typed next goes to the insertion point with that text; what
    // the insertion point already has is not sent again.
    void applyPendingFont() {
        std::vector<OUString> names;
        std::vector<Any> values;
        if (pendingFontName_ && pendingFontName_ != appliedFontName_) {
            names.emplace_back("CharFontName");
            values.emplace_back(toOu(*pendingFontName_));
        }
        if (pendingFontSize_ && pendingFontSize_ != appliedFontSize_) {
            names.emplace_back("CharHeight");
            values.emplace_back(static_cast<float>(*pendingFontSize_));
        }
        if (!names.empty()) setCursorProperties(names, values);
        if (pendingFontName_) appliedFontName_ = pendingFontName_;
        if (pendingFontSize_) appliedFontSize_ = pendingFontSize_;
        pendingFontName_.reset();
        pendingFontSize_.reset();
    }

    void applyTableFontSize() {
        if (!tableFont_.is()) {
            ++calls_;
            Reference<css::table::XCellRange> all =
                tableCells_->getCellRangeByPosition(0, 0, columnCount() - 1, rowCount() - 1);
            tableFont_ = query<css::beans::XPropertySet>(all);
        }
        ++calls_;
        tableFont_->setPropertyValue("CharHeight", Any(static_cast<float>(*tableFontSize_)));
    }

    // A bitmap at 96 dpi (the size Writer gives it by itself is a fixed square).
    css::awt::Size pictureSize(const css::awt::Size& pixels) {
        return fitted(css::awt::Size(pixels.Width * kHundredthMmPerInch / kPictureDpi,
                                     pixels.Height * kHundredthMmPerInch / kPictureDpi));
    }

    // A size in 1/100 mm made smaller, in proportion, to the width of the page's text area.
    css::awt::Size fitted(const css::awt::Size& size) {
        if (size.Width <= 0 || size.Height <= 0)
            throw WordError(Kind::Failed, QStringLiteral("The picture has no size"));
        const double available = textWidth();
        if (available <= 0 || size.Width <= available) return size;
        return css::awt::Size(static_cast<sal_Int32>(available),
                              static_cast<sal_Int32>(size.Height * available / size.Width + 0.5));
    }

    // The width of the text area of the document's page style, in 1/100 mm.
    double textWidth() {
        if (!textWidth_) {
            auto families = query<css::style::XStyleFamiliesSupplier>(document_);
            ++calls_;
            Reference<css::container::XNameAccess> all = families->getStyleFamilies();
            ++calls_;
            Any pageStyles = all->getByName("PageStyles");
            auto pages = query<css::container::XNameAccess>(
                pageStyles.get<Reference<css::uno::XInterface>>());
            ++calls_;
            Any standard = pages->getByName("Standard");
            auto page = query<css::beans::XMultiPropertySet>(
                standard.get<Reference<css::uno::XInterface>>());
            const OUString names[] = {"LeftMargin", "RightMargin", "Width"};  // sorted
            ++calls_;
            const Sequence<Any> values = page->getPropertyValues(Sequence<OUString>(names, 3));
            sal_Int32 left = 0;
            sal_Int32 right = 0;
            sal_Int32 width = 0;
            values[0] >>= left;
            values[1] >>= right;
            values[2] >>= width;
            textWidth_ = std::max(0, width - left - right);
        }
        return *textWidth_;
    }

    const bool hidden_;
    bool visible_ = false;
    bool reused_ = false;  // the office was running before this report
    long long calls_ = 0;
    std::shared_ptr<Office> office_;

    Reference<css::lang::XComponent> document_;
    bool documentHidden_ = false;
    Reference<css::text::XText> text_;
    Reference<css::text::XTextCursor> cursor_;  // the insertion point
    Reference<css::beans::XMultiPropertySet> cursorProperties_;
    Reference<css::text::XTextCursor> paragraph_;  // in the last appended paragraph
    Reference<css::beans::XPropertySet> paragraphProperties_;
    sal_Int16 paragraphLength_ = 0;  // characters written into it, for its font size
    Reference<css::lang::XMultiServiceFactory> factory_;
    Reference<css::beans::XPropertySet> controllerProperties_;
    std::optional<double> textWidth_;
    std::optional<QString> appliedFontName_;
    std::optional<int> appliedFontSize_;
    std::optional<QString> pendingFontName_;
    std::optional<int> pendingFontSize_;

    Reference<css::text::XTextTable> table_;
    Reference<css::table::XCellRange> tableCells_;
    Reference<css::beans::XPropertySet> tableFont_;  // every cell
    std::optional<int> tableFontSize_;
    std::vector<std::vector<QString>> tableTexts_;  // what the cells were given
    Reference<css::sheet::XCellRangeData> cellData_;
    bool cellsPending_ = false;  // texts given that the table does not hold yet
    QString typed_;              // text typed that the document does not hold yet
    bool typing_ = false;        // within type(), which adds to that text
};

}  // namespace

}  // namespace zelmor::reports

// Process-wide choices (SIGPIPE among them) are the program's, made before it loads this plugin.
extern "C" SAL_DLLPUBLIC_EXPORT zelmor::reports::OfficePlugin* zelmor_create_writer(bool hidden) {
    try {
        return new zelmor::reports::LibreOfficeWriter(hidden);
    } catch (...) {
        return nullptr;
    }
}
