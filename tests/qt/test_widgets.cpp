// The backend's own widgets and conversions: shapes drawn pixel by pixel, captions with access
// keys, the windows' fonts on this desktop, and the picture set.
#include "toolkit/qt/pictures.h"
#include "toolkit/qt/widgets.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace zelmor::qtui {
namespace {

TEST(Conversions, TwipsBecomeTheNearestPixel) {
    const std::pair<int, int> cases[] = {{0, 0},    {7, 0},     {8, 1},   {15, 1},
                                         {600, 40}, {1215, 81}, {-15, -1}};
    for (const auto& [twips, pixels] : cases) EXPECT_EQ(toPixels(twips), pixels) << twips;
}

// --- shapes ---------------------------------------------------------------------------------

const QColor kGround(255, 0, 255);  // whatever lies beneath the shape
const QColor kBorder(255, 0, 0);
const QColor kFill(0, 0, 255);
constexpr int kBorderWidth = 2;
const QSize kSize(40, 33);

QImage drawn(tk::FillStyle fill, tk::ShapeKind kind = tk::ShapeKind::Rectangle,
             std::optional<QColor> back = std::nullopt) {
    ShapeWidget w;
    w.resize(kSize);
    ShapeWidget::Look look;
    look.kind = kind;
    look.borderWidth = kBorderWidth;
    look.borderColor = kBorder;
    look.fillStyle = fill;
    look.fillColor = kFill;
    look.backColor = back;
    w.setLook(look);
    QImage image(kSize, QImage::Format_ARGB32);
    image.fill(kGround);
    w.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

bool isFill(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y)) == kFill;
}

const QRect kInterior(kBorderWidth, kBorderWidth, kSize.width() - 2 * kBorderWidth,
                      kSize.height() - 2 * kBorderWidth);

TEST(ShapeWidget, RectangleBorderIsExactlyItsWidthInside) {
    const QImage image = drawn(tk::FillStyle::Transparent);
    for (int y = 0; y < kSize.height(); ++y) {
        for (int x = 0; x < kSize.width(); ++x) {
            const QColor expected = kInterior.contains(x, y) ? kGround : kBorder;
            ASSERT_EQ(QColor(image.pixel(x, y)), expected) << x << "," << y;
        }
    }
}

