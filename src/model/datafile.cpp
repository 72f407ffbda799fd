#include "datafile.h"

#include "cp1252.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace zelmor::model {
namespace {

// ---------------------------------------------------------------------------------------------
// Writing

class LineWriter {
  public:
    explicit LineWriter(QByteArray& out) : out_(out) {}

    LineWriter& number(const std::optional<int>& value) {
        separate();
        if (value) out_ += QByteArray::number(*value);
        return *this;
    }

    LineWriter& text(const QString& value) {
        separate();
        out_ += '"';
        const QByteArray bytes = toCp1252(value);
        // Doubling the quote is what lets a text with a quote come back whole; without one the
        // bytes are the classic layout.
        if (!bytes.contains('"')) {
            out_ += bytes;
        } else {
            for (const char c : bytes) {
                if (c == '"') out_ += '"';
                out_ += c;
            }
        }
        out_ += '"';
        return *this;
    }

    void end() {
        out_ += "\r\n";
        first_ = true;
    }

  private:
    void separate() {
        if (!first_) out_ += ',';
        first_ = false;
    }

    QByteArray& out_;
    bool first_ = true;
};

// ---------------------------------------------------------------------------------------------
// Reading

struct Field {
    QByteArray bytes;  // a quoted field without its quotes, doubled quotes made single
    bool quoted = false;
};

enum class LineShape { Ok, TooFew, TooMany, Unclosed };

// Splits the input into lines of fields. A line ends at CR LF, LF or a lone CR outside quotes,
// or at the end of the input.
class Scanner {
  public:
    explicit Scanner(const QByteArray& bytes)
        : p_(bytes.constData()), end_(bytes.constData() + bytes.size()) {}

    bool atEnd() const { return p_ == end_; }

    // Reads the next line into `fields`. Stops as soon as the shape is known to be wrong, so a
    // line of a million commas costs no more than one with `expected + 1` fields.
    LineShape readLine(std::vector<Field>& fields, std::size_t expected) {
        fields.clear();
        for (;;) {
            fields.emplace_back();
            if (!readField(fields.back())) return LineShape::Unclosed;
            if (p_ != end_ && *p_ == ',') {
                ++p_;
                if (fields.size() == expected) return LineShape::TooMany;
                continue;
            }
            skipLineEnd();
            return fields.size() < expected ? LineShape::TooFew : LineShape::Ok;
        }
    }

  private:
    static bool isDelimiter(char c) { return c == ',' || c == '\r' || c == '\n'; }

    // Leaves p_ on the delimiter after the field (or at the end). False: the quotes never close.
    bool readField(Field& field) {
        if (p_ == end_ || *p_ != '"') {
            const char* start = p_;
            while (p_ != end_ && !isDelimiter(*p_)) ++p_;
            field.bytes = QByteArray(start, p_ - start);
            return true;
        }
        field.quoted = true;
        ++p_;
        for (;;) {
            const auto* quote =
                static_cast<const char*>(std::memchr(p_, '"', static_cast<std::size_t>(end_ - p_)));
            if (quote == nullptr) return false;
            field.bytes.append(p_, quote - p_);
            p_ = quote + 1;
            if (p_ == end_ || isDelimiter(*p_)) return true;
            // A doubled quote is one quote. A single one followed by anything else comes from an
            // older file that wrote quotes as they were: keep it rather than give up.
            if (*p_ == '"') ++p_;
            field.bytes += '"';
        }
    }

    void skipLineEnd() {
        if (p_ == end_) return;
        if (*p_ == '\r') {
            ++p_;
            if (p_ != end_ && *p_ == '\n') ++p_;
        } else if (*p_ == '\n') {
            ++p_;
        }
    }

