// The LibreOffice Writer back-end against a real office.
//
// Documents are written through makeOfficeWordProcessor() (the plugin beside the test, as the
// program loads it), saved as Word 97 documents and read back by a second office that the test
// drives itself: paragraphs, fonts, page breaks, tables, pictures and the text as the office
// converts it. Both offices run hidden on temporary profiles; the whole run shares one office
// for the back-end, apart from the tests that end or kill it.

#include "geometry/bmp.h"
#include "help/helppages.h"
#include "model/cp1252.h"
#include "model/model.h"
#include "model/modelwords.h"
#include "reports/officewordprocessor.h"
#include "reports/reports.h"
#include "toolkit/emfdevice.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <sys/mount.h>
#include <unistd.h>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

// Readable failures.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) *out << '"' << text.toStdString() << "\" ";
    *out << '}';
}

namespace {

using zelmor::reports::OfficeWordProcessor;
using zelmor::reports::WordError;
using Kind = WordError::Kind;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

constexpr QChar kCR(13);
constexpr QChar kFF(12);

// --- the scratch folder and the profiles -----------------------------------------------------

QTemporaryDir* gScratch = nullptr;

QString scratchPath(const QString& name) {
    return gScratch->filePath(name);
}

QString profileUrl(const QString& name) {
    return QUrl::fromLocalFile(scratchPath(name)).toString(QUrl::FullyEncoded);
}

// The profile of the office under test; the reader's office has another one.
QString testProfile() {
    return profileUrl(QStringLiteral("profile-writer"));
}

OUString toOu(const QString& text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()),
                    static_cast<sal_Int32>(text.size()));
}

QString toQt(const OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

// --- pictures --------------------------------------------------------------------------------

// A 24-bit Windows bitmap of the given size with a few coloured bands, at 96 dpi: what the
// program stores as the model picture.
QByteArray bitmap(int width, int height) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    QByteArray out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    out.append("BM", 2);
    put(54 + pixels, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixels, 4);
    put(3780, 4);
    put(3780, 4);
    put(0, 4);
    put(0, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int band = (x / 40 + y / 40) % 3;
            out.append(static_cast<char>(band == 0 ? 200 : 30));
            out.append(static_cast<char>(band == 1 ? 200 : 30));
            out.append(static_cast<char>(band == 2 ? 200 : 240));
        }
        out.append(QByteArray(static_cast<qsizetype>(stride) - qsizetype{3} * width, '\0'));
    }
    return out;
}

// The picture written under a .jpg name, as the program names the model picture.
QString pictureFile(int width, int height) {
    QString path = scratchPath(QStringLiteral("model-%1x%2.jpg").arg(width).arg(height));
    if (!QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bitmap(width, height)) < 0) return {};
    }
    return path;
}

// --- the offices ---------------------------------------------------------------------------

// The back-end under test, shared by the tests as the program shares it between reports.
std::unique_ptr<OfficeWordProcessor>& sharedWord() {
    static std::unique_ptr<OfficeWordProcessor> word =
        zelmor::reports::makeOfficeWordProcessor(true);
    return word;
}

OfficeWordProcessor& word() {
    return *sharedWord();
}

// The office processes running on the test's profile.
std::vector<pid_t> officeProcesses() {
    std::vector<pid_t> found;
    const QByteArray wanted = QByteArrayLiteral("UserInstallation=") + testProfile().toUtf8();
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const int pid = entry.toInt(&number);
        if (!number) continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly) || !cmdline.readAll().contains("soffice.bin"))
            continue;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!environ.open(QIODevice::ReadOnly)) continue;
        if (environ.readAll().split('\0').contains(wanted)) found.push_back(pid);
    }
    return found;
}

