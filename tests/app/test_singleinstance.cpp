// One running copy per user, two copies in one process: the running one on this thread with its
// event loop, each later start on a thread of its own, blocking as a second program would.
#include "app/singleinstance.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QtEndian>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <future>

namespace {

using zelmor::app::SingleInstance;

// Runs `work` on another thread while this thread's event loop runs, then lets the events it
// caused (the handler is called from the loop) run too.
template <class T>
T whileRunning(std::function<T()> work) {
    auto done = std::async(std::launch::async, std::move(work));
    const QDeadlineTimer deadline(20000);
    while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready &&
           !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done.get();
}

SingleInstance::Outcome laterStart(const QString& folder, const QString& file,
                                   const SingleInstance::Activation& activation = {}) {
    return whileRunning<SingleInstance::Outcome>([folder, file, activation] {
        SingleInstance later(folder);
        return later.start(file, activation);
    });
}

QByteArray field(const QByteArray& bytes, quint32 length) {
    char size[4];
    qToBigEndian(length, size);
    return QByteArray(size, 4) + bytes;
}

QByteArray handover(const QByteArray& name, quint32 length) {
    return QByteArrayLiteral("ZELMOR-APRI-1") + field(name, length);
}

QByteArray withTokens(const QByteArray& name, const QByteArray& wayland, const QByteArray& x11) {
    return QByteArrayLiteral("ZELMOR-APRI-2") + field(name, name.size()) +
           field(wayland, wayland.size()) + field(x11, x11.size());
}

// What a connection that sends `bytes` gets back before the running copy closes it.
QByteArray answerTo(const QString& socketPath, const QByteArray& bytes) {
    return whileRunning<QByteArray>([socketPath, bytes] {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(2000)) return QByteArrayLiteral("(no connection)");
        socket.write(bytes);
        socket.waitForBytesWritten(2000);
        QByteArray got;
        while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(5000))
            got += socket.readAll();
        return got + socket.readAll();
    });
}

// The temporary folder is the runtime folder of the copies.
class SingleInstanceTest : public zelmor::testsupport::FolderTest {
  protected:
    QString folder() const { return dir.path(); }
    QString socketPath() const { return path(QStringLiteral("zelmor.socket")); }
    void run(SingleInstance& copy) {
        ASSERT_EQ(copy.start(QString()), SingleInstance::Outcome::Running);
        EXPECT_EQ(copy.problem(), QString());
        copy.setHandler([this](const QString& file) { received << file; });
    }

    QStringList received;
};

