// The real dialogs and desktop services: what the program asks is what the dialog shows, and
// the user's answer comes back in the runtime's terms.
#include "qt/qtprogram.h"
#include "toolkit/qt/qtservices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor::qtui {
namespace {

TEST(FileFilters, WindowsFiltersBecomeQtNameFilters) {
    const struct {
        const char* windows;
        QStringList qt;
    } cases[] = {
        {"Dati Zelmor|Zelmor-dati-*", {QStringLiteral("Dati Zelmor (Zelmor-dati-*)")}},
        {"Testo (*.txt)|*.txt|Tutti i file (*.*)|*.*",
         {QStringLiteral("Testo (*.txt)"), QStringLiteral("Tutti i file (*)")}},
        {"Immagini|*.bmp;*.jpg; *.gif", {QStringLiteral("Immagini (*.bmp *.jpg *.gif)")}},
        {"Immagini (bmp, jpg)|*.bmp;*.jpg", {QStringLiteral("Immagini (bmp, jpg) (*.bmp *.jpg)")}},
        {"Dati|Zelmor-dati-*|", {QStringLiteral("Dati (Zelmor-dati-*)")}},
        {"|*.dat", {QStringLiteral("*.dat (*.dat)")}},
        {"Tutto|", {QStringLiteral("Tutto (*)")}},
        {"Solo descrizione", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qtNameFilters(QString::fromLatin1(c.windows)), c.qt) << c.windows;
    }
}

TEST(QtMessageBox, ShowsTheMessageAndReturnsTheAnswer) {
    QtMessageBox service;
    tk::Message question{
        tk::MessageIcon::Question, QStringLiteral("Uscita"),
        QStringLiteral("Uscire dal programma?\r\nI dati non salvati andranno persi."),
        tk::MessageButtons::YesNo, tk::MessageResult::Yes};
    qttest::whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Uscita"));
        EXPECT_EQ(box->text(),
                  QStringLiteral("Uscire dal programma?\nI dati non salvati andranno persi."));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Sì"));
        EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("&No"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(service.show(question), tk::MessageResult::Yes);

    question.defaultButton = tk::MessageResult::No;
    qttest::whenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(service.show(question), tk::MessageResult::No);

    question.defaultButton = tk::MessageResult::Yes;
    qttest::whenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(service.show(question), tk::MessageResult::No);

    const tk::Message notice{tk::MessageIcon::Exclamation, QStringLiteral("Zelmor"),
                             QStringLiteral("Dati incompleti")};
    qttest::whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->buttons().size(), 1);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(service.show(notice), tk::MessageResult::Ok);
}

// The window manager cuts a title wider than its window: the box leaves room for the whole
// title in a bold title-bar face, and for the frame's icon and buttons beside it.
TEST(QtMessageBox, IsWideEnoughForItsWholeTitle) {
    QtMessageBox service;
    QFont face = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    face.setPointSize(10);
    face.setBold(true);
    const QFontMetrics metrics(face);
    for (const char* title : {"Attenzione: i dati non archiviati andranno persi !",
                              "Zelmor: controllo dati immessi nella finestra attiva"}) {
        const QString shown = QString::fromLatin1(title);
        const int needed = metrics.horizontalAdvance(shown) + 4 * metrics.height();
        qttest::whenShown<QMessageBox>([needed, title](QMessageBox* box) {
            EXPECT_GE(box->width(), needed) << title;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        service.show({tk::MessageIcon::Question, shown, QStringLiteral("Vuoi uscire da Zelmor?"),
                      tk::MessageButtons::YesNo, tk::MessageResult::No});
    }
}

TEST(QtFileDialog, SavesUnderTheNameGivenWithTheChosenFilter) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtFileDialog service;
    tk::FileDialogRequest request;
    request.mode = tk::FileDialogMode::Save;
    request.title = QStringLiteral("Salva i dati");
    request.fileName = dir.filePath(QStringLiteral("Zelmor-dati-prova"));
    request.filter = QStringLiteral("Testo|*.txt|Dati Zelmor|Zelmor-dati-*");
    request.filterIndex = 2;
    qttest::whenShown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Salva i dati"));
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{QStringLiteral("Testo (*.txt)"),
                               QStringLiteral("Dati Zelmor (Zelmor-dati-*)")}));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Dati Zelmor (Zelmor-dati-*)"));
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    // The name comes back as given: no extension is added.
    EXPECT_EQ(service.run(request), std::optional<QString>(request.fileName));

    qttest::whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(service.run(request), std::nullopt);
}

