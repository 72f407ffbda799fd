// The fixture of the tests of the whole program without a display: every window the program
// has, on the fakes and in the temporary folder of support/fixture.h. SetUp starts it and
// clicks the splash, so that a test begins on the data-entry window, as the user does.
//
//   class OpenTest : public testsupport::ProgramTest {};
//   TEST_F(OpenTest, ...) { fakes.files.answers.push_back(write("Zelmor-dati-A", bytes));
//                           click("menu", "apri"); ... }
//
// A fixture that needs the platform set up first (a date, a folder, a screen) does so in
// beforeStart(); one that starts otherwise passes how far SetUp takes the program.
#pragma once

#include "app/zelmorapp.h"
#include "entry/menuform.h"
#include "music/music.h"
#include "reports/recordingwordprocessor.h"
#include "support/fixture.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace zelmor::testsupport {

class ProgramTest : public ServicesTest {
  protected:
    // How far SetUp takes the program.
    enum class StartAt {
        Nothing,  // not started: the test starts it
        Splash,   // started: the splash is on the screen
        Menu,     // and the splash clicked: the data-entry window is up
    };
    explicit ProgramTest(StartAt startAt = StartAt::Menu) : startAt_(startAt) {}

    void SetUp() override {
        ServicesTest::SetUp();
        if (HasFatalFailure()) return;
        beforeStart();
        if (HasFatalFailure() || startAt_ == StartAt::Nothing) return;
        start();
        if (startAt_ == StartAt::Menu) clickSplash();
    }
    // What must be ready before the program starts: the platform's values, files it reads.
    virtual void beforeStart() {}

    // The start-up: the splash is on the screen.
    void start() {
        run([&] { program.startup(); });
    }
    // The user's click on the splash: the data-entry window comes up.
    void clickSplash() {
        run([&] { form("frmSplash").click(); });
    }

    // One user action, and everything it sets off.
    void run(const std::function<void()>& f) { program.app().dispatch(f); }
    tk::Application& app() { return program.app(); }
    // A loaded window; the test fails when it is not.
    tk::Form& form(const char* name) {
        tk::Form* f = program.app().form(QString::fromUtf8(name));
        EXPECT_NE(f, nullptr) << name << " is not loaded";
        return *f;
    }
    entry::MenuForm& menu() {
        return *program.app().formAs<entry::MenuForm>(QStringLiteral("menu"));
    }
    // A user's click; the test fails when the user could not reach the control.
    void click(const char* window, const char* name, int index = 0) {
        tk::Control& c = form(window).at(QString::fromUtf8(name), index);
        ASSERT_TRUE(c.reachable()) << window << "." << name << "(" << index << ") not reachable";
        run([&] { c.click(); });
    }

    // The splash's music player writes down its commands in `music` and the files it opens in
    // `musicFiles`; without it the program is silent.
    void recordMusic() { program.shared().setMusicPlayer(&player); }
    // The reports go to a word processor that writes down every operation in `reportLog`, with
    // `reportPages` as the length of every document; without one a report says that there is
    // no word processor.
    void recordReports() { program.shared().setWordProcessor(&recorder); }
    // The reports go to a word processor of the test's own; the fixture keeps it until the
    // program has gone.
    template <class Word>
    Word& useWordProcessor(std::unique_ptr<Word> word) {
        Word& w = *word;
        word_ = std::move(word);
        program.shared().setWordProcessor(&w);
        return w;
    }

    QStringList music;
    QStringList musicFiles;
    music::RecordingMusicPlayer player{music, musicFiles};
    QStringList reportLog;
    int reportPages = 1;
    reports::RecordingWordProcessor recorder{reportLog, reportPages};

  private:
    // Declared before the program, which uses them until its end.
    std::unique_ptr<reports::WordProcessor> word_;
    StartAt startAt_;

  protected:
    app::ZelmorApp program{services()};
};

}  // namespace zelmor::testsupport
