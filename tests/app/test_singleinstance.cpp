// One running copy per user, two copies in one process: the running one on this thread with its
// event loop, each later start on a thread of its own, blocking as a second program would.
#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/socket.h>
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

SingleInstance::Outcome laterStart(const QString& folder, const QString& file) {
    return whileRunning<SingleInstance::Outcome>([folder, file] {
        SingleInstance later(folder);
        return later.start(file);
    });
}

QByteArray handover(const QByteArray& name, quint32 length) {
    char size[4];
    qToBigEndian(length, size);
    return QByteArrayLiteral("ZELMOR-APRI-1") + QByteArray(size, 4) + name;
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

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(runtime.isValid()); }
    QString folder() const { return runtime.path(); }
    QString socketPath() const { return runtime.filePath(QStringLiteral("zelmor.socket")); }
    void run(SingleInstance& copy) {
        ASSERT_EQ(copy.start(QString()), SingleInstance::Outcome::Running);
        EXPECT_EQ(copy.problem(), QString());
        copy.setHandler([this](const QString& file) { received << file; });
    }

    QTemporaryDir runtime;
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
    QFile lock(runtime.filePath(QStringLiteral("zelmor.lock")));
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
        QByteArray(3 * SingleInstance::kMaxPath, 'Z'),
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

}  // namespace

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication qapp(argc, argv);
    return RUN_ALL_TESTS();
}