TEST(FileFilters, ASaveAddsTheChosenTypesSuffixToANameWithoutOne) {
    const struct {
        const char* name;
        const char* filter;
        const char* saved;
    } cases[] = {
        {"modello", "PDF (*.pdf)", "modello.pdf"},
        {"/tmp/a b/modello", "PDF (*.pdf)", "/tmp/a b/modello.pdf"},
        {"modello.pdf", "PDF (*.pdf)", "modello.pdf"},
        {"modello.PDF", "PDF (*.pdf)", "modello.PDF"},
        {"modello.", "PDF (*.pdf)", "modello.pdf"},
        {"modello.svg", "PDF (*.pdf)", "modello.svg.pdf"},
        {"foto.jpeg", "JPEG (*.jpg *.jpeg)", "foto.jpeg"},
        {"foto", "JPEG (*.jpg *.jpeg)", "foto.jpg"},
        {"/tmp/v1.2/modello", "PDF (*.pdf)", "/tmp/v1.2/modello.pdf"},
        {"Zelmor-dati-prova", "Dati Zelmor (Zelmor-dati-*)", "Zelmor-dati-prova"},
        {"Zelmor-dati-1.5", "Dati Zelmor (Zelmor-dati-*)", "Zelmor-dati-1.5"},
        {"appunti", "Tutti i file (*)", "appunti"},
        {"appunti", "Testo (*.t?t)", "appunti"},
        {"appunti", "*.txt", "appunti.txt"},
        {"appunti", "", "appunti"},
        {"/tmp/", "PDF (*.pdf)", "/tmp/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withFilterSuffix(QString::fromUtf8(c.name), QString::fromUtf8(c.filter)),
                  QString::fromUtf8(c.saved))
            << c.name << " / " << c.filter;
    }
    // A name that ends in another type the dialog offers keeps it.
    const QStringList offered{QStringLiteral("SVG (*.svg)"), QStringLiteral("PDF (*.pdf)")};
    const QString& svg = offered.first();
    EXPECT_EQ(withFilterSuffix(QStringLiteral("modello.pdf"), svg, offered),
              QStringLiteral("modello.pdf"));
    EXPECT_EQ(withFilterSuffix(QStringLiteral("modello.PDF"), svg, offered),
              QStringLiteral("modello.PDF"));
    EXPECT_EQ(withFilterSuffix(QStringLiteral("modello.txt"), svg, offered),
              QStringLiteral("modello.txt.svg"));
    EXPECT_EQ(withFilterSuffix(QStringLiteral("modello"), svg, offered),
              QStringLiteral("modello.svg"));
}

TEST(QtFileDialog, SavesWithTheSuffixAndAsksBeforeReplacingThatFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath(QStringLiteral("modello.pdf")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtFileDialog service;
    tk::FileDialogRequest request;
    request.mode = tk::FileDialogMode::Save;
    request.fileName = dir.filePath(QStringLiteral("disegno"));
    request.filter = QStringLiteral("SVG|*.svg|PDF|*.pdf");
    request.filterIndex = 2;
    // The user types "modello" and saves; the dialog asks about modello.pdf, and a no keeps it
    // open for another name.
    QString asked;
    const auto typeAndSave = [&asked](const char* typed, bool replace) {
        qttest::whenShown<QFileDialog>([&asked, typed, replace](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromUtf8(typed));
            QTimer::singleShot(0, dialog, [&asked, dialog, replace] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) return;
                asked = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                if (!replace) QTimer::singleShot(0, dialog, &QDialog::reject);
            });
            static_cast<QDialog*>(dialog)->accept();
        });
    };
    typeAndSave("modello", false);
    EXPECT_EQ(service.run(request), std::nullopt);
    EXPECT_TRUE(asked.contains(QStringLiteral("modello.pdf"))) << asked.toStdString();
    asked.clear();
    typeAndSave("modello", true);
    EXPECT_EQ(service.run(request), std::optional<QString>(existing.fileName()));
    asked.clear();
    typeAndSave("nuovo", true);
    EXPECT_EQ(service.run(request),
              std::optional<QString>(dir.filePath(QStringLiteral("nuovo.pdf"))));
    EXPECT_TRUE(asked.isEmpty()) << asked.toStdString();
}

TEST(QtClipboard, HoldsThePictureAsSvgPngAndBitmap) {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::red);
    tk::ClipboardPicture picture{
        QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\"/>"), {}, image};
    QBuffer png(&picture.png);
    ASSERT_TRUE(png.open(QIODevice::WriteOnly));
    ASSERT_TRUE(image.scaled(90, 60).save(&png, "PNG"));
    QtClipboard().setPicture(picture);
    // The offscreen platform keeps the clipboard within the program.
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->data(QStringLiteral("image/svg+xml")), picture.svg);
    EXPECT_EQ(held->data(QStringLiteral("image/png")), picture.png);
    ASSERT_TRUE(held->hasImage());
    const auto bitmap = qvariant_cast<QImage>(held->imageData());
    EXPECT_EQ(bitmap.size(), QSize(30, 20));
    EXPECT_EQ(bitmap.pixelColor(0, 0), QColor(Qt::red));
    // The next copy replaces every form of the last.
    QtClipboard().setPicture({{}, {}, image.scaled(3, 2)});
    held = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(held, nullptr);
    EXPECT_FALSE(held->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_EQ(qvariant_cast<QImage>(held->imageData()).size(), QSize(3, 2));
}

TEST(QtFileDialog, OpensAnExistingFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Zelmor-dati-1"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QtFileDialog service;
    tk::FileDialogRequest request;
    request.filter = QStringLiteral("Dati Zelmor|Zelmor-dati-*");
    request.fileName = path;
    qttest::whenShown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Apri"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(service.run(request), std::optional<QString>(path));
}

