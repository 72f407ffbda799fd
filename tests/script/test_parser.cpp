#include "scriptparser.h"

#include <gtest/gtest.h>

#include <string>

namespace zelmor::script {
namespace {

using Kind = Token::Kind;

Token word(const char* w) {
    return {Kind::Word, QByteArray(w)};
}
Token str(const QByteArray& b) {
    return {Kind::String, b};
}

std::string show(const std::vector<Token>& tokens) {
    std::string out;
    for (const Token& t : tokens) {
        out += t.kind == Kind::Word ? "W[" : "S[";
        out += quoteBytes(t.bytes).toStdString();
        out += "] ";
    }
    return out;
}

struct TokenCase {
    const char* line;
    std::vector<Token> expected;
};

TEST(ScriptTokenize, WordsStringsAndEscapes) {
    const TokenCase cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"start", {word("start")}},
        {"  click   menu.Check1(3)  ", {word("click"), word("menu.Check1(3)")}},
        {"set a.b \"\"", {word("set"), word("a.b"), str("")}},
        {"\"a b\"", {str("a b")}},
        {R"("say \"hi\"")", {str("say \"hi\"")}},
        {R"("back\\slash")", {str("back\\slash")}},
        {R"("\r\n\t")", {str("\r\n\t")}},
        {R"("\x41\x7a\xE8\xff")", {str(QByteArray("Az\xE8\xFF"))}},
        {R"("\x00")", {str(QByteArray(1, '\0'))}},
        {"\"tab\there\"", {str("tab\there")}},
        {"\"è\"", {str("\xC3\xA8")}},
        {R"("{dir}/a" "b")", {str("{dir}/a"), str("b")}},
        {R"(write "x" "\\\"")", {word("write"), str("x"), str("\\\"")}},
    };
    for (const TokenCase& c : cases) {
        const std::vector<Token> got = tokenize(QByteArray(c.line));
        EXPECT_EQ(got, c.expected) << c.line << " gave " << show(got);
    }
}

struct BadCase {
    const char* text;
    const char* messagePart;
};

TEST(ScriptTokenize, MalformedStringsAreRejected) {
    const BadCase cases[] = {
        {R"("open)", "not closed"},
        {R"("ends in \)", "backslash ends the line"},
        {R"("\q")", "unknown escape \\q"},
        {R"("\x4")", "two hexadecimal digits"},
        {R"("\xG1")", "two hexadecimal digits"},
        {R"("\x")", "two hexadecimal digits"},
        {R"("a"b)", "followed by a blank"},
        {R"(ab"c")", "quote inside the word"},
    };
    for (const BadCase& c : cases) {
        try {
            tokenize(QByteArray(c.text));
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const SyntaxError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.messagePart)))
                << c.text << " -> " << e.message().toStdString();
        }
    }
}

TEST(ScriptQuote, QuotedFormReadsBackTheSameBytes) {
    const QByteArray values[] = {
        "",
        "plain",
        "with \"quotes\" and \\ backslash",
        "\r\n\t",
        QByteArray("\x00\x01\x1F\x7F", 4),
        "\x80\xE8\xFF windows-1252",
        "{dir}",
    };
    for (const QByteArray& v : values) {
        const QString q = quoteBytes(v);
        const std::vector<Token> back = tokenize(q.toUtf8());
        ASSERT_EQ(back.size(), 1u) << q.toStdString();
        EXPECT_EQ(back[0], str(v)) << q.toStdString();
        // Escaping every high byte keeps the quoted form plain ASCII.
        for (const QChar ch : q) EXPECT_LT(ch.unicode(), 0x80) << q.toStdString();
    }
    const QString texts[] = {QStringLiteral("città è \"qui\""), QStringLiteral("a\\b\r\n"),
                             QString()};
    for (const QString& t : texts) {
        const QString q = quoteText(t);
        const std::vector<Token> back = tokenize(q.toUtf8());
        ASSERT_EQ(back.size(), 1u) << q.toStdString();
        EXPECT_EQ(QString::fromUtf8(back[0].bytes), t) << q.toStdString();
    }
    // Readable non-ASCII text stays as it is.
    EXPECT_TRUE(quoteText(QStringLiteral("è")).contains(QStringLiteral("è")));
}

