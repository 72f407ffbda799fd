// A report on the real Qt windows: while the word processor works, the event loop does not run,
// so the program must paint its status line itself and show the busy pointer.
#include "qt/qtprogram.h"
#include "support/entry.h"
#include "support/nullwordprocessor.h"
#include "toolkit/qt/qtbackend.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace zelmor {
namespace {

// Notes the texts a label was painted with.
class PaintLog : public QObject {
  public:
    explicit PaintLog(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList painted;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint) painted << label_->text();
        return false;
    }

  private:
    QLabel* label_;
};

// Looks at the screen when the report starts, then fails or writes nothing.
class ProbeWordProcessor final : public testsupport::NullWordProcessor {
  public:
    std::function<void()> atStart;
    bool fail = false;
    void start() override {
        if (atStart) atStart();
        if (fail) throw reports::WordError(reports::WordError::Kind::NotStarted, QString());
    }
};

// A whole model entered, and the reports go to the probe.
class ReportBusyTest : public qttest::QtProgramTest {
  protected:
    void SetUp() override {
        QtProgramTest::SetUp();
        if (HasFatalFailure()) return;
        testsupport::enterOneSubsystem(program.app());
        QApplication::processEvents();
    }
    ProbeWordProcessor& word = useWordProcessor(std::make_unique<ProbeWordProcessor>());
    tk::Form& menu() { return *program.app().form(QStringLiteral("menu")); }
    QLabel* hintLabel() {
        return qobject_cast<QLabel*>(
            backend.window(menu())->widget(menu().at(QStringLiteral("passo"))));
    }
};

TEST_F(ReportBusyTest, TheStatusIsPaintedAndThePointerBusyWhileTheReportRuns) {
    ASSERT_TRUE(menu().at(QStringLiteral("passo")).text().startsWith(QLatin1String("correggere")));
    QLabel* label = hintLabel();
    ASSERT_NE(label, nullptr);
    PaintLog log(label);
    QStringList paintedAtStart;
    int cursorAtStart = -1;
    word.atStart = [&] {
        paintedAtStart = log.painted;
        const QCursor* c = QApplication::overrideCursor();
        cursorAtStart = c != nullptr ? c->shape() : -1;
    };
    run([&] { menu().at(QStringLiteral("solodati")).click(); });
    EXPECT_TRUE(paintedAtStart.contains(QStringLiteral("sto caricando WORD")))
        << paintedAtStart.join('|').toStdString();
    EXPECT_EQ(cursorAtStart, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ReportBusyTest, AFailureIsToldWithThePointerBackToNormal) {
    word.fail = true;
    int cursorAtMessage = -2;
    fakes.messages.onShow = [&] {
        const QCursor* c = QApplication::overrideCursor();
        cursorAtMessage = c != nullptr ? c->shape() : -1;
    };
    run([&] { menu().at(QStringLiteral("solodati")).click(); });
    ASSERT_EQ(fakes.messages.shown.size(), 1U);
    EXPECT_EQ(fakes.messages.shown[0].title, QStringLiteral("Zelmor: stampa"));
    EXPECT_EQ(cursorAtMessage, -1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(menu().at(QStringLiteral("passo")).text(),
              QStringLiteral("correggere, archiviare i dati o disegnare il modello"));
}

}  // namespace
}  // namespace zelmor
