// The drawing window through the whole program without a display: what it shows, the picture
// file and its vector twin it writes (read back as a user's word processor would), and how it
// fails.
#include "drawing/disegnoform.h"
#include "geometry/bmp.h"
#include "support/programtest.h"
#include "toolkit/emfdevice.h"
#include "toolkit/paint.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <functional>

using namespace zelmor;
using drawing::DisegnoForm;

namespace {

const QString kFailure = QStringLiteral(
    "Non sono stati immessi tutti i dati dei sottosistemi necessari per il disegno: tornare al "
    "Menu.");

model::ModelData makeModel(int kind, int typology, const QString& value,
                           std::initializer_list<std::tuple<int, const char*, const char*>> subs) {
    model::ModelData m;
    m.endemicKind = static_cast<model::EndemicKind>(kind);
    m.endemicTypology = typology;
    m.endemicValue = value;
    int i = 0;
    for (const auto& [t, v, links] : subs) {
        model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i++)];
        if (t != 0) s.typology = t;
        s.value = QString::fromUtf8(v);
        s.links = QString::fromUtf8(links);
    }
    m.subsystemCount = QString::number(i);
    return m;
}

// Nine zones, each linked with every other: every hatch, hundreds of link figures.
model::ModelData allLinked(int kind, int typology) {
    model::ModelData m;
    m.endemicKind = static_cast<model::EndemicKind>(kind);
    m.endemicTypology = typology;
    m.endemicValue = QStringLiteral("forte");
    m.subsystemCount = QStringLiteral("9");
    for (int i = 1; i <= 9; ++i) {
        std::vector<int> others;
        for (int j = 1; j <= 9; ++j)
            if (j != i) others.push_back(j);
        model::Subsystem& s = m.subsystems[static_cast<std::size_t>(i - 1)];
        s.typology = i;
        s.value = model::valueItems().at(i % 3);
        s.links = model::linkText(others);
    }
    return m;
}

// The pixels of the picture whose colour is not the commonest one of their k x k square in the
// painting k times finer: where that lays a figure elsewhere, or wider or thinner, than the
// picture does.
int pixelsUnlikeTheirSquare(const QImage& picture, const QImage& fine, int k) {
    const QImage a = picture.convertToFormat(QImage::Format_RGB32);
    const QImage b = fine.convertToFormat(QImage::Format_RGB32);
    int unlike = 0;
    std::vector<QRgb> square(static_cast<std::size_t>(k * k));
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            for (int j = 0; j < k; ++j) {
                for (int i = 0; i < k; ++i) {
                    const int at = j * k + i;
                    square[static_cast<std::size_t>(at)] = b.pixel(k * x + i, k * y + j);
                }
            }
            const auto count = [&](QRgb c) { return std::count(square.begin(), square.end(), c); };
            const auto own = count(a.pixel(x, y));
            unlike +=
                std::any_of(square.begin(), square.end(), [&](QRgb c) { return count(c) > own; });
        }
    }
    return unlike;
}