// Whether the office under test has gone within a few seconds.
bool officeGone() {
    for (int i = 0; i < 250 && !officeProcesses().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return officeProcesses().empty();
}

// Kills the office under test as a crash would, and waits until it is gone.
int killOffice() {
    const std::vector<pid_t> pids = officeProcesses();
    for (pid_t pid : pids) ::kill(pid, SIGKILL);
    officeGone();
    return static_cast<int>(pids.size());
}

// What a saved document holds, as a second office reads it.
struct Portion {
    QString text;
    QString type;  // "Text", "Frame" (a picture), ...
    float height = 0;
    float weight = 0;
    QString font;
    QString language;  // "it-IT"
};

struct Paragraph {
    QString text;
    int table = -1;  // the index of the table standing here instead of a paragraph
    css::style::BreakType breakType = css::style::BreakType_NONE;
    sal_Int16 adjust = 0;
    bool hyphenated = false;
    bool keptWithNext = false;
    sal_Int16 outlineLevel = 0;
    std::vector<Portion> portions;
    bool hasPicture() const {
        for (const Portion& p : portions)
            if (p.type == QLatin1String("Frame")) return true;
        return false;
    }
};

struct Cell {
    QString text;
    sal_Int32 background = -1;
    sal_Int32 leftPadding = 0;
    sal_Int32 rightPadding = 0;
    std::vector<Paragraph> paragraphs;
};

struct Table {
    int rows = 0;
    int columns = 0;
    bool repeatsHeader = false;
    std::vector<double> widths;  // of the columns, as parts of the table's width
    std::vector<std::vector<Cell>> cells;
    const Cell& at(int row, int column) const {
        return cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
};

struct Picture {
    css::awt::Size size;    // on the page, 1/100 mm
    css::awt::Size pixels;  // of the bitmap embedded
    QString mimeType;
};

struct Document {
    std::vector<Paragraph> body;
    std::vector<Table> tables;
    std::vector<Picture> pictures;
    int pages = 0;
    QString plainText;  // the document converted to text, one line per paragraph
    QString title;
    QString author;
    QString standardLanguage;  // of the default paragraph style

    // Every paragraph of the body and of the tables' cells.
    std::vector<const Paragraph*> allParagraphs() const {
        std::vector<const Paragraph*> out;
        for (const Paragraph& p : body)
            if (p.table < 0) out.push_back(&p);
        for (const Table& t : tables)
            for (const auto& row : t.cells)
                for (const Cell& c : row)
                    for (const Paragraph& p : c.paragraphs) out.push_back(&p);
        return out;
    }

    QStringList texts() const {
        QStringList out;
        for (const Paragraph& p : body)
            out << (p.table >= 0 ? QStringLiteral("[table %1]").arg(p.table) : p.text);
        return out;
    }
    int indexOf(const QString& text) const {
        for (std::size_t i = 0; i < body.size(); ++i)
            if (body[i].table < 0 && body[i].text == text) return static_cast<int>(i);
        return -1;
    }
};

Paragraph readParagraph(const Reference<css::uno::XInterface>& element) {
    Paragraph paragraph;
    Reference<css::text::XTextRange> range(element, UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> properties(element, UNO_QUERY_THROW);
    paragraph.text = toQt(range->getString());
    properties->getPropertyValue("BreakType") >>= paragraph.breakType;
    properties->getPropertyValue("ParaAdjust") >>= paragraph.adjust;
    properties->getPropertyValue("ParaIsHyphenation") >>= paragraph.hyphenated;
    properties->getPropertyValue("ParaKeepTogether") >>= paragraph.keptWithNext;
    properties->getPropertyValue("OutlineLevel") >>= paragraph.outlineLevel;
    Reference<css::container::XEnumerationAccess> portions(element, UNO_QUERY_THROW);
    Reference<css::container::XEnumeration> each = portions->createEnumeration();
    while (each->hasMoreElements()) {
        Reference<css::text::XTextRange> portionRange(each->nextElement(), UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> portionProperties(portionRange, UNO_QUERY_THROW);
        Portion portion;
        portion.text = toQt(portionRange->getString());
        OUString type;
        OUString font;
        portionProperties->getPropertyValue("TextPortionType") >>= type;
        portionProperties->getPropertyValue("CharHeight") >>= portion.height;
        portionProperties->getPropertyValue("CharWeight") >>= portion.weight;
        portionProperties->getPropertyValue("CharFontName") >>= font;
        portion.type = toQt(type);
        css::lang::Locale locale;
        portionProperties->getPropertyValue("CharLocale") >>= locale;
        portion.language = toQt(locale.Language) + QLatin1Char('-') + toQt(locale.Country);
        // A Word document keeps a substitute after the name ("Liberation Serif;Times New Roman").
        portion.font = toQt(font).section(QLatin1Char(';'), 0, 0);
        paragraph.portions.push_back(portion);
    }
    return paragraph;
}

std::vector<Paragraph> readParagraphs(const Reference<css::text::XText>& text) {
    std::vector<Paragraph> out;
    Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
    Reference<css::container::XEnumeration> each = access->createEnumeration();
    while (each->hasMoreElements()) {
        Reference<css::lang::XServiceInfo> element(each->nextElement(), UNO_QUERY_THROW);
        if (element->supportsService("com.sun.star.text.TextTable")) {
            Paragraph marker;
            marker.table = -2;  // numbered by the caller
            out.push_back(marker);
        } else {
            out.push_back(readParagraph(element));
        }
    }
    return out;
}

Table readTable(const Reference<css::text::XTextTable>& table) {
    Table out;
    out.rows = table->getRows()->getCount();
    out.columns = table->getColumns()->getCount();
    Reference<css::beans::XPropertySet> tableProperties(table, UNO_QUERY_THROW);
    tableProperties->getPropertyValue("RepeatHeadline") >>= out.repeatsHeader;
    css::uno::Sequence<css::text::TableColumnSeparator> separators;
    tableProperties->getPropertyValue("TableColumnSeparators") >>= separators;
    sal_Int16 whole = 0;
    tableProperties->getPropertyValue("TableColumnRelativeSum") >>= whole;
    double edge = 0;
    for (const css::text::TableColumnSeparator& separator : separators) {
        out.widths.push_back((separator.Position - edge) / whole);
        edge = separator.Position;
    }
    out.widths.push_back((whole - edge) / whole);
    Reference<css::table::XCellRange> cells(table, UNO_QUERY_THROW);
    for (int r = 0; r < out.rows; ++r) {
        std::vector<Cell> row;
        for (int c = 0; c < out.columns; ++c) {
            Reference<css::table::XCell> cell = cells->getCellByPosition(c, r);
            Reference<css::text::XText> text(cell, UNO_QUERY_THROW);
            Reference<css::beans::XPropertySet> properties(cell, UNO_QUERY_THROW);
            Cell read;
            read.text = toQt(text->getString());
            properties->getPropertyValue("BackColor") >>= read.background;
            properties->getPropertyValue("LeftBorderDistance") >>= read.leftPadding;
            properties->getPropertyValue("RightBorderDistance") >>= read.rightPadding;
            read.paragraphs = readParagraphs(text);
            row.push_back(read);
        }
        out.cells.push_back(row);
    }
    return out;
}

// A second office, on a profile of its own, that reads back what the back-end saved.
class Reader {
  public:
    Document read(const QString& path) {
        connect();
        std::vector<css::beans::PropertyValue> arguments{
            css::beans::PropertyValue("Hidden", -1, Any(true),
                                      css::beans::PropertyState_DIRECT_VALUE),
            css::beans::PropertyValue("ReadOnly", -1, Any(true),
                                      css::beans::PropertyState_DIRECT_VALUE)};
        Reference<css::lang::XComponent> component = desktop_->loadComponentFromURL(
            toOu(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)), "_blank", 0,
            css::uno::Sequence<css::beans::PropertyValue>(arguments.data(), 2));
        Document document;
        Reference<css::text::XTextDocument> textDocument(component, UNO_QUERY_THROW);
        document.body = readParagraphs(textDocument->getText());

        Reference<css::container::XEnumerationAccess> access(textDocument->getText(),
                                                             UNO_QUERY_THROW);
        Reference<css::container::XEnumeration> each = access->createEnumeration();
        std::size_t index = 0;
        while (each->hasMoreElements()) {
            Any element = each->nextElement();
            Reference<css::text::XTextTable> table(element, css::uno::UNO_QUERY);
            if (table.is()) {
                document.body[index].table = static_cast<int>(document.tables.size());
                document.tables.push_back(readTable(table));
            }
            ++index;
        }

        Reference<css::text::XTextGraphicObjectsSupplier> graphics(component, UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> objects(graphics->getGraphicObjects(),
                                                        UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < objects->getCount(); ++i) {
            Reference<css::beans::XPropertySet> object(objects->getByIndex(i), UNO_QUERY_THROW);
            Picture picture;
            object->getPropertyValue("Size") >>= picture.size;
            Reference<css::beans::XPropertySet> graphic(object->getPropertyValue("Graphic"),
                                                        UNO_QUERY_THROW);
            graphic->getPropertyValue("SizePixel") >>= picture.pixels;
            OUString mime;
            graphic->getPropertyValue("MimeType") >>= mime;
            picture.mimeType = toQt(mime);
            document.pictures.push_back(picture);
        }

        Reference<css::frame::XModel> model(component, UNO_QUERY_THROW);
        Reference<css::beans::XPropertySet> controller(model->getCurrentController(),
                                                       UNO_QUERY_THROW);
        sal_Int32 pages = 0;
        controller->getPropertyValue("PageCount") >>= pages;
        document.pages = pages;

        Reference<css::document::XDocumentPropertiesSupplier> info(component, UNO_QUERY_THROW);
        document.title = toQt(info->getDocumentProperties()->getTitle());
        document.author = toQt(info->getDocumentProperties()->getAuthor());

        const QString textPath = path + QStringLiteral(".txt");
        std::vector<css::beans::PropertyValue> textFilter{
            css::beans::PropertyValue("FilterName", -1, Any(OUString("Text (encoded)")),
                                      css::beans::PropertyState_DIRECT_VALUE),
            css::beans::PropertyValue("FilterOptions", -1, Any(OUString("UTF8,LF,,")),
                                      css::beans::PropertyState_DIRECT_VALUE)};
        Reference<css::frame::XStorable>(component, UNO_QUERY_THROW)
            ->storeToURL(toOu(QUrl::fromLocalFile(textPath).toString(QUrl::FullyEncoded)),
                         css::uno::Sequence<css::beans::PropertyValue>(textFilter.data(), 2));
        QFile text(textPath);
        if (text.open(QIODevice::ReadOnly)) document.plainText = QString::fromUtf8(text.readAll());
        // The default paragraph style's language, as the office's own format writes it.
        const QString flatPath = path + QStringLiteral(".fodt");
        std::vector<css::beans::PropertyValue> flatFilter{
            css::beans::PropertyValue("FilterName", -1, Any(OUString("OpenDocument Text Flat XML")),
                                      css::beans::PropertyState_DIRECT_VALUE)};
        Reference<css::frame::XStorable>(component, UNO_QUERY_THROW)
            ->storeToURL(toOu(QUrl::fromLocalFile(flatPath).toString(QUrl::FullyEncoded)),
                         css::uno::Sequence<css::beans::PropertyValue>(flatFilter.data(), 1));
        QFile flat(flatPath);
        if (flat.open(QIODevice::ReadOnly)) {
            const QString xml = QString::fromUtf8(flat.readAll());
            const QRegularExpression language(
                QStringLiteral("fo:language=\"(\\w+)\" fo:country=\"(\\w+)\""));
            const QRegularExpression standard(
                QStringLiteral("<style:style style:name=\"Standard\".*?</style:style>"),
                QRegularExpression::DotMatchesEverythingOption);
            const QRegularExpressionMatch normal = language.match(standard.match(xml).captured(0));
            if (normal.hasMatch())
                document.standardLanguage =
                    normal.captured(1) + QLatin1Char('-') + normal.captured(2);
        }

        Reference<css::util::XCloseable>(component, UNO_QUERY_THROW)->close(true);
        return document;
    }

    // Ends the reader's office and waits until it has let go of its profile.
    void shutdown() {
        if (!desktop_.is()) return;
        try {
            desktop_->terminate();
            for (int i = 0; i < 500; ++i) {
                desktop_->getName();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        } catch (const css::uno::Exception&) {
        }
        desktop_.clear();
    }

  private:
    void connect() {
        if (desktop_.is()) return;
        // The office started here inherits the environment: its own profile, then the test's
        // back again.
        // It lays the pages out with the fonts the back-end's office has (the reports' face
        // drawn by its substitute), so that both count the same pages.
        const QByteArray saved = qgetenv("UserInstallation");
        const QByteArray savedFonts = qgetenv("FONTCONFIG_FILE");
        qputenv("UserInstallation", profileUrl(QStringLiteral("profile-reader")).toUtf8());
        const QString fonts =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
            QStringLiteral("/zelmor/fonts.conf");
        if (QFileInfo::exists(fonts)) qputenv("FONTCONFIG_FILE", fonts.toUtf8());
        Reference<css::uno::XComponentContext> context = cppu::bootstrap();
        qputenv("UserInstallation", saved);
        if (savedFonts.isEmpty()) {
            qunsetenv("FONTCONFIG_FILE");
        } else {
            qputenv("FONTCONFIG_FILE", savedFonts);
        }
        desktop_ = css::frame::Desktop::create(context);
    }

    Reference<css::frame::XDesktop2> desktop_;
};

Reader& reader() {
    static Reader instance;
    return instance;
}

class OfficeEnvironment : public ::testing::Environment {
  public:
    void TearDown() override {
        try {
            word().shutdown();
        } catch (const WordError& e) {
            std::cerr << "office shutdown: " << e.what() << "\n";
        }
        reader().shutdown();
    }
};

// --- fixtures -------------------------------------------------------------------------------

// Each test writes into a new document of the shared office and reads back what it saved.
class WriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        word().start();
        word().show();
        word().addDocument();
    }
    void TearDown() override {
        try {
            word().closeDocument();
        } catch (const WordError&) {
        }
    }

    Document saveAndRead() {
        const QString path = scratchPath(
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
            QStringLiteral(".doc"));
        word().save(path);
        return reader().read(path);
    }
};

// --- typing ---------------------------------------------------------------------------------

using Typing = WriterTest;

TEST_F(Typing, TextComesInParagraphsWithTheFontChosenBeforeIt) {
    word().fontName(QStringLiteral("Century Gothic"));
    word().fontSize(20);
    word().type(QStringLiteral("Zelmor") + kCR);
    word().fontSize(16);
    word().type(QStringLiteral("sottotitolo") + kCR + kCR);
    word().type(QStringLiteral("ancora sedici") + kCR);
    word().fontName(QStringLiteral("Liberation Serif"));
    word().fontSize(12);
    word().type(QStringLiteral("dodici, "));
    word().type(QStringLiteral("stesso paragrafo"));

    const Document doc = saveAndRead();
    EXPECT_EQ(doc.texts(), (QStringList{"Zelmor", "sottotitolo", "", "ancora sedici",
                                        "dodici, stesso paragrafo"}));
    const std::vector<std::pair<int, float>> sizes{{0, 20}, {1, 16}, {3, 16}, {4, 12}};
    for (const auto& [index, size] : sizes) {
        const Paragraph& p = doc.body[static_cast<std::size_t>(index)];
        ASSERT_FALSE(p.portions.empty()) << p.text.toStdString();
        for (const Portion& portion : p.portions) {
            EXPECT_FLOAT_EQ(portion.height, size) << portion.text.toStdString();
            EXPECT_EQ(portion.font, index < 4 ? QStringLiteral("Century Gothic")
                                              : QStringLiteral("Liberation Serif"))
                << portion.text.toStdString();
        }
    }
}

TEST_F(Typing, FormFeedStartsANewPageOnlyForTheTextAfterIt) {
    word().type(QStringLiteral("pagina uno") + kCR + QStringLiteral("ancora uno") + kFF);
    word().type(QStringLiteral("pagina due") + kCR + QStringLiteral("ancora due") + kCR);
    word().type(QStringLiteral("fine due") + kFF + QStringLiteral("pagina tre"));
    EXPECT_EQ(word().countPages(), 3);

    const Document doc = saveAndRead();
    EXPECT_EQ(doc.texts(), (QStringList{"pagina uno", "ancora uno", "pagina due", "ancora due",
                                        "fine due", "pagina tre"}));
    QStringList breaks;
    for (const Paragraph& p : doc.body)
        if (p.breakType == css::style::BreakType_PAGE_BEFORE) breaks << p.text;
    EXPECT_EQ(breaks, (QStringList{"pagina due", "pagina tre"}));
    EXPECT_EQ(doc.pages, 3);
}

TEST_F(Typing, AFontChosenAgainIsNotSentAgain) {
    word().fontName(QStringLiteral("Century Gothic"));
    word().fontSize(14);
    word().type(QStringLiteral("uno"));
    word().countPages();
    const long long before = word().bridgeCalls();
    word().fontName(QStringLiteral("Century Gothic"));
    word().fontSize(14);
    word().type(QStringLiteral(" due") + kCR + QStringLiteral("tre"));
    word().countPages();
    EXPECT_EQ(word().bridgeCalls() - before, 2);  // the text alone, with the page count

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.body.size(), 2U);
    for (const Paragraph& p : doc.body)
        for (const Portion& portion : p.portions) EXPECT_FLOAT_EQ(portion.height, 14);
}

TEST_F(Typing, AnAppendedParagraphStaysAfterTheInsertionPoint) {
    word().fontSize(11);
    word().type(QStringLiteral("uno") + kCR);
    word().appendParagraph();
    word().paragraphFontSize(9);
    word().type(QStringLiteral("due") + kCR);
    word().paragraphText(QStringLiteral("ultimo") + kCR + QStringLiteral("penultimo no, ultimo"));
    word().type(QStringLiteral("tre"));

    const Document doc = saveAndRead();
    EXPECT_EQ(doc.texts(), (QStringList{"uno", "due", "tre", "ultimo", "penultimo no, ultimo"}));
    for (const char* text : {"ultimo", "penultimo no, ultimo"}) {
        const Paragraph& p = doc.body[static_cast<std::size_t>(doc.indexOf(text))];
        ASSERT_FALSE(p.portions.empty());
        for (const Portion& portion : p.portions) EXPECT_FLOAT_EQ(portion.height, 9) << text;
    }
    for (const Portion& portion : doc.body[2].portions) EXPECT_FLOAT_EQ(portion.height, 11);
}

TEST_F(Typing, AParagraphSizeAlsoTakesTheTextAlreadyInIt) {
    word().type(QStringLiteral("testo"));
    word().appendParagraph();
    word().paragraphText(QStringLiteral("uno") + kCR + QStringLiteral("due"));
    word().paragraphFontSize(18);
    word().paragraphText(QStringLiteral(" e tre"));

    const Document doc = saveAndRead();
    EXPECT_EQ(doc.texts(), (QStringList{"testo", "uno", "due e tre"}));
    for (std::size_t i = 1; i < 3; ++i)
        for (const Portion& portion : doc.body[i].portions)
            EXPECT_FLOAT_EQ(portion.height, 18) << portion.text.toStdString();
    for (const Portion& portion : doc.body[0].portions) EXPECT_FLOAT_EQ(portion.height, 12);
}

// --- tables ---------------------------------------------------------------------------------

using Tables = WriterTest;

void fillTable(const std::vector<QStringList>& rows) {
    word().addTable(static_cast<int>(rows.size()), static_cast<int>(rows.front().size()));
    word().tableFontSize(10);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            word().cell(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c]);
}

TEST_F(Tables, ColouredFormatKeepsTextsSizeAndBandingToTheLastRow) {
    word().type(QStringLiteral("prima della tabella") + kCR);
    word().appendParagraph();
    const std::vector<QStringList> rows{
        {"n. sottosistema", "valore"}, {" 1", " 3"}, {" 2", " 3"}, {" 3", " 3"}, {" 4", "forte "}};
    fillTable(rows);
    word().autoformat(9);

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.tables.size(), 1U);
    const Table& table = doc.tables[0];
    ASSERT_EQ(table.rows, 5);
    ASSERT_EQ(table.columns, 2);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 2; ++c) {
            const Cell& cell = table.at(r, c);
            EXPECT_EQ(cell.text, rows[static_cast<std::size_t>(r)][c]) << r << "," << c;
            for (const Paragraph& p : cell.paragraphs)
                for (const Portion& portion : p.portions)
                    EXPECT_FLOAT_EQ(portion.height, 10) << r << "," << c;
        }
    }
    // A coloured header row in bold; the last row banded like the body, not a bold total.
    const sal_Int32 header = table.at(0, 0).background;
    EXPECT_NE(header, -1);
    EXPECT_NE(header, 0xFFFFFF);
    EXPECT_NE(header, table.at(1, 0).background);
    ASSERT_FALSE(table.at(0, 0).paragraphs.at(0).portions.empty());
    EXPECT_GT(table.at(0, 0).paragraphs[0].portions[0].weight, 100);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(table.at(4, c).background, table.at(2, c).background);
        EXPECT_NE(table.at(4, c).background, table.at(3, c).background);
        for (const Portion& portion : table.at(4, c).paragraphs.at(0).portions)
            EXPECT_LE(portion.weight, 100) << "last row, column " << c;
    }
    // The table follows the text, after the paragraph appended for it.
    EXPECT_EQ(doc.texts().mid(0, 3), (QStringList{"prima della tabella", "", "[table 0]"}));
}

