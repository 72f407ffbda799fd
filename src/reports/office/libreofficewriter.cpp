// The LibreOffice Writer plugin's documents: the reports' operations as UNO calls into a Writer
// document (text, fonts, paragraphs, tables, pictures, pages, saves and PDF), and the plugin's
// edge, where every failure becomes a value and no exception gets out. The office process these
// documents live in, and its connection, are officeprocess.cpp's.
//
// Every remote call costs a round trip (about 0.1 ms here), so the code keeps the interfaces it
// has asked for, sends the font only when it changes, and lets Writer split paragraphs itself.
// bridgeCalls() counts each remote call where it is made, interface queries across the bridge
// included (asking a proxy again for an interface it already gave is answered locally and not
// counted; neither are the one-way releases of proxies).

#include "officeprocess.h"
#include "unohelpers.h"

#include "reports/columnwidths.h"
#include "reports/officeplugin.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/TableBorderDistances.hpp>
#include <com/sun/star/table/XAutoFormattable.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/PageNumberType.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XRefreshable.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>
#include <com/sun/star/util/XSearchable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/ustring.hxx>

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace zelmor::reports::office {

namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;
using Kind = WordError::Kind;

// Pictures without a resolution of their own are laid out at this one, as Word does.
constexpr int kPictureDpi = 96;
constexpr int kHundredthMmPerInch = 2540;

// Word's table format 9 is the coloured one with a header row and banded rows; this is Writer's
// nearest table style.
constexpr int kColouredTableFormat = 9;

// A cell's room between its text and its borders, left and right, and above and below.
constexpr sal_Int16 kCellPadding = 150;
constexpr sal_Int16 kCellPaddingVertical = 50;
// Writer's columns are placed in parts of this whole, whatever the table's width.
constexpr double kColumnWholeParts = 10000;
constexpr double kHundredthMmPerPoint = 2540.0 / 72.0;

// The page numbers at the foot of the page: small, in the room the bottom margin gave.
constexpr float kFooterPoints = 9;
constexpr sal_Int32 kFooterHeight = 800;  // the spacing above the line included
constexpr sal_Int32 kFooterSpacing = 300;
constexpr sal_Int32 kLeastBottomMargin = 600;

// Hyphens in the body: never more than two lines in a row, never a word of less than six
// letters or a piece of less than three.
constexpr sal_Int16 kMaxHyphensInARow = 2;
constexpr sal_Int16 kLeastHyphenPiece = 3;

css::beans::PropertyValue property(const char* name, const Any& value) {
    return css::beans::PropertyValue(OUString::createFromAscii(name), -1, value,
                                     css::beans::PropertyState_DIRECT_VALUE);
}

template <typename T>
Sequence<T> sequenceOf(const std::vector<T>& items) {
    return Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

class LibreOfficeWriter final : public OfficePlugin {
  public:
    explicit LibreOfficeWriter(bool hidden) : hidden_(hidden) {}
    ~LibreOfficeWriter() override { forgetDocument(); }

    Outcome start() noexcept override {
        dropPending();
        return run([&] {
            forgetDocument();
            visible_ = false;
            connection_.start();
        });
    }

    Outcome show() noexcept override {
        return run([&] {
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

    Outcome addDocument() noexcept override {
        return run([&] {
            requireOffice();
            forgetDocument();
            const Reference<css::lang::XComponent> component = newDocument();
            if (!document_.is()) ++documentsBeingWritten();
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

    Outcome fontName(const QString& name) noexcept override {
        pendingFontName_ = name;
        return std::nullopt;
    }
    Outcome fontSize(int points) noexcept override {
        pendingFontSize_ = points;
        return std::nullopt;
    }

    // The text waits, in the font it was typed in, for the next operation that is not more
    // text in that font, and goes with it in one call: a report types dozens of short pieces
    // (empty lines among them), and each call is a round trip and a reformat in the office.
    // Every report ends with an operation other than typing.
    Outcome type(const QString& text) noexcept override {
        typing_ = true;
        const auto done = qScopeGuard([&] { typing_ = false; });
        return run([&] {
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

    Outcome appendParagraph() noexcept override {
        return run([&] {
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

    Outcome paragraphText(const QString& text) noexcept override {
        return run([&] {
            requireParagraph();
            ++calls_;
            text_->insertString(paragraph_.get(), toOu(text), false);
            // A CR becomes a paragraph end, which the cursor passes in one step as well.
            // Kept within the cursor's 16-bit steps, not wrapped round.
            paragraphLength_ =
                static_cast<sal_Int16>(std::min<qsizetype>(paragraphLength_ + text.size(), 0x7FFF));
        });
    }

    // The size of the text written into the paragraph so far and of what follows.
    Outcome paragraphFontSize(int points) noexcept override {
        return run([&] {
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

    Outcome addTable(int rows, int columns) noexcept override {
        return run([&] {
            requireDocument();
            if (rows < 1 || columns < 1)
                throw WordFailure{
                    Kind::Failed,
                    QStringLiteral("A table of %1 x %2 cells").arg(rows).arg(columns)};
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

    Outcome tableFontSize(int points) noexcept override {
        return run([&] {
            requireTable();
            tableFontSize_ = points;
            applyTableFontSize();
        });
    }

    // The texts wait until the next operation, which writes every cell of the table in one call
    // (a call per cell was most of a report's calls).
    Outcome cell(int row, int column, const QString& text) noexcept override {
        return guard([&] {
            requireTable();
            if (row < 1 || column < 1 || row > rowCount() || column > columnCount())
                throw WordFailure{
                    Kind::Failed,
                    QStringLiteral("No cell %1, %2 in the table").arg(row).arg(column)};
            tableTexts_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)] =
                text;
            cellsPending_ = true;
        });
    }

    Outcome autoformat(int format) noexcept override {
        cellsPending_ = false;  // written once, after the style
        return run([&] {
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
            // The style brings its own font and size too. The cell range asked for before the
            // rows changed no longer reaches the cells: a new one.
            tableFont_.clear();
            cellLook();
            tableLook();
        });
    }

    Outcome addPicture(const QString& path, const PictureWords& words) noexcept override {
        return run([&] {
            requireDocument();
            if (!QFileInfo(path).isFile()) throw WordFailure{Kind::PictureMissing, path};
            std::vector<css::beans::PropertyValue> request{
                property("URL", Any(toOu(fileUrl(path))))};
            ++calls_;
            Reference<css::graphic::XGraphic> graphic =
                graphicProvider()->queryGraphic(sequenceOf(request));
            if (!graphic.is()) throw WordFailure{Kind::PictureUnreadable, path};
            const css::awt::Size size = placedSize(graphic);
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
            // The text alternative: the PDF's figure tag and the .doc's alt text carry it.
            ++calls_;
            object->setPropertyValue("Title", Any(toOu(words.title)));
            ++calls_;
            object->setPropertyValue("Description", Any(toOu(words.description)));
            auto content = query<css::text::XTextContent>(object);
            ++calls_;
            text_->insertTextContent(cursor_.get(), content, false);
        });
    }

    Outcome countPages(int& pages) noexcept override {
        return run([&] {
            requireDocument();
            if (!controllerProperties_.is()) {
                auto model = query<css::frame::XModel>(document_);
                ++calls_;
                Reference<css::frame::XController> controller = model->getCurrentController();
                controllerProperties_ = query<css::beans::XPropertySet>(controller);
            }
            sal_Int32 count = 0;
            ++calls_;
            controllerProperties_->getPropertyValue("PageCount") >>= count;
            pages = static_cast<int>(count);
        });
    }

    Outcome justifyAll() noexcept override {
        return run([&] {
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
            // Justified, a narrow cell's words stand apart: the cells keep to the left.
            for (const Reference<css::beans::XPropertySet>& cells : tables_) {
                ++calls_;
                cells->setPropertyValue(
                    "ParaAdjust", Any(static_cast<sal_Int16>(css::style::ParagraphAdjust_LEFT)));
            }
        });
    }

    Outcome save(const QString& path, QString& saved) noexcept override {
        return run([&] {
            requireDocument();
            const QString target = freePath(path);
            store(target, "MS Word 97", /*asCopy=*/false, Kind::SaveFailed);
            saved = target;
        });
    }

    Outcome describe(const QString& title, const QString& author) noexcept override {
        return run([&] {
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

    Outcome typeset(const Typesetting& how) noexcept override {
        return run([&] {
            requireDocument();
            std::vector<Reference<css::text::XTextRange>> headings;
            for (const QString& heading : how.headings) {
                // The first: a table cell after it may hold the same words.
                Reference<css::text::XTextRange> found =
                    searchFor(QLatin1Char('^') + literal(heading) + QLatin1Char('$'),
                              Search::Expression, Found::First);
                ++calls_;
                Reference<css::text::XTextCursor> at = text_->createTextCursorByRange(found);
                // An outline level of its own: the look stays the typed one.
                const OUString names[] = {"OutlineLevel", "ParaIsHyphenation",
                                          "ParaKeepTogether"};  // sorted
                const Any values[] = {Any(sal_Int16{1}), Any(false), Any(true)};
                ++calls_;
                query<css::beans::XMultiPropertySet>(at)->setPropertyValues(
                    Sequence<OUString>(names, 3), Sequence<Any>(values, 3));
                headings.push_back(found);
            }
            if (how.titlePage && !headings.empty()) {
                ++calls_;
                Reference<css::text::XTextCursor> title =
                    text_->createTextCursorByRange(text_->getStart());
                ++calls_;
                Reference<css::text::XTextRange> end = headings.front()->getStart();
                ++calls_;
                title->gotoRange(end, true);
                ++calls_;
                query<css::beans::XPropertySet>(title)->setPropertyValue("ParaIsHyphenation",
                                                                         Any(false));
            }
            if (!how.footer.isEmpty()) pageFooter(how.footer, how.titlePage);
            if (!how.keptFrom.isEmpty()) {
                Reference<css::text::XTextRange> found = searchFor(
                    QLatin1Char('^') + literal(how.keptFrom), Search::Expression, Found::Last);
                ++calls_;
                Reference<css::text::XTextCursor> kept =
                    text_->createTextCursorByRange(found->getStart());
                ++calls_;
                kept->gotoEnd(true);
                // Each paragraph whole, and with the next: the block moves to a new page as
                // one.
                const OUString names[] = {"ParaIsHyphenation", "ParaKeepTogether",
                                          "ParaSplit"};  // sorted
                const Any values[] = {Any(false), Any(true), Any(false)};
                auto paragraphs = query<css::beans::XMultiPropertySet>(kept);
                ++calls_;
                paragraphs->setPropertyValues(Sequence<OUString>(names, 3),
                                              Sequence<Any>(values, 3));
                // The office carries a chain of kept paragraphs over whole only when it lays
                // them out again: where the pages, laid out anew, still split the block, it
                // starts a page of its own.
                ++calls_;
                query<css::util::XRefreshable>(document_)->refresh();
                ++calls_;
                Reference<css::text::XTextRange> end = text_->getEnd();
                if (pageOf(found) != pageOf(end)) {
                    ++calls_;
                    Reference<css::text::XTextCursor> first =
                        text_->createTextCursorByRange(found->getStart());
                    ++calls_;
                    query<css::beans::XPropertySet>(first)->setPropertyValue(
                        "BreakType", Any(css::style::BreakType_PAGE_BEFORE));
                }
            }
        });
    }

    Outcome replaceLast(const QString& from, const QString& to) noexcept override {
        return run([&] {
            requireDocument();
            Reference<css::text::XTextRange> range = searchFor(from, Search::Text, Found::Last);
            ++calls_;
            range->setString(toOu(to));
        });
    }

    Outcome exportPdf(const QString& path) noexcept override {
        return run([&] {
            requireDocument();
            // PDF/A-2b, what public offices file: every font embedded, the metadata in XMP;
            // tagged, with the headings as bookmarks.
            std::vector<css::beans::PropertyValue> pdf{
                property("ExportBookmarks", Any(true)),
                property("SelectPdfVersion", Any(sal_Int32{2})),
                property("UseTaggedPDF", Any(true))};
            store(path, "writer_pdf_Export", /*asCopy=*/true, Kind::ExportFailed, sequenceOf(pdf));
        });
    }

    long long bridgeCalls() const noexcept override { return calls_; }

    Outcome closeDocument() noexcept override {
        dropPending();
        return run([&] {
            if (!document_.is()) return;
            Reference<css::lang::XComponent> document = document_;
            forgetDocument();
            auto closeable = query<css::util::XCloseable>(document);
            ++calls_;
            closeable->close(true);
        });
    }

    Outcome shutdown() noexcept override {
        dropPending();
        return run([&] {
            forgetDocument();
            connection_.shutdown();
        });
    }

    Outcome officeAnswers(bool& answers) noexcept override {
        dropPending();
        return run([&] { answers = connection_.sharedOfficeAnswers(); });
    }

    bool abort() noexcept override { return abortOffice(); }

    Outcome endIfIdle() noexcept override {
        dropPending();
        return run([&] {
            forgetDocument();
            connection_.endIfIdle();
        });
    }

  private:
    // Every operation runs through here: the text and cells still waiting go to the document
    // first, then the operation runs within guard().
    template <typename F>
    Outcome run(F&& operation) noexcept {
        return guard([&] {
            if (cellsPending_ && table_.is()) writeCells();
            if (!typing_) flushTyped();
            operation();
        });
    }

    // The plugin's edge: whatever the operation throws, the office's exceptions included, comes
    // back as a failure, and an office that has gone away is dropped so that the next report
    // starts a new one.
    template <typename F>
    Outcome guard(F&& operation) noexcept {
        try {
            try {
                operation();
                return std::nullopt;
            } catch (const WordFailure& failure) {
                return failure;
            } catch (const css::lang::DisposedException& e) {
                officeLost();
                return WordFailure{Kind::Lost, toQt(e.Message)};
            } catch (const cppu::BootstrapException& e) {
                return WordFailure{Kind::NotStarted, toQt(e.getMessage())};
            } catch (const css::uno::Exception& e) {
                // Whatever a call on a broken connection throws, a report cannot go on without
                // the office.
                if (connection_.stoppedAnswering()) {
                    officeLost();
                    return WordFailure{Kind::Lost, toQt(e.Message)};
                }
                return WordFailure{Kind::Failed, toQt(e.Message)};
            } catch (const std::exception& e) {
                return WordFailure{Kind::Failed, QString::fromLocal8Bit(e.what())};
            }
        } catch (...) {
            // An exception of no known kind, or one thrown while an office was being dropped.
            return WordFailure{Kind::Failed,
                               QStringLiteral("Unknown error in the office back-end")};
        }
    }

    // An interface of a remote object: one call across the bridge.
    template <typename T, typename From>
    Reference<T> query(const Reference<From>& object) {
        ++calls_;
        return Reference<T>(object, UNO_QUERY_THROW);
    }

    void requireOffice() const {
        if (!connection_.office())
            throw WordFailure{Kind::NotStarted,
                              QStringLiteral("No office session has been started")};
    }
    void requireDocument() const {
        requireOffice();
        if (!document_.is())
            throw WordFailure{Kind::Failed, QStringLiteral("No document has been added")};
    }
    void requireParagraph() const {
        requireDocument();
        if (!paragraph_.is())
            throw WordFailure{Kind::Failed, QStringLiteral("No paragraph has been appended")};
    }
    void requireTable() const {
        requireDocument();
        if (!table_.is())
            throw WordFailure{Kind::Failed, QStringLiteral("No table has been added")};
    }

    int rowCount() const { return static_cast<int>(tableTexts_.size()); }
    int columnCount() const {
        return tableTexts_.empty() ? 0 : static_cast<int>(tableTexts_.front().size());
    }

    // A new Writer document in the office. The office of an earlier report may have been
    // ending, or died, just after it last answered: then one new office, one more try.
    Reference<css::lang::XComponent> newDocument() {
        Reference<css::lang::XComponent> component;
        try {
            component = loadDocument();
        } catch (const css::lang::DisposedException&) {
            if (!connection_.reused()) throw;
        }
        if (!component.is() && connection_.reused()) {
            connection_.replace();
            component = loadDocument();
        }
        if (!component.is())
            throw WordFailure{Kind::Failed, QStringLiteral("The office made no new document")};
        return component;
    }

    Reference<css::lang::XComponent> loadDocument() {
        std::vector<css::beans::PropertyValue> arguments{property("Hidden", Any(!visible_))};
        ++calls_;
        return connection_.office()->desktop->loadComponentFromURL(
            "private:factory/swriter", "_blank", 0, sequenceOf(arguments));
    }

    // The current document written to a file through a filter: as the document's own file (it
    // then belongs to that file), or as a copy that leaves the document as it was.
    void store(const QString& path, const char* filter, bool asCopy, Kind failure,
               const Sequence<css::beans::PropertyValue>& filterData = {}) {
        auto storable = query<css::frame::XStorable>(document_);
        std::vector<css::beans::PropertyValue> arguments{
            property("FilterName", Any(OUString::createFromAscii(filter))),
            property("Overwrite", Any(true))};
        if (filterData.hasElements()) arguments.push_back(property("FilterData", Any(filterData)));
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
            throw WordFailure{failure, toQt(e.Message)};
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
        // Text boxes and drawings the user adds speak Italian too: they take the drawing
        // layer's defaults, not the text's.
        ++calls_;
        Reference<css::uno::XInterface> drawing =
            factory()->createInstance("com.sun.star.drawing.Defaults");
        ++calls_;
        query<css::beans::XPropertySet>(drawing)->setPropertyValue(
            "CharLocale", Any(css::lang::Locale("it", "IT", "")));
        // Hyphenated, sparingly.
        const std::pair<const char*, Any> hyphens[] = {
            {"ParaIsHyphenation", Any(true)},
            {"ParaHyphenationMaxHyphens", Any(kMaxHyphensInARow)},
            {"ParaHyphenationMaxLeadingChars", Any(kLeastHyphenPiece)},
            {"ParaHyphenationMaxTrailingChars", Any(kLeastHyphenPiece)}};
        for (const auto& [name, value] : hyphens) {
            ++calls_;
            defaults->setPropertyValue(OUString::createFromAscii(name), value);
        }
    }

    // The page a place of the text is laid out on, as the document's view finds it (the
    // layout goes as far as that place first).
    sal_Int16 pageOf(const Reference<css::text::XTextRange>& place) {
        if (!viewCursor_.is()) {
            auto model = query<css::frame::XModel>(document_);
            ++calls_;
            Reference<css::frame::XController> controller = model->getCurrentController();
            auto supplier = query<css::text::XTextViewCursorSupplier>(controller);
            ++calls_;
            viewCursor_ = supplier->getViewCursor();
        }
        ++calls_;
        viewCursor_->gotoRange(place, false);
        ++calls_;
        return query<css::text::XPageCursor>(viewCursor_)->getPage();
    }

    // The first or the last place where the document holds a text, or that a regular
    // expression finds.
    enum class Search { Text, Expression };
    enum class Found { First, Last };
    Reference<css::text::XTextRange> searchFor(const QString& wanted, Search how, Found which) {
        auto searchable = query<css::util::XSearchable>(document_);
        ++calls_;
        Reference<css::util::XSearchDescriptor> search = searchable->createSearchDescriptor();
        ++calls_;
        search->setSearchString(toOu(wanted));
        if (how == Search::Expression) {
            auto options = query<css::beans::XPropertySet>(search);
            ++calls_;
            options->setPropertyValue("SearchRegularExpression", Any(true));
        }
        ++calls_;
        Reference<css::container::XIndexAccess> all = searchable->findAll(search);
        ++calls_;
        const sal_Int32 count = all->getCount();
        if (count == 0)
            throw WordFailure{Kind::Failed,
                              QStringLiteral("No \"%1\" in the document").arg(wanted)};
        ++calls_;
        return query<css::text::XTextRange>(all->getByIndex(which == Found::First ? 0 : count - 1)
                                                .get<Reference<css::uno::XInterface>>());
    }

    // A text as a regular expression that finds it: the expression's own characters quoted.
    static QString literal(const QString& text) {
        static const QString kSpecial = QStringLiteral("\\^$.|?*+()[]{}");
        QString out;
        for (const QChar c : text) {
            if (kSpecial.contains(c)) out += QLatin1Char('\\');
            out += c;
        }
        return out;
    }

    // "pagina %1 di %2" at the foot of the pages: the page's number and the document's count,
    // as fields that stay true whatever the user adds; none on a title page. The bottom margin
    // gives up the footer's room, so that the pages hold as much text as before.
    void pageFooter(const QString& pattern, bool titlePage) {
        Reference<css::beans::XPropertySet> page = standardPageStyle();
        ++calls_;
        const sal_Int32 bottom = page->getPropertyValue("BottomMargin").get<sal_Int32>();
        ++calls_;
        page->setPropertyValue("FooterIsOn", Any(true));
        const OUString names[] = {"BottomMargin", "FirstIsShared", "FooterBodyDistance",
                                  "FooterHeight", "FooterIsDynamicHeight"};  // sorted
        const Any values[] = {Any(std::max(kLeastBottomMargin, bottom - kFooterHeight)),
                              Any(!titlePage), Any(kFooterSpacing), Any(kFooterHeight), Any(false)};
        ++calls_;
        query<css::beans::XMultiPropertySet>(page)->setPropertyValues(Sequence<OUString>(names, 5),
                                                                      Sequence<Any>(values, 5));
        ++calls_;
        Reference<css::text::XText> footer(page->getPropertyValue("FooterText"), UNO_QUERY_THROW);
        ++calls_;
        Reference<css::text::XTextCursor> at = footer->createTextCursor();
        std::vector<OUString> look{"CharHeight", "ParaAdjust"};  // sorted
        std::vector<Any> lookValues{
            Any(kFooterPoints), Any(static_cast<sal_Int16>(css::style::ParagraphAdjust_CENTER))};
        if (const std::optional<QString> face = documentFace()) {
            look.insert(look.begin(), "CharFontName");
            lookValues.insert(lookValues.begin(), Any(toOu(*face)));
        }
        ++calls_;
        query<css::beans::XMultiPropertySet>(at)->setPropertyValues(sequenceOf(look),
                                                                    sequenceOf(lookValues));
        const qsizetype number = pattern.indexOf(QStringLiteral("%1"));
        const qsizetype count = pattern.indexOf(QStringLiteral("%2"));
        qsizetype from = 0;
        for (const qsizetype field : {number, count}) {
            if (field < from) continue;
            ++calls_;
            footer->insertString(at.get(), toOu(pattern.mid(from, field - from)), false);
            ++calls_;
            footer->insertTextContent(at.get(), pageField(field == number), false);
            from = field + 2;
        }
        ++calls_;
        footer->insertString(at.get(), toOu(pattern.mid(from)), false);
    }

    // A field that shows the page's number, or the document's number of pages.
    Reference<css::text::XTextContent> pageField(bool thisPage) {
        ++calls_;
        Reference<css::uno::XInterface> created =
            factory()->createInstance(thisPage ? OUString("com.sun.star.text.TextField.PageNumber")
                                               : OUString("com.sun.star.text.TextField.PageCount"));
        auto field = query<css::beans::XPropertySet>(created);
        ++calls_;
        field->setPropertyValue("NumberingType", Any(css::style::NumberingType::ARABIC));
        if (thisPage) {
            ++calls_;
            field->setPropertyValue("SubType", Any(css::text::PageNumberType_CURRENT));
        }
        return query<css::text::XTextContent>(created);
    }

    // The face the document's text was given last: its tables and footer take it too.
    std::optional<QString> documentFace() const {
        return pendingFontName_ ? pendingFontName_ : appliedFontName_;
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
            QString numbered = info.dir().filePath(
                QStringLiteral("%1 (%2)%3").arg(info.completeBaseName()).arg(n).arg(suffix));
            if (!QFileInfo::exists(numbered) && !openUnder(numbered).is()) return numbered;
        }
    }

    // The document of this office, other than the current one, whose file is `path`.
    Reference<css::lang::XComponent> openUnder(const QString& path) {
        const QString wanted = QFileInfo(path).absoluteFilePath();
        ++calls_;
        Reference<css::container::XEnumerationAccess> all =
            connection_.office()->desktop->getComponents();
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

    // A disposed object: the office is gone, or only the document (closed by the user).
    void officeLost() {
        forgetDocument();
        connection_.dropIfGone();
    }

    void forgetDocument() {
        typed_.clear();
        forgetTable();
        if (document_.is()) --documentsBeingWritten();
        document_.clear();
        text_.clear();
        cursor_.clear();
        cursorProperties_.clear();
        paragraph_.clear();
        paragraphProperties_.clear();
        paragraphLength_ = 0;
        factory_.clear();
        controllerProperties_.clear();
        pageStyle_.clear();
        viewCursor_.clear();
        tables_.clear();
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
            values.reserve(rowTexts.size());
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
        Office& office = *connection_.office();
        if (!office.graphics.is()) {
            calls_ += 3;  // the service manager, the new provider, its interface
            office.graphics = css::graphic::GraphicProvider::create(office.context);
        }
        return office.graphics;
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

    // Cells that read: the document's face at the table's size, at the left and unhyphenated
    // (a narrow column justified or hyphenated is hard to read).
    void cellLook() {
        ++calls_;
        Reference<css::table::XCellRange> all =
            tableCells_->getCellRangeByPosition(0, 0, columnCount() - 1, rowCount() - 1);
        tableFont_ = query<css::beans::XPropertySet>(all);
        if (tableFontSize_) applyTableFontSize();
        if (const std::optional<QString> face = documentFace()) {
            ++calls_;
            tableFont_->setPropertyValue("CharFontName", Any(toOu(*face)));
        }
        ++calls_;
        tableFont_->setPropertyValue("ParaAdjust",
                                     Any(static_cast<sal_Int16>(css::style::ParagraphAdjust_LEFT)));
        ++calls_;
        tableFont_->setPropertyValue("ParaIsHyphenation", Any(false));
        tables_.push_back(tableFont_);
    }

    // Room between the texts and the borders, columns as wide as their texts need, and the
    // header row again at the top of each page the table goes on to.
    void tableLook() {
        std::vector<QStringList> rows;
        rows.reserve(tableTexts_.size());
        for (const std::vector<QString>& row : tableTexts_)
            rows.emplace_back(row.begin(), row.end());
        const double available = textWidth();
        const double em = tableFontSize_.value_or(12) * kHundredthMmPerPoint;
        css::table::TableBorderDistances distances;
        distances.LeftDistance = distances.RightDistance = kCellPadding;
        distances.TopDistance = distances.BottomDistance = kCellPaddingVertical;
        distances.IsLeftDistanceValid = distances.IsRightDistanceValid = true;
        distances.IsTopDistanceValid = distances.IsBottomDistanceValid = true;
        auto table = query<css::beans::XPropertySet>(table_);
        ++calls_;
        table->setPropertyValue("RepeatHeadline", Any(true));
        ++calls_;
        table->setPropertyValue("TableBorderDistances", Any(distances));
        if (available <= 0) return;  // a page without a text area: the columns stay as they are
        const std::vector<double> widths = columnWidths(rows, available, em, 2.0 * kCellPadding);
        std::vector<css::text::TableColumnSeparator> separators;
        double edge = 0;
        for (std::size_t c = 0; c + 1 < widths.size(); ++c) {
            edge += widths[c];
            separators.emplace_back(
                static_cast<sal_Int16>(std::lround(edge / available * kColumnWholeParts)), true);
        }
        ++calls_;
        table->setPropertyValue("TableColumnSeparators", Any(sequenceOf(separators)));
    }

    // The size a picture is laid out at: its own size on paper when it has one (a metafile's
    // frame, such as the vector twin's, or a bitmap that says its resolution); a bitmap that
    // does not, at 96 dpi.
    css::awt::Size placedSize(const Reference<css::graphic::XGraphic>& graphic) {
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
        return hasSize ? fitted(natural) : hasPixels ? pictureSize(pixels) : fitted(natural);
    }

    // A bitmap at 96 dpi (the size Writer gives it by itself is a fixed square).
    css::awt::Size pictureSize(const css::awt::Size& pixels) {
        return fitted(css::awt::Size(pixels.Width * kHundredthMmPerInch / kPictureDpi,
                                     pixels.Height * kHundredthMmPerInch / kPictureDpi));
    }

    // A size in 1/100 mm made smaller, in proportion, to the width of the page's text area.
    css::awt::Size fitted(const css::awt::Size& size) {
        if (size.Width <= 0 || size.Height <= 0)
            throw WordFailure{Kind::Failed, QStringLiteral("The picture has no size")};
        const double available = textWidth();
        if (available <= 0 || size.Width <= available) return size;
        return css::awt::Size(
            static_cast<sal_Int32>(available),
            static_cast<sal_Int32>(std::lround(size.Height * available / size.Width)));
    }

    // The page style of the document's pages.
    Reference<css::beans::XPropertySet> standardPageStyle() {
        if (!pageStyle_.is()) {
            auto families = query<css::style::XStyleFamiliesSupplier>(document_);
            ++calls_;
            Reference<css::container::XNameAccess> all = families->getStyleFamilies();
            ++calls_;
            Any pageStyles = all->getByName("PageStyles");
            auto pages = query<css::container::XNameAccess>(
                pageStyles.get<Reference<css::uno::XInterface>>());
            ++calls_;
            Any standard = pages->getByName("Standard");
            pageStyle_ =
                query<css::beans::XPropertySet>(standard.get<Reference<css::uno::XInterface>>());
        }
        return pageStyle_;
    }

    // The width of the text area of the document's page style, in 1/100 mm.
    double textWidth() {
        if (!textWidth_) {
            auto page = query<css::beans::XMultiPropertySet>(standardPageStyle());
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
    long long calls_ = 0;
    OfficeConnection connection_{calls_};  // the office, shared with the program's other back-ends

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
    Reference<css::beans::XPropertySet> pageStyle_;
    Reference<css::text::XTextViewCursor> viewCursor_;
    std::vector<Reference<css::beans::XPropertySet>> tables_;  // every cell of each table
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

}  // namespace zelmor::reports::office

// Process-wide choices (SIGPIPE among them) are the program's, made before it loads this plugin.
extern "C" SAL_DLLPUBLIC_EXPORT zelmor::reports::OfficePlugin* zelmor_create_writer(
    bool hidden) noexcept {
    try {
        return new zelmor::reports::office::LibreOfficeWriter(hidden);
    } catch (...) {
        return nullptr;
    }
}
