#include "scriptparser.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <limits>

namespace zelmor::script {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QString shown(const QByteArray& word) {
    return QString::fromUtf8(word);
}

// Strict UTF-8: a string that is not valid UTF-8 is a mistake in the file, not a text.
bool validUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(bytes);
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

QString quoteImpl(const QByteArray& bytes, bool escapeHigh) {
    QByteArray out = "\"";
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F || (escapeHigh && c >= 0x80)) {
                    static const char kHex[] = "0123456789ABCDEF";
                    out += "\\x";
                    out += kHex[c >> 4];
                    out += kHex[c & 0x0F];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return QString::fromUtf8(out);
}

// Reads the arguments of one command, left to right, with messages that say what was wanted.
class Cursor {
  public:
    Cursor(std::vector<Token> tokens, int line) : tokens_(std::move(tokens)), line_(line) {}

    [[noreturn]] void fail(const QString& message) const { throw SyntaxError(line_, message); }

    bool atEnd() const { return pos_ >= tokens_.size(); }

    QString describeNext() const {
        if (atEnd()) return QStringLiteral("the end of the line");
        const Token& t = tokens_[pos_];
        if (t.kind == Token::Kind::String) return QStringLiteral("a string");
        return QStringLiteral("'%1'").arg(shown(t.bytes));
    }

    bool nextIsString() const { return !atEnd() && tokens_[pos_].kind == Token::Kind::String; }
    bool nextIsWord(const char* w) const {
        return !atEnd() && tokens_[pos_].kind == Token::Kind::Word && tokens_[pos_].bytes == w;
    }

    QString word(const QString& what) {
        if (atEnd() || tokens_[pos_].kind != Token::Kind::Word) {
            fail(QStringLiteral("expected %1, got %2").arg(what, describeNext()));
        }
        return shown(tokens_[pos_++].bytes);
    }

    QString oneOf(const QStringList& choices, const QString& what) {
        QString w = atEnd() || tokens_[pos_].kind != Token::Kind::Word ? QString()
                                                                       : shown(tokens_[pos_].bytes);
        if (!choices.contains(w)) {
            fail(QStringLiteral("expected %1 (%2), got %3")
                     .arg(what, choices.join(QStringLiteral(", ")), describeNext()));
        }
        ++pos_;
        return w;
    }

    // A quoted string whose bytes are used as they are.
    QByteArray bytes(const QString& what) {
        if (!nextIsString()) {
            fail(QStringLiteral("expected a quoted string for %1, got %2")
                     .arg(what, describeNext()));
        }
        return tokens_[pos_++].bytes;
    }

    // A quoted string read as text: it must be UTF-8.
    QByteArray text(const QString& what) {
        QByteArray b = bytes(what);
        if (!validUtf8(b)) fail(QStringLiteral("the string for %1 is not valid UTF-8").arg(what));
        return b;
    }

    int number(const QString& what, int min = std::numeric_limits<int>::min(),
               int max = std::numeric_limits<int>::max()) {
        static const QRegularExpression kInt(QStringLiteral("^-?[0-9]+$"));
        const bool isWord = !atEnd() && tokens_[pos_].kind == Token::Kind::Word;
        const QString w = isWord ? shown(tokens_[pos_].bytes) : QString();
        bool ok = false;
        const qlonglong v = kInt.match(w).hasMatch() ? w.toLongLong(&ok) : 0;
        if (!ok)
            fail(
                QStringLiteral("expected a whole number for %1, got %2").arg(what, describeNext()));
        if (v < min || v > max) {
            fail(QStringLiteral("%1 must be between %2 and %3, got %4")
                     .arg(what)
                     .arg(min)
                     .arg(max)
                     .arg(w));
        }
        ++pos_;
        return static_cast<int>(v);
    }

