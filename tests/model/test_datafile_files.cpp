// Data files kept in tests/data: good files that must read and write byte for byte, and bad ones
// (tests/data/malformed/datafile_L<line>_<what>.dat) that must stop at the line in their name.
#include "datafile_samples.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zelmor::model {
namespace {

using namespace samples;

const QString kDataDir = QStringLiteral(ZELMOR_TEST_DATA_DIR);

TEST(DataFileGolden, ReadsAndWritesByteForByte) {
    struct Row {
        const char* file;
        ModelData model;
        TitlePage title;
    };
    const Row rows[] = {
        {"datafile_example.dat", exampleModel(), exampleTitle()},
        {"datafile_nine.dat", nineModel(), nineTitle()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const QByteArray bytes = readBinary(kDataDir + u'/' + QString::fromUtf8(row.file));
        ASSERT_FALSE(bytes.isEmpty()) << "missing or empty";
        const DataFileContent c = readDataFile(bytes);
        ASSERT_TRUE(c.complete()) << c.error->reason.toStdString();
        EXPECT_EQ(c.model, row.model);
        EXPECT_EQ(c.title, row.title);
        EXPECT_EQ(writeDataFile(row.model, row.title), bytes);
    }
}

TEST(DataFileMalformed, EveryFileStopsAtTheLineInItsName) {
    const QDir dir(kDataDir + QStringLiteral("/malformed"));
    const QStringList files =
        dir.entryList({QStringLiteral("datafile_*.dat")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 5) << "the malformed data files are missing";
    static const QRegularExpression name(QStringLiteral(R"(^datafile_L(\d+)_)"));
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QRegularExpressionMatch m = name.match(file);
        ASSERT_TRUE(m.hasMatch()) << "name without datafile_L<line>_";
        const DataFileContent c = readDataFile(readBinary(dir.filePath(file)));
        ASSERT_FALSE(c.complete());
        EXPECT_EQ(c.error->line, m.captured(1).toInt()) << c.error->reason.toStdString();
        EXPECT_FALSE(c.error->reason.isEmpty());

        // Whatever was kept saves and reloads whole.
        if (!c.headerRead) continue;
        const QByteArray written = writeDataFile(c.model, c.title);
        const DataFileContent again = readDataFile(written);
        ASSERT_TRUE(again.complete()) << again.error->reason.toStdString();
        EXPECT_EQ(again.model, c.model);
        EXPECT_EQ(again.title, c.title);
        EXPECT_EQ(writeDataFile(again.model, again.title), written);
    }
}

}  // namespace
}  // namespace zelmor::model
