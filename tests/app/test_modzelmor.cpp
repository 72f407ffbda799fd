#include "app/splashform.h"
#include "app/zelmorapp.h"
#include "reports/officewordprocessor.h"
#include "reports/recordingwordprocessor.h"
#include "support/entry.h"
#include "toolkit/testing/fakes.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

TEST(ModZelmor, StartUpSetsTheSharedValuesAndOpensOnTheSplash) {
    tk::testing::FakeServices fakes;
    fakes.platform.settings[QStringLiteral("ufficio/nome")] = QStringLiteral("Studio Alfa");
    fakes.platform.settings[QStringLiteral("ufficio/indirizzo")] = QStringLiteral("via Roma 1");
    app::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform});
    z.app().dispatch([&] { z.startup(); });
    const shared::ModZelmor& s = z.shared();
    EXPECT_EQ(s.product().name, QStringLiteral("Zelmor"));
    EXPECT_EQ(s.titles().dataCheck,
              QStringLiteral("Zelmor: controllo dati immessi nella finestra attiva"));
    EXPECT_EQ(s.titles().onlineHelp, QStringLiteral("Zelmor: aiuto in linea"));
    EXPECT_EQ(s.office().name, QStringLiteral("Studio Alfa"));
    EXPECT_EQ(s.office().address, QStringLiteral("via Roma 1"));
    // The splash is the only window on the screen; the data-entry window waits for its click.
    EXPECT_TRUE(z.app().form(QStringLiteral("frmSplash"))->visible());
    EXPECT_EQ(z.app().activeForm(), z.app().form(QStringLiteral("frmSplash")));
    EXPECT_FALSE(z.app().isLoaded(QStringLiteral("menu")));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST(ModZelmor, ExitAsksAndOnYesLeavesOnlyTheClosingScreen) {
    tk::testing::FakeServices fakes;
    QStringList music;
    QStringList files;
    music::RecordingMusicPlayer player(music, files);
    app::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}, &player);
    z.app().dispatch([&] { z.startup(); });
    z.app().dispatch([&] { z.app().form(QStringLiteral("frmSplash"))->click(); });
    ASSERT_TRUE(z.app().isLoaded(QStringLiteral("menu")));

    fakes.messages.answers.push_back(tk::MessageResult::No);
    z.app().dispatch([&] { z.shared().confirmExit(); });
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    const tk::Message& q = fakes.messages.shown[0];
    EXPECT_EQ(q.icon, tk::MessageIcon::Question);
    EXPECT_EQ(q.buttons, tk::MessageButtons::YesNo);
    EXPECT_EQ(q.defaultButton, tk::MessageResult::No);
    EXPECT_EQ(q.text, QStringLiteral("Vuoi uscire da Zelmor?"));
    EXPECT_EQ(q.title, QStringLiteral("Attenzione: i dati non archiviati andranno persi !"));
    EXPECT_TRUE(z.app().isLoaded(QStringLiteral("menu")));
    EXPECT_EQ(music, QStringList({"open", "play", "pause"}));

    fakes.messages.answers.push_back(tk::MessageResult::Yes);
    z.app().dispatch([&] { z.shared().confirmExit(); });
    EXPECT_FALSE(z.app().isLoaded(QStringLiteral("menu")));
    ASSERT_EQ(z.app().loadedForms().size(), 1u);
    tk::Form* splash = z.app().loadedForms().front();
    EXPECT_EQ(splash->name(), QStringLiteral("frmSplash"));
    EXPECT_TRUE(splash->visible());
    EXPECT_EQ(splash->at(QStringLiteral("label"), 2).text(),
              QStringLiteral("          elaborazione eseguita con"));
    EXPECT_EQ(music, QStringList({"open", "play", "pause", "play"}));
    EXPECT_FALSE(z.app().ended());

    z.app().dispatch([&] { splash->key(QLatin1Char('x')); });
    EXPECT_TRUE(z.app().ended());
    EXPECT_EQ(music.last(), QStringLiteral("close"));
}