TEST(QtColorDialog, StartsOnTheGivenColourAndReturnsTheChoice) {
    QtColorDialog service;
    qttest::whenShown<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->currentColor(), QColor(10, 20, 30));
        dialog->setCurrentColor(QColor(200, 100, 50));
        dialog->accept();
    });
    EXPECT_EQ(service.run({10, 20, 30}), std::optional<tk::Color>(tk::Color{200, 100, 50}));
    qttest::whenShown<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(service.run({10, 20, 30}), std::nullopt);
}

TEST(QtPlatform, ReadsTheUsersSettingsFile) {
    // main() points the settings and data folders of the test run at a temporary folder.
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Zelmor");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile ini(folder + QStringLiteral("/Zelmor.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // Values with commas as a user types them (UTF-8, CR LF), a quoted one, comments.
    ini.write(
        "[General]\nufficio=Studio Rossi\n[Studio]\nindirizzo=Via Roma 1\n"
        "[ufficio]\r\nnome=Rossi, Bianchi & C.\r\n"
        "indirizzo = Via Roma 1, 00100 Citt\xC3\xA0 \r\n"
        "; vecchio=Via Po 2, Torino\r\n"
        "telefono=06 1234,  interno 5 ; centralino\r\n"
        "sede=\"Piazza Duomo 1, Milano\"\r\n");
    ini.close();
    QtPlatform platform;
    const struct {
        const char* key;
        QString value;
    } rows[] = {
        {"ufficio", QStringLiteral("Studio Rossi")},
        {"Studio/indirizzo", QStringLiteral("Via Roma 1")},
        {"ufficio/nome", QStringLiteral("Rossi, Bianchi & C.")},
        {"ufficio/indirizzo", QStringLiteral("Via Roma 1, 00100 Città")},
        {"ufficio/vecchio", QString()},
        {"ufficio/telefono", QStringLiteral("06 1234,  interno 5")},
        {"ufficio/sede", QStringLiteral("Piazza Duomo 1, Milano")},
        {"manca", QString()},
    };
    for (const auto& r : rows)
        EXPECT_EQ(platform.setting(QString::fromLatin1(r.key)), r.value) << r.key;
}

TEST(QtPlatform, KnowsTheScreenClockAndFolders) {
    QtPlatform platform;
    EXPECT_GT(platform.screenWidth(), 0);
    EXPECT_EQ(platform.screenWidth() % 15, 0);
    EXPECT_GT(platform.screenHeight(), 0);
    EXPECT_EQ(platform.today(), QDate::currentDate());
    EXPECT_EQ(platform.dataFolder(),
              qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Zelmor/Zelmor"));
    EXPECT_EQ(platform.documentsFolder(),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

// The read-only files: the user's copy, else the installed one (XDG_DATA_DIRS, or the tree the
// executable was installed in), else the one beside the executable.
TEST(QtPlatform, FindsTheUsersCopyOfADataFileBeforeTheInstalledOnes) {
    QtPlatform platform;
    const QString exe = QCoreApplication::applicationDirPath();
    const QStringList folders = platform.dataFolders();
    ASSERT_FALSE(folders.isEmpty());
    EXPECT_EQ(folders.first(), platform.dataFolder());
    EXPECT_EQ(folders.last(), exe);
    EXPECT_TRUE(folders.contains(QDir::cleanPath(exe + "/../share/Zelmor/Zelmor")));

    const QString name = QStringLiteral("prova-%1.txt").arg(QCoreApplication::applicationPid());
    EXPECT_TRUE(platform.dataFile(name).isEmpty());
    QTemporaryDir system;
    qputenv("XDG_DATA_DIRS", system.path().toUtf8());
    const QString installed = system.filePath(QStringLiteral("Zelmor/Zelmor/") + name);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).absolutePath()));
    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(platform.dataFile(name), installed);
    // A folder of that name in the user's folder is no copy; a file is, and it comes first.
    const QString own = QDir(platform.dataFolder()).filePath(name);
    ASSERT_TRUE(QDir().mkpath(own));
    EXPECT_EQ(platform.dataFile(name), installed);
    ASSERT_TRUE(QDir().rmdir(own));
    QFile(own).open(QIODevice::WriteOnly);
    EXPECT_EQ(platform.dataFile(name), own);
    QFile::remove(own);
    qunsetenv("XDG_DATA_DIRS");
}

TEST(QtPlatform, StoresASettingThatReadsBackTheSame) {
    QtPlatform platform;
    const QString address = QStringLiteral("Via Roma 1, 00100 Città \"centro\"");
    ASSERT_TRUE(platform.setSetting(QStringLiteral("ufficio/indirizzo"), address));
    ASSERT_TRUE(platform.setSetting(QStringLiteral("ufficio/nome"), QStringLiteral("Studio; A=B")));
    EXPECT_EQ(platform.setting(QStringLiteral("ufficio/indirizzo")), address);
    EXPECT_EQ(platform.setting(QStringLiteral("ufficio/nome")), QStringLiteral("Studio; A=B"));
}

}  // namespace
}  // namespace zelmor::qtui
