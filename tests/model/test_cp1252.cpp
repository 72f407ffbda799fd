#include "model/cp1252.h"

#include <QSet>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace zelmor::model {
namespace {

QByteArray allBytes() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

bool isHole(int b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

TEST(Cp1252, EveryByteDecodesToItsOwnCharacterAndBack) {
    const QByteArray bytes = allBytes();
    const QString text = fromCp1252(bytes);
    ASSERT_EQ(text.size(), 256);
    QSet<char16_t> seen;
    for (const QChar c : text) seen.insert(c.unicode());
    EXPECT_EQ(seen.size(), 256) << "two bytes decode to the same character";
    EXPECT_EQ(toCp1252(text), bytes);
}

struct KnownChar {
    unsigned char byte;
    char16_t unicode;
};

TEST(Cp1252, KnownCharactersBothWays) {
    const KnownChar rows[] = {
        {0x00, 0x0000}, {'"', u'"'},  {'A', u'A'},  {0x7F, 0x007F}, {0x80, u'€'},
        {0x81, 0x0081}, {0x82, u'‚'}, {0x8A, u'Š'}, {0x8D, 0x008D}, {0x8F, 0x008F},
        {0x90, 0x0090}, {0x93, u'“'}, {0x96, u'–'}, {0x9D, 0x009D}, {0x9F, u'Ÿ'},
        {0xA0, 0x00A0}, {0xE0, u'à'}, {0xE8, u'è'}, {0xF9, u'ù'},   {0xFF, u'ÿ'},
    };
    for (const KnownChar& row : rows) {
        const QByteArray byte(1, static_cast<char>(row.byte));
        const QString ch(QChar(row.unicode));
        EXPECT_EQ(fromCp1252(byte), ch) << "byte 0x" << std::hex << int(row.byte);
        EXPECT_EQ(toCp1252(ch), byte) << "byte 0x" << std::hex << int(row.byte);
    }
}

// An independent table: the system's converter, where the code page defines the byte.
TEST(Cp1252, AgreesWithTheSystemConverter) {
    QStringDecoder system("windows-1252");
    if (!system.isValid()) GTEST_SKIP() << "no windows-1252 converter on this system";
    for (int b = 0; b < 256; ++b) {
        if (isHole(b)) continue;
        const QByteArray byte(1, static_cast<char>(b));
        const QString expected = system.decode(byte);
        EXPECT_EQ(fromCp1252(byte), expected) << "byte 0x" << std::hex << b;
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    struct Row {
        const char* what;
        QString text;
        QByteArray expected;
    };
    const Row rows[] = {
        {"latin extended", QStringLiteral(u"Ā"), "?"},
        {"CJK", QStringLiteral(u"a中b"), "a?b"},
        {"C1 control not a hole", QString(QChar(0x0080)), "?"},
        {"C1 control 0x9F", QString(QChar(0x009F)), "?"},
        {"outside the BMP is one character", QStringLiteral(u"x😀y"), "x?y"},
        {"lone high surrogate", QString(QChar(0xD83D)) + u'z', "?z"},
        {"lone low surrogate", QString(QChar(0xDE00)), "?"},
        {"high surrogate at the end", u'a' + QString(QChar(0xD83D)), "a?"},
        {"mixed", QStringLiteral(u"città € ≠"), "citt\xE0 \x80 ?"},
    };
    for (const Row& row : rows) EXPECT_EQ(toCp1252(row.text), row.expected) << row.what;
}

}  // namespace
}  // namespace zelmor::model
