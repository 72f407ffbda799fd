#include "model/encoding.h"

#include <gtest/gtest.h>

namespace zelmor::model {
namespace {

// Texts a user types or pastes, counted and checked as the user sees them.
TEST(Encoding, LostCharactersAndVisibleLengths) {
    const QString thumb = QStringLiteral("\U0001F44D\U0001F3FD");  // thumbs up, medium skin tone
    const QString qAcute = QStringLiteral("q\u0301");              // no composed form exists
    const struct {
        QString text;
        QStringList lost;
        int length;
        QString firstThree;
    } rows[] = {
        {QStringLiteral("Parma"), {}, 5, QStringLiteral("Par")},
        {QStringLiteral("Città, perché €"), {}, 15, QStringLiteral("Cit")},
        {QStringLiteral("Łódź – Kraków"),
         {QStringLiteral("Ł"), QStringLiteral("ź")},
         13,
         QStringLiteral("Łód")},
        {QStringLiteral("ok ") + thumb + thumb, {thumb}, 5, QStringLiteral("ok ")},
        {thumb + QStringLiteral("ab"), {thumb}, 3, thumb + QStringLiteral("ab")},
        // A composed accent is a character of the code page, a lone combining one is not.
        {QStringLiteral("e\u0301e"), {QStringLiteral("e\u0301")}, 2, QStringLiteral("e\u0301e")},
        {qAcute + QStringLiteral("?x"), {qAcute}, 3, qAcute + QStringLiteral("?x")},
        {QStringLiteral("?"), {}, 1, QStringLiteral("?")},
        {QString(), {}, 0, QString()},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(unencodableCharacters(r.text), r.lost) << r.text.toStdString();
        EXPECT_EQ(visibleLength(r.text), r.length) << r.text.toStdString();
        EXPECT_EQ(leftVisible(r.text, 3), r.firstThree) << r.text.toStdString();
    }
    EXPECT_EQ(leftVisible(QStringLiteral("abc"), 0), QString());
    EXPECT_EQ(leftVisible(QStringLiteral("abc"), -1), QString());
    EXPECT_EQ(leftVisible(thumb, 1), thumb);
}

TEST(Encoding, NamesTheFieldsThatWouldLoseCharactersAfterComposing) {
    ModelData model;
    model.endemicKind = model::EndemicKind::Superficiale;
    model.endemicValue = QStringLiteral("forte \U0001F600");
    model.subsystemCount = QStringLiteral("2");
    model.subsystems[1].value = QStringLiteral("très fort");
    model.subsystems[2].value = QStringLiteral("Ł");  // beyond the count: not written
    TitlePage title;
    title.project = QStringLiteral("Łódź – Kraków");
    title.place = QStringLiteral("Citta\u0300");  // composes to "Città"
    title.denominations[1] = QStringLiteral("zona ź");
    title.denominations[2] = QStringLiteral("Ł");  // beyond the count
    composeTexts(model, title);
    EXPECT_EQ(title.place, QStringLiteral("Città"));
    const std::vector<UnencodableField> expected{
        {QStringLiteral("valore della situazione endemica"), {QStringLiteral("\U0001F600")}},
        {QStringLiteral("progetto"), {QStringLiteral("Ł"), QStringLiteral("ź")}},
        {QStringLiteral("denominazione del sottosistema n. 2"), {QStringLiteral("ź")}},
    };
    EXPECT_EQ(unencodableFields(model, title), expected);
}

}  // namespace
}  // namespace zelmor::model
