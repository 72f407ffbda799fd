// The help windows on Qt: the contents follow the real pointer, and every page's body can be read
// whole in its window with the fonts the desktop has.
#include "app/zelmorapp.h"
#include "help/helppages.h"
#include "qt/qtprogram.h"
#include "toolkit/qt/qtbackend.h"
#include "toolkit/testing/fakes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace zelmor {
namespace {

class HelpWindowTest : public qttest::QtProgramTest {
  protected:
    void SetUp() override {
        QtProgramTest::SetUp();
        run([&] { form("menu").at(QStringLiteral("guida")).click(); });
        QApplication::processEvents();
    }
    QLabel* label(const char* window, const char* name, int index = 0) {
        tk::Form& f = form(window);
        auto* w = qobject_cast<QLabel*>(
            backend.window(f)->widget(f.at(QString::fromLatin1(name), index)));
        EXPECT_NE(w, nullptr) << window << "." << name << "(" << index << ")";
        return w;
    }
    // The pointer moved over a widget, with no button held, as the window system reports it.
    static void moveOver(QWidget* w, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        QApplication::processEvents();
    }
    std::vector<int> boldEntries() {
        std::vector<int> bold;
        for (int i = 1; i <= 8; ++i) {
            if (form("sommario").at(QStringLiteral("lbl"), i).font().bold) bold.push_back(i);
        }
        return bold;
    }
};

TEST_F(HelpWindowTest, TheHighlightFollowsThePointerOverTheEntries) {
    QLabel* second = label("sommario", "lbl", 2);
    QLabel* seventh = label("sommario", "lbl", 7);
    moveOver(second, second->rect().center());
    EXPECT_EQ(boldEntries(), std::vector<int>{2});
    EXPECT_TRUE(second->font().bold());

    moveOver(seventh, seventh->rect().center());
    EXPECT_EQ(boldEntries(), std::vector<int>{7});
    EXPECT_FALSE(second->font().bold());

    // The window's own background, left of the arrows.
    QWidget* client = backend.window(form("sommario"))->clientArea();
    moveOver(client, QPoint(5, seventh->geometry().center().y()));
    EXPECT_TRUE(boldEntries().empty());
    EXPECT_FALSE(seventh->font().bold());
}

TEST_F(HelpWindowTest, PressingAnEntryLooksPressedAndOpensItsPage) {
    QLabel* archive = label("sommario", "lbl", 3);
    ASSERT_NE(archive->frameStyle(), QFrame::NoFrame);
    QTest::mousePress(archive, Qt::LeftButton, {}, archive->rect().center());
    QApplication::processEvents();
    EXPECT_EQ(archive->frameStyle(), QFrame::NoFrame);
    tk::Form* page = program.app().form(QStringLiteral("guidaarchivio"));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(backend.window(*page)->isVisible());
    QTest::mouseRelease(archive, Qt::LeftButton, {}, archive->rect().center());
    QApplication::processEvents();
    EXPECT_NE(archive->frameStyle(), QFrame::NoFrame);
    EXPECT_TRUE(backend.window(*page)->isVisible());
}

TEST_F(HelpWindowTest, EveryBodyFitsItsLabel) {
    for (const help::HelpPageLayout& layout : help::helpPages()) {
        run([&] { program.app().show(QString::fromLatin1(layout.name)); });
        QApplication::processEvents();
        QLabel* body = label(layout.name, "Label2");
        ASSERT_NE(body, nullptr);
        const QRect area = body->contentsRect();
        QString text = body->text();
        text.replace(QChar(13), QLatin1Char('\n'));
        const QRect needed = QFontMetrics(body->font())
                                 .boundingRect(QRect(0, 0, area.width(), 100000),
                                               Qt::TextWordWrap | Qt::AlignLeft, text);
        EXPECT_LE(needed.height(), area.height())
            << layout.name << ": the text needs " << needed.height() << " of " << area.height()
            << " pixels";
        EXPECT_LE(needed.width(), area.width()) << layout.name;
    }
}

}  // namespace
}  // namespace zelmor
