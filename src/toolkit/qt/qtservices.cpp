#include "qtservices.h"

#include "screenfit.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpacerItem>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace zelmor::qtui {

namespace {

QString qtPatterns(const QString& windowsPatterns) {
    QStringList out;
    for (QString p : windowsPatterns.split(QLatin1Char(';'))) {
        p = p.trimmed();
        if (p.isEmpty()) continue;
        // On Windows "*.*" also matches names without a dot.
        if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        if (!out.contains(p)) out.append(p);
    }
    if (out.isEmpty()) out.append(QStringLiteral("*"));
    return out.join(QLatin1Char(' '));
}

// How wide a window must be for the window manager to show this title whole.
int titleBarWidth(const QString& title) {
    // Window managers draw titles in a bold face, often larger than the program's own.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(std::max({font.pointSizeF(), QApplication::font().pointSizeF(), 10.0}));
    }
    font.setBold(true);
    const QFontMetrics metrics(font);
    // The icon and three buttons are about as wide as the bar is high, with a margin each.
    const int button = metrics.height() + 12;
    return metrics.horizontalAdvance(title) + 4 * button + 2 * metrics.height();
}

// The window manager cuts a title that is wider than its window, and a message box is only as
// wide as its text: some titles say what the text does not (that unarchived data will be lost).
// A row as wide as the title in a title-bar face, plus room for the frame's icon and buttons,
// widens the box; Qt's own allowance assumes a smaller face and no buttons.
void keepTitleWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr || box.windowTitle().isEmpty()) return;
    const int width = titleBarWidth(box.windowTitle());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// The value of `key` ("group/name"; "name" alone for the general section) as written on its
// line of an INI file, blanks and any comment after it left out; nothing when no line has it.
// QSettings reads a value with a comma as a list, and its string is then empty.
std::optional<QString> iniLineValue(const QString& fileName, const QString& key) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    const QString group = slash < 0 ? QStringLiteral("General") : key.left(slash);
    QString name = key.mid(slash + 1);
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QString section = QStringLiteral("General");
    std::optional<QString> found;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);  // an editor's byte-order mark
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (section != group || equals < 0 || line.left(equals).trimmed() != name) continue;
        // A semicolon outside quotes starts a comment, as for QSettings.
        QString value = line.mid(equals + 1);
        bool quoted = false;
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == QLatin1Char('"')) quoted = !quoted;
            if (value[i] == QLatin1Char(';') && !quoted) {
                value.truncate(i);
                break;
            }
        }
        found = value.trimmed();
    }
    return found;
}

// The plain suffix of a pattern "*.ext", or nothing for any other pattern.
QString plainSuffix(const QString& pattern) {
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.size() < 3) return {};
    QString suffix = pattern.mid(2);
    const bool plain = std::none_of(suffix.cbegin(), suffix.cend(), [](QChar c) {
        return c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[');
    });
    return plain ? suffix : QString();
}

// Qt's file dialog, where saving puts the chosen type's suffix on the typed name before the
// dialog checks whether that file exists: the question to replace it names the file written.
class FileDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

  protected:
    void accept() override {
        // The name field of Qt's own dialog; a name that is a folder opens it instead.
        auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QStringList typed = selectedFiles();
        if (acceptMode() == AcceptSave && name != nullptr && typed.size() == 1 &&
            !QFileInfo(typed.first()).isDir()) {
            const QString fixed =
                withFilterSuffix(name->text(), selectedNameFilter(), nameFilters());
            if (fixed != name->text()) name->setText(fixed);
        }
        QFileDialog::accept();
    }
};

}  // namespace

