#include "recordingwordprocessor.h"

#include "model/fileio.h"

#include <QFile>

namespace zelmor::reports {

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '\r':
                out += QStringLiteral("\\r");
                break;
            case '\n':
                out += QStringLiteral("\\n");
                break;
            case '\t':
                out += QStringLiteral("\\t");
                break;
            case '"':
                out += QStringLiteral("\\\"");
                break;
            case '\\':
                out += QStringLiteral("\\\\");
                break;
            default:
                if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
                    out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
                } else {
                    out += c;
                }
        }
    }
    return out + QLatin1Char('"');
}

void RecordingWordProcessor::start() {
    record(QStringLiteral("start"));
}
void RecordingWordProcessor::show() {
    record(QStringLiteral("show"));
}
void RecordingWordProcessor::addDocument() {
    record(QStringLiteral("add document"));
    text_.clear();
}
void RecordingWordProcessor::fontName(const QString& name) {
    record(QStringLiteral("font name ") + quoted(name));
}
void RecordingWordProcessor::fontSize(int points) {
    record(QStringLiteral("font size %1").arg(points));
}
void RecordingWordProcessor::type(const QString& text) {
    record(QStringLiteral("type ") + quoted(text));
    text_ += text;
}
void RecordingWordProcessor::appendParagraph() {
    record(QStringLiteral("append paragraph"));
    text_ += QLatin1Char('\r');
}
void RecordingWordProcessor::paragraphText(const QString& text) {
    record(QStringLiteral("paragraph text ") + quoted(text));
    text_ += text;
}
void RecordingWordProcessor::paragraphFontSize(int points) {
    record(QStringLiteral("paragraph font size %1").arg(points));
}
void RecordingWordProcessor::addTable(int rows, int columns) {
    record(QStringLiteral("add table %1 %2").arg(rows).arg(columns));
}
void RecordingWordProcessor::tableFontSize(int points) {
    record(QStringLiteral("table font size %1").arg(points));
}
void RecordingWordProcessor::cell(int row, int column, const QString& text) {
    record(QStringLiteral("cell %1 %2 ").arg(row).arg(column) + quoted(text));
    text_ += text + QLatin1Char('\t');
}
void RecordingWordProcessor::autoformat(int format) {
    record(QStringLiteral("autoformat %1").arg(format));
}
void RecordingWordProcessor::addPicture(const QString& path, const PictureWords& /*words*/) {
    record(QStringLiteral("add picture ") + quoted(path));
    if (!QFile::exists(path)) throw WordError(WordError::Kind::PictureMissing, path);
}
int RecordingWordProcessor::countPages() {
    record(QStringLiteral("count pages"));
    return *pages_;
}
void RecordingWordProcessor::justifyAll() {
    record(QStringLiteral("justify all"));
}
QString RecordingWordProcessor::save(const QString& path) {
    record(QStringLiteral("save ") + quoted(path));
    if (!model::writeWholeFile(path, text_.toUtf8()).isEmpty())
        throw WordError(WordError::Kind::SaveFailed, QString());  // the caller names the file
    return path;
}
void RecordingWordProcessor::describe(const QString&, const QString&) {}
std::optional<int> RecordingWordProcessor::finishedPages() {
    return std::nullopt;
}
void RecordingWordProcessor::typeset(const Typesetting&) {}
void RecordingWordProcessor::replaceLast(const QString&, const QString&) {}
void RecordingWordProcessor::exportPdf(const QString&) {}
void RecordingWordProcessor::setLateFailureHandler(std::function<void(const WordError&)>) {}
void RecordingWordProcessor::prepare() {
    ++prepared_;
}

}  // namespace zelmor::reports
