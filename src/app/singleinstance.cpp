#include "singleinstance.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace zelmor::app {

namespace {

// A handover: "ZELMOR-APRI-", the version, then length-prefixed fields (4 bytes, big-endian, then
// the bytes). Version 1 carries the file name as the file system spells it; version 2 the file
// name, then the Wayland activation token and the X11 start-up id. The answer: kAck. A copy that
// knows only version 1 closes a version-2 connection unanswered, and is then sent version 1.
const QByteArray kPrefix = QByteArrayLiteral("ZELMOR-APRI-");
const QByteArray kAck = QByteArrayLiteral("ok");
constexpr qsizetype kLongest =
    12 + 1 + 4 + SingleInstance::kMaxPath + 2 * (4 + SingleInstance::kMaxToken);

constexpr int kConnectWait = 1000;  // ms: a listening copy accepts at once
constexpr int kAnswerWait = 5000;   // ms: the running copy may be busy for a moment
constexpr int kLockWait = 5000;     // ms: another copy starting at the same time
constexpr int kLockSettle = 200;    // ms a copy that is creating its lock file needs to fill it
constexpr int kClientTime = 3000;   // ms a connection may take to say what it wants
constexpr int kMaxClients = 8;      // connections being read at once; more are closed

QByteArray handoverMessage(char version, const QString& file,
                           const SingleInstance::Activation& activation) {
    QByteArray message = kPrefix + version;
    auto field = [&message](const QByteArray& bytes) {
        char length[4];
        qToBigEndian(static_cast<quint32>(bytes.size()), length);
        message.append(length, 4).append(bytes);
    };
    field(QFile::encodeName(file));
    if (version == '2') {
        field(activation.xdgActivationToken);
        field(activation.startupId);
    }
    return message;
}

// Tokens are printable ASCII without blanks, whatever the desktop: anything else is refused.
bool plainToken(const QByteArray& token) {
    for (const char c : token) {
        if (c < 0x21 || c > 0x7e) return false;
    }
    return true;
}

enum class Parsed { More, Bad, Whole };

Parsed parseHandover(const QByteArray& data, QString* file,
                     SingleInstance::Activation* activation) {
    const qsizetype prefix = std::min(data.size(), kPrefix.size());
    if (data.left(prefix) != kPrefix.left(prefix)) return Parsed::Bad;
    if (data.size() <= kPrefix.size()) return Parsed::More;
    const char version = data.at(kPrefix.size());
    if (version != '1' && version != '2') return Parsed::Bad;
    qsizetype at = kPrefix.size() + 1;
    auto field = [&](int limit, QByteArray* out) {
        if (data.size() < at + 4) return Parsed::More;
        const quint32 length = qFromBigEndian<quint32>(data.constData() + at);
        if (length > static_cast<quint32>(limit)) return Parsed::Bad;
        if (data.size() < at + 4 + static_cast<qsizetype>(length)) return Parsed::More;
        *out = data.mid(at + 4, length);
        at += 4 + static_cast<qsizetype>(length);
        return Parsed::Whole;
    };
    QByteArray name;
    SingleInstance::Activation tokens;
    for (const auto& [limit, out] :
         {std::pair{SingleInstance::kMaxPath, &name},
          std::pair{version == '2' ? SingleInstance::kMaxToken : -1, &tokens.xdgActivationToken},
          std::pair{version == '2' ? SingleInstance::kMaxToken : -1, &tokens.startupId}}) {
        if (limit < 0) continue;
        const Parsed got = field(limit, out);
        if (got != Parsed::Whole) return got;
    }
    if (data.size() > at || name.contains('\0') || (!name.isEmpty() && !name.startsWith('/')) ||
        !plainToken(tokens.xdgActivationToken) || !plainToken(tokens.startupId)) {
        return Parsed::Bad;
    }
    *file = QFile::decodeName(name);
    *activation = tokens;
    return Parsed::Whole;
}

// What stands where the lock file goes. A running copy holds an flock on its lock file for its
// whole life (QLockFile takes one), and the file names its process; QLockFile takes over a file
// that names a process that has ended, but not one that names none (left empty by a full disk or
// a crash while it was written, or written by something else), which would keep every later
// start out for good.
enum class LockFile { Absent, Held, NamesAProcess, Damaged, Folder, Special, Unreadable };

bool namesAProcess(const QByteArray& bytes) {
    const QList<QByteArray> lines = bytes.split('\n');
    bool number = false;
    return lines.size() >= 3 && lines.at(0).toLongLong(&number) > 0 && number;
}

QByteArray readSome(int fd) {
    char bytes[512];
    const ssize_t n = ::pread(fd, bytes, sizeof bytes, 0);
    return n > 0 ? QByteArray(bytes, static_cast<qsizetype>(n)) : QByteArray();
}

LockFile inspectLock(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return LockFile::Absent;
    if (S_ISDIR(st.st_mode)) return LockFile::Folder;
    if (!S_ISREG(st.st_mode)) return LockFile::Special;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return LockFile::Unreadable;
    LockFile found = LockFile::Unreadable;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) found = LockFile::Held;
    } else {
        found = namesAProcess(readSome(fd)) ? LockFile::NamesAProcess : LockFile::Damaged;
    }
    ::close(fd);
    return found;
}

