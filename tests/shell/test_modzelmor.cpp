#include "shell/zelmorapp.h"
#include "toolkit/testing/fakes.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

TEST(ModZelmor, ProductTextsTitlesAndOfficeData) {
    tk::testing::FakeServices fakes;
    fakes.platform.settings[QStringLiteral("ufficio/nome")] = QStringLiteral("Studio Alfa");
    fakes.platform.settings[QStringLiteral("ufficio/indirizzo")] = QStringLiteral("via Roma 1");
    shell::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform});
    z.app().dispatch([&] { z.startup(); });
    const shell::ModZelmor& s = z.shared();
    EXPECT_EQ(s.productName, QStringLiteral("Zelmor"));
    EXPECT_EQ(s.titleDataCheck,
              QStringLiteral("Zelmor: controllo dati immessi nella finestra attiva"));
    EXPECT_EQ(s.titleOnlineHelp, QStringLiteral("Zelmor: aiuto in linea"));
    EXPECT_EQ(s.officeName, QStringLiteral("Studio Alfa"));
    EXPECT_EQ(s.officeAddress, QStringLiteral("via Roma 1"));
    EXPECT_TRUE(z.app().isLoaded(QStringLiteral("menu")));
}

TEST(ModZelmor, ExitAsksAndOnYesUnloadsEverything) {
    tk::testing::FakeServices fakes;
    shell::ZelmorApp z({&fakes.messages, &fakes.files, &fakes.colors, &fakes.platform});
    z.app().dispatch([&] { z.startup(); });

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
    EXPECT_FALSE(z.app().ended());

    fakes.messages.answers.push_back(tk::MessageResult::Yes);
    z.app().dispatch([&] { z.shared().confirmExit(); });
    EXPECT_FALSE(z.app().isLoaded(QStringLiteral("menu")));
}

}  // namespace