quint32 le32(const QByteArray& b, int at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

class DrawingWindow : public testsupport::ProgramTest {
  protected:
    DrawingWindow() : ProgramTest(StartAt::Splash) {}
    void beforeStart() override { fakes.platform.data = dir.path(); }

    // Draws as the drawing commands do; returns the window.
    DisegnoForm* draw(const model::ModelData& m) {
        program.shared().document().model = m;
        program.app().dispatch([this] { DisegnoForm::startDrawing(program.app()); });
        return window();
    }
    DisegnoForm* window() { return program.app().formAs<DisegnoForm>(QStringLiteral("disegno")); }

    QImage savedPicture() {
        QImage image;
        image.loadFromData(read(picturePath()), "BMP");
        return image;
    }
    QString picturePath() const {
        return dir.path() + QStringLiteral("/Programmi/schemaZelmor.jpg");
    }
    QString twinPath() const {
        return dir.path() + QStringLiteral("/Programmi/schemaZelmor-stampa.emf");
    }
    QColor pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
};

const QColor kWhite(255, 255, 255);
const QColor kBlackColor(0, 0, 0);

TEST_F(DrawingWindow, OpensWhiteAtItsSizeInTheMiddleOfTheScreen) {
    DisegnoForm* w = draw(makeModel(1, 1, "forte", {{1, "medio", "con nessuno"}}));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(w->caption(), QStringLiteral("Zelmor: disegno del modello fenomenologico aspaziale"));
    EXPECT_EQ(w->backColor(), tk::colors::kWhite);
    EXPECT_EQ(w->width(), 9600);
    EXPECT_EQ(w->height(), 6825);
    EXPECT_EQ(w->scaleWidth(), 9480);
    EXPECT_EQ(w->scaleHeight(), 6420);
    // The 75 % window was centred; the fixed size keeps its top-left corner.
    EXPECT_EQ(w->left(), 1920);
    EXPECT_EQ(w->top(), 1440);
    EXPECT_TRUE(fakes.messages.shown.empty());
    // The picture holder only carries the capture to the file.
    EXPECT_FALSE(w->at(QStringLiteral("Picture1")).visible());
}

TEST_F(DrawingWindow, PictureFileIsA24BitBitmapOfTheDrawingArea) {
    DisegnoForm* w = draw(makeModel(1, 1, "forte", {{2, "forte", "con 2"}, {3, "debole", ""}}));
    const QByteArray bytes = read(picturePath());
    ASSERT_GE(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(le32(bytes, 2), static_cast<quint32>(bytes.size()));
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 18), 632u);
    EXPECT_EQ(le32(bytes, 22), 428u);
    EXPECT_EQ(static_cast<quint8>(bytes[28]), 24);
    EXPECT_EQ(bytes.size(), 54 + 632 * 3 * 428);  // 1896 bytes a row: no padding needed

    // Pixel for pixel what the window shows.
    const QImage shown = tk::grabClientArea(*w).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(savedPicture().convertToFormat(QImage::Format_RGB32), shown);
    EXPECT_EQ(w->picture().convertToFormat(QImage::Format_RGB32), shown);
}

TEST_F(DrawingWindow, AModelRenderedWithoutAWindowIsThePictureTheWindowSaves) {
    const model::ModelData rows[] = {
        makeModel(1, 1, "forte", {{1, "forte", "con 2-3"}, {2, "medio", "con 1"}, {7, "", ""}}),
        makeModel(2, 4, "medio", {{4, "debole", "con 2"}, {5, "forte", "con 1"}}),
        makeModel(3, 1, "debole", {{9, "medio", "con nessuno"}}),
    };
    for (const model::ModelData& m : rows) {
        draw(m);
        const QImage rendered = drawing::renderModel(m);
        EXPECT_EQ(rendered.size(), QSize(632, 428));
        EXPECT_EQ(rendered.convertToFormat(QImage::Format_RGB32),
                  savedPicture().convertToFormat(QImage::Format_RGB32));
    }
    // Rendering opens no window of the program.
    EXPECT_EQ(program.app().formAs<DisegnoForm>(QStringLiteral("disegno")), window());
}

TEST_F(DrawingWindow, DrawingAgainRecreatesTheWindowAndWritesTheSamePicture) {
    const model::ModelData m = makeModel(3, 8, "debole", {{8, "medio", "con 2"}, {9, "", ""}});
    draw(m);
    const QByteArray first = read(picturePath());
    ASSERT_FALSE(first.isEmpty());
    // The user enlarged the first window; the new drawing opens at the fixed size again.
    program.app().dispatch([this] { window()->setScaleSize(12000, 8000); });
    DisegnoForm* w = draw(m);
    EXPECT_EQ(w->scaleWidth(), 9480);
    EXPECT_EQ(read(picturePath()), first);
    int drawings = 0;
    for (const tk::Form* f : program.app().loadedForms())
        drawings += f->name() == QLatin1String("disegno");
    EXPECT_EQ(drawings, 1);
}

TEST_F(DrawingWindow, TheVectorTwinBesideThePictureNamesItAndHasItsSizeOnPaper) {
    draw(makeModel(1, 1, "forte", {{1, "debole", "con 2"}, {2, "medio", "con 1"}}));
    EXPECT_TRUE(fakes.messages.shown.empty());
    const std::optional<tk::EmfHeader> header = tk::readEmfHeader(read(twinPath()));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->application, QStringLiteral("Zelmor"));
    EXPECT_EQ(header->picture,
              QStringLiteral("ZelmorPicture ") +
                  QCryptographicHash::hash(read(picturePath()), QCryptographicHash::Sha1).toHex());
    // 632 x 428 pixels at 96 dots per inch, in 1/100 mm.
    EXPECT_NEAR(header->frame.width(), 16722, 2);
    EXPECT_NEAR(header->frame.height(), 11324, 2);
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), twinPath());
}