TEST(ScriptPlaceholders, Substitution) {
    Placeholders p;
    p.dir = QStringLiteral("/tmp/d");
    p.program = QStringLiteral("/tmp/d/program");
    p.picture = QStringLiteral("/tmp/d/Programmi/schemaZelmor.jpg");
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"nothing", "nothing"},
        {"{dir}/a.txt", "/tmp/d/a.txt"},
        {"{program}/tips", "/tmp/d/program/tips"},
        {"{picture}", "/tmp/d/Programmi/schemaZelmor.jpg"},
        {"{dir}{dir}", "/tmp/d/tmp/d"},
        {"{other} {dir", "{other} {dir"},
        {"{{dir}}", "{/tmp/d}"},
        {"{DIR}", "{DIR}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(substitute(QByteArray(c.in), p), QByteArray(c.out)) << c.in;
    }
    // A folder whose name looks like a placeholder is not replaced a second time.
    p.dir = QStringLiteral("/x/{program}");
    EXPECT_EQ(substitute("{dir}", p), QByteArray("/x/{program}"));
}

struct ErrorCase {
    const char* script;
    int line;
    const char* messagePart;
};

TEST(ScriptParse, SyntaxErrorsNameTheLine) {
    const ErrorCase cases[] = {
        {"clik menu.a", 1, "unknown command 'clik'"},
        {"start\n\n# note\nstart now", 4, "unexpected 'now'"},
        {"screen 100", 1, "screen height"},
        {"screen 0 10", 1, "between 1"},
        {"screen a b", 1, "whole number"},
        {"today 2024-02-30", 1, "date"},
        {"today 24-1-1", 1, "date"},
        {"setting office \"x\"", 1, "setting name"},
        {"setting officeName x", 1, "quoted string"},
        {"write \"a\"", 1, "content"},
        {"pages -1", 1, "page count"},
        {"click", 1, "window or window.control"},
        {"click menu.", 1, "window or window.control"},
        {"click menu.a(x)", 1, "window or window.control"},
        {"click \"menu\"", 1, "window or window.control"},
        {"type menu \"x\"", 1, "got the window menu"},
        {"set menu.a", 1, "the text"},
        {"scroll menu.bar", 1, "whole number"},
        {"key menu.a \"x\"", 1, "got the control menu.a"},
        {"key menu \"xy\"", 1, "exactly one character"},
        {"key menu \"\"", 1, "exactly one character"},
        {"mouse menu.a click", 1, "mouse action"},
        {"resize menu 10", 1, "height"},
        {"close menu.a", 1, "a window name"},
        {"answer file", 1, "path or cancel"},
        {"answer colour 1 2", 1, "blue"},
        {"answer colour 1 2 256", 1, "between 0 and 255"},
        {"answer color 1 2 3", 1, "kind of answer"},
        {"answer question maybe", 1, "an answer"},
        {"expect", 1, "expect what"},
        {"expect menu.a colour \"x\"", 1, "unknown control property 'colour'"},
        {"expect menu text \"x\"", 1, "unknown window property 'text'"},
        {"expect menu.a text 3", 1, "quoted string"},
        {"expect menu.a text \"x\" \"y\"", 1, "unexpected a string"},
        {"expect message warning \"t\" \"x\"", 1, "message icon"},
        {"expect message critical \"t\"", 1, "the text"},
        {"expect no messages", 1, "'message'"},
        {"expect dialog \"t\" \"f\" one \"n\"", 1, "filter index"},
        {"expect window menu open", 1, "window state"},
        {"expect file \"a\"", 1, "content (or absent, or begins)"},
        {"expect file \"a\" begins", 1, "first bytes"},
        {"expect clipboard full", 1, "clipboard check"},
        {"expect clipboard picture 3", 1, "height"},
        {"expect picture \"a\" colour 1 2", 1, "picture check"},
        {"expect picture \"a\" pixel 1 2 3 4", 1, "blue"},
        {"expect drawn line 3", 1, "primitive kind"},
        {"expect drawn segment 1 2 3", 1, "coordinate"},
        {"expect drawn circle 1 2", 1, "coordinate"},
        {"expect drawn box -1", 1, "negative"},
        {"expect word types \"x\"", 1, "'typed', 'has'"},
        {"expect word has \"cell \\\"x\"", 1, "malformed"},
        {"expect program over", 1, "'ended'"},
        {"start\nexpect word\nstart\n", 2, "without its 'end'"},
        {"expect word\n  type \"x\n end", 2, "not closed"},
        {"set a.b \"\xC3\"", 1, "not valid UTF-8"},
        {"start\r\nclick\r\n", 2, "window or window.control"},
    };
    for (const ErrorCase& c : cases) {
        try {
            parse(QByteArray(c.script));
            ADD_FAILURE() << "accepted: " << c.script;
        } catch (const SyntaxError& e) {
            EXPECT_EQ(e.line(), c.line) << c.script;
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.messagePart)))
                << c.script << " -> " << e.message().toStdString();
        }
    }
}

