// The command line as the program reads it before Qt exists: what each form of it leads to.
#include "app/commandline.h"
#include "shared/modzelmor.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using zelmor::app::CommandLine;
using zelmor::app::parseCommandLine;

TEST(CommandLine, EachFormLeadsToItsAction) {
    struct Row {
        QStringList arguments;  // after the program's name
        CommandLine::Action action;
        QString file;
        QString output;  // "" when none is printed
    };
    const QString here = QDir::currentPath();
    const QString version = "Zelmor " + zelmor::app::programVersion() + "\n";
    const Row rows[] = {
        {{}, CommandLine::Action::Run, {}, {}},
        {{"Zelmor-dati-A"}, CommandLine::Action::Run, here + "/Zelmor-dati-A", {}},
        {{"/srv/a/../Zelmor-dati-B"}, CommandLine::Action::Run, "/srv/Zelmor-dati-B", {}},
        // Qt's options are Qt's, not an error nor a file.
        {{"-platform", "offscreen", "-style", "Fusion", "-reverse", "/f"},
         CommandLine::Action::Run,
         "/f",
         {}},
        {{"--", "-file-with-a-dash"}, CommandLine::Action::Run, here + "/-file-with-a-dash", {}},
        {{"-v"}, CommandLine::Action::Version, {}, version},
        {{"/f", "--version"}, CommandLine::Action::Version, {}, version},
        {{"-x"},
         CommandLine::Action::Error,
         {},
         "zelmor: opzione sconosciuta: -x\nPer l'aiuto: zelmor --help\n"},
        {{"--aiuto"},
         CommandLine::Action::Error,
         {},
         "zelmor: opzione sconosciuta: --aiuto\nPer l'aiuto: zelmor --help\n"},
        {{"a", "b"},
         CommandLine::Action::Error,
         {},
         "zelmor: si può aprire un solo file alla volta\nPer l'aiuto: zelmor --help\n"},
        {{""},
         CommandLine::Action::Error,
         {},
         "zelmor: il nome del file è vuoto\nPer l'aiuto: zelmor --help\n"},
    };
    for (const Row& row : rows) {
        const CommandLine line = parseCommandLine(QStringList{"zelmor"} + row.arguments);
        const std::string context = row.arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, row.action) << context;
        EXPECT_EQ(line.file, row.file) << context;
        EXPECT_EQ(line.output, row.output) << context;
    }
    const CommandLine help = parseCommandLine({"zelmor", "--help", "-x"});
    EXPECT_EQ(help.action, CommandLine::Action::Help);
    EXPECT_TRUE(help.output.startsWith("Uso: zelmor [opzioni] [file]\n"));
}

// The build's version and the one the windows show ("4.04.05") are the same release.
TEST(CommandLine, VersionIsTheProductsEdition) {
    QStringList parts;
    for (const QString& n : zelmor::shared::Product{}.version.split('.'))
        parts << QString::number(n.toInt());
    EXPECT_EQ(parts.join('.'), zelmor::app::programVersion());
}

}  // namespace