TEST_F(DrawingWindow, FourTimesFinerEveryFigureIsWhereThePictureHasIt) {
    // Diagonal hatches, ovals, thick lines and link figures are smooth when painted finer, so
    // only their edges may differ from the picture's squares. The thick diagonal lines are left
    // out: the window's aliased stroke of them strays a pixel or two from their line, which the
    // finer painting does not copy.
    for (const model::ModelData& m :
         {allLinked(3, 1), allLinked(2, 2), allLinked(2, 5), allLinked(1, 1)}) {
        const QImage picture = drawing::renderModel(m);
        const QImage fine = drawing::renderModel(m, 4);
        ASSERT_EQ(fine.size(), 4 * picture.size());
        EXPECT_LT(pixelsUnlikeTheirSquare(picture, fine, 4),
                  picture.width() * picture.height() / 4000);
    }
}

TEST_F(DrawingWindow, OnlyTheTwinOfThePictureOnTheDiskIsPrinted) {
    const model::ModelData first = makeModel(1, 1, "forte", {{4, "forte", "con 2"}, {5, "", ""}});
    const model::ModelData second = makeModel(2, 2, "medio", {{6, "debole", ""}});
    draw(first);
    const QByteArray firstTwin = read(twinPath());
    ASSERT_FALSE(firstTwin.isEmpty());
    draw(second);
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), twinPath());

    // The twin of another drawing.
    QFile twin(twinPath());
    ASSERT_TRUE(twin.open(QIODevice::WriteOnly) && twin.write(firstTwin) == firstTwin.size());
    twin.close();
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), QString());

    // No twin, or something else in its place: never waited on, never printed.
    ASSERT_TRUE(QFile::remove(twinPath()));
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), QString());
    ASSERT_EQ(::mkfifo(QFile::encodeName(twinPath()).constData(), 0600), 0);
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), QString());
    ASSERT_TRUE(QFile::remove(twinPath()));

    // A program that writes no twin draws another picture over this one.
    draw(second);
    ASSERT_EQ(geometry::currentVectorTwin(picturePath()), twinPath());
    ASSERT_TRUE(geometry::savePicture(drawing::renderModel(first), picturePath()));
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), QString());

    // A twin that cannot be written: the picture is saved and the drawing done, without a word
    // to the user, and no twin is printed.
    ASSERT_TRUE(QFile::remove(twinPath()));
    ASSERT_TRUE(QDir().mkpath(twinPath() + QStringLiteral("/occupied")));
    bool done = false;
    program.app().dispatch([&] { done = window()->modelliamo(); });
    EXPECT_TRUE(done);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(savedPicture(), drawing::renderModel(second));
    EXPECT_EQ(geometry::currentVectorTwin(picturePath()), QString());
}

TEST_F(DrawingWindow, OutlineWidthsFollowTheValues) {
    struct Row {
        const char* value;
        int endemic;
        int subsystem;
    };
    for (const Row& row :
         {Row{"debole", 5, 2}, Row{"medio", 7, 3}, Row{"forte", 9, 4}, Row{"Forte", 5, 2}}) {
        SCOPED_TRACE(row.value);
        // Endemic "totale" at (16, 16) px; subsystem "lato nord" at (48, 40) px, its top edge red.
        draw(makeModel(1, 1, row.value, {{2, row.value, ""}}));
        const QImage img = savedPicture();
        ASSERT_EQ(img.size(), QSize(632, 428));
        for (int x = 16; x < 16 + row.endemic; ++x) EXPECT_EQ(pixel(img, x, 300), kBlackColor);
        EXPECT_EQ(pixel(img, 16 + row.endemic, 300), kWhite);
        EXPECT_EQ(pixel(img, 15, 300), kWhite);
        for (int y = 40; y < 40 + row.subsystem; ++y)
            EXPECT_EQ(pixel(img, 300, y), QColor(255, 0, 0)) << y;
        EXPECT_NE(pixel(img, 300, 40 + row.subsystem), QColor(255, 0, 0));
    }
}