TEST_F(SingleInstanceTest, LaterStartsHandTheirFileToTheRunningCopy) {
    {
        SingleInstance first(folder());
        run(first);
        const QString file = QStringLiteral("/home/anna/progetti è/Zelmor-dati-Pozzo\nnuovo");
        EXPECT_EQ(laterStart(folder(), file), SingleInstance::Outcome::HandedOver);
        EXPECT_EQ(laterStart(folder(), QString()), SingleInstance::Outcome::HandedOver);
        EXPECT_EQ(received, (QStringList{file, QString()}));
    }
    // Ended, the copy leaves nothing in the way of the next one.
    EXPECT_FALSE(QFile::exists(socketPath()));
    received.clear();
    SingleInstance next(folder());
    run(next);
    EXPECT_EQ(laterStart(folder(), QStringLiteral("/a")), SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(received, QStringList{QStringLiteral("/a")});
}

TEST_F(SingleInstanceTest, TakesThePlaceOfACrashedCopy) {
    // The crashed copy's socket: bound, never unlinked, nobody listening.
    const QByteArray path = QFile::encodeName(socketPath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    // And its lock, naming a process that has ended.
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    QFile lock(dir.filePath(QStringLiteral("zelmor.lock")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(
        QStringLiteral("%1\nzelmor\n%2\n").arg(dead).arg(QSysInfo::machineHostName()).toUtf8());
    lock.close();

    SingleInstance restarted(folder());
    run(restarted);
    EXPECT_EQ(laterStart(folder(), QStringLiteral("/b")), SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(received, QStringList{QStringLiteral("/b")});
}

TEST_F(SingleInstanceTest, DropsWhatIsNotAHandover) {
    SingleInstance first(folder());
    run(first);
    const QByteArray rejected[] = {
        QByteArrayLiteral("GET / HTTP/1.0\r\n\r\n"),
        handover("/x", 0xFFFFFFFFu),    // longer than any file name
        handover("Zelmor-dati-A", 13),  // not absolute
        handover(QByteArray("/a\0b", 4), 4),
        handover("/c", 2) + "and more",
        QByteArray(qsizetype{3} * SingleInstance::kMaxPath, 'Z'),
        QByteArrayLiteral("ZELMOR-APRI-3") + field("/x", 2),  // a version not known
        withTokens("/x", "token with blanks", ""),
        withTokens("/x", "", "id\n"),
        withTokens("/x", QByteArray(SingleInstance::kMaxToken + 1, 'a'), ""),
        withTokens("/x", "t", "s") + "and more",
    };
    for (const QByteArray& bytes : rejected) {
        EXPECT_EQ(answerTo(socketPath(), bytes), QByteArray()) << bytes.left(40).toStdString();
    }
    EXPECT_EQ(received, QStringList());
    // Well formed, by hand: accepted; the copy still answers a real start.
    EXPECT_EQ(answerTo(socketPath(), handover("/d", 2)), QByteArrayLiteral("ok"));
    EXPECT_EQ(laterStart(folder(), QStringLiteral("/e")), SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(received, (QStringList{QStringLiteral("/d"), QStringLiteral("/e")}));
}

TEST_F(SingleInstanceTest, HandsTheDesktopsTokensOverWithTheFile) {
    SingleInstance first(folder());
    run(first);
    QList<SingleInstance::Activation> tokens;
    first.setActivationHandler(
        [&tokens](const SingleInstance::Activation& activation) { tokens << activation; });
    const SingleInstance::Activation wayland{"a1b2-c3_d4", {}};
    const SingleInstance::Activation x11{{}, "xfce4-panel-1234-host-zelmor-3_TIME98765"};
    EXPECT_EQ(laterStart(folder(), QStringLiteral("/f"), wayland),
              SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(laterStart(folder(), QString(), x11), SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(laterStart(folder(), QStringLiteral("/g")), SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(received, (QStringList{QStringLiteral("/f"), QString(), QStringLiteral("/g")}));
    ASSERT_EQ(tokens.size(), 2);  // a start without tokens calls no one
    EXPECT_EQ(tokens[0].xdgActivationToken, wayland.xdgActivationToken);
    EXPECT_EQ(tokens[0].startupId, QByteArray());
    EXPECT_EQ(tokens[1].startupId, x11.startupId);
}

// A copy of an earlier version, which knows handovers without tokens only and closes any other
// connection unanswered.
TEST_F(SingleInstanceTest, ACopyThatKnowsNoTokensStillGetsTheFile) {
    QLocalServer earlier;
    ASSERT_TRUE(earlier.listen(socketPath()));
    QByteArrayList got;
    QObject::connect(&earlier, &QLocalServer::newConnection, [&] {
        QLocalSocket* socket = earlier.nextPendingConnection();
        QObject::connect(socket, &QLocalSocket::readyRead, [&got, socket] {
            const QByteArray bytes = socket->readAll();
            got << bytes.left(13);
            if (bytes.startsWith("ZELMOR-APRI-1")) socket->write("ok");
            socket->flush();
            socket->abort();
        });
    });
    // Nobody holds the lock of this version's: the earlier copy had none of its own name.
    EXPECT_EQ(laterStart(folder(), QStringLiteral("/h"), {"tok", {}}),
              SingleInstance::Outcome::HandedOver);
    EXPECT_EQ(got, (QByteArrayList{"ZELMOR-APRI-2", "ZELMOR-APRI-1"}));
}

// What may stand where the lock goes. A lock that names no live copy is taken over; what is not a
// file is never removed, and the start runs without the lock and says why.
TEST_F(SingleInstanceTest, ALockThatNamesNoLiveCopyIsTakenOver) {
    const QString lockPath = path(QStringLiteral("zelmor.lock"));
    const struct {
        const char* what;
        QByteArray content;  // of a lock file, when `folder` is false
        bool folder = false;
    } rows[] = {
        {"empty", ""},
        {"garbage", "\x89PNG\r\n\x1a\n\0\0 nothing like a lock"},
        {"a number alone", "4711"},
        {"a process number that is no number", "-3\nzelmor\nhost\n"},
        {"a folder", {}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        received.clear();
        if (row.folder) {
            ASSERT_TRUE(QDir().mkpath(lockPath + QStringLiteral("/mine")));
        } else {
            QFile lock(lockPath);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            lock.write(row.content);
        }
        {
            SingleInstance copy(folder());
            ASSERT_EQ(copy.start(QString()), SingleInstance::Outcome::Running);
            if (row.folder) {
                EXPECT_EQ(copy.problem(),
                          lockPath + QStringLiteral(" è una cartella, non il file di blocco di "
                                                    "Zelmor: un'altra copia di Zelmor non saprà di "
                                                    "questa (spostare o rinominare la cartella)"));
                EXPECT_TRUE(QFileInfo::exists(lockPath + QStringLiteral("/mine")));
                ASSERT_TRUE(QDir(lockPath).removeRecursively());
                continue;
            }
            EXPECT_EQ(copy.problem(), QString());
            copy.setHandler([this](const QString& file) { received << file; });
            EXPECT_EQ(laterStart(folder(), QStringLiteral("/l")),
                      SingleInstance::Outcome::HandedOver);
            EXPECT_EQ(received, QStringList{QStringLiteral("/l")});
        }
        EXPECT_FALSE(QFileInfo::exists(lockPath));  // the copy's own lock went with it
    }
}

// A damaged lock that a live process holds is not taken: that copy is alive, only deaf.
TEST_F(SingleInstanceTest, ALockHeldByALiveProcessIsNeverTaken) {
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("zelmor.lock")));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    SingleInstance later(folder());
    EXPECT_EQ(later.start(QString()), SingleInstance::Outcome::NoAnswer);
    EXPECT_EQ(later.problem(),
              QStringLiteral("una copia di Zelmor è già in esecuzione ma non risponde"));
    struct stat st {};
    EXPECT_EQ(::stat(path.constData(), &st), 0);
    ::close(fd);
}

}  // namespace

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication qapp(argc, argv);
    return RUN_ALL_TESTS();
}