// Cells that read: padded, at the left, unhyphenated, in the document's face; columns as wide
// as their texts need; the header row repeated on each page the table reaches.
TEST_F(Tables, ReadInTheDocumentsFaceWithColumnsAsWideAsTheirTexts) {
    word().fontName(QStringLiteral("Century Gothic"));
    word().fontSize(12);
    word().type(QStringLiteral("dati") + kCR);
    word().appendParagraph();
    std::vector<QStringList> rows{
        {"n. sottosistema", "tipologia", "denominazione", "valore", "legami tra sottosistemi"}};
    for (int i = 1; i <= 60; ++i)  // longer than a page
        rows.push_back({QStringLiteral(" %1").arg(i), "attività commerciali",
                        "quartiere Sant'Anna nord", "debole", "con 1, 2, 3, 4, 5, 6, 7, 8"});
    fillTable(rows);
    word().autoformat(9);
    word().justifyAll();

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.tables.size(), 1U);
    const Table& table = doc.tables[0];
    EXPECT_TRUE(table.repeatsHeader);
    EXPECT_GE(doc.pages, 2);
    for (const auto& row : table.cells)
        for (const Cell& cell : row) {
            EXPECT_GE(cell.leftPadding, 100) << cell.text.toStdString();
            EXPECT_GE(cell.rightPadding, 100) << cell.text.toStdString();
            for (const Paragraph& p : cell.paragraphs) {
                EXPECT_EQ(p.adjust, static_cast<sal_Int16>(css::style::ParagraphAdjust_LEFT));
                EXPECT_FALSE(p.hyphenated) << p.text.toStdString();
                for (const Portion& portion : p.portions) {
                    EXPECT_EQ(portion.font, QStringLiteral("Century Gothic"));
                    EXPECT_FLOAT_EQ(portion.height, 10);
                }
            }
        }
    // Narrow where the texts are short, and every text on one line when they all fit.
    ASSERT_EQ(table.widths.size(), 5U);
    EXPECT_LT(table.widths[0], 0.2);
    EXPECT_LT(table.widths[3], 0.15);
    EXPECT_GT(table.widths[2], table.widths[0]);
    EXPECT_GT(table.widths[2], table.widths[3]);
    EXPECT_GT(table.widths[4], table.widths[3]);
    const QStringList lines = doc.plainText.split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("quartiere Sant'Anna nord")));
}

TEST_F(Tables, OtherFormatsGiveThePlainStyleAndKeepTheTexts) {
    const std::vector<QStringList> rows{{"a", "b", "c"}, {" 1", "2,5", " x "}};
    fillTable(rows);
    word().autoformat(1);

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.tables.size(), 1U);
    ASSERT_EQ(doc.tables[0].rows, 2);
    ASSERT_EQ(doc.tables[0].columns, 3);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(doc.tables[0].at(r, c).text, rows[static_cast<std::size_t>(r)][c]);
    EXPECT_NE(doc.tables[0].at(0, 0).background, 13506590);  // not the red one
}

TEST_F(Tables, CellsOutsideTheTableAreRefused) {
    word().addTable(2, 2);
    try {
        word().cell(3, 1, QStringLiteral("x"));
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Failed);
    }
}

// --- pictures -------------------------------------------------------------------------------

using Pictures = WriterTest;

// The model picture's size at 96 pixels per inch, in whole hundredths of a millimetre.
constexpr int kPictureWidth = 632 * 2540 / 96;
constexpr int kPictureHeight = 428 * 2540 / 96;

TEST_F(Pictures, APictureGoesInlineAtItsSizeWithTheTextAroundIt) {
    const QString picture = pictureFile(632, 428);
    ASSERT_FALSE(picture.isEmpty());
    word().type(QStringLiteral("prima") + kCR);
    word().addPicture(picture, {});
    word().type(QStringLiteral(" dopo"));

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.pictures.size(), 1U);
    const css::awt::Size size = doc.pictures[0].size;
    EXPECT_NEAR(size.Width, kPictureWidth, 30);
    EXPECT_NEAR(size.Height, kPictureHeight, 30);
    ASSERT_EQ(doc.body.size(), 2U);
    EXPECT_TRUE(doc.body[1].hasPicture());
    EXPECT_EQ(doc.body[1].text.trimmed(), QStringLiteral("dopo"));
    ASSERT_GE(doc.body[1].portions.size(), 2U);
    EXPECT_EQ(doc.body[1].portions.front().type, QStringLiteral("Frame"));
}

// The vector twin of the model picture goes in its place, at the same size on the page, and the
// saved document keeps it as a drawing; a twin that belongs to another picture does not.
TEST_F(Pictures, TheVectorTwinIsLaidOutAtThePicturesSizeAndStaysADrawing) {
    QImage image(632, 428, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QString picture = scratchPath(QStringLiteral("schema.jpg"));
    QByteArray written;
    ASSERT_TRUE(zelmor::geometry::savePicture(image, picture, nullptr, &written));
    // A drawing of the picture's size on paper, in 1/100 mm.
    const QSize frame(16722, 11324);
    zelmor::tk::EmfDevice twin(
        frame, frame, QStringLiteral("Zelmor"),
        zelmor::geometry::twinPictureName(zelmor::geometry::pictureDigest(written)));
    QPainter painter(&twin);
    painter.setPen(QPen(Qt::red, 50));
    painter.setBrush(Qt::green);
    painter.drawRect(QRect(QPoint(500, 500), frame / 2));
    painter.drawEllipse(QRect(QPoint(9000, 6000), frame / 3));
    painter.end();
    ASSERT_TRUE(zelmor::geometry::saveVectorTwin(twin.bytes(), picture));
    word().addPicture(picture, {});
    word().type(QString(kCR));
    // Its PDF copy draws it: no image at all.
    const QString pdf = scratchPath(QStringLiteral("schema.pdf"));
    word().exportPdf(pdf);
    word().settle();
    QFile exported(pdf);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QByteArray pdfBytes = exported.readAll();
    EXPECT_TRUE(pdfBytes.startsWith("%PDF-"));
    EXPECT_FALSE(pdfBytes.contains("/Subtype/Image"));
    image.fill(Qt::yellow);  // a new drawing whose twin could not be written
    ASSERT_TRUE(zelmor::geometry::savePicture(image, picture));
    word().addPicture(picture, {});

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.pictures.size(), 2U);
    // Word's own vector formats: the .doc keeps the metafile (as a WMF record of it).
    EXPECT_TRUE(doc.pictures[0].mimeType == QStringLiteral("image/x-emf") ||
                doc.pictures[0].mimeType == QStringLiteral("image/x-wmf"))
        << doc.pictures[0].mimeType.toStdString();
    EXPECT_NE(doc.pictures[1].mimeType, doc.pictures[0].mimeType);
    EXPECT_EQ(doc.pictures[1].pixels.Width, 632);
    for (const Picture& p : doc.pictures) {
        EXPECT_NEAR(p.size.Width, kPictureWidth, 30);
        EXPECT_NEAR(p.size.Height, kPictureHeight, 30);
    }
}

