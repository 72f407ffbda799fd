#include "commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace zelmor::app {

namespace {

// The options QGuiApplication and QApplication read themselves: the first group takes a value.
const char* const kQtValueOptions[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "display",
    "geometry",
    "qwindowgeometry",
    "qwindowicon",
    "qwindowtitle",
    "style",
    "stylesheet",
    "session",
    "name",
    "title",
    "visual",
};
const char* const kQtFlagOptions[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

QString helpText() {
    return QStringLiteral(
        "Uso: zelmor [opzioni] [file]\n"
        "Zelmor: composizioni di modelli logici aspaziali.\n"
        "\n"
        "Opzioni:\n"
        "  -h, --help     mostra questo aiuto ed esce\n"
        "  -v, --version  mostra la versione del programma ed esce\n"
        "\n"
        "Argomenti:\n"
        "  file           un archivio di dati (Zelmor-dati-...) da aprire nella finestra Menu\n"
        "                 quando compare, come con il comando \"Apri...\"\n"
        "\n"
        "Per ogni utente gira una sola copia di Zelmor: se è già avviata, riceve il file\n"
        "e passa in primo piano, e questo comando termina subito.\n"
        "Sono accettate anche le opzioni di Qt (-platform, -style, ...).\n");
}

CommandLine error(const QString& what) {
    return {CommandLine::Action::Error, QString(),
            QStringLiteral("zelmor: %1\nPer l'aiuto: zelmor --help\n").arg(what)};
}

}  // namespace

QString programVersion() {
    return QStringLiteral(ZELMOR_VERSION);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-platform" is one of Qt's options, not six letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }

    // Asked for help or the version, the user gets it even beside a mistake.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) return {CommandLine::Action::Help, QString(), helpText()};
    if (parser.isSet(version)) {
        return {CommandLine::Action::Version, QString(),
                QStringLiteral("Zelmor %1\n").arg(programVersion())};
    }
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString& name = unknown.first();
            return error(
                QStringLiteral("opzione sconosciuta: %1%2")
                    .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
        }
        return error(QStringLiteral("riga di comando non valida (%1)").arg(parser.errorText()));
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return error(QStringLiteral("si può aprire un solo file alla volta"));
    CommandLine line;
    if (files.size() == 1) {
        if (files.first().isEmpty()) return error(QStringLiteral("il nome del file è vuoto"));
        line.file = QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
    }
    return line;
}

}  // namespace zelmor::app