    Ref ref(const QString& what, bool windowOnly = false, bool controlOnly = false) {
        static const QRegularExpression kRef(QStringLiteral(
            R"(^([A-Za-z_][A-Za-z0-9_]*)(?:\.([\p{L}_][\p{L}0-9_]*)(?:\(([0-9]{1,5})\))?)?$)"));
        const bool isWord = !atEnd() && tokens_[pos_].kind == Token::Kind::Word;
        const auto m = kRef.match(isWord ? shown(tokens_[pos_].bytes) : QString());
        if (!m.hasMatch()) fail(QStringLiteral("expected %1, got %2").arg(what, describeNext()));
        ++pos_;
        Ref r;
        r.window = m.captured(1);
        r.control = m.captured(2);
        r.index = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
        if (windowOnly && !r.isWindow()) {
            fail(QStringLiteral("expected %1, got the control %2").arg(what, r.display()));
        }
        if (controlOnly && r.isWindow()) {
            fail(QStringLiteral("expected %1, got the window %2").arg(what, r.display()));
        }
        return r;
    }

    void end() {
        if (!atEnd())
            fail(QStringLiteral("unexpected %1 at the end of the command").arg(describeNext()));
    }

  private:
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    int line_;
};

const QStringList kControlProps = {
    QStringLiteral("text"),      QStringLiteral("enabled"),     QStringLiteral("visible"),
    QStringLiteral("checked"),   QStringLiteral("value"),       QStringLiteral("bold"),
    QStringLiteral("tooltip"),   QStringLiteral("left"),        QStringLiteral("top"),
    QStringLiteral("width"),     QStringLiteral("height"),      QStringLiteral("x1"),
    QStringLiteral("y1"),        QStringLiteral("x2"),          QStringLiteral("y2"),
    QStringLiteral("backcolor"), QStringLiteral("borderwidth"), QStringLiteral("border"),
};
const QStringList kWindowProps = {
    QStringLiteral("caption"), QStringLiteral("backcolor"), QStringLiteral("left"),
    QStringLiteral("top"),     QStringLiteral("width"),     QStringLiteral("height"),
    QStringLiteral("visible"),
};

void parseColour(Cursor& c, Command& cmd) {
    cmd.numbers.push_back(c.number(QStringLiteral("red"), 0, 255));
    cmd.numbers.push_back(c.number(QStringLiteral("green"), 0, 255));
    cmd.numbers.push_back(c.number(QStringLiteral("blue"), 0, 255));
}

void parseExpect(Cursor& c, Command& cmd) {
    if (c.atEnd()) c.fail(QStringLiteral("expect what? The line ends after 'expect'"));
    if (c.nextIsWord("message")) {
        c.word({});
        cmd.op = Op::ExpectMessage;
        cmd.word = c.oneOf({QStringLiteral("critical"), QStringLiteral("exclamation"),
                            QStringLiteral("information"), QStringLiteral("question")},
                           QStringLiteral("a message icon"));
        cmd.strings.push_back(c.text(QStringLiteral("the title")));
        cmd.strings.push_back(c.text(QStringLiteral("the text")));
    } else if (c.nextIsWord("no")) {
        c.word({});
        c.oneOf({QStringLiteral("message")}, QStringLiteral("'message' after 'expect no'"));
        cmd.op = Op::ExpectNoMessage;
    } else if (c.nextIsWord("dialog")) {
        c.word({});
        cmd.op = Op::ExpectDialog;
        cmd.strings.push_back(c.text(QStringLiteral("the title")));
        cmd.strings.push_back(c.text(QStringLiteral("the filter")));
        cmd.numbers.push_back(c.number(QStringLiteral("the filter index")));
        cmd.strings.push_back(c.text(QStringLiteral("the file name")));
    } else if (c.nextIsWord("window")) {
        c.word({});
        cmd.op = Op::ExpectWindow;
        cmd.ref = c.ref(QStringLiteral("a window name"), true);
        cmd.word = c.oneOf({QStringLiteral("loaded"), QStringLiteral("unloaded"),
                            QStringLiteral("visible"), QStringLiteral("hidden")},
                           QStringLiteral("a window state"));
    } else if (c.nextIsWord("file")) {
        c.word({});
        cmd.strings.push_back(c.text(QStringLiteral("the path")));
        if (c.nextIsWord("absent")) {
            c.word({});
            cmd.op = Op::ExpectFileAbsent;
        } else if (c.nextIsWord("begins")) {
            c.word({});
            cmd.op = Op::ExpectFileBegins;
            cmd.strings.push_back(c.bytes(QStringLiteral("the first bytes")));
        } else if (c.nextIsWord("holds")) {
            c.word({});
            cmd.op = Op::ExpectFileHolds;
            cmd.strings.push_back(c.bytes(QStringLiteral("the bytes it holds")));
        } else {
            cmd.op = Op::ExpectFile;
            cmd.strings.push_back(c.bytes(QStringLiteral("the content (or absent, or begins)")));
        }
    } else if (c.nextIsWord("picture")) {
        c.word({});
        cmd.strings.push_back(c.text(QStringLiteral("the path")));
        const QString what = c.oneOf({QStringLiteral("size"), QStringLiteral("pixel")},
                                     QStringLiteral("a picture check"));
        if (what == QLatin1String("size")) {
            cmd.op = Op::ExpectPictureSize;
            cmd.numbers.push_back(c.number(QStringLiteral("the width"), 0));
            cmd.numbers.push_back(c.number(QStringLiteral("the height"), 0));
        } else {
            cmd.op = Op::ExpectPicturePixel;
            cmd.numbers.push_back(c.number(QStringLiteral("x"), 0));
            cmd.numbers.push_back(c.number(QStringLiteral("y"), 0));
            parseColour(c, cmd);
        }
    } else if (c.nextIsWord("clipboard")) {
        c.word({});
        const QString what = c.oneOf({QStringLiteral("picture"), QStringLiteral("empty")},
                                     QStringLiteral("a clipboard check"));
        if (what == QLatin1String("picture")) {
            cmd.op = Op::ExpectClipboardPicture;
            cmd.numbers.push_back(c.number(QStringLiteral("the width"), 0));
            cmd.numbers.push_back(c.number(QStringLiteral("the height"), 0));
        } else {
            cmd.op = Op::ExpectClipboardEmpty;
        }
    } else if (c.nextIsWord("drawn")) {
        c.word({});
        cmd.word =
            c.oneOf({QStringLiteral("segment"), QStringLiteral("box"), QStringLiteral("circle")},
                    QStringLiteral("a primitive kind"));
        cmd.numbers.push_back(c.number(QStringLiteral("a count or coordinate")));
        if (c.atEnd()) {
            cmd.op = Op::ExpectDrawnCount;
            if (cmd.numbers[0] < 0) c.fail(QStringLiteral("a count cannot be negative"));
        } else {
            cmd.op = Op::ExpectDrawn;
            const int more = cmd.word == QLatin1String("circle") ? 2 : 3;
            for (int i = 0; i < more; ++i)
                cmd.numbers.push_back(c.number(QStringLiteral("a coordinate")));
        }
    } else if (c.nextIsWord("word")) {
        c.word({});
        if (c.atEnd()) {
            cmd.op = Op::ExpectWord;  // the block is read by the caller
        } else if (c.nextIsWord("typed")) {
            c.word({});
            cmd.op = Op::ExpectWordTyped;
            cmd.strings.push_back(c.text(QStringLiteral("the typed text")));
        } else if (c.nextIsWord("has")) {
            c.word({});
            cmd.op = Op::ExpectWordHas;
            const QByteArray line = c.text(QStringLiteral("the log line"));
            try {
                tokenize(line);
            } catch (const SyntaxError& e) {
                c.fail(QStringLiteral("the log line is malformed: %1").arg(e.message()));
            }
            cmd.strings.push_back(line);
        } else {
            c.fail(QStringLiteral("expected 'typed', 'has' or nothing after 'expect word', got %1")
                       .arg(c.describeNext()));
        }
    } else if (c.nextIsWord("music")) {
        c.word({});
        if (c.nextIsWord("file")) {
            c.word({});
            cmd.op = Op::ExpectMusicFile;
            cmd.strings.push_back(c.text(QStringLiteral("the file name")));
        } else {
            cmd.op = Op::ExpectMusic;
            cmd.strings.push_back(c.text(QStringLiteral("the player commands")));
        }
    } else if (c.nextIsWord("program")) {
        c.word({});
        c.oneOf({QStringLiteral("ended")}, QStringLiteral("'ended' after 'expect program'"));
        cmd.op = Op::ExpectProgramEnded;
    } else {
        cmd.op = Op::ExpectProperty;
        cmd.ref = c.ref(QStringLiteral("window, window.control or a kind of expectation"));
        const QString prop = c.word(QStringLiteral("a property"));
        if (cmd.ref.isWindow() ? !isWindowProperty(prop) : !isControlProperty(prop)) {
            c.fail(
                QStringLiteral("unknown %1 property '%2' (known: %3)")
                    .arg(cmd.ref.isWindow() ? QStringLiteral("window") : QStringLiteral("control"),
                         prop,
                         (cmd.ref.isWindow() ? kWindowProps : kControlProps)
                             .join(QStringLiteral(", "))));
        }
        cmd.word = prop;
        cmd.strings.push_back(c.text(QStringLiteral("the expected value")));
    }
    c.end();
}

Command parseCommand(const std::vector<Token>& tokens, int line) {
    Cursor c(tokens, line);
    Command cmd;
    cmd.line = line;
    const QString name = c.word(QStringLiteral("a command"));
    if (name == QLatin1String("screen")) {
        cmd.op = Op::Screen;
        cmd.numbers.push_back(c.number(QStringLiteral("the screen width"), 1));
        cmd.numbers.push_back(c.number(QStringLiteral("the screen height"), 1));
    } else if (name == QLatin1String("today")) {
        cmd.op = Op::Today;
        const QString d = c.word(QStringLiteral("a date YYYY-MM-DD"));
        static const QRegularExpression kDate(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
        cmd.date = QDate::fromString(d, Qt::ISODate);
        if (!kDate.match(d).hasMatch() || !cmd.date.isValid()) {
            c.fail(QStringLiteral("expected a date YYYY-MM-DD, got '%1'").arg(d));
        }
    } else if (name == QLatin1String("setting")) {
        cmd.op = Op::Setting;
        const QString key = c.oneOf({QStringLiteral("officeName"), QStringLiteral("officeAddress")},
                                    QStringLiteral("a setting name"));
        cmd.word = key == QLatin1String("officeName") ? QStringLiteral("ufficio/nome")
                                                      : QStringLiteral("ufficio/indirizzo");
        cmd.strings.push_back(c.text(QStringLiteral("the value")));
    } else if (name == QLatin1String("write")) {
        cmd.op = Op::Write;
        cmd.strings.push_back(c.text(QStringLiteral("the path")));
        cmd.strings.push_back(c.bytes(QStringLiteral("the content")));
    } else if (name == QLatin1String("remove")) {
        cmd.op = Op::Remove;
        cmd.strings.push_back(c.text(QStringLiteral("the path")));
    } else if (name == QLatin1String("pages")) {
        cmd.op = Op::Pages;
        cmd.numbers.push_back(c.number(QStringLiteral("the page count"), 0));
    } else if (name == QLatin1String("argument")) {
        cmd.op = Op::Argument;
        cmd.strings.push_back(c.text(QStringLiteral("the path")));
    } else if (name == QLatin1String("start")) {
        cmd.op = Op::Start;
    } else if (name == QLatin1String("restart")) {
        cmd.op = Op::Restart;
    } else if (name == QLatin1String("click")) {
        cmd.op = Op::Click;
        cmd.ref = c.ref(QStringLiteral("window or window.control"));
    } else if (name == QLatin1String("type") || name == QLatin1String("set") ||
               name == QLatin1String("choose")) {
        cmd.op = name == QLatin1String("type")  ? Op::Type
                 : name == QLatin1String("set") ? Op::Set
                                                : Op::Choose;
        cmd.ref = c.ref(QStringLiteral("window.control"), false, true);
        cmd.strings.push_back(
            c.text(cmd.op == Op::Choose ? QStringLiteral("the item") : QStringLiteral("the text")));
    } else if (name == QLatin1String("scroll")) {
        cmd.op = Op::Scroll;
        cmd.ref = c.ref(QStringLiteral("window.control"), false, true);
        cmd.numbers.push_back(c.number(QStringLiteral("the scroll bar value")));
    } else if (name == QLatin1String("key")) {
        cmd.op = Op::Key;
        cmd.ref = c.ref(QStringLiteral("a window name"), true);
        const QByteArray k = c.text(QStringLiteral("the key"));
        if (QString::fromUtf8(k).size() != 1) {
            c.fail(QStringLiteral("a key is exactly one character, got %1").arg(quoteBytes(k)));
        }
        cmd.strings.push_back(k);
    } else if (name == QLatin1String("mouse")) {
        cmd.op = Op::Mouse;
        cmd.ref = c.ref(QStringLiteral("window or window.control"));
        cmd.word = c.oneOf({QStringLiteral("down"), QStringLiteral("up"), QStringLiteral("move")},
                           QStringLiteral("a mouse action"));
    } else if (name == QLatin1String("resize")) {
        cmd.op = Op::Resize;
        cmd.ref = c.ref(QStringLiteral("a window name"), true);
        cmd.numbers.push_back(c.number(QStringLiteral("the width"), 0));
        cmd.numbers.push_back(c.number(QStringLiteral("the height"), 0));
    } else if (name == QLatin1String("minimize") || name == QLatin1String("restore") ||
               name == QLatin1String("close")) {
        cmd.op = name == QLatin1String("minimize")  ? Op::Minimize
                 : name == QLatin1String("restore") ? Op::Restore
                                                    : Op::Close;
        cmd.ref = c.ref(QStringLiteral("a window name"), true);
    } else if (name == QLatin1String("handover")) {
        cmd.op = Op::HandOver;
        cmd.strings.push_back(c.text(QStringLiteral("the path")));
    } else if (name == QLatin1String("answer")) {
        const QString kind =
            c.oneOf({QStringLiteral("file"), QStringLiteral("colour"), QStringLiteral("question")},
                    QStringLiteral("a kind of answer"));
        if (kind == QLatin1String("file")) {
            cmd.op = Op::AnswerFile;
            if (c.nextIsWord("cancel")) {
                c.word({});
                cmd.cancel = true;
            } else if (c.nextIsString()) {
                cmd.strings.push_back(c.text(QStringLiteral("the path")));
            } else {
                c.fail(QStringLiteral("expected a quoted path or cancel, got %1")
                           .arg(c.describeNext()));
            }
        } else if (kind == QLatin1String("colour")) {
            cmd.op = Op::AnswerColour;
            if (c.nextIsWord("cancel")) {
                c.word({});
                cmd.cancel = true;
            } else {
                parseColour(c, cmd);
            }
        } else {
            cmd.op = Op::AnswerQuestion;
            cmd.cancel = c.oneOf({QStringLiteral("yes"), QStringLiteral("no")},
                                 QStringLiteral("an answer")) == QLatin1String("no");
        }
    } else if (name == QLatin1String("expect")) {
        parseExpect(c, cmd);
        return cmd;
    } else {
        c.fail(QStringLiteral("unknown command '%1'").arg(name));
    }
    c.end();
    return cmd;
}

QByteArray trimmed(const QByteArray& line) {
    qsizetype b = 0;
    qsizetype e = line.size();
    while (b < e && isBlank(line[b])) ++b;
    while (e > b && isBlank(line[e - 1])) --e;
    return line.mid(b, e - b);
}

}  // namespace

SyntaxError::SyntaxError(int line, const QString& message)
    : std::runtime_error(message.toStdString()), line_(line), message_(message) {}

QString Ref::display() const {
    if (isWindow()) return window;
    if (index > 0) return QStringLiteral("%1.%2(%3)").arg(window, control).arg(index);
    return window + QLatin1Char('.') + control;
}

std::vector<Token> tokenize(const QByteArray& line) {
    std::vector<Token> out;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && isBlank(line[i])) ++i;
        if (i >= n) break;
        Token t;
        if (line[i] == '"') {
            t.kind = Token::Kind::String;
            ++i;
            bool closed = false;
            while (i < n) {
                const char ch = line[i];
                if (ch == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (ch != '\\') {
                    t.bytes += ch;
                    ++i;
                    continue;
                }
                if (i + 1 >= n)
                    throw SyntaxError(0,
                                      QStringLiteral("a backslash ends the line inside a string"));
                const char e = line[i + 1];
                i += 2;
                switch (e) {
                    case '"':
                        t.bytes += '"';
                        break;
                    case '\\':
                        t.bytes += '\\';
                        break;
                    case 'r':
                        t.bytes += '\r';
                        break;
                    case 'n':
                        t.bytes += '\n';
                        break;
                    case 't':
                        t.bytes += '\t';
                        break;
                    case 'x': {
                        const int hi = i < n ? hexDigit(line[i]) : -1;
                        const int lo = i + 1 < n ? hexDigit(line[i + 1]) : -1;
                        if (hi < 0 || lo < 0) {
                            throw SyntaxError(0,
                                              QStringLiteral("\\x needs two hexadecimal digits"));
                        }
                        t.bytes += static_cast<char>(hi * 16 + lo);
                        i += 2;
                        break;
                    }
                    default:
                        throw SyntaxError(0, QStringLiteral("unknown escape \\%1 in a string")
                                                 .arg(QString::fromUtf8(QByteArray(1, e))));
                }
            }
            if (!closed) throw SyntaxError(0, QStringLiteral("a string is not closed"));
            if (i < n && !isBlank(line[i])) {
                throw SyntaxError(0, QStringLiteral("a closing quote must be followed by a blank"));
            }
        } else {
            while (i < n && !isBlank(line[i])) {
                if (line[i] == '"') {
                    throw SyntaxError(
                        0, QStringLiteral("a quote inside the word '%1'").arg(shown(t.bytes)));
                }
                t.bytes += line[i++];
            }
        }
        out.push_back(std::move(t));
    }
    return out;
}