TEST_F(DrawingWindow, HatchesLieOverATransparentInterior) {
    // "lato sud": horizontal lines of 128,128,255 inside a magenta outline, px 48,248 537x113.
    draw(makeModel(2, 1, "debole", {{3, "debole", ""}}));
    const QImage img = savedPicture();
    const QColor hatch(128, 128, 255);
    int hatchRows = 0;
    int whiteRows = 0;
    for (int y = 251; y < 248 + 113 - 3; ++y) {
        int hatched = 0;
        int white = 0;
        for (int x = 51; x < 48 + 537 - 3; ++x) {
            hatched += pixel(img, x, y) == hatch;
            white += pixel(img, x, y) == kWhite;
        }
        const int inner = 48 + 537 - 3 - 51;
        if (hatched == inner) ++hatchRows;
        if (white == inner) ++whiteRows;
        EXPECT_TRUE(hatched == inner || white == inner) << "row " << y << " is mixed";
    }
    EXPECT_GT(hatchRows, 5);
    EXPECT_GT(whiteRows, hatchRows);  // more background than hatch: the interior is not filled
}

TEST_F(DrawingWindow, LinkCirclesAreGreenBeneathTheRepertoire) {
    // Figure 36: five circles of radius 112 twips at y 4500, the first at x 4218.
    DisegnoForm* w = draw(makeModel(2, 1, "debole", {{8, "debole", "con 2"}, {9, "debole", ""}}));
    ASSERT_EQ(w->links().size(), 5u);
    const QImage img = savedPicture();
    EXPECT_EQ(pixel(img, 281, 300), QColor(0, 255, 0));
    EXPECT_EQ(pixel(img, 281, 300 - 7), kBlackColor);  // the one-pixel outline
    EXPECT_EQ(pixel(img, 281, 300 - 9), kWhite);
    // Link figures keep their places when the window grows; the zones stretch.
    program.app().dispatch([this] { window()->setScaleSize(2 * 9480, 2 * 6420); });
    EXPECT_EQ(w->at(QStringLiteral("particolare"), 9).left(), 2400);
    const QImage bigger = tk::grabClientArea(*w);
    EXPECT_EQ(pixel(bigger, 281, 300), QColor(0, 255, 0));
}

TEST_F(DrawingWindow, PointsAreYellowWithTheirOutline) {
    // Point 16 sits in the square 5280, 3360 (px 352, 224), 25 px across.
    DisegnoForm* w = draw(makeModel(3, 8, "debole", {{1, "debole", ""}}));
    for (int p : {16, 17, 18, 22, 23, 24})
        EXPECT_TRUE(w->at(QStringLiteral("punti"), p).visible()) << p;
    EXPECT_FALSE(w->at(QStringLiteral("punti"), 15).visible());
    const QImage img = savedPicture();
    EXPECT_EQ(pixel(img, 364, 236), QColor(255, 255, 0));
    EXPECT_EQ(pixel(img, 364, 226), QColor(128, 0, 0));
    EXPECT_EQ(pixel(img, 352, 224), kWhite);  // the square's corner lies outside the circle
}

TEST_F(DrawingWindow, EndemicLinesHaveTheirWidth) {
    // "longitudinale centro" at y 3000 (px 200), "medio": 7 px wide, centred on the line.
    draw(makeModel(2, 2, "medio", {{1, "debole", ""}}));
    const QImage img = savedPicture();
    for (int y = 197; y <= 203; ++y) EXPECT_EQ(pixel(img, 30, y), kBlackColor) << y;
    EXPECT_EQ(pixel(img, 30, 196), kWhite);
    EXPECT_EQ(pixel(img, 30, 204), kWhite);
}