TEST_F(Pictures, APictureWiderThanThePageIsScaledDownToIt) {
    word().addPicture(pictureFile(2400, 600), {});
    word().addPicture(pictureFile(632, 428), {});

    const Document doc = saveAndRead();
    ASSERT_EQ(doc.pictures.size(), 2U);
    const css::awt::Size wide = doc.pictures[0].size;
    const css::awt::Size model = doc.pictures[1].size;
    EXPECT_LT(wide.Width, 2400 * 2540 / 96);
    EXPECT_LE(wide.Width, 21590 - 2000);  // within the text area of A4 or Letter
    EXPECT_GE(wide.Width, 21000 - 4100);
    EXPECT_NEAR(double(wide.Width) / wide.Height, 4.0, 0.02);
    EXPECT_NEAR(double(model.Width) / model.Height, 632.0 / 428.0, 0.01);
}

TEST_F(Pictures, AMissingOrDamagedFileIsToldAsSuch) {
    const QString missing = scratchPath(QStringLiteral("no such folder/modello.jpg"));
    const QString damaged = scratchPath(QStringLiteral("danneggiato.jpg"));
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Not a picture");
    f.close();
    for (const auto& [path, kind] :
         {std::pair{missing, Kind::PictureMissing}, std::pair{damaged, Kind::PictureUnreadable}}) {
        try {
            word().addPicture(path, {});
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const WordError& e) {
            EXPECT_EQ(e.kind(), kind);
            EXPECT_EQ(e.detail(), path);
        }
    }
    word().type(QStringLiteral("il documento resta"));
    EXPECT_EQ(saveAndRead().texts(), QStringList{"il documento resta"});
}

// --- pages, justification, saving -------------------------------------------------------------

using Pages = WriterTest;

TEST_F(Pages, CountFollowsTheText) {
    EXPECT_EQ(word().countPages(), 1);
    for (int i = 0; i < 80; ++i) word().type(QStringLiteral("riga %1").arg(i) + kCR);
    const int pages = word().countPages();
    EXPECT_GE(pages, 2);
    word().type(QString(kFF) + QStringLiteral("nuova"));
    EXPECT_EQ(word().countPages(), pages + 1);
    EXPECT_EQ(saveAndRead().pages, pages + 1);
}

// What a tool of poppler-utils prints about a PDF file.
QString pdfTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page of a PDF file.
QStringList pdfPageTexts(const QString& path, int pages) {
    QStringList out;
    for (int page = 1; page <= pages; ++page)
        out << pdfTool(QStringLiteral("pdftotext"),
                       {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(page),
                        QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
    return out;
}

using Hyphens = WriterTest;

// Words longer than half a line: every line could end in a hyphen, but never more than two in a
// row do (a limit the .doc cannot hold: its PDF shows it).
TEST_F(Hyphens, NeverMoreThanTwoLinesInARow) {
    word().fontName(QStringLiteral("Century Gothic"));
    word().fontSize(12);
    const QStringList words{"internazionalizzazione",
                            "precipitevolissimevolmente",
                            "sovrapprezzamento",
                            "particolareggiatissimo",
                            "caratterizzazione",
                            "riqualificazione",
                            "fenomenologicamente",
                            "urbanisticamente",
                            "rappresentazione",
                            "differenziazione",
                            "sottosistema"};
    QString text;
    for (int i = 0; i < 150; ++i)
        text += words[(qsizetype{7} * i) % words.size()] + QLatin1Char(' ');
    word().type(text + kCR);
    word().justifyAll();
    const QString pdf = scratchPath(QStringLiteral("hyphens.pdf"));
    word().exportPdf(pdf);
    word().settle();
    QStringList lines;
    for (const QString& page : pdfPageTexts(pdf, 1)) lines << page.split(QLatin1Char('\n'));
    int run = 0;
    int hyphenated = 0;
    for (const QString& line : lines) {
        run = line.endsWith(QLatin1Char('-')) ? run + 1 : 0;
        hyphenated += run > 0 ? 1 : 0;
        EXPECT_LE(run, 2) << line.toStdString();
    }
    EXPECT_GE(hyphenated, 4);
}

using Justify = WriterTest;

TEST_F(Justify, EveryParagraphButTheCells) {
    word().type(QStringLiteral("testo") + kCR);
    word().appendParagraph();
    fillTable({{"a", "b"}, {"c", "d"}});
    word().autoformat(9);
    word().appendParagraph();
    word().paragraphText(QStringLiteral("chiusura") + kCR + QStringLiteral("firma"));
    word().justifyAll();

    const Document doc = saveAndRead();
    const auto block = static_cast<sal_Int16>(css::style::ParagraphAdjust_BLOCK);
    for (const Paragraph& p : doc.body)
        if (p.table < 0) {
            EXPECT_EQ(p.adjust, block) << p.text.toStdString();
        }
    ASSERT_EQ(doc.tables.size(), 1U);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            for (const Paragraph& p : doc.tables[0].at(r, c).paragraphs)
                EXPECT_EQ(p.adjust, static_cast<sal_Int16>(css::style::ParagraphAdjust_LEFT))
                    << r << "," << c;
}

using Saving = WriterTest;

TEST_F(Saving, OverwritesAFileAndCreatesMissingFolders) {
    word().type(QStringLiteral("contenuto"));
    const QString existing = scratchPath(QStringLiteral("esistente.doc"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("vecchio");
    }
    word().save(existing);
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4).startsWith("\xD0\xCF\x11\xE0"));  // a Word 97 (OLE) file
    EXPECT_EQ(reader().read(existing).texts(), QStringList{"contenuto"});

    const QString nested = scratchPath(QStringLiteral("nuova cartella/à è/relazione.doc"));
    word().save(nested);
    EXPECT_EQ(reader().read(nested).texts(), QStringList{"contenuto"});
}

TEST_F(Saving, UnderAFileInsteadOfAFolderIsSaveFailed) {
    word().type(QStringLiteral("contenuto"));
    const QString notAFolder = scratchPath(QStringLiteral("file.txt"));
    {
        QFile file(notAFolder);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    try {
        word().save(notAFolder + QStringLiteral("/relazione.doc"));
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::SaveFailed);
    }
    // The document is still there to be saved elsewhere.
    EXPECT_EQ(saveAndRead().texts(), QStringList{"contenuto"});

    // Its PDF copy is written after the call returns: a failure is told then, on the
    // program's thread.
    std::vector<WordError> late;
    word().setLateFailureHandler([&late](const WordError& e) { late.push_back(e); });
    word().exportPdf(notAFolder + QStringLiteral("/relazione.pdf"));
    word().settle();
    QCoreApplication::processEvents();
    word().setLateFailureHandler({});
    ASSERT_EQ(late.size(), 1U);
    EXPECT_EQ(late.front().kind(), Kind::ExportFailed);
}

// --- the office between and during reports --------------------------------------------------

void writeSmallReport(OfficeWordProcessor& w, const QString& text) {
    w.start();
    w.show();
    w.addDocument();
    w.type(text);
}

TEST(Lifecycle, ReportsShareOneOfficeAcrossBackEnds) {
    writeSmallReport(word(), QStringLiteral("primo"));
    const std::vector<pid_t> before = officeProcesses();
    ASSERT_EQ(before.size(), 1U);
    auto other = zelmor::reports::makeOfficeWordProcessor(true);
    writeSmallReport(*other, QStringLiteral("secondo"));
    EXPECT_EQ(officeProcesses(), before);
    other->closeDocument();
    word().closeDocument();
}

TEST(Lifecycle, AnOfficeEndedBetweenReportsIsStartedAgain) {
    writeSmallReport(word(), QStringLiteral("prima"));
    word().shutdown();
    EXPECT_TRUE(officeGone());
    writeSmallReport(word(), QStringLiteral("dopo"));
    const QString path = scratchPath(QStringLiteral("after-shutdown.doc"));
    word().save(path);
    word().closeDocument();
    EXPECT_EQ(reader().read(path).texts(), QStringList{"dopo"});
    EXPECT_EQ(officeProcesses().size(), 1U);
}

TEST(Lifecycle, AnOfficeQuitBetweenReportsIsStartedAgain) {
    writeSmallReport(word(), QStringLiteral("prima"));
    word().closeDocument();
    // The office ends on its own, as when the user quits it.
    const std::vector<pid_t> pids = officeProcesses();
    ASSERT_EQ(pids.size(), 1U);
    ::kill(pids.front(), SIGTERM);
    ASSERT_TRUE(officeGone());
    writeSmallReport(word(), QStringLiteral("dopo"));
    EXPECT_EQ(word().countPages(), 1);
    word().closeDocument();
}

TEST(Lifecycle, AnOfficeKilledBetweenReportsIsStartedAgain) {
    writeSmallReport(word(), QStringLiteral("prima"));
    ASSERT_EQ(killOffice(), 1);
    writeSmallReport(word(), QStringLiteral("dopo"));
    const QString path = scratchPath(QStringLiteral("after-kill.doc"));
    word().save(path);
    word().closeDocument();
    EXPECT_EQ(reader().read(path).texts(), QStringList{"dopo"});
}

TEST(Lifecycle, AnOfficeKilledDuringAReportIsLostAndTheNextReportWorks) {
    writeSmallReport(word(), QStringLiteral("prima"));
    ASSERT_EQ(killOffice(), 1);
    try {
        word().type(QStringLiteral("nel vuoto"));
        word().countPages();
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Lost);
    }
    writeSmallReport(word(), QStringLiteral("nuovo"));
    EXPECT_EQ(word().countPages(), 1);
    word().closeDocument();
}

// --- the full report ----------------------------------------------------------------------