namespace {

// The patterns of a filter in Qt's form: from its last parenthesis, or the whole filter.
QStringList filterPatterns(const QString& nameFilter) {
    QString patterns = nameFilter;
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && nameFilter.endsWith(QLatin1Char(')'))) {
        patterns = nameFilter.mid(open + 1, nameFilter.size() - open - 2);
    }
    return patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

QString withFilterSuffix(const QString& fileName, const QString& nameFilter,
                         const QStringList& offered) {
    const QStringList list = filterPatterns(nameFilter);
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const QString name = fileName.mid(slash + 1);
    if (list.isEmpty() || name.isEmpty()) return fileName;
    // A name that already ends in a type the dialog offers says its type itself.
    QStringList known = list;
    for (const QString& filter : offered) known += filterPatterns(filter);
    for (const QString& p : known) {
        const QString suffix = plainSuffix(p);
        if (!suffix.isEmpty() && name.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
            return fileName;
    }
    const QString suffix = plainSuffix(list.first());
    if (suffix.isEmpty()) return fileName;
    // "modello." is the name without a suffix, as the desktop writes it.
    return fileName + (name.endsWith(QLatin1Char('.')) ? suffix : QLatin1Char('.') + suffix);
}

QStringList qtNameFilters(const QString& windowsFilter) {
    QStringList filters;
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = qtPatterns(parts[i + 1]);
        // Qt reads the patterns from the last parenthesis; a description that already ends
        // with its patterns in Windows form gets them in Qt form instead of twice.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0) {
            QString shown = description.mid(open + 1, description.size() - open - 2);
            if (qtPatterns(shown.replace(QLatin1Char(' '), QLatin1Char(';'))) == patterns) {
                description = description.left(open).trimmed();
            }
        }
        if (description.isEmpty()) description = patterns;
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

tk::MessageResult QtMessageBox::show(const tk::Message& message) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    QString text = message.text;
    // The program ends its lines with CR alone.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (message.icon) {
        case tk::MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case tk::MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case tk::MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case tk::MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case tk::MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    keepTitleWhole(box);
    if (message.buttons == tk::MessageButtons::Ok) {
        QPushButton* ok = box.addButton(QMessageBox::Ok);
        ok->setText(QStringLiteral("OK"));
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return tk::MessageResult::Ok;
    }
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    yes->setText(QStringLiteral("&Sì"));
    QPushButton* no = box.addButton(QMessageBox::No);
    no->setText(QStringLiteral("&No"));
    box.setDefaultButton(message.defaultButton == tk::MessageResult::No ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? tk::MessageResult::Yes : tk::MessageResult::No;
}

std::optional<QString> QtFileDialog::run(const tk::FileDialogRequest& request) {
    const bool save = request.mode == tk::FileDialogMode::Save;
    QString title = request.title;
    if (title.isEmpty()) title = save ? QStringLiteral("Salva con nome") : QStringLiteral("Apri");
    FileDialog dialog(QApplication::activeWindow(), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                              ? request.filterIndex - 1
                              : 0;
        dialog.selectNameFilter(filters[index]);
    }
    if (!request.fileName.isEmpty()) {
        const QFileInfo initial(request.fileName);
        if (initial.isAbsolute()) dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    QString path = chosen.first();
    // As accept() did.
    if (save) path = withFilterSuffix(path, dialog.selectedNameFilter(), dialog.nameFilters());
    return QFileInfo(path).absoluteFilePath();
}

std::optional<tk::Color> QtColorDialog::run(tk::Color initial) {
    QColorDialog dialog(QColor(initial.r, initial.g, initial.b), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(QStringLiteral("Colore"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor c = dialog.selectedColor();
    if (!c.isValid()) return std::nullopt;
    return tk::Color{c.red(), c.green(), c.blue()};
}

void QtClipboard::setPicture(const tk::ClipboardPicture& picture) {
    auto* data = new QMimeData;
    if (!picture.svg.isEmpty()) data->setData(QStringLiteral("image/svg+xml"), picture.svg);
    if (!picture.png.isEmpty()) data->setData(QStringLiteral("image/png"), picture.png);
    // Qt offers the bitmap in the other forms it can write (BMP and so on); a program that asks
    // for PNG gets the print-resolution one above.
    if (!picture.image.isNull()) data->setImageData(picture.image);
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it
}

int QtPlatform::screenWidth() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? usableArea(desktopOf(screen)).width() * tk::kTwipsPerPixel : 0;
}

int QtPlatform::screenHeight() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? usableArea(desktopOf(screen)).height() * tk::kTwipsPerPixel : 0;
}

QDate QtPlatform::today() const {
    return QDate::currentDate();
}

QString QtPlatform::setting(const QString& key) const {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                             QCoreApplication::organizationName(),
                             QCoreApplication::applicationName());
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QStringList) return value.toString();
    // Unquoted commas ("Via Roma 1, 00100 Città") make a list of the value: the text is taken
    // as the user wrote it instead.
    return iniLineValue(settings.fileName(), key)
        .value_or(value.toStringList().join(QStringLiteral(", ")));
}

bool QtPlatform::setSetting(const QString& key, const QString& value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                       QCoreApplication::organizationName(), QCoreApplication::applicationName());
    if (!settings.isWritable()) return false;
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString QtPlatform::dataFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QStringList QtPlatform::dataFolders() const {
    // The user's folder, then the system's (XDG_DATA_DIRS), then the tree the program runs from.
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    folders += tk::installedDataFolders(QCoreApplication::applicationDirPath(),
                                        QCoreApplication::organizationName(),
                                        QCoreApplication::applicationName());
    folders.removeDuplicates();
    return folders;
}

QString QtPlatform::documentsFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

}  // namespace zelmor::qtui