TEST(ScriptParse, CommandsAndTheirArguments) {
    const QByteArray text =
        "\xEF\xBB\xBF# a comment\r\n"
        "screen 12000 9000\r\n"
        "today 2024-03-01\n"
        "setting officeName \"Studio\"\n"
        "setting officeAddress \"Via\"\n"
        "  write \"{dir}/a\" \"\\xE8\"\n"
        "\n"
        "click menu.Check1(3)\n"
        "click frmSplash\n"
        "scroll menu.VScroll1 -4\n"
        "mouse disegno move\n"
        "answer file cancel\n"
        "answer colour 1 2 3\n"
        "answer question no\n"
        "expect menu.passo text \"x\"\n"
        "expect file \"a\" absent\n"
        "expect drawn circle 10 20 30\n"
        "expect drawn box 4\n"
        "expect word\n"
        "  # inside the block\n"
        "  add table 5 2\n"
        "\n"
        "  cell 1 2 \"valori\"\n"
        "end\n"
        "expect music file \"a.mid\"\n"
        "expect music \"open play\"\n";
    const Script s = parse(text);
    ASSERT_EQ(s.commands.size(), 19u);
    EXPECT_EQ(s.lastLine, 26);

    const Command& screen = s.commands[0];
    EXPECT_EQ(screen.op, Op::Screen);
    EXPECT_EQ(screen.line, 2);
    EXPECT_EQ(screen.numbers, (std::vector<int>{12000, 9000}));

    EXPECT_EQ(s.commands[1].date, QDate(2024, 3, 1));
    EXPECT_EQ(s.commands[2].word, QStringLiteral("ufficio/nome"));
    EXPECT_EQ(s.commands[3].word, QStringLiteral("ufficio/indirizzo"));
    EXPECT_EQ(s.commands[4].op, Op::Write);
    EXPECT_EQ(s.commands[4].strings[1], QByteArray("\xE8"));
    EXPECT_EQ(s.commands[4].line, 6);

    const Command& click = s.commands[5];
    EXPECT_EQ(click.line, 8);
    EXPECT_EQ(click.ref.window, QStringLiteral("menu"));
    EXPECT_EQ(click.ref.control, QStringLiteral("Check1"));
    EXPECT_EQ(click.ref.index, 3);
    EXPECT_EQ(click.ref.display(), QStringLiteral("menu.Check1(3)"));
    EXPECT_TRUE(s.commands[6].ref.isWindow());
    EXPECT_EQ(s.commands[7].numbers, (std::vector<int>{-4}));
    EXPECT_EQ(s.commands[8].word, QStringLiteral("move"));
    EXPECT_TRUE(s.commands[9].cancel);
    EXPECT_EQ(s.commands[10].numbers, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(s.commands[11].cancel);  // "no"
    EXPECT_EQ(s.commands[12].op, Op::ExpectProperty);
    EXPECT_EQ(s.commands[13].op, Op::ExpectFileAbsent);
    EXPECT_EQ(s.commands[14].op, Op::ExpectDrawn);
    EXPECT_EQ(s.commands[14].numbers, (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(s.commands[15].op, Op::ExpectDrawnCount);

    const Command& block = s.commands[16];
    EXPECT_EQ(block.op, Op::ExpectWord);
    ASSERT_EQ(block.block.size(), 2u);
    EXPECT_EQ(block.block[0].line, 21);
    EXPECT_EQ(block.block[0].text, QByteArray("add table 5 2"));
    EXPECT_EQ(block.block[1].tokens,
              (std::vector<Token>{word("cell"), word("1"), word("2"), str("valori")}));
    EXPECT_EQ(s.commands[17].op, Op::ExpectMusicFile);
    EXPECT_EQ(s.commands[17].line, 25);
    EXPECT_EQ(s.commands[18].op, Op::ExpectMusic);
}

}  // namespace
}  // namespace zelmor::script