TEST(ModZelmor, WithoutASplashAConfirmedExitEndsTheProgram) {
    tk::testing::FakeServices fakes;
    tk::Application app({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform});
    shared::ModZelmor shared(app);
    struct Plain : tk::Form {
        using tk::Form::Form;
    };
    app.registerForm(QStringLiteral("menu"), [](tk::Application& a) {
        return std::make_unique<Plain>(a, QStringLiteral("menu"));
    });
    app.dispatch([&] { app.show(QStringLiteral("menu")); });
    fakes.messages.answers.push_back(tk::MessageResult::Yes);
    app.dispatch([&] { shared.confirmExit(); });
    EXPECT_TRUE(app.ended());
}

// Without LibreOffice (here: its plugin cannot be loaded) a report tells the user what to
// install, and the data-entry window stays usable.
TEST(ModZelmor, AReportWithoutTheOfficeSaysWhatToInstall) {
    tk::testing::FakeServices fakes;
    const auto office =
        reports::makeOfficeWordProcessor(true, QStringLiteral("/nonexistent/libzelmor_writer.so"));
    app::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}, nullptr,
                     office.get());
    z.app().dispatch([&] { z.startup(); });
    z.app().dispatch([&] { z.app().form(QStringLiteral("frmSplash"))->click(); });
    testsupport::enterOneSubsystem(z.app());
    tk::Form& m = *z.app().form(QStringLiteral("menu"));
    ASSERT_TRUE(m.at(QStringLiteral("passo")).text().startsWith(QLatin1String("correggere")));
    z.app().dispatch([&] { m.at(QStringLiteral("solodati")).click(); });
    ASSERT_EQ(fakes.messages.shown.size(), 1U);
    const tk::Message& said = fakes.messages.shown[0];
    EXPECT_EQ(said.icon, tk::MessageIcon::Critical);
    EXPECT_EQ(said.title, QStringLiteral("Zelmor: stampa"));
    EXPECT_TRUE(said.text.contains(QStringLiteral("LibreOffice Writer non è installato")));
    EXPECT_TRUE(said.text.contains(QLatin1String("libreoffice-writer")));
    EXPECT_EQ(m.at(QStringLiteral("passo")).text(),
              QStringLiteral("correggere, archiviare i dati o disegnare il modello"));

    // Every kind of failure has its own explanation, and none claims that the report was done.
    // A file is named; what the office said (technical, in English) is not shown.
    using Kind = reports::WordError::Kind;
    const struct {
        Kind kind;
        bool namesFile;
    } kinds[] = {
        {Kind::Missing, false},     {Kind::NotStarted, false},    {Kind::Lost, false},
        {Kind::Failed, false},      {Kind::PictureMissing, true}, {Kind::PictureUnreadable, true},
        {Kind::PictureStale, true}, {Kind::SaveFailed, true},     {Kind::ExportFailed, true},
        {Kind::TimedOut, false},    {Kind::TimedOutLeft, false},  {Kind::CellTooLong, false}};
    QStringList texts;
    for (const auto& k : kinds) {
        const QString t =
            shared::ModZelmor::failureText(reports::WordError(k.kind, QStringLiteral("x")));
        EXPECT_FALSE(texts.contains(t));
        EXPECT_EQ(t.contains(QLatin1String("(x)")), k.namesFile) << t.toStdString();
        texts << t;
    }
}

// The office starts ahead when the user moves towards a report: the title page shown, a model
// drawn; never while the program merely starts.
TEST(ModZelmor, TheOfficeIsAskedToGetReadyWhenAReportComesNear) {
    tk::testing::FakeServices fakes;
    QStringList log;
    const int pages = 1;
    reports::RecordingWordProcessor word(log, pages);
    app::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform}, nullptr,
                     &word);
    z.app().dispatch([&] { z.startup(); });
    z.app().dispatch([&] { z.app().form(QStringLiteral("frmSplash"))->click(); });
    testsupport::enterOneSubsystem(z.app());
    EXPECT_EQ(word.prepared(), 0);
    tk::Form& menu = *z.app().form(QStringLiteral("menu"));
    z.app().dispatch([&] { menu.at(QStringLiteral("fin3")).click(); });
    EXPECT_EQ(word.prepared(), 1);
    z.app().dispatch([&] { menu.at(QStringLiteral("disegn")).click(); });
    EXPECT_EQ(word.prepared(), 2);
    EXPECT_TRUE(log.isEmpty());  // getting ready writes nothing
}

}  // namespace