QString quoteText(const QString& text) {
    return quoteImpl(text.toUtf8(), false);
}
QString quoteBytes(const QByteArray& bytes) {
    return quoteImpl(bytes, true);
}

QByteArray substitute(const QByteArray& bytes, const Placeholders& places) {
    const std::pair<QByteArray, QByteArray> names[] = {
        {QByteArrayLiteral("{dir}"), places.dir.toUtf8()},
        {QByteArrayLiteral("{program}"), places.program.toUtf8()},
        {QByteArrayLiteral("{picture}"), places.picture.toUtf8()},
        {QByteArrayLiteral("{reports}"), places.reports.toUtf8()},
    };
    // One pass, so that a replacement is never scanned again.
    QByteArray out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        bool replaced = false;
        if (bytes[i] == '{') {
            for (const auto& [name, value] : names) {
                if (bytes.mid(i, name.size()) == name) {
                    out += value;
                    i += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += bytes[i++];
    }
    return out;
}

bool isControlProperty(const QString& prop) {
    return kControlProps.contains(prop);
}
bool isWindowProperty(const QString& prop) {
    return kWindowProps.contains(prop);
}

Script parse(const QByteArray& text) {
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    QList<QByteArray> lines = body.split('\n');
    // A final newline does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QByteArray& l : lines) {
        if (l.endsWith('\r')) l.chop(1);
    }

    Script script;
    script.lastLine = static_cast<int>(lines.size());
    const auto skip = [](const QByteArray& t) { return t.isEmpty() || t.startsWith('#'); };
    const auto tokens = [](const QByteArray& line, int number) {
        try {
            return tokenize(line);
        } catch (const SyntaxError& e) {
            throw SyntaxError(number, e.message());
        }
    };

    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QByteArray t = trimmed(lines[i]);
        if (skip(t)) continue;
        Command cmd = parseCommand(tokens(t, number), number);
        if (cmd.op == Op::ExpectWord) {
            bool ended = false;
            for (++i; i < lines.size(); ++i) {
                const QByteArray b = trimmed(lines[i]);
                if (skip(b)) continue;
                if (b == "end") {
                    ended = true;
                    break;
                }
                cmd.block.push_back({i + 1, b, tokens(b, i + 1)});
            }
            if (!ended)
                throw SyntaxError(number, QStringLiteral("'expect word' without its 'end'"));
        }
        script.commands.push_back(std::move(cmd));
    }
    return script;
}

}  // namespace zelmor::script
