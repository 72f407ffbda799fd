#include "model/fileio.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zelmor::model {
namespace {

// Files the user may pick by mistake: none of them may stall the program or fill its memory.
TEST(RegularFile, ReadsOnlyOrdinaryFilesUpToTheLimit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    const auto write = [](const QString& p, const QByteArray& bytes) {
        QFile f(p);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    ASSERT_TRUE(write(path("dati"), "1,\"totale\"\r\n"));
    ASSERT_TRUE(write(path("vuoto"), QByteArray()));
    ASSERT_TRUE(write(path("limite"), QByteArray(16, 'x')));
    ASSERT_TRUE(write(path("oltre"), QByteArray(17, 'y')));
    QFile huge(path("enorme"));  // sparse: takes no room on the disk
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 32));
    huge.close();
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("pipe"), path("link-pipe")));
    ASSERT_TRUE(QFile::link(path("dati"), path("link-dati")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("cartella")));

    const QString notOrdinary =
        QStringLiteral("non è un file ordinario (è una pipe, un dispositivo o un socket)");
    const QString tooLong = QStringLiteral("il file è troppo grande (più di 16 byte)");
    const struct {
        QString path;
        QByteArray bytes;
        bool tooLong;
        QString failure;
    } rows[] = {
        {path("dati"), "1,\"totale\"\r\n", false, {}},
        {path("link-dati"), "1,\"totale\"\r\n", false, {}},
        {path("vuoto"), {}, false, {}},
        {path("limite"), QByteArray(16, 'x'), false, {}},
        {path("oltre"), QByteArray(16, 'y'), true, tooLong},
        {path("enorme"), QByteArray(16, '\0'), true, tooLong},
        {path("pipe"), {}, false, notOrdinary},
        {path("link-pipe"), {}, false, notOrdinary},
        {QStringLiteral("/dev/zero"), {}, false, notOrdinary},
        {path("cartella"), {}, false, QStringLiteral("è una cartella")},
        {path("manca"), {}, false, QStringLiteral("il file non esiste")},
        {path("dati/dentro"), {}, false, QStringLiteral("il file non esiste")},
        {QString(), {}, false, QStringLiteral("il file non esiste")},
    };
    for (const auto& r : rows) {
        const FileBytes got = readRegularFile(r.path, 16);
        EXPECT_EQ(got.bytes, r.bytes) << r.path.toStdString();
        EXPECT_EQ(got.tooLong, r.tooLong) << r.path.toStdString();
        EXPECT_EQ(got.failure, r.failure) << r.path.toStdString();
    }
}

}  // namespace
}  // namespace zelmor::model