zelmor::model::ModelData model(int subsystems) {
    zelmor::model::ModelData m;
    m.endemicKind = zelmor::model::EndemicKind::Lineare;
    m.endemicTypology = 1;
    m.endemicTypologyText = QStringLiteral("longitudinale nord");
    m.endemicValue = QStringLiteral("medio");
    m.subsystemCount = QString::number(subsystems);
    const QStringList values{"debole", "medio", "forte"};
    for (int i = 0; i < subsystems; ++i) {
        auto& s = m.subsystems[static_cast<std::size_t>(i)];
        s.typology = i + 1;
        s.typologyText = zelmor::model::particularTypologies().value(i);
        s.value = values[i % 3];
        s.links = i == 0 ? QStringLiteral("con nessuno") : QStringLiteral("con %1").arg(i);
    }
    return m;
}

zelmor::model::TitlePage titlePage(int subsystems) {
    zelmor::model::TitlePage page;
    page.project = QStringLiteral("Piano di recupero");
    page.place = QStringLiteral("Borgo Nuovo");
    page.studyType = QStringLiteral("analisi territoriale");
    page.client = QStringLiteral("Comune di Prova");
    page.town = QStringLiteral("Ancona");
    page.date = QStringLiteral("lunedì, 7 dic 2026");
    page.attachments = QStringLiteral("tavole 1-3");
    for (int i = 0; i < subsystems; ++i)
        page.denominations[static_cast<std::size_t>(i)] = QStringLiteral("zona %1").arg(i + 1);
    return page;
}

zelmor::reports::ReportTexts reportTexts() {
    return {QStringLiteral("Zelmor"), QStringLiteral("composizioni di modelli logici aspaziali"),
            QStringLiteral("Studio Tecnico Rossi"), QStringLiteral("via Roma 1, Ancona")};
}