// Removes a damaged lock file, unless a copy has taken the lock meanwhile: under a second lock,
// so that two starts at once remove it once, and only the file that was looked at.
bool removeDamagedLock(const QString& lockPath) {
    QLockFile guard(lockPath + QStringLiteral(".rmlock"));
    if (!guard.tryLock(0)) return false;
    const QByteArray path = QFile::encodeName(lockPath);
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat held {
    }, now{};
    bool removed = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
        ::lstat(path.constData(), &now) == 0 && held.st_dev == now.st_dev &&
        held.st_ino == now.st_ino && !namesAProcess(readSome(fd))) {
        removed = ::unlink(path.constData()) == 0;
    }
    ::close(fd);
    return removed;
}

}  // namespace

SingleInstance::Activation SingleInstance::Activation::fromEnvironment() {
    return {qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")};
}

struct SingleInstance::Impl {
    QString folder;
    QString socketPath;
    QString lockPath;
    QLockFile lock;
    QLocalServer server;
    QString problem;
    std::function<void(const QString&)> handler;
    std::function<void(const Activation&)> activationHandler;
    std::map<QLocalSocket*, QByteArray> clients;  // connections being read, with what came

    explicit Impl(const QString& folder_)
        : folder(folder_),
          socketPath(folder_ + QStringLiteral("/zelmor.socket")),
          lockPath(folder_ + QStringLiteral("/zelmor.lock")),
          lock(lockPath) {
        // Held for the copy's whole life: only a dead owner makes it stale, never its age.
        lock.setStaleLockTime(0);
    }

    enum class Handover { NoServer, Done, NoAnswer, Dropped };
    Handover handOver(const QString& file, const Activation& activation);
    Handover send(const QByteArray& message);
    enum class Lock { Ours, Held, Unusable };
    Lock takeLock();
    bool listen();
    void accept();
    void read(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
};

SingleInstance::Impl::Handover SingleInstance::Impl::handOver(const QString& file,
                                                              const Activation& activation) {
    if (!activation.empty()) {
        const Handover withTokens = send(handoverMessage('2', file, activation));
        if (withTokens != Handover::Dropped) return withTokens;
        // An earlier version runs: it opens the file, without the tokens.
    }
    const Handover plain = send(handoverMessage('1', file, activation));
    return plain == Handover::Dropped ? Handover::NoAnswer : plain;
}

SingleInstance::Impl::Handover SingleInstance::Impl::send(const QByteArray& message) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kConnectWait)) {
        // Nothing listens (no socket, or a crashed copy's); a timeout means a copy that hangs.
        return socket.error() == QLocalSocket::SocketTimeoutError ? Handover::NoAnswer
                                                                  : Handover::NoServer;
    }
    socket.write(message);
    QByteArray answer;
    while (answer.size() < kAck.size() && socket.waitForReadyRead(kAnswerWait))
        answer += socket.read(kAck.size() - answer.size());
    if (answer == kAck) return Handover::Done;
    // Closed unanswered at once: the message was refused; still open: the copy does not answer.
    return answer.isEmpty() && socket.state() != QLocalSocket::ConnectedState ? Handover::Dropped
                                                                              : Handover::NoAnswer;
}

SingleInstance::Impl::Lock SingleInstance::Impl::takeLock() {
    if (lock.tryLock(0)) return Lock::Ours;
    if (lock.error() == QLockFile::LockFailedError) {
        const QByteArray path = QFile::encodeName(lockPath);
        switch (inspectLock(path)) {
            case LockFile::Folder:
                problem = QStringLiteral(
                              "%1 è una cartella, non il file di blocco di Zelmor: un'altra "
                              "copia di Zelmor non saprà di questa (spostare o rinominare la "
                              "cartella)")
                              .arg(lockPath);
                return Lock::Unusable;
            case LockFile::Special:
                problem = QStringLiteral(
                              "%1 non è un file ordinario, non il file di blocco di Zelmor: "
                              "un'altra copia di Zelmor non saprà di questa")
                              .arg(lockPath);
                return Lock::Unusable;
            case LockFile::Damaged:
                // Unless a copy is creating it right now, and fills it in a moment.
                QThread::msleep(kLockSettle);
                if (inspectLock(path) == LockFile::Damaged && removeDamagedLock(lockPath) &&
                    lock.tryLock(0)) {
                    return Lock::Ours;
                }
                break;
            default:
                break;
        }
        if (lock.tryLock(kLockWait)) return Lock::Ours;
    }
    if (lock.error() != QLockFile::LockFailedError) {
        // The folder refuses the lock: run alone rather than not at all.
        problem = QStringLiteral(
                      "impossibile creare il file di blocco in %1: un'altra "
                      "copia di Zelmor non saprà di questa")
                      .arg(folder);
        return Lock::Unusable;
    }
    return Lock::Held;
}

