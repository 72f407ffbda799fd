// Reading scenario files: tokens, string escapes, placeholders and the commands of the language.
//
// Strings are kept as bytes: `write` and `expect file` use them as they are, everything else
// reads them as UTF-8 (checked while parsing, so a bad string is reported with its line).
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <stdexcept>
#include <vector>

namespace zelmor::script {

// A mistake in the scenario text itself. Line 0 while tokenizing a lone line; the parser fills
// in the real line.
class SyntaxError : public std::runtime_error {
  public:
    SyntaxError(int line, const QString& message);
    int line() const { return line_; }
    const QString& message() const { return message_; }

  private:
    int line_;
    QString message_;
};

struct Token {
    enum class Kind { Word, String };
    Kind kind = Kind::Word;
    QByteArray bytes;  // a word as written; a string with its escapes resolved
    bool operator==(const Token&) const = default;
};

// Splits one line into words and quoted strings. Throws SyntaxError (line 0).
std::vector<Token> tokenize(const QByteArray& line);

// The quoted form of a value, so that tokenize() gives the same bytes back. quoteText keeps
// non-ASCII characters readable; quoteBytes writes every byte above 0x7F as \xHH.
QString quoteText(const QString& text);
QString quoteBytes(const QByteArray& bytes);

struct Placeholders {
    QString dir;
    QString program;
    QString picture;
    QString reports;
};

// Replaces {dir}, {program}, {picture} and {reports}; any other brace is left as it is.
QByteArray substitute(const QByteArray& bytes, const Placeholders& places);

// window, window.control or window.control(i)
struct Ref {
    QString window;
    QString control;  // empty: the window itself
    int index = 0;
    bool isWindow() const { return control.isEmpty(); }
    QString display() const;  // as written: "menu.Check1(3)"
};

enum class Op {
    // set-up
    Screen,
    Today,
    Setting,
    Write,
    Remove,
    Pages,
    Argument,
    Start,
    Restart,
    // actions
    Click,
    Type,
    Set,
    Choose,
    Scroll,
    Key,
    Mouse,
    Resize,
    Minimize,
    Restore,
    Close,
    HandOver,
    // answers
    AnswerFile,
    AnswerColour,
    AnswerQuestion,
    // expectations
    ExpectProperty,
    ExpectMessage,
    ExpectNoMessage,
    ExpectDialog,
    ExpectWindow,
    ExpectFile,
    ExpectFileAbsent,
    ExpectFileBegins,
    ExpectFileHolds,
    ExpectPictureSize,
    ExpectPicturePixel,
    ExpectClipboardPicture,
    ExpectClipboardEmpty,
    ExpectDrawnCount,
    ExpectDrawn,
    ExpectWord,
    ExpectWordTyped,
    ExpectWordHas,
    ExpectMusic,
    ExpectMusicFile,
    ExpectProgramEnded,
};

// One command. Which fields are used depends on the operation:
//   ref      the window or control acted on or read
//   word     setting key, property, icon, window state, mouse action, primitive kind
//   strings  the quoted arguments in order (raw bytes, placeholders not yet replaced)
//   numbers  the numeric arguments in order
//   cancel   an answer that cancels the dialog; for answer question: true means "no"
//   block    the lines between `expect word` and `end`, tokenized, with their text
struct Command {
    int line = 0;
    Op op = Op::Start;
    Ref ref;
    QString word;
    std::vector<QByteArray> strings;
    std::vector<int> numbers;
    bool cancel = false;
    QDate date;
    struct BlockLine {
        int line = 0;
        QByteArray text;
        std::vector<Token> tokens;
    };
    std::vector<BlockLine> block;
};

struct Script {
    std::vector<Command> commands;
    int lastLine = 0;  // number of lines in the file
};

// Parses a whole scenario file. Throws SyntaxError naming the first faulty line.
Script parse(const QByteArray& text);

// Control properties that `expect W.C PROP` knows, and window properties for `expect W PROP`.
bool isControlProperty(const QString& prop);
bool isWindowProperty(const QString& prop);

}  // namespace zelmor::script