// The pages of a PDF file, as its page objects.
int pdfPages(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

// A text as a PDF's information dictionary holds it: UTF-16 with its byte-order mark, in hex.
// The text alternatives (/Alt) of a PDF's tagged figures; the structure lies in compressed
// object streams.
QStringList pdfAltTexts(const QByteArray& pdf) {
    QByteArray plain = pdf;
    for (qsizetype at = pdf.indexOf("stream"); at >= 0; at = pdf.indexOf("stream", at + 6)) {
        const qsizetype begin = pdf.indexOf('\n', at) + 1;
        const qsizetype end = pdf.indexOf("endstream", begin);
        if (begin <= 0 || end < 0) break;
        const QByteArray dictionary = pdf.mid(std::max<qsizetype>(0, at - 300), 300);
        const qsizetype open = dictionary.lastIndexOf("<<");
        if (open >= 0 && dictionary.mid(open).contains("/FlateDecode") &&
            !dictionary.mid(open).contains("/Subtype")) {
            plain += qUncompress(QByteArray::fromHex("00100000") + pdf.mid(begin, end - begin));
        }
        at = end;
    }
    QStringList out;
    static const QRegularExpression alt(QStringLiteral("/Alt\\s*<([0-9A-Fa-f\\s]+)>"));
    for (const QRegularExpressionMatch& m : alt.globalMatch(QString::fromLatin1(plain))) {
        const QByteArray utf16 = QByteArray::fromHex(m.captured(1).toLatin1());
        QString text;
        for (qsizetype i = 2; i + 1 < utf16.size(); i += 2)
            text += QChar(static_cast<char16_t>((static_cast<unsigned char>(utf16[i]) << 8) |
                                                static_cast<unsigned char>(utf16[i + 1])));
        out << text;
    }
    return out;
}

QByteArray pdfHexText(const QString& text) {
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return bytes.toHex().toUpper();
}

struct ReportCase {
    int subsystems = 1;
    enum Fields { Short, AtTheWindowsLimits, Long } fields = Short;
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.subsystems << " subsystems"
         << (c.fields == ReportCase::Long                 ? ", long fields"
             : c.fields == ReportCase::AtTheWindowsLimits ? ", fields at the windows' limits"
                                                          : "");
}

class FullReport : public ::testing::TestWithParam<ReportCase> {};

TEST_P(FullReport, HoldsEveryPartInOrderSetForTheReader) {
    const int n = GetParam().subsystems;
    const auto m = model(n);
    auto page = titlePage(n);
    if (GetParam().fields == ReportCase::AtTheWindowsLimits) {
        // 60 characters in the title page's fields, 25 in the denominations.
        const QString sixty =
            QStringLiteral("Piano particolareggiato del centro storico di Sant'Anna 2026");
        for (QString* field : {&page.project, &page.place, &page.studyType, &page.client,
                               &page.town, &page.date, &page.attachments})
            *field = sixty;
        for (int i = 0; i < n; ++i)
            page.denominations[static_cast<std::size_t>(i)] =
                QStringLiteral("quartiere Sant'Anna nord%1").arg(i + 1).left(25);
    } else if (GetParam().fields == ReportCase::Long) {
        // Longer than the windows allow, as a file made by hand may hold them.
        page.project = QStringLiteral("Piano di recupero del borgo antico, ").repeated(6);
        // Every printable character of the data file's code page, in the reports' face.
        QByteArray repertoire;
        for (int c = 0x21; c <= 0xFF; ++c)
            if (!QList<int>{0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xA0, 0xAD}.contains(c))
                repertoire.append(static_cast<char>(c));
        page.place = zelmor::model::fromCp1252(repertoire);
        // A cell that reads as a heading is no heading.
        page.denominations[0] = QStringLiteral("Analisi del grafico");
        page.attachments = QStringLiteral("tavole 1-3").repeated(1) +
                           QStringLiteral(
                               "; relazione geologica, rilievo fotografico, "
                               "planimetria generale in scala 1:2000")
                               .repeated(14);
    }
    const auto texts = reportTexts();
    const QString path =
        scratchPath(QStringLiteral("Relazione-%1-%2.doc").arg(n).arg(GetParam().fields));
    const long long before = word().bridgeCalls();
    EXPECT_EQ(zelmor::reports::writeFullReport(word(), m, page, texts, pictureFile(632, 428), path),
              path);
    std::cout << "[ calls    ] full report, " << n
              << " subsystems: " << word().bridgeCalls() - before << " bridge calls\n";
    word().closeDocument();

    const Document doc = reader().read(path);
    const QStringList lines = doc.plainText.split(QLatin1Char('\n'));
    for (const QString& line : {QStringLiteral("Zelmor"),
                                texts.productSubtitle,
                                QStringLiteral("progetto: ") + page.project,
                                QStringLiteral("località: ") + page.place,
                                QStringLiteral("tipologia di studio: ") + page.studyType,
                                QStringLiteral("progettista: Studio Tecnico Rossi"),
                                QStringLiteral("committente: ") + page.client,
                                page.town + QStringLiteral(": ") + page.date,
                                texts.officeAddress,
                                QStringLiteral("Criteri di elaborazione"),
                                zelmor::reports::kTextT1,
                                zelmor::reports::kTextT2,
                                zelmor::reports::kTextT3,
                                QStringLiteral("Analisi del grafico"),
                                zelmor::reports::kTextT4,
                                zelmor::reports::kTextT5,
                                zelmor::reports::kTextT6,
                                QStringLiteral("Si riportano i dati inseriti nella elaborazione."),
                                QStringLiteral("Si allegano: ") + page.attachments,
                                QStringLiteral("il progettista"),
                                QStringLiteral("(Studio Tecnico Rossi)")}) {
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    }

    // The closing block gives the number of pages of the finished document.
    const QRegularExpression closing(QStringLiteral("^La presente relazione è composta di n\\. "
                                                    "(\\d+) pagine\\.$"),
                                     QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = closing.match(doc.plainText);
    ASSERT_TRUE(match.hasMatch());
    const int pages = match.captured(1).toInt();
    EXPECT_GE(pages, 3);
    EXPECT_EQ(pages, doc.pages);

    // A short title, the office as author; Italian throughout, the defaults included.
    const QString title = QStringLiteral("Relazione Zelmor – ") + page.project;
    if (title.size() <= 80) {
        EXPECT_EQ(doc.title, title);
    } else {
        EXPECT_LE(doc.title.size(), 80);
        EXPECT_TRUE(doc.title.endsWith(QChar(0x2026))) << doc.title.toStdString();
        EXPECT_TRUE(title.startsWith(doc.title.chopped(1))) << doc.title.toStdString();
    }
    EXPECT_EQ(doc.author, texts.officeName);
    for (const Paragraph* p : doc.allParagraphs())
        for (const Portion& portion : p->portions)
            EXPECT_EQ(portion.language, QStringLiteral("it-IT")) << p->text.toStdString();
    // The default paragraph style (Word's Normal) is Italian; the office's own defaults, which
    // a Word 97 file cannot hold, are those of the office that reads it.
    EXPECT_EQ(doc.standardLanguage, QStringLiteral("it-IT"));

    // Title page, then the criteria and the picture, then the analysis and the tables.
    const int criteria = doc.indexOf(QStringLiteral("Criteri di elaborazione"));
    const int t3 = doc.indexOf(zelmor::reports::kTextT3);
    const int analysis = doc.indexOf(QStringLiteral("Analisi del grafico"));
    const int data =
        doc.indexOf(QStringLiteral("Si riportano i dati inseriti nella elaborazione."));
    const int kept = doc.indexOf(match.captured(0));
    ASSERT_GT(criteria, doc.indexOf(texts.officeAddress));
    ASSERT_GT(t3, criteria);
    ASSERT_GT(analysis, t3);
    ASSERT_GT(data, analysis);
    ASSERT_GT(kept, data);
    EXPECT_EQ(doc.body[static_cast<std::size_t>(criteria)].breakType,
              css::style::BreakType_PAGE_BEFORE);
    EXPECT_EQ(doc.body[static_cast<std::size_t>(analysis)].breakType,
              css::style::BreakType_PAGE_BEFORE);
    int pictureAt = -1;
    int breaks = 0;
    for (std::size_t i = 0; i < doc.body.size(); ++i) {
        const Paragraph& p = doc.body[i];
        if (p.hasPicture()) pictureAt = static_cast<int>(i);
        // The closing block may start a page of its own too.
        if (p.breakType != css::style::BreakType_NONE && static_cast<int>(i) != kept) ++breaks;
        if (p.table >= 0) continue;
        const int at = static_cast<int>(i);
        // The two headings alone in the outline; hyphens only in the body's running text; the
        // closing kept with what follows it.
        EXPECT_EQ(p.outlineLevel, at == criteria || at == analysis ? 1 : 0) << at;
        if (!p.text.isEmpty()) {
            EXPECT_EQ(p.hyphenated, at > criteria && at < kept && at != analysis)
                << p.text.toStdString();
        }
        if (at >= kept && i + 1 < doc.body.size()) {
            EXPECT_TRUE(p.keptWithNext) << p.text.toStdString();
        }
    }
    EXPECT_GT(pictureAt, t3);
    EXPECT_LT(pictureAt, analysis);
    EXPECT_EQ(breaks, 2);
    ASSERT_EQ(doc.pictures.size(), 1U);
    EXPECT_NEAR(double(doc.pictures[0].size.Width) / doc.pictures[0].size.Height, 632.0 / 428.0,
                0.01);

    ASSERT_EQ(doc.tables.size(), 2U);
    int firstTable = -1;
    for (std::size_t i = 0; i < doc.body.size(); ++i)
        if (doc.body[i].table == 0) firstTable = static_cast<int>(i);
    EXPECT_GT(firstTable, data);
    EXPECT_LT(firstTable, kept);

    const Table& endemic = doc.tables[0];
    ASSERT_EQ(endemic.rows, 5);
    ASSERT_EQ(endemic.columns, 2);
    EXPECT_EQ(endemic.at(1, 1).text, QStringLiteral("lineare"));
    EXPECT_EQ(endemic.at(2, 1).text, QStringLiteral("longitudinale nord"));
    EXPECT_EQ(endemic.at(4, 0).text, QStringLiteral("numero di sottosistemi"));
    EXPECT_EQ(endemic.at(4, 1).text, QString::number(n));

    const Table& subsystems = doc.tables[1];
    ASSERT_EQ(subsystems.rows, n + 1);
    ASSERT_EQ(subsystems.columns, 5);
    EXPECT_EQ(subsystems.at(0, 4).text, QStringLiteral("legami tra sottosistemi"));
    for (int i = 1; i <= n; ++i) {
        const auto& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(subsystems.at(i, 0).text, QStringLiteral(" %1").arg(i));
        EXPECT_EQ(subsystems.at(i, 1).text, s.typologyText);
        EXPECT_EQ(subsystems.at(i, 2).text, page.denominations[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(subsystems.at(i, 3).text, s.value);
        EXPECT_EQ(subsystems.at(i, 4).text, s.links);
        // A denomination within its limit stands on one line of its own.
        EXPECT_TRUE(lines.contains(page.denominations[static_cast<std::size_t>(i - 1)])) << i;
    }
    EXPECT_TRUE(subsystems.repeatsHeader);
    ASSERT_EQ(subsystems.widths.size(), 5U);
    EXPECT_LT(subsystems.widths[0], 0.2);
    EXPECT_LT(subsystems.widths[3], subsystems.widths[2]);
    for (const Table* table : {&endemic, &subsystems})
        for (const auto& row : table->cells)
            for (const Cell& cell : row) {
                EXPECT_GE(cell.leftPadding, 100);
                for (const Paragraph& p : cell.paragraphs) {
                    EXPECT_EQ(p.adjust, static_cast<sal_Int16>(css::style::ParagraphAdjust_LEFT));
                    EXPECT_FALSE(p.hyphenated) << p.text.toStdString();
                    EXPECT_EQ(p.outlineLevel, 0) << p.text.toStdString();
                    for (const Portion& portion : p.portions) {
                        EXPECT_FLOAT_EQ(portion.height, 10);
                        EXPECT_EQ(portion.font, QStringLiteral("Century Gothic"));
                    }
                }
            }

    // The PDF copy: PDF/A-2b, tagged, every font embedded (the reports' face drawn by its
    // substitute), the headings as bookmarks, the title; as many pages, numbered in the footer
    // after the title page; the closing whole on the last.
    const QString pdfFile = zelmor::reports::pdfPath(path);
    QFile pdf(pdfFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << pdfFile.toStdString();
    const QByteArray pdfBytes = pdf.readAll();
    EXPECT_TRUE(pdfBytes.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdfBytes), pages);
    // The picture's text alternative: the model told in words.
    const QStringList alts = pdfAltTexts(pdfBytes);
    EXPECT_EQ(alts, QStringList{zelmor::model::drawingTitle() + QStringLiteral(" - ") +
                                zelmor::model::modelInWords(m)});
    EXPECT_TRUE(pdfBytes.contains(pdfHexText(doc.title)) || pdfBytes.contains(doc.title.toUtf8()));
    for (const QString& heading :
         {QStringLiteral("Criteri di elaborazione"), QStringLiteral("Analisi del grafico")})
        EXPECT_TRUE(pdfBytes.contains(pdfHexText(heading)) ||
                    pdfBytes.contains("(" + heading.toLatin1() + ")"))
            << heading.toStdString();
    EXPECT_TRUE(pdfBytes.contains("/Outlines"));
    const QString metadata = pdfTool(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), pdfFile});
    EXPECT_TRUE(metadata.contains(QRegularExpression(QStringLiteral("pdfaid:part(>|=\")2"))))
        << metadata.toStdString();
    EXPECT_TRUE(
        metadata.contains(QRegularExpression(QStringLiteral("pdfaid:conformance(>|=\")B"))));
    EXPECT_TRUE(pdfTool(QStringLiteral("pdfinfo"), {pdfFile})
                    .contains(QRegularExpression(QStringLiteral("Tagged:\\s+yes"))));
    const QStringList fonts = pdfTool(QStringLiteral("pdffonts"), {pdfFile})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts) {
        EXPECT_TRUE(font.contains(QStringLiteral("URWGothic"))) << font.toStdString();
        EXPECT_EQ(font.mid(font.indexOf(QStringLiteral(" yes ")) + 1, 3), QStringLiteral("yes"))
            << font.toStdString();
    }
    const QStringList pageTexts = pdfPageTexts(pdfFile, pages);
    ASSERT_EQ(pageTexts.size(), pages);
    EXPECT_TRUE(
        QString(pageTexts[0])
            .remove(QRegularExpression(QStringLiteral("\\s")))
            .contains(QString(page.place).remove(QRegularExpression(QStringLiteral("\\s")))))
        << pageTexts[0].toStdString();
    EXPECT_FALSE(pageTexts[0].contains(QStringLiteral("pagina")));
    for (int k = 2; k <= pages; ++k)
        EXPECT_TRUE(pageTexts[k - 1].contains(QStringLiteral("pagina %1 di %2").arg(k).arg(pages)))
            << k;
    for (const QString& part : {match.captured(0), QStringLiteral("il progettista"),
                                QStringLiteral("(Studio Tecnico Rossi)")})
        EXPECT_TRUE(pageTexts.back().contains(part)) << part.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Subsystems, FullReport,
                         ::testing::Values(ReportCase{1, ReportCase::Short},
                                           ReportCase{9, ReportCase::AtTheWindowsLimits},
                                           ReportCase{9, ReportCase::Long}));

// The shorter reports' tables read as the full report's: here the title-page data at the
// windows' limits (60 characters in a field, 25 in a denomination).
TEST(TitlePageData, TablesReadInTheDocumentsFace) {
    auto page = titlePage(9);
    const QString sixty =
        QStringLiteral("Studio di fattibilità per la riqualificazione di Sant'Anna");
    for (QString* field : {&page.project, &page.place, &page.studyType, &page.client, &page.town,
                           &page.date, &page.attachments})
        *field = sixty;
    for (int i = 0; i < 9; ++i)
        page.denominations[static_cast<std::size_t>(i)] =
            QStringLiteral("collina dei Cappuccini %1").arg(i + 1).left(25);
    QStringList types;
    for (int i = 0; i < 9; ++i) types << zelmor::model::particularTypologies().value(i);
    zelmor::reports::writeTitlePageData(word(), page, 9, types, reportTexts());
    const QString path = scratchPath(QStringLiteral("DatiGenerali.doc"));
    word().save(path);
    word().closeDocument();

    const Document doc = reader().read(path);
    ASSERT_EQ(doc.tables.size(), 2U);
    EXPECT_EQ(doc.standardLanguage, QStringLiteral("it-IT"));
    const QStringList lines = doc.plainText.split(QLatin1Char('\n'));
    for (const Table& table : doc.tables) {
        EXPECT_TRUE(table.repeatsHeader);
        for (const auto& row : table.cells)
            for (const Cell& cell : row) {
                EXPECT_GE(cell.leftPadding, 100);
                for (const Paragraph& p : cell.paragraphs) {
                    EXPECT_EQ(p.adjust, static_cast<sal_Int16>(css::style::ParagraphAdjust_LEFT));
                    EXPECT_FALSE(p.hyphenated);
                    for (const Portion& portion : p.portions) {
                        EXPECT_EQ(portion.font, QStringLiteral("Century Gothic"));
                        EXPECT_EQ(portion.language, QStringLiteral("it-IT"));
                    }
                }
            }
    }
    // The labels' column gives the fields the room they need: each on one line.
    EXPECT_LT(doc.tables[0].widths[0], doc.tables[0].widths[1]);
    EXPECT_TRUE(lines.contains(sixty));
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(lines.contains(page.denominations[static_cast<std::size_t>(i)])) << i;
}

// --- the whole help guide ----------------------------------------------------------------------

TEST(Guide, HoldsTheSevenPagesEachAfterABreakButTheFirst) {
    std::vector<zelmor::reports::HelpText> pages;
    for (const zelmor::help::HelpPageLayout& layout : zelmor::help::helpPages()) {
        pages.push_back({QString::fromUtf8(layout.title),
                         zelmor::help::helpBody(QString::fromLatin1(layout.name))});
        ASSERT_FALSE(pages.back().body.isEmpty()) << layout.name;
    }
    ASSERT_EQ(pages.size(), 7U);
    ASSERT_TRUE(QDir().mkpath(scratchPath(QStringLiteral("Zelmor"))));
    const QString path =
        zelmor::reports::guidePath(scratchPath(QStringLiteral("Zelmor")), QStringLiteral("Zelmor"));
    zelmor::reports::writeGuide(word(), reportTexts(), pages, path);
    // Printed again while the first is still open: saved under the same name.
    EXPECT_EQ(zelmor::reports::writeGuide(word(), reportTexts(), pages, path), path);
    word().closeDocument();
    ASSERT_TRUE(QFileInfo::exists(scratchPath(QStringLiteral("Zelmor/Zelmor-guida.doc"))));

    const Document doc = reader().read(path);
    // Every title and every paragraph of every body, in order, nothing else but empty lines.
    QStringList expected{QStringLiteral("Zelmor"), reportTexts().productSubtitle};
    for (const auto& page : pages) {
        expected << QStringLiteral("Guida: ") + page.title;
        expected << page.body.split(kCR);
    }
    QStringList written;
    for (const Paragraph& p : doc.body)
        if (!p.text.isEmpty()) written << p.text;
    EXPECT_EQ(written, expected);

    // Six breaks, each starting the page of the next title; none after the last body, which ends
    // the document.
    std::vector<QString> brokenAt;
    for (std::size_t i = 0; i < doc.body.size(); ++i) {
        if (doc.body[i].breakType != css::style::BreakType_PAGE_BEFORE) continue;
        std::size_t next = i;
        while (next < doc.body.size() && doc.body[next].text.isEmpty()) ++next;
        brokenAt.push_back(next < doc.body.size() ? doc.body[next].text : QString());
    }
    ASSERT_EQ(brokenAt.size(), 6U);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(brokenAt[i], QStringLiteral("Guida: ") + pages[i + 1].title);
    EXPECT_EQ(doc.body.back().text, pages.back().body.split(kCR).last());
    EXPECT_GE(doc.pages, 7);

    // The name at 20 points, the subtitle and the first title at 16, everything after at 12, all
    // justified.
    const auto sizeOf = [&](const QString& text) {
        const int i = doc.indexOf(text);
        return i < 0 || doc.body[static_cast<std::size_t>(i)].portions.empty()
                   ? 0.0F
                   : doc.body[static_cast<std::size_t>(i)].portions.front().height;
    };
    EXPECT_FLOAT_EQ(sizeOf(QStringLiteral("Zelmor")), 20);
    EXPECT_FLOAT_EQ(sizeOf(QStringLiteral("Guida: MANUALE D'USO RAPIDO")), 16);
    EXPECT_FLOAT_EQ(sizeOf(QStringLiteral("Guida: STAMPA")), 12);
    EXPECT_FLOAT_EQ(sizeOf(pages.back().body.split(kCR).last()), 12);
    for (const Paragraph& p : doc.body) {
        if (p.text.isEmpty()) continue;
        EXPECT_EQ(p.adjust, static_cast<sal_Int16>(css::style::ParagraphAdjust_BLOCK))
            << p.text.toStdString();
        for (const Portion& portion : p.portions)
            EXPECT_EQ(portion.font, QStringLiteral("Century Gothic"));
    }
}

// --- a second report under the same name ----------------------------------------------------

// The earlier document is still open in the office (as on a desktop, where the user reads it):
// unchanged, it gives way; changed by the user, it stays, and the new one is saved beside it.
TEST(SameName, AnEarlierDocumentGivesWayUnlessTheUserChangedIt) {
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "hidden documents" : "visible documents");
        auto w = zelmor::reports::makeOfficeWordProcessor(hidden);
        const QString name = hidden ? QStringLiteral("nascosta") : QStringLiteral("visibile");
        const QString path = scratchPath(QStringLiteral("Relazione-%1.doc").arg(name));
        writeSmallReport(*w, QStringLiteral("prima"));
        EXPECT_EQ(w->save(path), path);
        writeSmallReport(*w, QStringLiteral("seconda"));
        EXPECT_EQ(w->save(path), path);
        EXPECT_EQ(reader().read(path).texts(), QStringList{"seconda"});

        w->type(QStringLiteral(" con le note dell'utente"));
        w->countPages();  // the text reaches the document with the next call
        writeSmallReport(*w, QStringLiteral("terza"));
        const QString numbered = scratchPath(QStringLiteral("Relazione-%1 (2).doc").arg(name));
        EXPECT_EQ(w->save(numbered), numbered);  // (2) is free: taken as asked
        writeSmallReport(*w, QStringLiteral("quarta"));
        // The changed one keeps its file; (2) is open, unchanged, but is not the name asked.
        EXPECT_EQ(w->save(path), scratchPath(QStringLiteral("Relazione-%1 (3).doc").arg(name)));
        EXPECT_EQ(reader().read(path).texts(), QStringList{"seconda"});
        EXPECT_EQ(
            reader().read(scratchPath(QStringLiteral("Relazione-%1 (3).doc").arg(name))).texts(),
            QStringList{"quarta"});
    }
    // The documents the user changed are left to an office that is then ended as a crash would.
    killOffice();
}