TEST_F(DrawingWindow, AnIncompleteModelStopsWithTheFiguresSoFarAndKeepsTheOldFile) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(picturePath()).absolutePath()));
    QFile old(picturePath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier picture");
    old.close();
    QFile oldTwin(twinPath());
    ASSERT_TRUE(oldTwin.open(QIODevice::WriteOnly));
    oldTwin.write("an earlier twin");
    oldTwin.close();

    DisegnoForm* w = draw(makeModel(1, 4, "medio", {{6, "forte", "con 2"}, {0, "debole", ""}}));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    const tk::Message& m = fakes.messages.shown[0];
    EXPECT_EQ(m.icon, tk::MessageIcon::Critical);
    EXPECT_EQ(m.title, QStringLiteral("Zelmor: aiuto in linea"));
    EXPECT_EQ(m.text, kFailure);
    EXPECT_TRUE(w->visible());
    EXPECT_TRUE(w->at(QStringLiteral("Shape1"), 4).visible());
    EXPECT_EQ(w->at(QStringLiteral("Shape1"), 4).borderWidth(), 7);
    EXPECT_TRUE(w->at(QStringLiteral("particolare"), 6).visible());
    EXPECT_TRUE(w->links().empty());
    EXPECT_TRUE(w->picture().isNull());
    EXPECT_EQ(read(picturePath()), QByteArray("an earlier picture"));
    EXPECT_EQ(read(twinPath()), QByteArray("an earlier twin"));
}

TEST_F(DrawingWindow, AMissingFolderIsCreatedAndAnUnwritableOneIsTold) {
    const QString folder = QFileInfo(picturePath()).absolutePath();
    QDir(folder).removeRecursively();
    draw(makeModel(1, 2, "debole", {{2, "debole", ""}}));
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(savedPicture().size(), QSize(632, 428));

    // A file where the folder should be: drawn on screen, then told, and no file left behind.
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DisegnoForm* w = draw(makeModel(1, 2, "debole", {{2, "debole", ""}}));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    // The data were complete: the message is about the file, not the data.
    EXPECT_EQ(fakes.messages.shown[0].text,
              QStringLiteral("Impossibile salvare il disegno del modello nel file \"%1\": %2 è un "
                             "file, non una cartella.\rIl disegno resta visibile sullo schermo; "
                             "il file precedente, se esisteva, non è stato modificato.")
                  .arg(picturePath(), folder));
    EXPECT_TRUE(w->at(QStringLiteral("Shape1"), 2).visible());
    EXPECT_FALSE(QFileInfo::exists(picturePath()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Programmi")});
}

TEST_F(DrawingWindow, AClickOnTheDrawingLeavesItOpen) {
    DisegnoForm* w = draw(makeModel(1, 1, "debole", {{1, "debole", ""}}));
    program.app().dispatch([w] { w->click(); });
    EXPECT_EQ(window(), w);
    EXPECT_TRUE(w->visible());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST(PictureFile, RoundTripsThroughABitmapReaderWithRowPadding) {
    // 5 pixels a row: 15 bytes padded to 16.
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image.setPixelColor(x, y, QColor(x * 50, y * 100, 7));
    const QByteArray bytes = geometry::encodeBmp24(image);
    EXPECT_EQ(bytes.size(), 54 + 16 * 3);
    // Bottom-up: the first stored row is the image's last, blue first.
    EXPECT_EQ(static_cast<quint8>(bytes[54]), 7);
    EXPECT_EQ(static_cast<quint8>(bytes[55]), 200);
    EXPECT_EQ(static_cast<quint8>(bytes[56]), 0);
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
    EXPECT_TRUE(geometry::encodeBmp24(QImage()).isEmpty());
}

TEST(PictureFile, VectorTwinSitsBesideThePictureWithItsSuffixReplaced) {
    const struct {
        const char* picture;
        const char* twin;
    } rows[] = {
        {"/home/anna/.local/share/Zelmor/Programmi/schemaZelmor.jpg",
         "/home/anna/.local/share/Zelmor/Programmi/schemaZelmor-stampa.emf"},
        {"/tmp/modelli.2024/schema", "/tmp/modelli.2024/schema-stampa.emf"},
        {"/tmp/schema.vecchio.bmp", "/tmp/schema.vecchio-stampa.emf"},
        {"/tmp/.jpg", "/tmp/.jpg-stampa.emf"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(geometry::vectorTwinPath(QString::fromUtf8(r.picture)),
                  QString::fromUtf8(r.twin));
}

}  // namespace