TEST(ShapeWidget, FillsPaintOnlyTheirPatternOverTheInterior) {
    using Check = std::function<void(const QImage&)>;
    const auto rowsUniform = [](const QImage& im, int& filledRows) {
        filledRows = 0;
        for (int y = kInterior.top(); y <= kInterior.bottom(); ++y) {
            int n = 0;
            for (int x = kInterior.left(); x <= kInterior.right(); ++x) n += isFill(im, x, y);
            ASSERT_TRUE(n == 0 || n == kInterior.width()) << "row " << y;
            filledRows += n > 0;
        }
    };
    const auto columnsUniform = [](const QImage& im, int& filledColumns) {
        filledColumns = 0;
        for (int x = kInterior.left(); x <= kInterior.right(); ++x) {
            int n = 0;
            for (int y = kInterior.top(); y <= kInterior.bottom(); ++y) n += isFill(im, x, y);
            ASSERT_TRUE(n == 0 || n == kInterior.height()) << "column " << x;
            filledColumns += n > 0;
        }
    };
    // Each filled pixel continues in the given direction (dy = -1: rising to the right).
    const auto diagonal = [](const QImage& im, int dy) {
        int filled = 0;
        for (int y = kInterior.top(); y <= kInterior.bottom(); ++y) {
            for (int x = kInterior.left(); x <= kInterior.right(); ++x) {
                if (!isFill(im, x, y)) continue;
                ++filled;
                if (kInterior.contains(x + 1, y + dy)) {
                    ASSERT_TRUE(isFill(im, x + 1, y + dy)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(filled, kInterior.width());
        EXPECT_LT(filled, kInterior.width() * kInterior.height() / 2);
    };
    const struct {
        tk::FillStyle style;
        const char* name;
        Check check;
    } cases[] = {
        {tk::FillStyle::Transparent, "transparent",
         [](const QImage& im) {
             for (int y = kInterior.top(); y <= kInterior.bottom(); ++y)
                 for (int x = kInterior.left(); x <= kInterior.right(); ++x)
                     ASSERT_EQ(QColor(im.pixel(x, y)), kGround);
         }},
        {tk::FillStyle::Solid, "solid",
         [](const QImage& im) {
             for (int y = kInterior.top(); y <= kInterior.bottom(); ++y)
                 for (int x = kInterior.left(); x <= kInterior.right(); ++x)
                     ASSERT_TRUE(isFill(im, x, y));
         }},
        {tk::FillStyle::Horizontal, "horizontal",
         [&](const QImage& im) {
             int rows = 0;
             rowsUniform(im, rows);
             EXPECT_GE(rows, 3);
             EXPECT_LE(rows, kInterior.height() / 4);
         }},
        {tk::FillStyle::Vertical, "vertical",
         [&](const QImage& im) {
             int columns = 0;
             columnsUniform(im, columns);
             EXPECT_GE(columns, 3);
             EXPECT_LE(columns, kInterior.width() / 4);
         }},
        {tk::FillStyle::UpwardDiagonal, "upward", [&](const QImage& im) { diagonal(im, -1); }},
        {tk::FillStyle::DownwardDiagonal, "downward", [&](const QImage& im) { diagonal(im, +1); }},
        {tk::FillStyle::Cross, "cross",
         [](const QImage& im) {
             int fullRows = 0;
             int fullColumns = 0;
             int empty = 0;
             for (int y = kInterior.top(); y <= kInterior.bottom(); ++y) {
                 bool all = true;
                 for (int x = kInterior.left(); x <= kInterior.right(); ++x) {
                     all = all && isFill(im, x, y);
                     empty += QColor(im.pixel(x, y)) == kGround;
                 }
                 fullRows += all;
             }
             for (int x = kInterior.left(); x <= kInterior.right(); ++x) {
                 bool all = true;
                 for (int y = kInterior.top(); y <= kInterior.bottom(); ++y)
                     all = all && isFill(im, x, y);
                 fullColumns += all;
             }
             EXPECT_GE(fullRows, 2);
             EXPECT_GE(fullColumns, 2);
             EXPECT_GT(empty, kInterior.width() * kInterior.height() / 2);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = drawn(c.style);
        // Only the fill colour or what lies beneath: no blending at the edges of the pattern.
        for (int y = kInterior.top(); y <= kInterior.bottom(); ++y) {
            for (int x = kInterior.left(); x <= kInterior.right(); ++x) {
                const QColor px(image.pixel(x, y));
                ASSERT_TRUE(px == kFill || px == kGround) << x << "," << y;
            }
        }
        c.check(image);
    }
}

TEST(ShapeWidget, OpaqueBackgroundLiesUnderTheHatch) {
    const QColor back(255, 255, 0);
    const QImage image = drawn(tk::FillStyle::Horizontal, tk::ShapeKind::Rectangle, back);
    for (int y = kInterior.top(); y <= kInterior.bottom(); ++y) {
        for (int x = kInterior.left(); x <= kInterior.right(); ++x) {
            const QColor px(image.pixel(x, y));
            ASSERT_TRUE(px == kFill || px == back) << x << "," << y;
        }
    }
}

TEST(ShapeWidget, OvalLeavesItsCornersUntouched) {
    const QImage image = drawn(tk::FillStyle::Solid, tk::ShapeKind::Oval);
    for (QPoint corner : {QPoint(0, 0), QPoint(kSize.width() - 1, 0), QPoint(0, kSize.height() - 1),
                          QPoint(kSize.width() - 1, kSize.height() - 1)}) {
        EXPECT_EQ(QColor(image.pixel(corner)), kGround);
    }
    EXPECT_EQ(QColor(image.pixel(kSize.width() / 2, 0)), kBorder);
    EXPECT_TRUE(isFill(image, kSize.width() / 2, kSize.height() / 2));
}

TEST(ShapeWidget, OvalBorderMeetsItsFillAllRound) {
    // An endemic point (25 pixels, a 5-pixel border) and thinner borders on odd sizes.
    const struct {
        QSize size;
        int border;
    } cases[] = {{{25, 25}, 5}, {{25, 25}, 2}, {{40, 33}, 3}, {{17, 17}, 1}, {{8, 8}, 4}};
    for (const auto& c : cases) {
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(kGround);
        ShapeWidget::Look look;
        look.kind = tk::ShapeKind::Oval;
        look.borderWidth = c.border;
        look.borderColor = kBorder;
        look.fillStyle = tk::FillStyle::Solid;
        look.fillColor = kFill;
        QPainter painter(&image);
        tk::paintShape(painter, image.rect(), look);
        painter.end();
        // Every pixel well inside the outer edge is border or fill, never what lies beneath.
        const double rx = c.size.width() / 2.0;
        const double ry = c.size.height() / 2.0;
        for (int y = 0; y < c.size.height(); ++y) {
            for (int x = 0; x < c.size.width(); ++x) {
                const double dx = (x + 0.5 - rx) / (rx - 1);
                const double dy = (y + 0.5 - ry) / (ry - 1);
                if (dx * dx + dy * dy > 1) continue;
                const QColor pixel(image.pixel(x, y));
                ASSERT_TRUE(pixel == kBorder || pixel == kFill)
                    << c.size.width() << "x" << c.size.height() << " border " << c.border
                    << ": pixel " << x << "," << y;
            }
        }
    }
}

// --- captions -------------------------------------------------------------------------------

TEST(CaptionLabel, AmpersandMarksTheAccessKeyAndTakesNoRoom) {
    const auto width = [](const char* text) {
        CaptionLabel label;
        label.setText(QString::fromLatin1(text));
        return label.fittingSize().width();
    };
    EXPECT_EQ(width("&Nome"), width("Nome"));
    EXPECT_GT(width("A&&B"), width("AB"));  // a doubled ampersand is shown once
    EXPECT_GT(width("Nome e cognome"), width("Nome"));
}

// --- fonts ----------------------------------------------------------------------------------

TEST(Fonts, WindowsFacesBecomeInstalledFacesOfTheSameStyle) {
    const QFont standard = toQFont(tk::Font{});
    EXPECT_EQ(standard.pixelSize(), 11);  // 8.25 points at 96 dots per inch
    EXPECT_FALSE(standard.bold());
    EXPECT_TRUE(QFontDatabase::hasFamily(standard.family())) << standard.family().toStdString();

    const QFont arial = toQFont(tk::Font{QStringLiteral("Arial"), 12, true, true});
    EXPECT_EQ(arial.family(), standard.family());  // both plain sans faces
    EXPECT_EQ(arial.pixelSize(), 16);
    EXPECT_TRUE(arial.bold());
    EXPECT_TRUE(arial.italic());

    EXPECT_GE(toQFont(tk::Font{QStringLiteral("Arial Black")}).weight(), QFont::Black);

    const QFont times = toQFont(tk::Font{QStringLiteral("Times New Roman")});
    EXPECT_NE(QFontInfo(times).family(), QFontInfo(standard).family());
    EXPECT_TRUE(QFontInfo(toQFont(tk::Font{QStringLiteral("Courier New")})).fixedPitch());
}

// --- pictures -------------------------------------------------------------------------------

TEST(Pictures, EveryNameTheWindowsUseIsDrawn) {
    const char* names[] = {"open",        "save",           "saveas",       "delete", "print",
                           "window-menu", "window-drawing", "window-title", "colour", "help",
                           "tips",        "support",        "about",        "check",  "clear",
                           "exit",        "guide",          "aid",          "draw",   "next",
                           "erase",       "close",          "arrow"};
    for (const char* n : names) {
        const QString name = QString::fromLatin1(n);
        SCOPED_TRACE(n);
        ASSERT_TRUE(hasPicture(name));
        for (int side : {16, 32}) {
            const QImage image = picture(name, QSize(side, side)).toImage();
            ASSERT_EQ(image.size(), QSize(side, side));
            int inked = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) inked += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(inked, side * side / 10);  // a glyph, not a speck
            EXPECT_LT(inked, side * side);       // on a transparent ground
        }
        EXPECT_FALSE(pictureIcon(name).isNull());
        EXPECT_FALSE(pictureIcon(name).pixmap(20, QIcon::Disabled).isNull());
    }
    EXPECT_EQ(pictureNames().size(), static_cast<qsizetype>(std::size(names)));
}

TEST(Pictures, UnknownNamesGiveNothing) {
    EXPECT_FALSE(hasPicture(QStringLiteral("nessuna")));
    EXPECT_TRUE(picture(QStringLiteral("nessuna"), QSize(16, 16)).isNull());
    EXPECT_TRUE(picture(QString(), QSize(16, 16)).isNull());
    EXPECT_TRUE(pictureIcon(QStringLiteral("nessuna")).isNull());
    EXPECT_TRUE(picture(QStringLiteral("open"), QSize(0, 0)).isNull());
}

}  // namespace
}  // namespace zelmor::qtui