bool SingleInstance::Impl::listen() {
    // The lock is ours, so a socket file left there belongs to no running copy.
    QLocalServer::removeServer(socketPath);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server.listen(socketPath)) {
        problem = QStringLiteral("impossibile attendere altre richieste su %1: %2")
                      .arg(socketPath, server.errorString());
        return false;
    }
    QObject::connect(&server, &QLocalServer::newConnection, &server, [this] { accept(); });
    return true;
}

void SingleInstance::Impl::accept() {
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        if (static_cast<int>(clients.size()) >= kMaxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        clients.emplace(socket, QByteArray());
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, &server, [this, socket] { drop(socket); });
        timer->start(kClientTime);
        QObject::connect(socket, &QLocalSocket::readyRead, &server,
                         [this, socket] { read(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, &server,
                         [this, socket] { drop(socket); });
        read(socket);  // what arrived before the connection was taken
    }
}

void SingleInstance::Impl::read(QLocalSocket* socket) {
    const auto client = clients.find(socket);
    if (client == clients.end()) return;
    QByteArray& data = client->second;
    // Never more than the longest handover, and one byte to tell that it is too long.
    data += socket->read(kLongest + 1 - data.size());
    QString file;
    Activation activation;
    switch (parseHandover(data, &file, &activation)) {
        case Parsed::More:
            return;
        case Parsed::Bad:
            return drop(socket);
        case Parsed::Whole:
            break;
    }
    clients.erase(client);
    socket->write(kAck);
    socket->flush();
    socket->disconnectFromServer();
    socket->deleteLater();
    // The handlers may open dialogs: they run on their own, not inside this socket's signal.
    QTimer::singleShot(0, &server, [this, file, activation] {
        if (activationHandler && !activation.empty()) activationHandler(activation);
        if (handler) handler(file);
    });
}

void SingleInstance::Impl::drop(QLocalSocket* socket) {
    if (clients.erase(socket) == 0) return;  // already answered or dropped
    socket->disconnect(&server);
    socket->abort();
    socket->deleteLater();
}

SingleInstance::SingleInstance(const QString& folder) : d_(std::make_unique<Impl>(folder)) {}

SingleInstance::~SingleInstance() {
    d_->server.close();  // removes the socket file; the lock goes with d_
}

SingleInstance::Outcome SingleInstance::start(const QString& file, const Activation& activation) {
    using Handover = Impl::Handover;
    if (d_->folder.isEmpty()) {
        d_->problem = QStringLiteral(
            "nessuna cartella di esecuzione per l'utente: un'altra copia "
            "di Zelmor non saprà di questa");
        return Outcome::Running;
    }
    Handover first = d_->handOver(file, activation);
    if (first == Handover::Done) return Outcome::HandedOver;
    if (first == Handover::NoServer) {
        switch (d_->takeLock()) {
            case Impl::Lock::Ours:
                // A copy may have started listening between the first try and the lock.
                first = d_->handOver(file, activation);
                if (first == Handover::Done) {
                    d_->lock.unlock();
                    return Outcome::HandedOver;
                }
                d_->listen();
                return Outcome::Running;
            case Impl::Lock::Unusable:
                return Outcome::Running;  // alone rather than not at all; problem() says why
            case Impl::Lock::Held:
                // Another copy holds the lock: it started with this one, and listens by now.
                first = d_->handOver(file, activation);
                if (first == Handover::Done) return Outcome::HandedOver;
                break;
        }
    }
    d_->problem = QStringLiteral("una copia di Zelmor è già in esecuzione ma non risponde");
    return Outcome::NoAnswer;
}

QString SingleInstance::problem() const {
    return d_->problem;
}

void SingleInstance::setHandler(std::function<void(const QString& file)> handler) {
    d_->handler = std::move(handler);
}

void SingleInstance::setActivationHandler(std::function<void(const Activation&)> handler) {
    d_->activationHandler = std::move(handler);
}

}  // namespace zelmor::app