    const char* p_;
    const char* end_;
};

// A plain decimal integer, optionally negative, that fits an int. Empty gives std::nullopt.
bool parseNumber(const QByteArray& bytes, std::optional<int>& value) {
    if (bytes.isEmpty()) {
        value.reset();
        return true;
    }
    qsizetype i = 0;
    const bool negative = bytes[0] == '-';
    if (negative) ++i;
    if (i == bytes.size()) return false;
    long long n = 0;
    for (; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
        if (n > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (negative) n = -n;
    if (n > std::numeric_limits<int>::max() || n < std::numeric_limits<int>::min()) return false;
    value = static_cast<int>(n);
    return true;
}

class Reader {
  public:
    explicit Reader(const QByteArray& bytes) : scanner_(bytes) {}

    DataFileContent run() {
        if (!readHeader()) return std::move(content_);
        const int n = content_.count;
        for (int i = 0; i < n; ++i) {
            if (!readSubsystem(i)) return std::move(content_);
        }
        if (!readTitle()) return std::move(content_);
        for (int i = 0; i < n; ++i) {
            if (!readDenomination(i)) return std::move(content_);
        }
        // Whatever follows the last denomination is not ours; it is ignored.
        return std::move(content_);
    }

  private:
    bool fail(const QString& reason) {
        content_.error = DataFileError{line_, QStringLiteral("riga %1: ").arg(line_) + reason};
        return false;
    }

    bool fieldFail(std::size_t index, const QString& reason) {
        return fail(QStringLiteral("campo %1: ").arg(index + 1) + reason);
    }

    // Reads the next line, which must have exactly `expected` fields. `what` names the data the
    // line holds, for the message when the file ends before it.
    bool nextLine(std::size_t expected, const QString& what) {
        ++line_;
        if (scanner_.atEnd()) return fail(QStringLiteral("fine del file prima ") + what);
        switch (scanner_.readLine(fields_, expected)) {
            case LineShape::Ok:
                return true;
            case LineShape::TooFew:
                return fail(QStringLiteral("mancano dei campi"));
            case LineShape::TooMany:
                return fail(QStringLiteral("troppi campi"));
            case LineShape::Unclosed:
                return fail(QStringLiteral("virgolette non chiuse"));
        }
        return false;
    }

    bool text(std::size_t index, QString& out) {
        const Field& f = fields_[index];
        if (!f.quoted) return fieldFail(index, QStringLiteral("manca il testo tra virgolette"));
        out = fromCp1252(f.bytes);
        return true;
    }

    bool number(std::size_t index, std::optional<int>& out) {
        const Field& f = fields_[index];
        if (f.quoted || !parseNumber(f.bytes, out))
            return fieldFail(index, QStringLiteral("manca il numero"));
        return true;
    }

    bool readHeader() {
        if (!nextLine(5, QStringLiteral("dei dati della situazione endemica"))) return false;
        std::optional<int> kind;
        std::optional<int> typology;
        QString typologyText;
        QString value;
        ModelData counted;
        if (!number(0, kind) || !text(1, typologyText) || !number(2, typology) || !text(3, value) ||
            !text(4, counted.subsystemCount))
            return false;
        const std::optional<EndemicKind> endemicKind = kind ? endemicKindOf(*kind) : std::nullopt;
        if (!endemicKind)
            return fail(
                QStringLiteral("tipo della situazione endemica non valido (deve essere da 1 a 3)"));
        // The one rule for a count; one the program cannot use is no count at all.
        const int count = counted.count();
        if (count == 0)
            return fail(
                QStringLiteral("numero dei sottosistemi non valido (deve essere da 1 a 9)"));

        ModelData& m = content_.model;
        m.endemicKind = endemicKind;
        m.endemicTypologyText = std::move(typologyText);
        m.endemicTypology = typology;
        m.endemicValue = std::move(value);
        m.subsystemCount = std::move(counted.subsystemCount);
        content_.count = count;
        content_.headerRead = true;
        return true;
    }

    bool readSubsystem(int i) {
        if (!nextLine(4, QStringLiteral("del sottosistema %1").arg(i + 1))) return false;
        Subsystem s;
        if (!number(0, s.typology) || !text(1, s.typologyText) || !text(2, s.value) ||
            !text(3, s.links))
            return false;
        // The typology indexes the table of particular typologies; anything else would have the
        // drawing reach outside it.
        if (s.typology && (*s.typology < 1 || *s.typology > particularTypologies().size()))
            return fail(
                QStringLiteral("tipologia del sottosistema non valida (deve essere da 1 a 9)"));
        // A hand-made list may name the subsystem itself, a number twice or one above the
        // count; the model never holds such a link.
        s.links = usableLinks(s.links, i + 1, content_.count);
        content_.model.subsystems[static_cast<std::size_t>(i)] = std::move(s);
        ++content_.subsystemsRead;
        return true;
    }

    bool readTitle() {
        const QString what = QStringLiteral("dei dati del frontespizio");
        TitlePage t;
        if (!nextLine(3, what) || !text(0, t.project) || !text(1, t.place) || !text(2, t.studyType))
            return false;
        if (!nextLine(4, what) || !text(0, t.client) || !text(1, t.town) || !text(2, t.date) ||
            !text(3, t.attachments))
            return false;
        content_.title = std::move(t);
        content_.titleRead = true;
        return true;
    }

    bool readDenomination(int i) {
        if (!nextLine(1, QStringLiteral("della denominazione del sottosistema %1").arg(i + 1)))
            return false;
        if (!text(0, content_.title.denominations[static_cast<std::size_t>(i)])) return false;
        ++content_.denominationsRead;
        return true;
    }

    Scanner scanner_;
    std::vector<Field> fields_;
    int line_ = 0;
    DataFileContent content_;
};

}  // namespace

QByteArray writeDataFile(const ModelData& model, const TitlePage& title) {
    // Only the subsystems the count covers are part of the model; the saving window refuses a
    // model without a count, so a bad one just writes none.
    const int n = std::clamp(model.count(), 0, kMaxSubsystems);
    QByteArray out;
    out.reserve(256 + 128 * n);
    LineWriter w(out);
    w.number(model.endemicKind ? std::optional<int>(numberOf(*model.endemicKind)) : std::nullopt)
        .text(model.endemicTypologyText)
        .number(model.endemicTypology)
        .text(model.endemicValue)
        .text(model.subsystemCount)
        .end();
    for (int i = 0; i < n; ++i) {
        const Subsystem& s = model.subsystems[static_cast<std::size_t>(i)];
        w.number(s.typology).text(s.typologyText).text(s.value).text(s.links).end();
    }
    w.text(title.project).text(title.place).text(title.studyType).end();
    w.text(title.client).text(title.town).text(title.date).text(title.attachments).end();
    for (int i = 0; i < n; ++i) w.text(title.denominations[static_cast<std::size_t>(i)]).end();
    return out;
}

DataFileContent readDataFile(const QByteArray& bytes) {
    return Reader(bytes).run();
}

}  // namespace zelmor::model
