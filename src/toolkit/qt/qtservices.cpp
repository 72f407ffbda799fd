#include "qtservices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

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

}  // namespace

QStringList qtNameFilters(const QString& windowsFilter) {
    QStringList filters;
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = qtPatterns(parts[i + 1]);
        // Qt reads the patterns from the last parenthesis; a description that already ends
        // with its patterns in Windows form gets them in Qt form instead of twice.
        const int open = description.lastIndexOf(QLatin1Char('('));
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
    QFileDialog dialog(QApplication::activeWindow(), title);
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
    return QFileInfo(chosen.first()).absoluteFilePath();
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

int QtPlatform::screenWidth() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().width() * tk::kTwipsPerPixel : 0;
}

int QtPlatform::screenHeight() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().height() * tk::kTwipsPerPixel : 0;
}

QDate QtPlatform::today() const {
    return QDate::currentDate();
}

QString QtPlatform::setting(const QString& key) const {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zelmor"),
                             QStringLiteral("Zelmor"));
    return settings.value(key).toString();
}

QString QtPlatform::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::picturePath() const {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                           QStringLiteral("/Programmi");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/schemaZelmor.jpg");
}

}  // namespace zelmor::qtui