// --- an office that stops answering -----------------------------------------------------------

zelmor::reports::OfficeTimeLimits quickLimits() {
    zelmor::reports::OfficeTimeLimits limits;
    limits.answer = limits.call = limits.layout = limits.save = limits.end =
        std::chrono::seconds(3);
    return limits;
}

// A stopped office: the call waiting on it fails within its limit plus the grace for ending it,
// the program's events (a window's painting) go on meanwhile, the office is ended, and the next
// report starts a new one.
void expectTimedOut(const std::function<void()>& call) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(50);
    const auto started = std::chrono::steady_clock::now();
    try {
        call();
        ADD_FAILURE() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::TimedOut) << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_GE(ticks, 20);  // the 3 s waited, in steps of 50 ms
    EXPECT_TRUE(officeGone());
}

// Stops the office under test, and waits until it has stopped.
void stopOffice() {
    const std::vector<pid_t> pids = officeProcesses();
    ASSERT_EQ(pids.size(), 1U);
    ::kill(pids.front(), SIGSTOP);
    const auto stopped = [pid = pids.front()] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) return false;
        const QByteArray line = stat.readAll();
        return line.mid(line.lastIndexOf(')') + 2, 1) == "T";
    };
    for (int i = 0; i < 250 && !stopped(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(stopped());
}

TEST(Frozen, AnOfficeStoppedDuringAReportIsEndedAndTheNextReportWorks) {
    auto w = zelmor::reports::makeOfficeWordProcessor(true, {}, quickLimits());
    writeSmallReport(*w, QStringLiteral("prima"));
    stopOffice();
    expectTimedOut([&] {
        w->type(QStringLiteral("nel gelo"));
        w->countPages();
    });
    writeSmallReport(*w, QStringLiteral("dopo"));
    EXPECT_EQ(w->countPages(), 1);
    w->closeDocument();
}

TEST(Frozen, AnOfficeStoppedBetweenReportsIsEndedAtTheNextStart) {
    auto w = zelmor::reports::makeOfficeWordProcessor(true, {}, quickLimits());
    writeSmallReport(*w, QStringLiteral("prima"));
    w->closeDocument();
    stopOffice();
    expectTimedOut([&] { w->start(); });
    writeSmallReport(*w, QStringLiteral("dopo"));
    EXPECT_EQ(w->countPages(), 1);
    w->closeDocument();
}

// Saving onto a full file system: whether the office says so or spins, the program gets its
// answer within the save's limit.
TEST(Frozen, ASaveOntoAFullDiskEndsWithinItsLimit) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const QString folder = scratchPath(QStringLiteral("pieno"));
    ASSERT_TRUE(QDir().mkpath(folder));
    if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    {
        QFile filler(folder + QStringLiteral("/riempitivo"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, '\0');
        for (int i = 0; i < 1000 && filler.write(block) == block.size() && filler.flush(); ++i) {
        }
    }
    auto w = zelmor::reports::makeOfficeWordProcessor(true, {}, quickLimits());
    const auto started = std::chrono::steady_clock::now();
    try {
        zelmor::reports::writeFullReport(*w, model(9), titlePage(9), reportTexts(),
                                         pictureFile(632, 428), folder + "/Relazione.doc");
        ADD_FAILURE() << "no error";
    } catch (const WordError& e) {
        EXPECT_TRUE(e.kind() == Kind::SaveFailed || e.kind() == Kind::ExportFailed ||
                    e.kind() == Kind::TimedOut)
            << e.what();
        std::cout << "[ full disk] " << e.what() << "\n";
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(40));
    ::umount2(folder.toLocal8Bit().constData(), MNT_DETACH);
    writeSmallReport(*w, QStringLiteral("dopo"));
    EXPECT_EQ(w->countPages(), 1);
    w->closeDocument();
}

// --- getting ready before the report -------------------------------------------------------

TEST(Prepare, TheOfficeStartedAheadServesTheReportAndNoSecondStarts) {
    word().shutdown();
    ASSERT_TRUE(officeGone());
    auto w = zelmor::reports::makeOfficeWordProcessor(true);
    w->prepare();
    w->prepare();
    writeSmallReport(*w, QStringLiteral("subito"));
    EXPECT_EQ(officeProcesses().size(), 1U);
    w->closeDocument();
    // Ended since (as when the user quits it): the next time a report comes near, it is
    // started again ahead of it.
    w->shutdown();
    ASSERT_TRUE(officeGone());
    w->prepare();
    w->settle();
    EXPECT_EQ(officeProcesses().size(), 1U);
}

TEST(Prepare, AnOfficeStartedForAReportThatNeverCameEndsWithTheProgram) {
    word().shutdown();
    ASSERT_TRUE(officeGone());
    {
        auto w = zelmor::reports::makeOfficeWordProcessor(true);
        w->prepare();
        for (int i = 0; i < 500 && officeProcesses().empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_EQ(officeProcesses().size(), 1U);
    }
    EXPECT_TRUE(officeGone());
}

TEST(Prepare, WithoutAnOfficeNothingStartsAndTheReportSaysWhy) {
    auto noPlugin = zelmor::reports::makeOfficeWordProcessor(
        true, scratchPath(QStringLiteral("no-such-plugin.so")));
    noPlugin->prepare();
    try {
        noPlugin->start();
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Missing);
    }
}

// --- starting, and what is left at the end --------------------------------------------------

// The office's program folder as another installation would have it: every file linked to the
// installed office's, and `soffice` the script given (none when empty). UNO_PATH names it while
// the object lives.
class ProgramFolder {
  public:
    ProgramFolder(const QString& name, const QByteArray& soffice)
        : path_(scratchPath(name)), saved_(qgetenv("UNO_PATH")) {
        QDir().mkpath(path_);
        const QDir real(QStringLiteral(ZELMOR_OFFICE_PROGRAM_DIR));
        for (const QString& entry : real.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (entry != QLatin1String("soffice"))
                QFile::link(real.filePath(entry), path_ + QLatin1Char('/') + entry);
        }
        if (!soffice.isEmpty()) {
            QFile script(path_ + QStringLiteral("/soffice"));
            if (script.open(QIODevice::WriteOnly)) script.write(soffice);
            script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
        }
        qputenv("UNO_PATH", path_.toLocal8Bit());
    }
    ~ProgramFolder() {
        if (saved_.isEmpty()) {
            qunsetenv("UNO_PATH");
        } else {
            qputenv("UNO_PATH", saved_);
        }
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    // The processes started from this folder (its soffice script, while it runs).
    int running() const {
        int count = 0;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
            if (cmdline.open(QIODevice::ReadOnly) &&
                cmdline.readAll().contains(path_.toLocal8Bit()))
                ++count;
        }
        return count;
    }

  private:
    QString path_;
    QByteArray saved_;
};

// An office that takes 7 s to start, as on a loaded machine.
QByteArray slowSoffice() {
    return QByteArrayLiteral("#!/bin/sh\nsleep 7\nexec " ZELMOR_OFFICE_PROGRAM_DIR
                             "/soffice \"$@\"\n");
}

// Asked ahead (the title page shown, then a model drawn), a slow start serves the first report:
// the report waits for it within the start's limit, then counts its own.
TEST(Start, ASlowStartServesTheReportAskedMeanwhile) {
    word().shutdown();
    ASSERT_TRUE(officeGone());
    const ProgramFolder slow(QStringLiteral("slow-office"), slowSoffice());
    auto w = zelmor::reports::makeOfficeWordProcessor(true);
    w->prepare();
    w->prepare();
    writeSmallReport(*w, QStringLiteral("con calma"));
    EXPECT_EQ(w->countPages(), 1);
    EXPECT_EQ(officeProcesses().size(), 1U);
    w->closeDocument();
    w->shutdown();
    EXPECT_TRUE(officeGone());
}

// A start that is given up, by the report waiting for it or by the program's end, leaves no
// office behind, nor anything still starting one; no office at all is "not installed".
TEST(Start, NothingStartingOutlivesItsBackEnd) {
    word().shutdown();
    ASSERT_TRUE(officeGone());
    {
        const ProgramFolder slow(QStringLiteral("slow-office"), slowSoffice());
        auto limits = quickLimits();
        limits.start = std::chrono::seconds(3);
        auto w = zelmor::reports::makeOfficeWordProcessor(true, {}, limits);
        w->prepare();
        w->prepare();
        try {
            w->start();
            ADD_FAILURE() << "no error";
        } catch (const WordError& e) {
            EXPECT_EQ(e.kind(), Kind::TimedOut) << e.what();
        }
        EXPECT_EQ(slow.running(), 0);

        // The program ends while an office is starting for a report that never came.
        auto ending = zelmor::reports::makeOfficeWordProcessor(true);
        ending->prepare();
        for (int i = 0; i < 100 && slow.running() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_GT(slow.running(), 0);
        const auto started = std::chrono::steady_clock::now();
        ending.reset();
        std::cout << "[ ending   ] "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - started)
                         .count()
                  << " ms\n";
        EXPECT_EQ(slow.running(), 0);
    }
    EXPECT_TRUE(officeProcesses().empty());

    // The office's libraries without its program, as a package installed without its
    // recommendations leaves them.
    const ProgramFolder none(QStringLiteral("no-office"), {});
    auto w = zelmor::reports::makeOfficeWordProcessor(true);
    w->prepare();
    try {
        w->start();
        ADD_FAILURE() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Missing) << e.what();
    }
}

// The program's end leaves no office whose reports nobody can see (hidden here, as every
// document of an office without a user interface): they are saved, and the office ends with the
// program. While another back-end lives, its hidden document keeps the office.
TEST(End, AnOfficeShowingNoReportEndsWithTheProgram) {
    word().shutdown();
    ASSERT_TRUE(officeGone());
    const QString path = scratchPath(QStringLiteral("left-open.doc"));
    {
        auto first = zelmor::reports::makeOfficeWordProcessor(true);
        auto second = zelmor::reports::makeOfficeWordProcessor(true);
        writeSmallReport(*first, QStringLiteral("lasciato aperto"));
        first->save(path);
        writeSmallReport(*second, QStringLiteral("ancora in corso"));
        first.reset();
        EXPECT_EQ(officeProcesses().size(), 1U);
        second->type(QStringLiteral(" e finito"));
        EXPECT_EQ(second->countPages(), 1);
    }
    EXPECT_TRUE(officeGone());
    EXPECT_EQ(reader().read(path).texts(), QStringList{"lasciato aperto"});
}

// The local UNO runtime of the test, for talking to an office over its pipe.
Reference<css::uno::XComponentContext> localContext() {
    static Reference<css::uno::XComponentContext> context = [] {
        rtl::Bootstrap::set("URE_BOOTSTRAP", "file://" ZELMOR_OFFICE_PROGRAM_DIR "/fundamentalrc");
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

// An office started on the test's profile as the program starts its own, listening on `pipe`;
// its desktop once it answers.
Reference<css::frame::XDesktop2> startListening(const QString& pipe) {
    QProcess process;
    process.setProgram(QStringLiteral(ZELMOR_OFFICE_PROGRAM_DIR "/soffice"));
    process.setArguments({QStringLiteral("--nologo"), QStringLiteral("--nodefault"),
                          QStringLiteral("--norestore"), QStringLiteral("--nolockcheck"),
                          QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe)});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached()) return {};
    auto resolver = css::bridge::UnoUrlResolver::create(localContext());
    for (int i = 0; i < 600; ++i) {
        try {
            Reference<css::uno::XComponentContext> remote(
                resolver->resolve(toOu(QStringLiteral("uno:pipe,name=%1;urp;"
                                                      "StarOffice.ComponentContext")
                                           .arg(pipe))),
                UNO_QUERY_THROW);
            return css::frame::Desktop::create(remote);
        } catch (const css::connection::NoConnectException&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    return {};
}

// The pid of a process that has ended.
qint64 endedProcess() {
    QProcess done;
    done.start(QStringLiteral("true"), QStringList());
    done.waitForStarted();
    const qint64 pid = done.processId();
    done.waitForFinished();
    return pid;
}

// Whether the installed office has a user interface (a windowing plug-in): without one, it shows
// no document.
bool officeShowsWindows() {
    return !QDir(QStringLiteral(ZELMOR_OFFICE_PROGRAM_DIR))
                .entryList({QStringLiteral("libvclplug_*")}, QDir::Files)
                .isEmpty();
}

struct EarlierCase {
    const char* name;
    bool ours;       // started by a run of the program that has ended; else by the user
    bool document;   // it holds a document
    bool shown;      // in a window (else hidden)
    bool stopped;    // it answers nothing
    bool keptAlive;  // the same office serves the next report (where it can show a window)
};

void PrintTo(const EarlierCase& c, std::ostream* out) {
    *out << c.name;
}

class EarlierOffice : public ::testing::TestWithParam<EarlierCase> {};

// An office running on the profile before the first report: one that an ended run of the
// program left there is ended when it shows nothing or answers nothing, and taken over as the
// program's own (ended when it hangs) when it shows documents; the user's own is never ended.
TEST_P(EarlierOffice, IsEndedTakenOverOrLeftAlone) {
    const EarlierCase c = GetParam();
    word().shutdown();
    ASSERT_TRUE(officeGone());
    const QString pipe =
        c.ours ? QStringLiteral("zelmor%1xearlier").arg(endedProcess()) : QStringLiteral("user");
    Reference<css::frame::XDesktop2> desktop = startListening(pipe);
    ASSERT_TRUE(desktop.is());
    if (c.document) {
        std::vector<css::beans::PropertyValue> hidden{css::beans::PropertyValue(
            "Hidden", -1, Any(!c.shown), css::beans::PropertyState_DIRECT_VALUE)};
        desktop->loadComponentFromURL(
            "private:factory/swriter", "_blank", 0,
            css::uno::Sequence<css::beans::PropertyValue>(hidden.data(), 1));
    }
    desktop.clear();
    const std::vector<pid_t> before = officeProcesses();
    ASSERT_EQ(before.size(), 1U);
    if (c.stopped) stopOffice();

    auto w = zelmor::reports::makeOfficeWordProcessor(true, {}, quickLimits());
    writeSmallReport(*w, QStringLiteral("dopo"));
    EXPECT_EQ(w->countPages(), 1);
    const bool kept = c.keptAlive && (!c.ours || officeShowsWindows());
    EXPECT_EQ(officeProcesses() == before, kept);
    if (kept) {
        // Stopped now: ended when it is the program's, left running (and told) when it is the
        // user's.
        stopOffice();
        try {
            w->countPages();
            ADD_FAILURE() << "no error";
        } catch (const WordError& e) {
            EXPECT_EQ(e.kind(), c.ours ? Kind::TimedOut : Kind::TimedOutLeft) << e.what();
        }
        EXPECT_EQ(officeGone(), c.ours);
        killOffice();
    } else {
        w->closeDocument();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offices, EarlierOffice,
    ::testing::Values(EarlierCase{"ours_idle", true, false, false, false, false},
                      EarlierCase{"ours_stopped", true, false, false, true, false},
                      EarlierCase{"ours_with_a_hidden_document", true, true, false, false, false},
                      EarlierCase{"ours_showing_a_document", true, true, true, false, true},
                      EarlierCase{"the_users", false, false, false, false, true}),
    [](const ::testing::TestParamInfo<EarlierCase>& info) { return std::string(info.param.name); });

// --- the loader -------------------------------------------------------------------------------

TEST(Loader, APluginThatCannotBeLoadedIsMissing) {
    auto missing = zelmor::reports::makeOfficeWordProcessor(
        true, scratchPath(QStringLiteral("nowhere/libzelmor_writer.so")));
    try {
        missing->start();
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Missing);
        EXPECT_FALSE(e.detail().isEmpty());
    }
    EXPECT_EQ(missing->bridgeCalls(), 0);
    EXPECT_THROW(missing->addDocument(), WordError);
    // The environment names another plugin.
    qputenv("ZELMOR_WRITER_PLUGIN", scratchPath(QStringLiteral("elsewhere.so")).toUtf8());
    auto elsewhere = zelmor::reports::makeOfficeWordProcessor(true);
    qunsetenv("ZELMOR_WRITER_PLUGIN");
    try {
        elsewhere->start();
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Missing);
        EXPECT_TRUE(e.detail().contains(QStringLiteral("elsewhere.so")))
            << e.detail().toStdString();
    }
    // A file that is no plugin at all.
    const QString notAPlugin = scratchPath(QStringLiteral("file.so"));
    {
        QFile file(notAPlugin);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a library");
    }
    try {
        zelmor::reports::makeOfficeWordProcessor(true, notAPlugin)->start();
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(e.kind(), Kind::Missing);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 2;
    // ZELMOR_OFFICE_TEST_KEEP=1 keeps the saved documents for a look at them.
    if (qEnvironmentVariableIntValue("ZELMOR_OFFICE_TEST_KEEP") != 0) {
        scratch.setAutoRemove(false);
        std::cout << "documents in " << scratch.path().toStdString() << "\n";
    }
    gScratch = &scratch;
    // The office under test gets a profile of its own, which also tells its process apart.
    qputenv("UserInstallation", testProfile().toUtf8());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new OfficeEnvironment);
    const int result = RUN_ALL_TESTS();
    sharedWord().reset();
    gScratch = nullptr;
    return result;
}
